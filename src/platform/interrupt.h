// The console of a command-line run: Ctrl+C as the request to stop, and
// whether questions can be asked on it.
#pragma once

namespace plandock::platform {

// From now on Ctrl+C (SIGINT, or the console's Ctrl+C event) only sets a flag
// instead of ending the program; a second Ctrl+C before the flag was taken
// ends the program as usual. That second Ctrl+C and a termination signal
// (closing the console on Windows) first remove the temporary files of
// unfinished saves. Also makes the console show UTF-8 output.
void CatchInterrupts();
// True when Ctrl+C was pressed since the last call; clears the flag.
bool TakeInterrupt();

enum class ConsoleStream { kInput, kError };
// True when the stream is an interactive terminal.
bool IsTerminal(ConsoleStream stream);

}  // namespace plandock::platform
