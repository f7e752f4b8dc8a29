// Conversion between code page 932 (Shift-JIS, Microsoft variant) and UTF-16.
// Characters code page 932 cannot hold are written as '?'.
#pragma once

#include <string>
#include <string_view>

namespace plandock::platform {

// Decodes all of `bytes` (no zero-byte handling here); invalid sequences become U+FFFD.
std::u16string Cp932ToUtf16(std::string_view bytes);
std::string Utf16ToCp932(std::u16string_view text);
// The system's ANSI code page for settings and environment files without a
// byte-order mark: code page 932 everywhere, as the drawings' home systems use.
std::u16string AnsiToUtf16(std::string_view bytes);

}  // namespace plandock::platform
