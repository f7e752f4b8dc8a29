// Files and folders on POSIX: UTF-8 paths, '\' read as '/'.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/files.h"

#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

#include "platform/code_page.h"

namespace plandock::platform {

namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // Returns false when closing reports an error (a delayed write failure).
  bool Close() {
    if (fd_ < 0) return true;
    const int rc = close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A temporary file beside `target`, removed at destruction unless committed.
class TempBeside {
 public:
  explicit TempBeside(const std::string& target) : target_(target), fd_(-1) {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (int attempt = 0; attempt < 100 && !fd_.ok(); ++attempt) {
      char suffix[40];
      std::snprintf(suffix, sizeof suffix, ".%d.%u.%08x.tmp", static_cast<int>(getpid()), counter++,
                    static_cast<unsigned>(rd()));
      // A short name in the target's folder, so a long target name cannot overflow it.
      const size_t slash = target.rfind('/');
      name_ = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
              ".plandock" + suffix;
      // 0666 lets the umask decide, as for any new file.
      fd_.Reset(open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
      if (!fd_.ok() && errno != EEXIST) break;
    }
    if (!fd_.ok()) name_.clear();
  }
  ~TempBeside() {
    fd_.Close();
    if (!name_.empty() && !committed_) unlink(name_.c_str());
  }
  TempBeside(const TempBeside&) = delete;
  TempBeside& operator=(const TempBeside&) = delete;
  int fd() const { return fd_.get(); }
  bool ok() const { return fd_.ok(); }
  // Flushes, closes and renames the temporary over the target.
  bool Commit() {
    if (fsync(fd_.get()) != 0 || !fd_.Close()) return false;
    if (rename(name_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    return true;
  }

 private:
  std::string target_;
  std::string name_;
  Fd fd_;
  bool committed_ = false;
};

bool StatPath(const std::u16string& p, struct stat& st) {
  const std::string native = NativePath(p);
  return !native.empty() && stat(native.c_str(), &st) == 0;
}

}  // namespace

char16_t NativeSeparator() { return u'/'; }

std::string NativePath(const std::u16string& p) {
  std::string out = Utf16ToUtf8(p);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

bool FileExists(const std::u16string& p) {
  struct stat st;
  return StatPath(p, st) && !S_ISDIR(st.st_mode);
}

bool DirExists(const std::u16string& p) {
  struct stat st;
  return StatPath(p, st) && S_ISDIR(st.st_mode);
}

int64_t FileSizeOf(const std::u16string& p) {
  struct stat st;
  if (!StatPath(p, st) || S_ISDIR(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool DeleteFileAt(const std::u16string& p) {
  const std::string native = NativePath(p);
  struct stat st;
  if (native.empty() || lstat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return unlink(native.c_str()) == 0;
}

void CreateDirs(const std::u16string& p) {
  const std::string native = NativePath(p);
  if (native.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(native), ec);
}

bool DeleteEmptyDir(const std::u16string& p) {
  if (!DirExists(p)) return false;
  if (!ListDir(p).empty()) return false;
  rmdir(NativePath(p).c_str());
  return true;
}

bool ReadWholeFile(const std::u16string& p, std::vector<uint8_t>& out) {
  out.clear();
  const std::string native = NativePath(p);
  if (native.empty()) return false;
  Fd fd(open(native.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st;
  if (!fd.ok() || fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
  uint8_t buf[65536];
  for (;;) {
    const ssize_t n = read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      out.clear();
      return false;
    }
    if (n == 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  return true;
}

bool WriteFileReplacing(const std::u16string& p, const uint8_t* data, size_t size) {
  const std::string native = NativePath(p);
  if (native.empty()) return false;
  TempBeside temp(native);
  if (!temp.ok()) return false;
  struct stat st;
  if (stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode)) fchmod(temp.fd(), st.st_mode & 07777);
  return WriteAll(temp.fd(), data, size) && temp.Commit();
}

bool CopyFileKeepTimes(const std::u16string& from, const std::u16string& to) {
  const std::string src_name = NativePath(from);
  const std::string dst_name = NativePath(to);
  if (src_name.empty() || dst_name.empty()) return false;
  Fd src(open(src_name.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st;
  if (!src.ok() || fstat(src.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  TempBeside temp(dst_name);
  if (!temp.ok()) return false;
  uint8_t buf[65536];
  for (;;) {
    const ssize_t n = read(src.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    if (!WriteAll(temp.fd(), buf, static_cast<size_t>(n))) return false;
  }
  fchmod(temp.fd(), st.st_mode & 07777);
#if defined(__APPLE__)
  const struct timespec times[2] = {st.st_atimespec, st.st_mtimespec};
#else
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
#endif
  if (futimens(temp.fd(), times) != 0) return false;
  return temp.Commit();
}

std::u16string ProgramFolder() {
  std::string exe;
#if defined(__APPLE__)
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::string raw(size, '\0');
  if (_NSGetExecutablePath(raw.data(), &size) == 0) {
    std::error_code ec;
    exe = std::filesystem::canonical(raw.c_str(), ec).string();
  }
#else
  std::error_code ec;
  exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
#endif
  const size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return {};
  return Utf8ToUtf16(exe.substr(0, slash + 1));
}

std::u16string MakePrivateTempDir(const std::u16string& prefix) {
  const char* env = std::getenv("TMPDIR");
  std::string base = env != nullptr && *env != '\0' ? env : "/tmp";
  if (base.back() != '/') base += '/';
  std::string name = base + NativePath(prefix) + "XXXXXX";
  if (mkdtemp(name.data()) == nullptr) return {};
  return Utf8ToUtf16(name + '/');
}

std::vector<std::u16string> ListDir(const std::u16string& p) {
  std::vector<std::u16string> names;
  const std::string native = NativePath(p);
  if (native.empty()) return names;
  DIR* dir = opendir(native.c_str());
  if (dir == nullptr) return names;
  while (const dirent* e = readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    names.push_back(Utf8ToUtf16(name));
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace plandock::platform
