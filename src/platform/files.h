// Files and folders. Paths are UTF-16 texts accepting '\' and '/' as separators
// (on POSIX a '\' is taken as a separator too). Nothing here throws; failures are results.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plandock::platform {

char16_t NativeSeparator();                       // '\' on Windows, '/' on POSIX
std::string NativePath(const std::u16string& p);  // form usable by the OS (UTF-8 with '/' on POSIX)
// A path as the system gave it (a program argument, a folder entry): on POSIX
// its exact bytes are kept, valid UTF-8 or not (see FileNameToUtf16).
std::u16string PathFromNative(std::string_view native);
[[nodiscard]] bool FileExists(
    const std::u16string& p);  // an existing file, not a folder; links followed
[[nodiscard]] bool DirExists(const std::u16string& p);
// Size in bytes of an existing file (links followed); -1 when there is none.
int64_t FileSizeOf(const std::u16string& p);
[[nodiscard]] bool DeleteFileAt(
    const std::u16string& p);              // false when missing, a folder or refused
void CreateDirs(const std::u16string& p);  // with parents; errors ignored
// Removes folder p when it holds no entries. False when p is not an existing
// folder or is not empty; true otherwise, even when the system refuses the removal.
[[nodiscard]] bool DeleteEmptyDir(const std::u16string& p);
// Reads the whole file into `out`; false (and `out` empty) when it cannot be
// opened or read. Windows shuts other writers out while reading: a file open
// for writing elsewhere cannot be read.
[[nodiscard]] bool ReadWholeFile(const std::u16string& p, std::vector<uint8_t>& out);
// Reads at most `max_bytes` from the start of the file; `cut` tells whether it held more.
[[nodiscard]] bool ReadFilePrefix(const std::u16string& p, size_t max_bytes, std::string& bytes,
                                  bool& cut);
// Writes `data` to a temporary file beside `p`, then renames it over `p`:
// on failure the previous file at `p` is untouched and the temporary removed.
// A replaced file keeps its permission bits. See ReplacingFile for links and
// the targets that are refused.
[[nodiscard]] bool WriteFileReplacing(const std::u16string& p, const uint8_t* data, size_t size);
// Copies the regular file `from` to `to` (replacing `to` as WriteFileReplacing
// does) and gives the copy the source's times.
// POSIX cannot set a creation time: there only the access and write times are
// copied. On failure a previous file at `to` is untouched.
[[nodiscard]] bool CopyFileKeepTimes(const std::u16string& from, const std::u16string& to);
// The folder of the running executable with a trailing separator; empty when unknown.
std::u16string ProgramFolder();
// A new private folder (owner access only) under the system temp folder, named
// `prefix`, the process id, '-' and random characters, with a trailing
// separator; empty on failure.
[[nodiscard]] std::u16string MakePrivateTempDir(const std::u16string& prefix);
// Entry names (not paths) in folder p, sorted, without "." and ".."; empty when p is not a folder.
std::vector<std::u16string> ListDir(const std::u16string& p);

}  // namespace plandock::platform
