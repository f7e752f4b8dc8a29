// A whole file as read-only bytes, mapped where the system allows and read
// into memory otherwise. Only regular files are taken, and only up to a limit
// the caller sets, so a device, a pipe or a folder is refused before any byte
// is read or any memory reserved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plandock::platform {

enum class MapResult { kOk, kCannotOpen, kNotRegularFile, kTooLarge };

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile() { Close(); }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Replaces what the object held. On a result other than kOk it holds nothing.
  [[nodiscard]] MapResult Open(const std::u16string& path, uint64_t max_bytes);
  void Close();

  // Lets go of the bytes before `offset`: they will not be read again, so the
  // system may drop them from memory (a mapped file reads them again if they are).
  void Release(size_t offset);

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool mapped_ = false;        // data_ is a view the system must release
  size_t released_ = 0;        // bytes at the front already let go of
  std::vector<uint8_t> copy_;  // the fallback when the file could not be mapped
};

}  // namespace plandock::platform
