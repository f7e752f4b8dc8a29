// Files and folders. Paths are UTF-16 texts accepting '\' and '/'.
// Nothing here throws; failures are results.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plandock::platform {

std::string NativePath(const std::u16string& p);  // form usable by the OS (UTF-8 on POSIX)
bool FileExists(const std::u16string& p);          // an existing file, not a folder
bool DirExists(const std::u16string& p);
bool DeleteFileAt(const std::u16string& p);        // false when missing or refused
void CreateDirs(const std::u16string& p);          // with parents; errors ignored
bool DeleteEmptyDir(const std::u16string& p);      // false when not empty or invalid
// Reads the whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::u16string& p, std::vector<uint8_t>& out);
// Writes `data` to a temporary file beside `p`, then renames it over `p`:
// on failure the previous file at `p` is untouched and the temporary removed.
bool WriteFileReplacing(const std::u16string& p, const uint8_t* data, size_t size);
// Copies `from` to `to` and gives the copy the source's times. POSIX cannot
// set a creation time: there only the access and write times are copied.
bool CopyFileKeepTimes(const std::u16string& from, const std::u16string& to);
// The folder of the running executable with a trailing separator.
std::u16string ProgramFolder();
// A new private folder under the system temp folder, with a trailing separator.
std::u16string MakePrivateTempDir(const std::u16string& prefix);
// Entry names (not paths) in folder p; empty when p is not a folder.
std::vector<std::u16string> ListDir(const std::u16string& p);

}  // namespace plandock::platform
