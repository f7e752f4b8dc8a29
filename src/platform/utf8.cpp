// UTF-8 <-> UTF-16, the same on every platform.
#include <cstdint>

#include "platform/code_page.h"

namespace plandock::platform {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
// A byte 0x80..0xFF that is no part of valid UTF-8 stands in a file name as
// the lone low surrogate U+DC00 + byte, which no valid UTF-8 decodes to.
constexpr char16_t kEscapeBase = 0xDC00;

bool IsTrail(unsigned char b) { return (b & 0xC0) == 0x80; }

void AppendUtf8(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes UTF-8; `escape` decides what an invalid sequence becomes: one
// U+FFFD for the whole broken sequence, or each of its bytes kept on its own.
std::u16string DecodeUtf8(std::string_view bytes, bool escape) {
  std::u16string out;
  out.reserve(bytes.size());
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    size_t len = 0;
    uint32_t cp = 0;
    uint32_t min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4, cp = b & 0x07, min = 0x10000;
    }
    // Take as many valid trail bytes as belong to the sequence; a broken
    // sequence is replaced once and reading resumes at the offending byte.
    size_t taken = 1;
    bool valid = len != 0;
    while (valid && taken < len) {
      if (i + taken >= n || !IsTrail(static_cast<unsigned char>(bytes[i + taken]))) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + taken]) & 0x3F);
      ++taken;
    }
    if (valid && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))) valid = false;
    if (!valid && escape) {
      out += static_cast<char16_t>(kEscapeBase + b);
      ++i;
      continue;
    }
    if (!valid) {
      out += kReplacement;
      i += len == 0 ? 1 : taken;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += len;
  }
  return out;
}

std::string EncodeUtf8(std::u16string_view text, bool escape) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (escape && c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
      out += static_cast<char>(c - kEscapeBase);
      continue;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = kReplacement;
    }
    AppendUtf8(c, out);
  }
  return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes) { return DecodeUtf8(bytes, false); }
std::string Utf16ToUtf8(std::u16string_view text) { return EncodeUtf8(text, false); }
std::u16string FileNameToUtf16(std::string_view bytes) { return DecodeUtf8(bytes, true); }
std::string Utf16ToFileName(std::u16string_view text) { return EncodeUtf8(text, true); }

}  // namespace plandock::platform
