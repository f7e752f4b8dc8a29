// Files and folders through the Win32 wide-character functions.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/code_page.h"
#include "platform/files.h"

namespace plandock::platform {

namespace {

std::wstring Wide(const std::u16string& p) {
  std::wstring w(p.begin(), p.end());
  std::replace(w.begin(), w.end(), L'/', L'\\');
  return w;
}

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

bool WriteAll(HANDLE h, const uint8_t* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

std::wstring TempNameBeside(const std::wstring& target) {
  const size_t slash = target.find_last_of(L"\\:");
  const std::wstring dir = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
  wchar_t name[MAX_PATH + 1];
  return GetTempFileNameW(dir.c_str(), L"pdk", 0, name) != 0 ? std::wstring(name) : std::wstring();
}

}  // namespace

char16_t NativeSeparator() { return u'\\'; }

std::string NativePath(const std::u16string& p) {
  std::u16string s = p;
  std::replace(s.begin(), s.end(), u'/', u'\\');
  return Utf16ToUtf8(s);
}

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
  Handle h(CreateFileW(Wide(p).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
  const std::wstring target = Wide(p);
  const std::wstring temp = TempNameBeside(target);
  if (temp.empty()) return false;
  Handle h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  const bool ok =
      h.ok() && WriteAll(h.get(), data, size) && FlushFileBuffers(h.get()) && h.Close() &&
      MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    h.Close();
    DeleteFileW(temp.c_str());
  }
  return ok;
}

bool CopyFileKeepTimes(const std::u16string& from, const std::u16string& to) {
  const std::wstring src_name = Wide(from);
  const std::wstring target = Wide(to);
  FILETIME created, accessed, written;
  {
    Handle src(CreateFileW(src_name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!src.ok() || !GetFileTime(src.get(), &created, &accessed, &written)) return false;
  }
  const std::wstring temp = TempNameBeside(target);
  if (temp.empty()) return false;
  bool ok = CopyFileW(src_name.c_str(), temp.c_str(), FALSE) != 0;
  if (ok) {
    Handle dst(CreateFileW(temp.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    ok = dst.ok() && SetFileTime(dst.get(), &created, &accessed, &written) != 0;
  }
  ok = ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
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
  wchar_t base[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, base);
  if (n == 0) return {};
  const std::wstring pre = Wide(prefix);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring dir = std::wstring(base, n) + pre + std::to_wstring(GetCurrentProcessId()) +
                             L"_" +
                             std::to_wstring(GetTickCount64() + static_cast<ULONGLONG>(attempt));
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
