// Mapped files on POSIX: mmap of the whole file, read() when mapping fails.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files.h"
#include "platform/mapped_file.h"

namespace plandock::platform {

namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

// Every page is read: faulting them in one by one cost more than the parsing.
#ifdef MAP_POPULATE
constexpr int kPopulate = MAP_POPULATE;
#else
constexpr int kPopulate = 0;
#endif

bool ReadAll(int fd, uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = read(fd, out + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

MapResult MappedFile::Open(const std::u16string& path, uint64_t max_bytes) {
  Close();
  const std::string native = NativePath(path);
  if (native.empty()) return MapResult::kCannotOpen;
  // Non-blocking, so that opening a pipe without a writer does not wait.
  Fd fd(open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  struct stat st;
  if (!fd.ok() || fstat(fd.get(), &st) != 0) return MapResult::kCannotOpen;
  if (!S_ISREG(st.st_mode)) return MapResult::kNotRegularFile;
  if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > max_bytes ||
      static_cast<uint64_t>(st.st_size) > SIZE_MAX) {
    return MapResult::kTooLarge;
  }
  const auto size = static_cast<size_t>(st.st_size);
  if (size == 0) return MapResult::kOk;
  void* view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | kPopulate, fd.get(), 0);
  if (view != MAP_FAILED) {
    data_ = static_cast<const uint8_t*>(view);
    size_ = size;
    mapped_ = true;
    return MapResult::kOk;
  }
  copy_.resize(size);
  if (!ReadAll(fd.get(), copy_.data(), size)) {
    Close();
    return MapResult::kCannotOpen;
  }
  data_ = copy_.data();
  size_ = size;
  return MapResult::kOk;
}

void MappedFile::Release(size_t offset) {
  if (!mapped_) return;
  const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const size_t end = std::min(offset, size_) / page * page;
  if (end <= released_) return;
  // Never written, so the pages come back from the file if touched again.
  (void)madvise(const_cast<uint8_t*>(data_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

void MappedFile::Close() {
  if (mapped_) munmap(const_cast<uint8_t*>(data_), size_);
  mapped_ = false;
  released_ = 0;
  data_ = nullptr;
  size_ = 0;
  copy_ = std::vector<uint8_t>();
}

}  // namespace plandock::platform
