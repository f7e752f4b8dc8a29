// Ctrl+C and consoles on Windows.
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

void CatchInterrupts() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
}

bool TakeInterrupt() { return interrupted.exchange(false); }

bool IsTerminal(ConsoleStream stream) {
  return _isatty(_fileno(stream == ConsoleStream::kInput ? stdin : stderr)) != 0;
}

}  // namespace plandock::platform
