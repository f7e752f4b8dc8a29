// Safe replacement of files, file identity and the clean-up of what killed
// instances left behind, through the Win32 wide-character functions.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <filesystem>
#include <random>
#include <string_view>
#include <system_error>

#include "platform/case_map.h"
#include "platform/files.h"
#include "platform/replacing_file.h"
#include "platform/temp_files_internal.h"

namespace plandock::platform {

namespace {

// Set up before main, so a console handler never runs its initialisation.
constinit internal::TempFileList<wchar_t> save_temps;

constexpr char16_t kNotRegular[] = u"not a regular file";
constexpr char16_t kReadOnly[] = u"read-only file";
constexpr wchar_t kTempPrefix[] = L".plandock.";
constexpr wchar_t kTempSuffix[] = L".tmp";

std::u16string FromWide(std::wstring_view w) { return std::u16string(w.begin(), w.end()); }

HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

std::u16string SystemReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = n > 0 ? std::wstring(text, n) : L"error " + std::to_wstring(error);
  if (text != nullptr) LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' ||
                             reason.back() == L' ' || reason.back() == L'.')) {
    reason.pop_back();
  }
  return FromWide(reason);
}

// A handle for asking about a file (links followed), not for reading it.
HANDLE OpenForQuery(const std::wstring& path) {
  return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool IsMissingError(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The kind of an existing file's handle; `missing` for a failed open.
PathKind KindOfHandle(HANDLE h, bool* missing) {
  *missing = false;
  if (h == INVALID_HANDLE_VALUE) {
    *missing = IsMissingError(GetLastError());
    return *missing ? PathKind::kMissing : PathKind::kOther;
  }
  BY_HANDLE_FILE_INFORMATION info;
  PathKind kind = PathKind::kOther;
  if (GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    kind = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? PathKind::kReadOnlyFile
                                                                  : PathKind::kFile;
  }
  return kind;
}

// The file a path ends at through links and junctions; the path itself when
// it names nothing yet.
std::wstring ResolveLinks(const std::wstring& path) {
  const HANDLE h = OpenForQuery(path);
  if (h == INVALID_HANDLE_VALUE) return path;
  std::wstring final_path(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, final_path.data(), static_cast<DWORD>(final_path.size()),
                                      FILE_NAME_NORMALIZED);
  if (n >= final_path.size()) {
    final_path.resize(n + 1);
    n = GetFinalPathNameByHandleW(h, final_path.data(), static_cast<DWORD>(final_path.size()),
                                  FILE_NAME_NORMALIZED);
  }
  CloseHandle(h);
  if (n == 0 || n >= final_path.size()) return path;
  final_path.resize(n);
  return final_path;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\:");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool ProcessGone(unsigned long pid) {
  if (pid == 0 || pid == GetCurrentProcessId()) return false;
  const HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (h == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool gone = GetExitCodeProcess(h, &code) && code != STILL_ACTIVE;
  CloseHandle(h);
  return gone;
}

// The process id in `name` when it is prefix, digits, then `after`; 0 otherwise.
unsigned long OwnerPid(std::wstring_view name, std::wstring_view prefix, wchar_t after) {
  if (name.substr(0, prefix.size()) != prefix) return 0;
  unsigned long pid = 0;
  size_t i = prefix.size();
  while (i < name.size() && i - prefix.size() < 9 && name[i] >= L'0' && name[i] <= L'9') {
    pid = pid * 10 + static_cast<unsigned long>(name[i++] - L'0');
  }
  return i > prefix.size() && i < name.size() && name[i] == after ? pid : 0;
}

// Calls take(name, attributes) for every entry of `folder` whose owner process is gone.
template <class Take>
void ForEachStaleEntry(const std::wstring& folder, std::wstring_view prefix, wchar_t after,
                       Take take) {
  WIN32_FIND_DATAW fd;
  const HANDLE h = FindFirstFileW((folder + L"*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const unsigned long pid = OwnerPid(fd.cFileName, prefix, after);
    if (pid != 0 && ProcessGone(pid)) take(std::wstring(fd.cFileName), fd.dwFileAttributes);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

}  // namespace

namespace internal {

void RemoveTempFilesOfSaves() {
  save_temps.RemoveAll([](const wchar_t* path) { DeleteFileW(path); });
}

}  // namespace internal

PathKind KindOf(const std::u16string& p) {
  const HANDLE h = OpenForQuery(internal::WidePath(p));
  bool missing = false;
  const PathKind kind = KindOfHandle(h, &missing);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return kind;
}

std::u16string FileIdentity(const std::u16string& p) {
  if (p.empty()) return {};
  const std::wstring path = internal::WidePath(p);
  const HANDLE h = OpenForQuery(path);
  if (h != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    if (known) {
      const unsigned long long index =
          (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
      // U+0001 cannot begin a path, so an identity never equals a path.
      const std::wstring key =
          L"\u0001" + std::to_wstring(info.dwVolumeSerialNumber) + L":" + std::to_wstring(index);
      return FromWide(key);
    }
  }
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  std::filesystem::path full = std::filesystem::weakly_canonical(absolute, ec);
  if (ec) full = absolute.lexically_normal();
  // File names are compared without letter case, as the file system does.
  return ToUpperSimple(FromWide(full.native()));
}

bool SameFile(const std::u16string& a, const std::u16string& b) {
  const std::u16string ia = FileIdentity(a);
  return !ia.empty() && ia == FileIdentity(b);
}

ReplacingFile::ReplacingFile(const std::u16string& target) {
  if (target.empty()) {
    Fail(SystemReason(ERROR_PATH_NOT_FOUND));
    return;
  }
  const std::wstring final_path = ResolveLinks(internal::WidePath(target));
  final_ = FromWide(final_path);
  const HANDLE existing = OpenForQuery(final_path);
  const DWORD open_error = GetLastError();
  bool missing = false;
  const PathKind kind = KindOfHandle(existing, &missing);
  if (existing != INVALID_HANDLE_VALUE) CloseHandle(existing);
  if (kind == PathKind::kOther) {
    Fail(existing == INVALID_HANDLE_VALUE ? SystemReason(open_error) : kNotRegular);
    return;
  }
  if (kind == PathKind::kReadOnlyFile) {
    Fail(kReadOnly);
    return;
  }
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  const std::wstring folder = FolderOf(final_path);
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 100 && handle_ == -1 && error == ERROR_FILE_EXISTS; ++attempt) {
    wchar_t name[64];
    std::swprintf(name, 64, L"%ls%lu.%u.%08x%ls", kTempPrefix, GetCurrentProcessId(), counter++,
                  static_cast<unsigned>(rd()), kTempSuffix);
    const std::wstring temp = folder + name;
    const HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    error = GetLastError();
    if (h != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<intptr_t>(h);
      temp_ = FromWide(temp);
      slot_ = save_temps.Add(temp);
    }
  }
  if (handle_ == -1) Fail(SystemReason(error));
}

ReplacingFile::~ReplacingFile() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
  if (!temp_.empty() && !committed_) DeleteFileW(internal::WidePath(temp_).c_str());
  save_temps.Remove(slot_);
}

bool ReplacingFile::Fail(const std::u16string& reason) {
  if (error_.empty()) error_ = reason.empty() ? u"failed" : reason;
  return false;
}

bool ReplacingFile::FailWithSystemError() { return Fail(SystemReason(GetLastError())); }

bool ReplacingFile::Write(const uint8_t* data, size_t size) {
  if (!ok()) return false;
  if (handle_ == -1) return Fail(SystemReason(ERROR_INVALID_HANDLE));
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), data, chunk, &written, nullptr)) return FailWithSystemError();
    if (written == 0) return Fail(SystemReason(ERROR_DISK_FULL));
    data += written;
    size -= written;
  }
  return true;
}

bool ReplacingFile::Finish() {
  if (!ok()) return false;
  if (handle_ == -1) return true;
  const HANDLE h = AsHandle(handle_);
  handle_ = -1;
  const bool flushed = FlushFileBuffers(h) != 0 || FailWithSystemError();
  const bool closed = CloseHandle(h) != 0 || FailWithSystemError();
  return flushed && closed;
}

bool ReplacingFile::Commit() {
  if (!ok()) return false;
  if (handle_ != -1) return Fail(SystemReason(ERROR_INVALID_HANDLE));
  if (!MoveFileExW(internal::WidePath(temp_).c_str(), internal::WidePath(final_).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return FailWithSystemError();
  }
  committed_ = true;
  return true;
}

bool CopyFileKeepTimes(const std::u16string& from, const std::u16string& to) {
  // Read sharing only: a file being written by another program is not copied half-written.
  const HANDLE src = CreateFileW(internal::WidePath(from).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (src == INVALID_HANDLE_VALUE) return false;
  FILETIME created, accessed, written;
  bool missing = false;
  // Only a regular file: a device would be copied without end.
  bool ok = KindOfHandle(src, &missing) != PathKind::kOther &&
            GetFileTime(src, &created, &accessed, &written) != 0;
  ReplacingFile copy(to);
  uint8_t buf[65536];
  while (ok && copy.ok()) {
    DWORD got = 0;
    if (!ReadFile(src, buf, sizeof buf, &got, nullptr)) ok = false;
    if (!ok || got == 0) break;
    ok = copy.Write(buf, got);
  }
  CloseHandle(src);
  if (!ok || !copy.ok()) return false;
  if (!copy.Finish()) return false;
  // The times are set on the closed copy: closing a file just written may touch them again.
  const HANDLE times = CreateFileW(internal::WidePath(copy.temp_).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (times == INVALID_HANDLE_VALUE) return false;
  const bool set = SetFileTime(times, &created, &accessed, &written) != 0;
  CloseHandle(times);
  return set && copy.Commit();
}

void RemoveStaleSaveFiles(const std::u16string& target) {
  if (target.empty()) return;
  const std::wstring folder = FolderOf(ResolveLinks(internal::WidePath(target)));
  ForEachStaleEntry(folder, kTempPrefix, L'.', [&](const std::wstring& name, DWORD attributes) {
    const std::wstring_view suffix(kTempSuffix);
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) return;
    if (name.size() < suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix.data()) != 0) {
      return;
    }
    DeleteFileW((folder + name).c_str());
  });
}

void RemoveStalePrivateTempDirs(const std::u16string& prefix) {
  if (prefix.empty()) return;
  const std::wstring folder = internal::SystemTempFolder();
  ForEachStaleEntry(folder, internal::WidePath(prefix), L'-',
                    [&](const std::wstring& name, DWORD attributes) {
                      // Only a real folder: never a junction into somewhere else.
                      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
                          (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                        return;
                      }
                      std::error_code ec;
                      std::filesystem::remove_all(folder + name, ec);
                    });
}

}  // namespace plandock::platform
