// Unicode simple case mapping, code unit count preserved.
#pragma once

#include <string>

namespace plandock::platform {

std::u16string ToUpperSimple(const std::u16string& s);
std::u16string ToLowerSimple(const std::u16string& s);

}  // namespace plandock::platform
