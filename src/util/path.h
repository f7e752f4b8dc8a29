// Path helpers accepting both '\' and '/' as separators. Failures are results.
#pragma once

#include <string>

namespace plandock {

char16_t PathSeparator();  // the native separator
// Part after the last '\', '/' or ':'; empty when p holds an invalid path character.
std::u16string PathFileName(const std::u16string& p);
// Lower-cased extension with its dot, or empty. Sets *ok false (and returns
// empty) when p holds an invalid path character.
std::u16string PathExtLower(const std::u16string& p, bool* ok = nullptr);
std::u16string PathChangeExt(const std::u16string& p, const std::u16string& ext);
bool PathHasInvalidChar(const std::u16string& p);

}  // namespace plandock
