// Code page 932 through the system's own tables. Best-fit guesses are turned off
// and the look-alikes are mapped by hand so results match the POSIX half.
#include <windows.h>

#include "platform/code_page.h"
#include "platform/code_page_internal.h"

namespace plandock::platform {

namespace {

constexpr UINT kCp932 = 932;

// Characters that code page 932 shows with the glyph of another code point.
const char* LookAlike(wchar_t c) {
  switch (c) {
    case 0x301C:
      return "\x81\x60";  // WAVE DASH as FULLWIDTH TILDE
    case 0x2014:
      return "\x81\x5C";  // EM DASH as HORIZONTAL BAR
    case 0x2016:
      return "\x81\x61";  // DOUBLE VERTICAL LINE as PARALLEL TO
    case 0x2212:
      return "\x81\x7C";  // MINUS SIGN as FULLWIDTH HYPHEN-MINUS
    case 0x00A2:
      return "\x81\x91";
    case 0x00A3:
      return "\x81\x92";
    case 0x00AC:
      return "\x81\xCA";
    case 0x00A5:
      return "\\";
    case 0x203E:
      return "~";
    default:
      return nullptr;
  }
}

bool HasLookAlike(std::u16string_view text) {
  for (char16_t c : text) {
    if (LookAlike(static_cast<wchar_t>(c)) != nullptr) return true;
  }
  return false;
}

bool IsTrailByte(UINT code_page, BYTE b) {
  return b >= 0x40 && b != 0x7F && b <= (code_page == kCp932 ? 0xFC : 0xFE);
}

// Decodes one character of 1 or 2 bytes; false when the code page does not define it.
bool DecodeOne(UINT code_page, const char* p, int n, std::u16string& out) {
  wchar_t w[2];
  const int got = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, p, n, w, 2);
  if (got <= 0) return false;
  out.append(reinterpret_cast<const char16_t*>(w), static_cast<size_t>(got));
  return true;
}

// One U+FFFD for each sequence the code page does not define: a lead byte
// with a proper trail byte counts as one, otherwise the byte alone.
std::u16string DecodeByCharacter(UINT code_page, std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<BYTE>(bytes[i]);
    const bool lead = IsDBCSLeadByteEx(code_page, b) != 0;
    const bool pair =
        lead && i + 1 < bytes.size() && IsTrailByte(code_page, static_cast<BYTE>(bytes[i + 1]));
    const int n = pair ? 2 : 1;
    const char16_t extra =
        lead || code_page != kCp932 ? char16_t{0} : internal::Cp932ExtraSingleByte(b);
    if (extra != 0) {
      out += extra;
    } else if (!DecodeOne(code_page, bytes.data() + i, n, out)) {
      out += u'\uFFFD';
    }
    i += static_cast<size_t>(n);
  }
  return out;
}

std::u16string Decode(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int len = static_cast<int>(bytes.size());
  const int need =
      MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), len, nullptr, 0);
  if (need <= 0) return DecodeByCharacter(code_page, bytes);
  std::u16string out(static_cast<size_t>(need), u'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), len,
                      reinterpret_cast<wchar_t*>(out.data()), need);
  return out;
}

// Encodes one character (one or two code units); '?' when it has no bytes.
void EncodeOne(const wchar_t* w, int len, std::string& out) {
  if (const char* look_alike = len == 1 ? LookAlike(w[0]) : nullptr) {
    out += look_alike;
    return;
  }
  if (const int extra = len == 1 ? internal::Cp932ExtraEncoding(w[0]) : -1; extra >= 0) {
    out += static_cast<char>(extra);
    return;
  }
  char buf[8];
  BOOL used_default = FALSE;
  const int n = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, w, len, buf, sizeof buf, nullptr,
                                    &used_default);
  if (n > 0 && !used_default) {
    out.append(buf, static_cast<size_t>(n));
  } else {
    out += '?';
  }
}

std::string EncodeByCharacter(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  size_t i = 0;
  while (i < text.size()) {
    const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
    const int len = pair ? 2 : 1;
    EncodeOne(reinterpret_cast<const wchar_t*>(text.data() + i), len, out);
    i += static_cast<size_t>(len);
  }
  return out;
}

}  // namespace

// A process switched to UTF-8 still means the system's own ANSI code page here.
unsigned AnsiCodePage() {
  const UINT acp = GetACP();
  if (acp != CP_UTF8) return acp;
  UINT cp = 0;
  if (GetLocaleInfoEx(LOCALE_NAME_SYSTEM_DEFAULT,
                      LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                      reinterpret_cast<LPWSTR>(&cp), sizeof cp / sizeof(wchar_t)) > 0 &&
      cp != 0 && cp != CP_UTF8) {
    return cp;
  }
  return kCp932;
}

std::u16string Cp932ToUtf16(std::string_view bytes) { return Decode(kCp932, bytes); }

std::string Utf16ToCp932(std::u16string_view text) {
  if (text.empty()) return {};
  if (!HasLookAlike(text)) {
    const auto* w = reinterpret_cast<const wchar_t*>(text.data());
    const int len = static_cast<int>(text.size());
    BOOL used_default = FALSE;
    const int need = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, w, len, nullptr, 0, nullptr,
                                         &used_default);
    if (need > 0 && !used_default) {
      std::string out(static_cast<size_t>(need), '\0');
      WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, w, len, out.data(), need, nullptr, nullptr);
      return out;
    }
  }
  return EncodeByCharacter(text);
}

std::u16string AnsiToUtf16(std::string_view bytes, unsigned code_page) {
  return Decode(code_page, bytes);
}

bool Cp932Available() { return IsValidCodePage(kCp932) != 0; }

}  // namespace plandock::platform
