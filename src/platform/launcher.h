// Starting the CAD program on a saved drawing. Failures are results; nothing
// is shown to the user and nothing waits for the started program.
#pragma once

#include <string>

namespace plandock::platform {

// The program path in a registered open command: the command cut at its first
// blank, then without a leading double quote and, after that, a trailing one.
std::u16string CadProgramFromCommand(const std::u16string& command);

// The program registered for drawings, or empty when there is none.
// Windows: the open command of the ".JWW" file type. POSIX has no such
// registration: the program PLANDOCK_CAD names (a path, or a name looked up on
// the PATH) stands for it, else the desktop's opener (xdg-open) on the PATH.
// A PLANDOCK_CAD name found nowhere gives empty.
std::u16string FindCadExecutable();

// The program StartCad would start: FindCadExecutable, else
// "C:\JWW\JW_WIN.EXE"; empty when that names no existing file.
std::u16string CadProgram();

// Starts the CAD program (CadProgram) on
// `drawing`, in the program's folder, without waiting. Returns false, having
// started nothing, when the program or the drawing does not exist, `drawing`
// is empty, or the start fails.
[[nodiscard]] bool StartCad(const std::u16string& drawing);

// Opens `file` with the program the system associates with it (Windows: the
// shell's "OPEN" verb; POSIX: the desktop's opener), without waiting. False
// when `file` does not exist or nothing could be started.
[[nodiscard]] bool OpenFileWithShell(const std::u16string& file);

}  // namespace plandock::platform
