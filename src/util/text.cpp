// Substring, search, case, blank and display-width helpers over UTF-16 code units.
#include "util/text.h"

#include "platform/case_map.h"
#include "platform/code_page.h"

namespace plandock {

namespace {

bool IsHalfWidthUnit(char16_t c) {
  return (c >= 0x0020 && c <= 0x007E) || (c >= 0xFF61 && c <= 0xFF9F);
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

int TextPos(const std::u16string& sub, const std::u16string& s) {
  if (sub.empty() || s.empty()) return -1;
  const size_t pos = s.find(sub);
  return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

std::u16string TextFrom(const std::u16string& s, int start) {
  if (start < 0) return s;
  if (static_cast<size_t>(start) >= s.size()) return {};
  return s.substr(static_cast<size_t>(start));
}

std::u16string TextMid(const std::u16string& s, int start, int count) {
  if (start < 0) start = 0;
  if (count < 0 || static_cast<size_t>(start) >= s.size()) return {};
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

std::u16string CharAt(const std::u16string& s, int i) {
  if (i < 0 || static_cast<size_t>(i) >= s.size()) return {};
  return std::u16string(1, s[static_cast<size_t>(i)]);
}

std::u16string RepeatText(const std::u16string& s, int n) {
  std::u16string out;
  if (n <= 0) return out;
  out.reserve(s.size() * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::u16string UpperText(const std::u16string& s) { return platform::ToUpperSimple(s); }
std::u16string LowerText(const std::u16string& s) { return platform::ToLowerSimple(s); }

std::u16string RemoveSpaces(const std::u16string& s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c > 0x0020 && c != 0x3000) out += c;
  }
  return out;
}

bool IsBlank(const std::u16string& s) { return RemoveSpaces(s).empty(); }

bool IsHalfWidth(const std::u16string& c) { return c.size() == 1 && IsHalfWidthUnit(c[0]); }

std::pair<std::u16string, int> CutToWidth(const std::u16string& s, int start, int limit) {
  if (start < 0) start = 0;
  size_t i = static_cast<size_t>(start);
  if (i >= s.size()) return {std::u16string(), start};
  int width = 0;
  while (i < s.size()) {
    // A surrogate pair is one full-width character and is never split.
    const size_t len =
        IsHighSurrogate(s[i]) && i + 1 < s.size() && IsLowSurrogate(s[i + 1]) ? 2 : 1;
    const int w = len == 1 && IsHalfWidthUnit(s[i]) ? 1 : 2;
    if (width + w > limit) break;
    width += w;
    i += len;
  }
  return {s.substr(static_cast<size_t>(start), i - static_cast<size_t>(start)),
          static_cast<int>(i)};
}

std::u16string SanitizeCadText(const std::u16string& s) {
  if (s.empty()) return s;
  std::u16string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    if (i + 1 < s.size() &&
        ((s[i] == u'^' && s[i + 1] == u'm') || (s[i] == u'\\' && s[i + 1] == u'n'))) {
      i += 2;
      continue;
    }
    if (s[i] >= 0x0020) out += s[i];
    ++i;
  }
  return out.empty() ? std::u16string(u" ") : out;
}

std::u16string Utf8ToText(const std::string& s) { return platform::Utf8ToUtf16(s); }
std::string TextToUtf8(const std::u16string& s) { return platform::Utf16ToUtf8(s); }

}  // namespace plandock
