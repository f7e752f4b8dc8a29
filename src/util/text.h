// Text helpers over UTF-16 code units: 0-based positions, -1 for a failed search.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace plandock {

// Position of the first occurrence of `sub` in `s`; -1 when absent or either is empty.
int TextPos(const std::u16string& sub, const std::u16string& s);
std::u16string TextFrom(const std::u16string& s, int start);
std::u16string TextMid(const std::u16string& s, int start, int count);
std::u16string CharAt(const std::u16string& s, int i);
std::u16string RepeatText(const std::u16string& s, int n);

std::u16string UpperText(const std::u16string& s);
std::u16string LowerText(const std::u16string& s);
// Drops U+0020, U+3000 and every character below U+0020.
std::u16string RemoveSpaces(const std::u16string& s);
// True when RemoveSpaces leaves nothing.
bool IsBlank(const std::u16string& s);
// True for one character in U+0020..U+007E or U+FF61..U+FF9F.
bool IsHalfWidth(const std::u16string& c);
// Takes characters from `start` while the width (1 half, 2 full) stays <= limit.
// Returns the prefix and the position of the first character not taken; a start
// at or past the end gives ("", start). A surrogate pair is one full-width character.
std::pair<std::u16string, int> CutToWidth(const std::u16string& s, int start, int limit);

// Splits by blanks (U+0001..U+0020) and commas with double-quote fields.
// Appends to `out` and returns the number of fields.
int SplitCommaText(const std::u16string& s, std::vector<std::u16string>& out);
// Removes "^m", "\n" codes and control characters; nothing left gives " ".
std::u16string SanitizeCadText(const std::u16string& s);

// UTF-8 <-> UTF-16 for file names, arguments and terminal output; invalid
// UTF-8 or a lone surrogate becomes U+FFFD.
std::u16string Utf8ToText(const std::string& s);
std::string TextToUtf8(const std::u16string& s);

}  // namespace plandock
