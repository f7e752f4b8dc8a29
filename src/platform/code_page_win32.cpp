// Code page 932 through the system's own tables. Best-fit guesses are turned off
// and the look-alikes are mapped by hand so results match the POSIX half.
#include <windows.h>

#include "platform/code_page.h"

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

// Decodes one character of 1 or 2 bytes; false when code page 932 does not define it.
bool DecodeOne(const char* p, int n, std::u16string& out) {
  wchar_t w[2];
  const int got = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, p, n, w, 2);
  if (got <= 0) return false;
  out.append(reinterpret_cast<const char16_t*>(w), static_cast<size_t>(got));
  return true;
}

std::u16string DecodeByCharacter(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const bool lead = IsDBCSLeadByteEx(kCp932, static_cast<BYTE>(bytes[i])) != 0;
    const int n = lead && i + 1 < bytes.size() ? 2 : 1;
    if (!DecodeOne(bytes.data() + i, n, out)) out += u'\uFFFD';
    i += static_cast<size_t>(n);
  }
  return out;
}

std::u16string Decode(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int len = static_cast<int>(bytes.size());
  const int need =
      MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), len, nullptr, 0);
  if (need <= 0) return code_page == kCp932 ? DecodeByCharacter(bytes) : std::u16string();
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

// The code page of files without a byte-order mark. A process switched to UTF-8
// still means the system's own ANSI code page here.
UINT FileCodePage() {
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

}  // namespace

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

std::u16string AnsiToUtf16(std::string_view bytes) { return Decode(FileCodePage(), bytes); }

bool Cp932Available() { return IsValidCodePage(kCp932) != 0; }

}  // namespace plandock::platform
