// Simple case mapping through ICU, one code point at a time.
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include "platform/case_map.h"

namespace plandock::platform {

namespace {

std::u16string MapEach(const std::u16string& s, UChar32 (*map)(UChar32)) {
  std::u16string out;
  out.reserve(s.size());
  const auto* p = reinterpret_cast<const UChar*>(s.data());
  const int32_t n = static_cast<int32_t>(s.size());
  int32_t i = 0;
  while (i < n) {
    const int32_t start = i;
    UChar32 c;
    U16_NEXT(p, i, n, c);
    const UChar32 m = map(c);
    // Keep the length in code units: a mapping that would change it is skipped.
    if (m != c && U16_LENGTH(m) == i - start) {
      if (U16_LENGTH(m) == 1) {
        out += static_cast<char16_t>(m);
      } else {
        out += static_cast<char16_t>(U16_LEAD(m));
        out += static_cast<char16_t>(U16_TRAIL(m));
      }
    } else {
      out.append(s, static_cast<size_t>(start), static_cast<size_t>(i - start));
    }
  }
  return out;
}

}  // namespace

std::u16string ToUpperSimple(const std::u16string& s) { return MapEach(s, u_toupper); }
std::u16string ToLowerSimple(const std::u16string& s) { return MapEach(s, u_tolower); }

}  // namespace plandock::platform
