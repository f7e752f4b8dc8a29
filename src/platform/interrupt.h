// The console of a command-line run: its output, Ctrl+C as the request to
// stop, whether questions can be asked on it, and the Escape key.
#pragma once

namespace plandock::platform {

// Makes the console show the program's UTF-8 output and keeps line ends as
// written, so output is the same bytes on every platform.
void UseUtf8Output();

// From now on Ctrl+C (SIGINT, or the console's Ctrl+C event) only sets a flag
// instead of ending the program; a second Ctrl+C before the flag was taken
// ends the program as usual. That second Ctrl+C and a termination signal
// (closing the console on Windows) first remove the temporary files of
// unfinished saves.
void CatchInterrupts();
// True when Ctrl+C was pressed since the last call; clears the flag.
[[nodiscard]] bool TakeInterrupt();

enum class ConsoleStream { kInput, kError };
// True when the stream is an interactive terminal.
[[nodiscard]] bool IsTerminal(ConsoleStream stream);

// True when the Escape key is held down at this moment. POSIX has no such
// system-wide key state: there it is always false.
[[nodiscard]] bool EscapeKeyHeld();

}  // namespace plandock::platform
