// Files and folders through the Win32 wide-character functions.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/replacing_file.h"
#include "platform/temp_files_internal.h"

namespace plandock::platform {

namespace internal {

std::wstring WidePath(const std::u16string& p) {
  std::wstring w(p.begin(), p.end());
  std::replace(w.begin(), w.end(), L'/', L'\\');
  return w;
}

std::wstring SystemTempFolder() {
  wchar_t base[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, base);
  return n == 0 || n > MAX_PATH ? std::wstring() : std::wstring(base, n);
}

}  // namespace internal

namespace {

std::wstring Wide(const std::u16string& p) { return internal::WidePath(p); }

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (ok()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    const bool closed = !ok() || CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

}  // namespace

char16_t NativeSeparator() { return u'\\'; }

std::string NativePath(const std::u16string& p) {
  std::u16string s = p;
  std::replace(s.begin(), s.end(), u'/', u'\\');
  return Utf16ToUtf8(s);
}

std::u16string PathFromNative(std::string_view native) { return Utf8ToUtf16(native); }

bool FileExists(const std::u16string& p) {
  const DWORD a = GetFileAttributesW(Wide(p).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirExists(const std::u16string& p) {
  const DWORD a = GetFileAttributesW(Wide(p).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int64_t FileSizeOf(const std::u16string& p) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Wide(p).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return -1;
  }
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool DeleteFileAt(const std::u16string& p) { return DeleteFileW(Wide(p).c_str()) != 0; }

void CreateDirs(const std::u16string& p) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(Wide(p)), ec);
}

bool DeleteEmptyDir(const std::u16string& p) {
  if (!DirExists(p) || !ListDir(p).empty()) return false;
  RemoveDirectoryW(Wide(p).c_str());
  return true;
}

bool ReadWholeFile(const std::u16string& p, std::vector<uint8_t>& out) {
  out.clear();
  // Read sharing only: a file another program is writing is refused, not read half-written.
  Handle h(CreateFileW(Wide(p).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!h.ok() || !GetFileSizeEx(h.get(), &size)) return false;
  out.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < out.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(out.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(h.get(), out.data() + done, chunk, &got, nullptr) || got == 0) {
      out.clear();
      return false;
    }
    done += got;
  }
  return true;
}

bool WriteFileReplacing(const std::u16string& p, const uint8_t* data, size_t size) {
  ReplacingFile file(p);
  return file.Write(data, size) && file.Finish() && file.Commit();
}

std::u16string ProgramFolder() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      break;
    }
    buf.resize(buf.size() * 2);
  }
  const size_t slash = buf.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  return std::u16string(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(slash + 1));
}

std::u16string MakePrivateTempDir(const std::u16string& prefix) {
  const std::wstring base = internal::SystemTempFolder();
  if (base.empty()) return {};
  // The process id in the name lets a later instance remove it once this one is gone.
  const std::wstring pre = Wide(prefix) + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring dir =
        base + pre + std::to_wstring(GetTickCount64() + static_cast<ULONGLONG>(attempt));
    // The user's temp folder is private to the user; the new folder inherits that.
    if (CreateDirectoryW(dir.c_str(), nullptr))
      return std::u16string(dir.begin(), dir.end()) + u'\\';
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

std::vector<std::u16string> ListDir(const std::u16string& p) {
  std::vector<std::u16string> names;
  std::wstring pattern = Wide(p);
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") names.emplace_back(name.begin(), name.end());
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace plandock::platform
