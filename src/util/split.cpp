// The comma-and-blank list splitter of the environment-file reader.
#include "util/text.h"

namespace plandock {

namespace {

bool IsSplitBlank(char16_t c) { return c >= 0x0001 && c <= 0x0020; }

// Reads a field opening with a double quote at s[i]; leaves i after the closing quote.
std::u16string ReadQuoted(const std::u16string& s, size_t& i) {
  std::u16string field;
  ++i;
  while (i < s.size()) {
    if (s[i] != u'"') {
      field += s[i++];
    } else if (i + 1 < s.size() && s[i + 1] == u'"') {
      field += u'"';
      i += 2;
    } else {
      ++i;
      break;
    }
  }
  return field;
}

}  // namespace

int SplitCommaText(const std::u16string& s, std::vector<std::u16string>& out) {
  int count = 0;
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && IsSplitBlank(s[i])) ++i;
  while (i < n) {
    if (s[i] == u'"') {
      out.push_back(ReadQuoted(s, i));
    } else {
      const size_t begin = i;
      while (i < n && !IsSplitBlank(s[i]) && s[i] != u',') ++i;
      out.push_back(s.substr(begin, i - begin));
    }
    ++count;
    while (i < n && IsSplitBlank(s[i])) ++i;
    if (i < n && s[i] == u',') {
      if (i + 1 == n) {
        out.emplace_back();
        ++count;
      }
      ++i;
      while (i < n && IsSplitBlank(s[i])) ++i;
    }
  }
  return count;
}

}  // namespace plandock
