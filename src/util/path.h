// Path helpers accepting both '\' and '/' as separators. Failures are results.
#pragma once

#include <string>

namespace plandock {

// True when p holds a character below U+0020 or one of '"', '<', '>', '|'.
bool PathHasInvalidChar(const std::u16string& p);
// Part after the last '\', '/' or ':' (all of p when there is none); empty when
// p holds an invalid path character.
std::u16string PathFileName(const std::u16string& p);
// Lower-cased extension with its dot ("b." gives "."), or empty when the last '.'
// is followed by a separator or there is none. When p holds an invalid path
// character, sets *ok false and returns empty; otherwise sets *ok true.
std::u16string PathExtLower(const std::u16string& p, bool* ok = nullptr);
// p with its extension (from the last '.' after the last separator or ':')
// replaced by `ext`, which includes its dot; `ext` is appended when p has none.
std::u16string PathChangeExt(const std::u16string& p, const std::u16string& ext);

}  // namespace plandock
