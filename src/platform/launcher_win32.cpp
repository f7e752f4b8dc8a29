// The CAD launcher on Windows: the program registered for ".JWW" files,
// started through the shell.
#include <windows.h>
// shellapi.h needs the declarations of windows.h.
#include <shellapi.h>

#include <string>

#include "platform/launcher.h"
#include "platform/launcher_internal.h"

namespace plandock::platform {
namespace {

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

// The default (unnamed) value of HKEY_CLASSES_ROOT\key; empty on any error.
std::wstring ReadClassDefault(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring value;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(handle, nullptr, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes > 0 && bytes < (1u << 16)) {
    value.resize(bytes / sizeof(wchar_t) + 1);
    DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &got) == ERROR_SUCCESS) {
      value.resize(got / sizeof(wchar_t));
    } else {
      value.clear();
    }
    while (!value.empty() && value.back() == L'\0') value.pop_back();
  }
  RegCloseKey(handle);
  return value;
}

// The drawing as the program must find it from its own folder.
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD got = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (got == 0 || got >= size) return path;
  full.resize(got);
  return full;
}

}  // namespace

std::u16string FindCadExecutable() {
  const std::wstring type = ReadClassDefault(L".JWW");
  if (type.empty()) return {};
  const std::wstring command = ReadClassDefault(type + L"\\shell\\open\\command");
  return CadProgramFromCommand(std::u16string(command.begin(), command.end()));
}

bool OpenFileWithShell(const std::u16string& file) {
  if (file.empty() || GetFileAttributesW(Wide(file).c_str()) == INVALID_FILE_ATTRIBUTES) {
    return false;
  }
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"OPEN", FullPath(Wide(file)).c_str(), nullptr, nullptr, SW_SHOW);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

namespace internal {

bool StartDetached(const std::u16string& program, const std::u16string& argument,
                   const std::u16string& folder) {
  const std::wstring file = L"\"" + Wide(program) + L"\"";
  const std::wstring parameters = L"\"" + FullPath(Wide(argument)) + L"\"";
  const std::wstring directory = Wide(folder);
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"OPEN", file.c_str(), parameters.c_str(), directory.c_str(), SW_SHOW);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace internal
}  // namespace plandock::platform
