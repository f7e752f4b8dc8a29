// Files and folders on POSIX: byte paths read as UTF-8, '\' read as '/'.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

#include "platform/code_page.h"
#include "platform/replacing_file.h"
#include "platform/temp_files_internal.h"

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

bool StatPath(const std::u16string& p, struct stat& st) {
  const std::string native = NativePath(p);
  return !native.empty() && stat(native.c_str(), &st) == 0;
}

}  // namespace

char16_t NativeSeparator() { return u'/'; }

std::string NativePath(const std::u16string& p) {
  std::string out = Utf16ToFileName(p);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

std::u16string PathFromNative(std::string_view native) { return FileNameToUtf16(native); }

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
  ReplacingFile file(p);
  return file.Write(data, size) && file.Finish() && file.Commit();
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
  return FileNameToUtf16(exe.substr(0, slash + 1));
}

namespace internal {

std::string SystemTempFolder() {
  const char* env = std::getenv("TMPDIR");
  std::string base = env != nullptr && *env != '\0' ? env : "/tmp";
  if (base.back() != '/') base += '/';
  return base;
}

}  // namespace internal

std::u16string MakePrivateTempDir(const std::u16string& prefix) {
  // The process id in the name lets a later instance remove it once this one is gone.
  std::string name = internal::SystemTempFolder() + NativePath(prefix) +
                     std::to_string(static_cast<long>(getpid())) + "-XXXXXX";
  if (mkdtemp(name.data()) == nullptr) return {};
  return FileNameToUtf16(name + '/');
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
    names.push_back(FileNameToUtf16(name));
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace plandock::platform
