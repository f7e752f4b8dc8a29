// Simple case mapping through LCMapStringEx, keeping the length in code units.
#include <windows.h>

#include "platform/case_map.h"

namespace plandock::platform {

namespace {

std::u16string Map(const std::u16string& s, DWORD flag) {
  if (s.empty()) return s;
  std::u16string out(s.size(), u'\0');
  const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, flag | LCMAP_LINGUISTIC_CASING,
                              reinterpret_cast<LPCWSTR>(s.data()), static_cast<int>(s.size()),
                              reinterpret_cast<LPWSTR>(out.data()), static_cast<int>(out.size()),
                              nullptr, nullptr, 0);
  return n == static_cast<int>(s.size()) ? out : s;
}

}  // namespace

std::u16string ToUpperSimple(const std::u16string& s) { return Map(s, LCMAP_UPPERCASE); }
std::u16string ToLowerSimple(const std::u16string& s) { return Map(s, LCMAP_LOWERCASE); }

}  // namespace plandock::platform
