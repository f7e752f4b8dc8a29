// Code page 932 through glibc's iconv "CP932" table, with the few single bytes and
// replacements that table leaves out filled in to match Windows.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/code_page_internal.h"

namespace plandock::platform {

namespace {

// One conversion descriptor per thread and direction, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }
  // Converts as much as possible; returns 0 or the errno that stopped it.
  int Run(const char*& in, size_t& in_left, char*& out, size_t& out_left) {
    char* src = const_cast<char*>(in);
    const size_t rc = iconv(cd_, &src, &in_left, &out, &out_left);
    in = src;
    return rc == static_cast<size_t>(-1) ? errno : 0;
  }

 private:
  iconv_t cd_;
};

bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(uint8_t b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

bool IsAscii(const char16_t* p, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (p[i] >= 0x80) return false;
  }
  return true;
}

// The iconv output is UTF-16LE bytes; assemble code units explicitly so the
// host byte order does not matter.
void AppendUtf16Le(const std::string& bytes, size_t used, std::u16string& out) {
  for (size_t i = 0; i + 1 < used; i += 2) {
    out += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                 (static_cast<uint8_t>(bytes[i + 1]) << 8));
  }
}

// Decodes `in` with `conv` into `out`. At each sequence iconv rejects (undefined
// or cut off), `invalid(at, left, out)` appends what stands for it and returns
// the number of bytes it covers.
template <typename Invalid>
void DecodeWith(Converter& conv, const char* in, size_t in_left, std::u16string& out,
                Invalid invalid) {
  conv.Reset();
  std::string buf(in_left * 2 + 16, '\0');
  while (in_left > 0) {
    char* dst = buf.data();
    size_t dst_left = buf.size();
    const int err = conv.Run(in, in_left, dst, dst_left);
    AppendUtf16Le(buf, buf.size() - dst_left, out);
    if (err == 0 || err == E2BIG) continue;
    const size_t skip = invalid(in, in_left, out);
    in += skip;
    in_left -= skip;
    conv.Reset();
  }
}

std::u16string SlowCp932ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  size_t ascii = 0;
  while (ascii < bytes.size() && static_cast<uint8_t>(bytes[ascii]) < 0x80) ++ascii;
  for (size_t i = 0; i < ascii; ++i) out += static_cast<char16_t>(bytes[i]);
  if (ascii == bytes.size()) return out;

  thread_local Converter conv("UTF-16LE", "CP932");
  const char* in = bytes.data() + ascii;
  size_t in_left = bytes.size() - ascii;
  if (!conv.ok()) {
    out.append(in_left, char16_t{0xFFFD});
    return out;
  }
  DecodeWith(conv, in, in_left, out, [](const char* at, size_t left, std::u16string& o) {
    const auto b = static_cast<uint8_t>(*at);
    size_t skip = 1;
    char16_t c = internal::Cp932ExtraSingleByte(b);
    if (c == 0) {
      c = 0xFFFD;
      if (IsLeadByte(b) && left >= 2 && IsTrailByte(static_cast<uint8_t>(at[1]))) skip = 2;
    }
    o += c;
    return skip;
  });
  return out;
}

std::string SlowUtf16ToCp932(std::u16string_view text) {
  std::string out;
  if (IsAscii(text.data(), text.size())) {
    out.reserve(text.size());
    for (char16_t c : text) out += static_cast<char>(c);
    return out;
  }
  std::string le;
  le.reserve(text.size() * 2);
  for (char16_t c : text) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
  }
  thread_local Converter conv("CP932", "UTF-16LE");
  if (!conv.ok()) return std::string(text.size(), '?');
  conv.Reset();
  const char* in = le.data();
  size_t in_left = le.size();
  std::string buf(text.size() * 2 + 16, '\0');
  out.reserve(text.size() * 2);
  while (in_left > 0) {
    char* dst = buf.data();
    size_t dst_left = buf.size();
    const int err = conv.Run(in, in_left, dst, dst_left);
    out.append(buf.data(), buf.size() - dst_left);
    if (err == 0 || err == E2BIG) continue;
    // One character that cannot be written: a pair of surrogates counts once.
    const char16_t c = static_cast<char16_t>(static_cast<uint8_t>(in[0]) |
                                             (in_left >= 2 ? static_cast<uint8_t>(in[1]) << 8 : 0));
    size_t skip = in_left >= 2 ? 2 : in_left;
    if (c >= 0xD800 && c < 0xDC00 && in_left >= 4) {
      const char16_t next =
          static_cast<char16_t>(static_cast<uint8_t>(in[2]) | (static_cast<uint8_t>(in[3]) << 8));
      if (next >= 0xDC00 && next < 0xE000) skip = 4;
    }
    const int extra = skip == 2 ? internal::Cp932ExtraEncoding(c) : -1;
    out += extra >= 0 ? static_cast<char>(extra) : '?';
    in += skip;
    in_left -= skip;
    conv.Reset();
  }
  return out;
}

// Each character's conversion is asked of iconv once per thread and then
// remembered: iconv's per-call cost dominated reading and writing drawings
// with Japanese texts. Results are iconv's own, so both paths agree; any
// sequence the memo cannot take whole (a broken pair, a surrogate) sends the
// whole string down the iconv path.
class CharMemo {
 public:
  static constexpr char16_t kUnknownChar = 0;
  static constexpr char16_t kNoChar = 0xFFFF;  // not one code unit: use iconv
  static constexpr uint16_t kUnknownBytes = 0;
  static constexpr uint16_t kNoBytes = 0xFFFF;  // not one or two bytes: use iconv

  // The character that the single byte b (0x80..0xFF, not a lead byte) or the
  // pair (b, t) decodes to, or kNoChar.
  char16_t Decode(uint8_t b, int t) {
    if (decoded_.empty()) decoded_.assign(kDecodeSlots, kUnknownChar);
    char16_t& slot = decoded_[(b - 0x80) * 257 + (t + 1)];
    if (slot == kUnknownChar) {
      const char in[2] = {static_cast<char>(b), static_cast<char>(t)};
      const std::u16string c = SlowCp932ToUtf16(std::string_view(in, t < 0 ? 1 : 2));
      slot = c.size() == 1 && c[0] != kUnknownChar ? c[0] : kNoChar;
    }
    return slot;
  }

  // Rows of 257 slots from first byte 0x80, as Decode fills them; a caller
  // reads known slots straight from it instead of calling per character.
  const char16_t* DecodeTable() {
    if (decoded_.empty()) decoded_.assign(kDecodeSlots, kUnknownChar);
    return decoded_.data();
  }

  // The bytes of c (not ASCII, not a surrogate): 0x01BB for the single byte
  // BB, 0xLLTT for a pair; kNoBytes when neither.
  uint16_t Encode(char16_t c) {
    if (encoded_.empty()) encoded_.assign(0x10000, kUnknownBytes);
    uint16_t& slot = encoded_[c];
    if (slot == kUnknownBytes) {
      const std::string b = SlowUtf16ToCp932(std::u16string_view(&c, 1));
      if (b.size() == 1) {
        slot = static_cast<uint16_t>(0x100 | static_cast<uint8_t>(b[0]));
      } else if (b.size() == 2 && static_cast<uint8_t>(b[0]) >= 0x81) {
        slot = static_cast<uint16_t>(static_cast<uint8_t>(b[0]) << 8 | static_cast<uint8_t>(b[1]));
      } else {
        slot = kNoBytes;
      }
    }
    return slot;
  }

 private:
  // Rows: first byte 0x80..0xFF; columns: no second byte, then second byte 0x00..0xFF.
  static constexpr size_t kDecodeSlots = 128 * 257;
  std::vector<char16_t> decoded_;
  std::vector<uint16_t> encoded_;
};

CharMemo& Memo() {
  thread_local CharMemo memo;
  return memo;
}

// Decodes through the memo into `out` (room for bytes.size() units); the
// number of units written, or SIZE_MAX when the string needs the iconv path.
size_t MemoDecode(std::string_view bytes, char16_t* out) {
  CharMemo& memo = Memo();
  const char16_t* table = memo.DecodeTable();  // stays put: the memo never resizes it
  char16_t* o = out;
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    if (b < 0x80) {
      *o++ = b;
      ++i;
      continue;
    }
    int t = -1;
    if (IsLeadByte(b)) {
      if (i + 1 >= n || !IsTrailByte(static_cast<uint8_t>(bytes[i + 1]))) return SIZE_MAX;
      t = static_cast<uint8_t>(bytes[i + 1]);
    }
    char16_t c = table[(b - 0x80) * 257 + (t + 1)];
    if (c == CharMemo::kUnknownChar) c = memo.Decode(b, t);
    if (c == CharMemo::kNoChar) return SIZE_MAX;
    *o++ = c;
    i += t < 0 ? 1 : 2;
  }
  return static_cast<size_t>(o - out);
}

}  // namespace

std::u16string Cp932ToUtf16(std::string_view bytes) {
  // A short text decodes on the stack and is then allocated at its real
  // length: most Japanese labels fit the string's inline buffer once decoded.
  constexpr size_t kStackUnits = 256;
  if (bytes.size() <= kStackUnits) {
    char16_t units[kStackUnits];
    const size_t len = MemoDecode(bytes, units);
    if (len == SIZE_MAX) return SlowCp932ToUtf16(bytes);
    return std::u16string(units, len);
  }
  std::u16string out;
  out.resize(bytes.size());
  const size_t len = MemoDecode(bytes, out.data());
  if (len == SIZE_MAX) return SlowCp932ToUtf16(bytes);
  out.resize(len);
  return out;
}

std::string Utf16ToCp932(std::u16string_view text) {
  CharMemo& memo = Memo();
  std::string out;
  out.resize(text.size() * 2);
  char* o = out.data();
  for (const char16_t c : text) {
    if (c < 0x80) {
      *o++ = static_cast<char>(c);
      continue;
    }
    if (c >= 0xD800 && c < 0xE000) return SlowUtf16ToCp932(text);
    const uint16_t e = memo.Encode(c);
    if (e == CharMemo::kNoBytes) return SlowUtf16ToCp932(text);
    if (e < 0x200) {
      *o++ = static_cast<char>(e & 0xFF);
    } else {
      *o++ = static_cast<char>(e >> 8);
      *o++ = static_cast<char>(e & 0xFF);
    }
  }
  out.resize(static_cast<size_t>(o - out.data()));
  return out;
}

unsigned AnsiCodePage() { return 932; }

std::u16string AnsiToUtf16(std::string_view bytes, unsigned code_page) {
  if (code_page == 932) return Cp932ToUtf16(bytes);
  Converter conv("UTF-16LE", ("CP" + std::to_string(code_page)).c_str());
  if (!conv.ok()) return std::u16string(bytes.size(), char16_t{0xFFFD});
  std::u16string out;
  DecodeWith(conv, bytes.data(), bytes.size(), out, [](const char*, size_t, std::u16string& o) {
    o += char16_t{0xFFFD};
    return size_t{1};
  });
  return out;
}

bool Cp932Available() {
  static const bool available = [] {
    const Converter decode("UTF-16LE", "CP932");
    const Converter encode("CP932", "UTF-16LE");
    return decode.ok() && encode.ok();
  }();
  return available;
}

}  // namespace plandock::platform
