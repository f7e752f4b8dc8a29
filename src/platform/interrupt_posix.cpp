// Ctrl+C and terminals on POSIX.
#include <unistd.h>

#include <atomic>
#include <csignal>

#include "platform/interrupt.h"
#include "platform/temp_files_internal.h"

namespace plandock::platform {
namespace {

std::atomic<int> interrupted{0};
static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");

// Ends the program as the signal would, without leaving half-written saves.
void EndBySignal(int signal_number) {
  internal::RemoveTempFilesOfSaves();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

extern "C" void OnInterrupt(int signal_number) {
  if (interrupted.exchange(1) != 0) EndBySignal(signal_number);
}

extern "C" void OnTermination(int signal_number) { EndBySignal(signal_number); }

void Catch(int signal_number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal_number, &action, nullptr);
}

}  // namespace

void UseUtf8Output() {}

void CatchInterrupts() {
  Catch(SIGINT, OnInterrupt);
  Catch(SIGTERM, OnTermination);
  Catch(SIGHUP, OnTermination);
}

bool TakeInterrupt() { return interrupted.exchange(0) != 0; }

bool IsTerminal(ConsoleStream stream) {
  return isatty(stream == ConsoleStream::kInput ? STDIN_FILENO : STDERR_FILENO) != 0;
}

bool EscapeKeyHeld() { return false; }

}  // namespace plandock::platform
