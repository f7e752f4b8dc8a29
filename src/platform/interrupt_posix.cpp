// Ctrl+C and terminals on POSIX.
#include <unistd.h>

#include <csignal>

#include "platform/interrupt.h"

namespace plandock::platform {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int signal_number) {
  if (interrupted) {
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
    return;
  }
  interrupted = 1;
}

}  // namespace

void UseUtf8Output() {}

void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

bool TakeInterrupt() {
  const bool was = interrupted != 0;
  interrupted = 0;
  return was;
}

bool IsTerminal(ConsoleStream stream) {
  return isatty(stream == ConsoleStream::kInput ? STDIN_FILENO : STDERR_FILENO) != 0;
}

bool EscapeKeyHeld() { return false; }

}  // namespace plandock::platform
