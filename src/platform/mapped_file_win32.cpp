// Mapped files on Windows: a read-only view of a file mapping, ReadFile when
// mapping fails. Other writers are shut out while the file is open.
#include <windows.h>

#include <algorithm>

#include "platform/mapped_file.h"

namespace plandock::platform {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool ok() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

bool ReadAll(HANDLE h, uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(h, out + done, chunk, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

}  // namespace

MapResult MappedFile::Open(const std::u16string& path, uint64_t max_bytes) {
  Close();
  std::wstring wide(path.begin(), path.end());
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.ok()) {
    // A folder opens only with backup semantics; it is told apart from a missing file.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
               ? MapResult::kNotRegularFile
               : MapResult::kCannotOpen;
  }
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return MapResult::kNotRegularFile;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return MapResult::kCannotOpen;
  if (size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > max_bytes ||
      static_cast<uint64_t>(size.QuadPart) > SIZE_MAX) {
    return MapResult::kTooLarge;
  }
  const auto bytes = static_cast<size_t>(size.QuadPart);
  if (bytes == 0) return MapResult::kOk;  // an empty file cannot be mapped
  Handle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  // The view keeps the mapping alive after both handles are closed.
  void* view = mapping.ok() ? MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr;
  if (view != nullptr) {
    data_ = static_cast<const uint8_t*>(view);
    size_ = bytes;
    mapped_ = true;
    return MapResult::kOk;
  }
  copy_.resize(bytes);
  if (!ReadAll(file.get(), copy_.data(), bytes)) {
    Close();
    return MapResult::kCannotOpen;
  }
  data_ = copy_.data();
  size_ = bytes;
  return MapResult::kOk;
}

// A view's pages leave the working set as the system needs the memory; there
// is no cheaper way to let go of part of a view.
void MappedFile::Release(size_t) {}

void MappedFile::Close() {
  if (mapped_) UnmapViewOfFile(data_);
  mapped_ = false;
  data_ = nullptr;
  size_ = 0;
  copy_ = std::vector<uint8_t>();
}

}  // namespace plandock::platform
