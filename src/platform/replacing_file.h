// Replacing a user's file without ever losing it, and telling files apart
// however their paths are spelled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plandock::platform {

// What a path names, symbolic links followed.
enum class PathKind {
  kMissing,       // nothing (a link to nothing counts as missing)
  kFile,          // a regular file that may be replaced
  kReadOnlyFile,  // a regular file without write permission or with the read-only attribute
  kOther,         // a folder, device, FIFO, socket, or a path the system cannot resolve
};
PathKind KindOf(const std::u16string& p);

// A key that is equal for two paths exactly when they name the same file:
// device and inode (volume and file ID on Windows) of an existing file, the
// normalised absolute path otherwise. Empty for an empty path.
std::u16string FileIdentity(const std::u16string& p);
[[nodiscard]] bool SameFile(const std::u16string& a, const std::u16string& b);

// A new version of `target`, written to a temporary file beside it and put in
// its place in one step by Commit. Until then the old file is untouched; a
// dropped (uncommitted) one removes its temporary file, also when Ctrl+C or a
// termination signal ends the program. A symbolic link is written through:
// its final target is replaced and the link kept. A target that exists and is
// not a regular file, or is read-only, is refused.
class ReplacingFile {
 public:
  explicit ReplacingFile(const std::u16string& target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  bool ok() const { return error_.empty(); }
  [[nodiscard]] bool Write(const uint8_t* data, size_t size);
  // Flushes and closes the temporary file; needed before Commit.
  [[nodiscard]] bool Finish();
  [[nodiscard]] bool Commit();
  // The system's reason for the first failure ("No space left on device").
  const std::u16string& error() const { return error_; }

 private:
  friend bool CopyFileKeepTimes(const std::u16string& from, const std::u16string& to);
  bool Fail(const std::u16string& reason);
  bool FailWithSystemError();

  std::u16string error_;
  std::u16string final_;  // the target with its links resolved
  std::u16string temp_;
  intptr_t handle_ = -1;  // the file descriptor or HANDLE of the temporary file
  int slot_ = -1;         // its entry in the list a signal handler cleans
  bool committed_ = false;
};

// Removes the temporary files that saves of instances no longer running left
// in the folder `target`'s replacement is written to.
void RemoveStaleSaveFiles(const std::u16string& target);
// Removes, under the system temp folder, the private folders that
// MakePrivateTempDir(prefix) made for instances no longer running.
void RemoveStalePrivateTempDirs(const std::u16string& prefix);

}  // namespace plandock::platform
