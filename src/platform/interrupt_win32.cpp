// Ctrl+C, consoles and the Escape key on Windows.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "platform/interrupt.h"
#include "platform/temp_files_internal.h"

namespace plandock::platform {
namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event == CTRL_C_EVENT && !interrupted.exchange(true)) return TRUE;
  // A second Ctrl+C before the job looked, Ctrl+Break or the console closing
  // fall through to the default, the end of the program.
  internal::RemoveTempFilesOfSaves();
  return FALSE;
}

}  // namespace

void UseUtf8Output() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  // Text mode would turn each "\n" into "\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

bool TakeInterrupt() { return interrupted.exchange(false); }

bool IsTerminal(ConsoleStream stream) {
  // _isatty also says yes for NUL and other character devices; only a console
  // has a console mode.
  const HANDLE h =
      GetStdHandle(stream == ConsoleStream::kInput ? STD_INPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) != 0;
}

bool EscapeKeyHeld() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

}  // namespace plandock::platform
