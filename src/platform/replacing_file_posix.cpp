// Safe replacement of files, file identity and the clean-up of what killed
// instances left behind, on POSIX.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/replacing_file.h"
#include "platform/temp_files_internal.h"

namespace plandock::platform {

namespace {

// Set up before main, so a signal handler never runs its initialisation.
constinit internal::TempFileList<char> save_temps;

internal::TempFileList<char>& SaveTemps() { return save_temps; }

std::u16string SystemReason(int error) {
  return Utf8ToUtf16(std::generic_category().message(error));
}

constexpr char16_t kNotRegular[] = u"not a regular file";
constexpr char16_t kReadOnly[] = u"read-only file";
constexpr char kTempPrefix[] = ".plandock.";
constexpr char kTempSuffix[] = ".tmp";

// The path a chain of symbolic links ends at (the path itself when it is none).
std::string ResolveLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4095) + 1, '\0');
    const ssize_t n = readlink(path.c_str(), link.data(), link.size());
    if (n <= 0) return path;
    link.resize(static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    if (link[0] != '/' && slash != std::string::npos) link = path.substr(0, slash + 1) + link;
    path = std::move(link);
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

PathKind KindOfStat(const struct stat& st, const std::string& native) {
  if (!S_ISREG(st.st_mode)) return PathKind::kOther;
  // Root may write anything; a file nobody may write is still read-only, as on Windows.
  if ((st.st_mode & 0222) == 0 || access(native.c_str(), W_OK) != 0) return PathKind::kReadOnlyFile;
  return PathKind::kFile;
}

bool IsMissingError(int error) { return error == ENOENT || error == ENOTDIR; }

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

// The decimal number at the start of `s`, its length in *used; -1 when none.
long LeadingNumber(std::string_view s, size_t* used) {
  long n = 0;
  size_t i = 0;
  while (i < s.size() && i < 9 && s[i] >= '0' && s[i] <= '9') n = n * 10 + (s[i++] - '0');
  *used = i;
  return i == 0 ? -1 : n;
}

bool ProcessGone(long pid) {
  if (pid <= 0 || pid == static_cast<long>(getpid())) return false;
  return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The process id in `name` when it is prefix, digits, then `after`; -1 otherwise.
long OwnerPid(std::string_view name, std::string_view prefix, char after) {
  if (name.substr(0, prefix.size()) != prefix) return -1;
  size_t used = 0;
  const long pid = LeadingNumber(name.substr(prefix.size()), &used);
  if (pid < 0 || prefix.size() + used >= name.size() || name[prefix.size() + used] != after) {
    return -1;
  }
  return pid;
}

// Calls take(name) for every entry of `folder` whose owner process is gone.
template <class Take>
void ForEachStaleEntry(const std::string& folder, std::string_view prefix, char after, Take take) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* e = readdir(dir)) {
    const std::string_view name = e->d_name;
    const long pid = OwnerPid(name, prefix, after);
    if (pid >= 0 && ProcessGone(pid)) take(std::string(name));
  }
  closedir(dir);
}

bool OwnedBySelf(const struct stat& st) { return st.st_uid == geteuid(); }

}  // namespace

namespace internal {

void RemoveTempFilesOfSaves() {
  SaveTemps().RemoveAll([](const char* path) { unlink(path); });
}

}  // namespace internal

PathKind KindOf(const std::u16string& p) {
  const std::string native = NativePath(p);
  struct stat st;
  if (native.empty()) return PathKind::kMissing;
  if (stat(native.c_str(), &st) != 0) {
    return IsMissingError(errno) ? PathKind::kMissing : PathKind::kOther;
  }
  return KindOfStat(st, native);
}

std::u16string FileIdentity(const std::u16string& p) {
  const std::string native = NativePath(p);
  if (native.empty()) return {};
  struct stat st;
  if (stat(native.c_str(), &st) == 0) {
    // U+0001 cannot begin a path, so an identity never equals a path.
    return u"\u0001" + Utf8ToUtf16(std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino));
  }
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(native, ec);
  std::filesystem::path path = std::filesystem::weakly_canonical(absolute, ec);
  if (ec) path = absolute.lexically_normal();
  return FileNameToUtf16(path.native());
}

bool SameFile(const std::u16string& a, const std::u16string& b) {
  const std::u16string ia = FileIdentity(a);
  return !ia.empty() && ia == FileIdentity(b);
}

ReplacingFile::ReplacingFile(const std::u16string& target) {
  const std::string native = NativePath(target);
  if (native.empty()) {
    Fail(SystemReason(ENOENT));
    return;
  }
  const std::string final_native = ResolveLinks(native);
  final_ = FileNameToUtf16(final_native);
  struct stat st;
  const bool exists = stat(final_native.c_str(), &st) == 0;
  if (!exists && !IsMissingError(errno)) {
    FailWithSystemError();
    return;
  }
  if (exists && KindOfStat(st, final_native) == PathKind::kOther) {
    Fail(kNotRegular);
    return;
  }
  if (exists && KindOfStat(st, final_native) == PathKind::kReadOnlyFile) {
    Fail(kReadOnly);
    return;
  }
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  // A short name in the target's folder, so a long target name cannot overflow it.
  const std::string folder = FolderOf(final_native);
  for (int attempt = 0; attempt < 100 && handle_ < 0; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%d.%u.%08x%s", kTempPrefix, static_cast<int>(getpid()),
                  counter++, static_cast<unsigned>(rd()), kTempSuffix);
    const std::string temp = folder + name;
    // 0666 lets the umask decide, as for any new file.
    handle_ = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle_ >= 0) {
      temp_ = FileNameToUtf16(temp);
      slot_ = SaveTemps().Add(temp);
    } else if (errno != EEXIST) {
      break;
    }
  }
  if (handle_ < 0) {
    FailWithSystemError();
    return;
  }
  // A replaced file keeps its permission bits.
  if (exists) fchmod(static_cast<int>(handle_), st.st_mode & 07777);
}

ReplacingFile::~ReplacingFile() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  if (!temp_.empty() && !committed_) unlink(NativePath(temp_).c_str());
  SaveTemps().Remove(slot_);
}

bool ReplacingFile::Fail(const std::u16string& reason) {
  if (error_.empty()) error_ = reason.empty() ? u"failed" : reason;
  return false;
}

bool ReplacingFile::FailWithSystemError() { return Fail(SystemReason(errno)); }

bool ReplacingFile::Write(const uint8_t* data, size_t size) {
  if (!ok()) return false;
  if (handle_ < 0) return Fail(SystemReason(EBADF));
  return WriteAll(static_cast<int>(handle_), data, size) || FailWithSystemError();
}

bool ReplacingFile::Finish() {
  if (!ok()) return false;
  if (handle_ < 0) return true;
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  // A full disk may only show when the data reach it.
  const bool synced = fsync(fd) == 0 || FailWithSystemError();
  const bool closed = close(fd) == 0 || FailWithSystemError();
  return synced && closed;
}

bool ReplacingFile::Commit() {
  if (!ok()) return false;
  if (handle_ >= 0) return Fail(SystemReason(EBADF));
  if (rename(NativePath(temp_).c_str(), NativePath(final_).c_str()) != 0) {
    return FailWithSystemError();
  }
  committed_ = true;
  return true;
}

bool CopyFileKeepTimes(const std::u16string& from, const std::u16string& to) {
  const std::string src_name = NativePath(from);
  if (src_name.empty()) return false;
  // Not blocking on a FIFO before it is known not to be a regular file.
  const int src = open(src_name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (src < 0) return false;
  struct stat st;
  // Only a regular file: a device or FIFO would be copied without end.
  bool ok = fstat(src, &st) == 0 && S_ISREG(st.st_mode);
  ReplacingFile copy(to);
  uint8_t buf[65536];
  while (ok && copy.ok()) {
    const ssize_t n = read(src, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    ok = copy.Write(buf, static_cast<size_t>(n));
  }
  close(src);
  if (!ok || !copy.ok()) return false;
  const int fd = static_cast<int>(copy.handle_);
  fchmod(fd, st.st_mode & 07777);
#if defined(__APPLE__)
  const struct timespec times[2] = {st.st_atimespec, st.st_mtimespec};
#else
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
#endif
  return futimens(fd, times) == 0 && copy.Finish() && copy.Commit();
}

void RemoveStaleSaveFiles(const std::u16string& target) {
  const std::string native = NativePath(target);
  if (native.empty()) return;
  const std::string folder = FolderOf(ResolveLinks(native));
  ForEachStaleEntry(folder, kTempPrefix, '.', [&](const std::string& name) {
    const std::string path = folder + name;
    struct stat st;
    if (name.size() < sizeof kTempSuffix ||
        name.compare(name.size() - (sizeof kTempSuffix - 1), std::string::npos, kTempSuffix) != 0) {
      return;
    }
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && OwnedBySelf(st)) {
      unlink(path.c_str());
    }
  });
}

void RemoveStalePrivateTempDirs(const std::u16string& prefix) {
  const std::string folder = internal::SystemTempFolder();
  const std::string pre = NativePath(prefix);
  if (pre.empty()) return;
  ForEachStaleEntry(folder, pre, '-', [&](const std::string& name) {
    const std::string path = folder + name;
    struct stat st;
    // Only a real folder of this user: never a link planted in the shared temp folder.
    if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || !OwnedBySelf(st)) return;
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  });
}

}  // namespace plandock::platform
