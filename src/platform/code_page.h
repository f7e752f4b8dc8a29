// Conversion between code page 932 (Shift-JIS, Microsoft variant), UTF-8 and UTF-16.
// Both platform halves give the same results for every character.
#pragma once

#include <string>
#include <string_view>

namespace plandock::platform {

// Decodes all of `bytes` (no zero-byte handling here). A byte sequence that code
// page 932 does not define (an unassigned double-byte pair, a lead byte without
// its trail byte) becomes one U+FFFD per invalid sequence.
std::u16string Cp932ToUtf16(std::string_view bytes);
// Encodes `text`. Each character code page 932 cannot hold becomes one '?'
// (a surrogate pair is one character; a lone surrogate is one '?'). Both halves
// also accept the common look-alikes of the Japanese rows: U+301C WAVE DASH
// gives the bytes of U+FF5E, U+2014 those of U+2015, U+2016 those of U+2225,
// U+2212 those of U+FF0D, U+00A2/U+00A3/U+00AC those of U+FFE0/U+FFE1/U+FFE2,
// U+00A5 gives '\' and U+203E gives '~'.
std::string Utf16ToCp932(std::u16string_view text);
// The system's ANSI code page, for settings and environment files without a
// byte-order mark. POSIX has no such setting and answers 932, the code page
// of the systems the drawings come from.
unsigned AnsiCodePage();
// Decodes `bytes` in the Windows code page `code_page`. What the code page
// does not define becomes U+FFFD, one per invalid sequence; the rest decodes.
std::u16string AnsiToUtf16(std::string_view bytes, unsigned code_page = AnsiCodePage());

// UTF-8 <-> UTF-16 for file names, arguments and terminal output. Invalid UTF-8
// (and, in the other direction, a lone surrogate) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view bytes);
std::string Utf16ToUtf8(std::u16string_view text);
// The same for POSIX file names, which are bytes: a byte that is no part of
// valid UTF-8 becomes U+DC00 + byte (U+DC80..U+DCFF) and such a lone surrogate
// becomes that byte again, so every name round-trips exactly.
std::u16string FileNameToUtf16(std::string_view bytes);
std::string Utf16ToFileName(std::u16string_view text);

// False when this system cannot convert code page 932 at all (an iconv
// without "CP932"): every Japanese text would be lost.
[[nodiscard]] bool Cp932Available();

}  // namespace plandock::platform
