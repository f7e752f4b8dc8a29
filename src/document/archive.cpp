// The JWW archive primitives: strings in both stored forms, object
// counts, class tags, attribute blocks, and the text conversions they rest on.
#include "document/archive.h"

#include <algorithm>

#include "platform/code_page.h"

namespace plandock {

namespace {

// Longest texts the two string forms can hold; longer texts are
// outside the format and are cut rather than written with a broken prefix.
constexpr size_t kMaxAnsiStringBytes = 65533;
constexpr size_t kMaxUtf16StringUnits = 65535;

void DropControlCharsInPlace(std::u16string& text) {
  text.erase(std::remove_if(text.begin(), text.end(), [](char16_t c) { return c < 0x20; }),
             text.end());
}

// Decodes code page 932 bytes that hold no zero byte. Pure ASCII (the common
// case) is widened in one pass; anything else goes to the platform decoder.
// With `clean`, characters below U+0020 are dropped as well.
std::u16string DecodeAnsi(const char* p, size_t n, bool clean) {
  // Both passes are branch-free so they vectorise; the check comes before
  // allocating, so a Japanese text is still allocated once.
  unsigned char high = 0;
  for (size_t i = 0; i < n; ++i) high |= static_cast<unsigned char>(p[i]);
  if (high >= 0x80) {
    std::u16string out = platform::Cp932ToUtf16(std::string_view(p, n));
    const size_t z = out.find(u'\0');
    if (z != std::u16string::npos) out.resize(z);
    if (clean) DropControlCharsInPlace(out);
    return out;
  }
  std::u16string out;
  out.resize(n);
  char16_t* o = out.data();
  bool control = false;
  for (size_t i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(p[i]);
    o[i] = static_cast<char16_t>(b);
    control |= b < 0x20;
  }
  if (clean && control) DropControlCharsInPlace(out);
  return out;
}

// Bytes up to (not including) the first zero byte.
std::string_view CutAtZero(std::string_view bytes) {
  if (bytes.empty()) return bytes;  // an empty file image has no data pointer for memchr
  const void* z = std::memchr(bytes.data(), 0, bytes.size());
  if (z == nullptr) return bytes;
  return bytes.substr(0, static_cast<size_t>(static_cast<const char*>(z) - bytes.data()));
}

std::u16string DecodeUtf16(std::string_view bytes, bool clean) {
  const size_t units = bytes.size() / 2;
  std::u16string out;
  out.resize(units);
  if (units != 0) std::memcpy(out.data(), bytes.data(), units * 2);  // little-endian hosts
  const size_t z = out.find(u'\0');
  if (z != std::u16string::npos) out.resize(z);
  if (clean) DropControlCharsInPlace(out);
  return out;
}

bool IsAscii(const std::u16string& text) {
  for (char16_t c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Text conversions

std::u16string AnsiBytesToText(std::string_view bytes) {
  const std::string_view cut = CutAtZero(bytes);
  return DecodeAnsi(cut.data(), cut.size(), false);
}

std::u16string Utf16BytesToText(std::string_view bytes) { return DecodeUtf16(bytes, false); }

std::string TextToAnsiBytes(const std::u16string& text) {
  if (IsAscii(text)) {
    std::string out;
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
    return out;
  }
  return platform::Utf16ToCp932(text);
}

size_t AnsiByteLength(const std::u16string& text) {
  if (IsAscii(text)) {
    const size_t z = text.find(u'\0');
    return z == std::u16string::npos ? text.size() : z;
  }
  const std::string bytes = platform::Utf16ToCp932(text);
  return CutAtZero(bytes).size();
}

std::string TextToUtf16Bytes(const std::u16string& text) {
  std::string out;
  out.resize(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    out[2 * i] = static_cast<char>(text[i] & 0xFF);
    out[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return out;
}

std::u16string DropControlChars(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c >= 0x20) out.push_back(c);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Reader

namespace {

// Shared by ReadMfcString and ReadCleanString; `total` receives every byte
// the string read delivered.
std::u16string ReadString(ArchiveReader& r, bool clean, size_t& total) {
  total = 0;
  size_t len = r.U8();
  total += r.last_got();
  bool unicode = false;
  if (len == 0xFF) {
    len = r.U16();
    total += r.last_got();
    if (len == 0xFFFE) {
      unicode = true;
      r.doc().MojiEncode = true;
      len = r.U8();
      total += r.last_got();
      if (len == 0xFF) {
        len = r.U16();
        total += r.last_got();
      }
    }
  }
  // Bytes() delivers at most what remains, so a length announcing more than
  // the buffer holds neither reads nor allocates past the end.
  const std::string_view body = r.Bytes(unicode ? 2 * len : len);
  total += r.last_got();
  if (unicode) return DecodeUtf16(body, clean);
  const std::string_view cut = CutAtZero(body);
  return DecodeAnsi(cut.data(), cut.size(), clean);
}

}  // namespace

std::u16string ArchiveReader::ReadMfcString() {
  size_t total = 0;
  std::u16string s = ReadString(*this, false, total);
  last_got_ = total;
  return s;
}

std::u16string ArchiveReader::ReadCleanString() {
  size_t total = 0;
  std::u16string s = ReadString(*this, true, total);
  last_got_ = total;
  return s;
}

int32_t ArchiveReader::ReadObjectCount() {
  uint32_t n = U16();
  size_t total = last_got_;
  if (n == 0xFFFF && total == 2) {
    n = U32();
    total += last_got_;
  }
  last_got_ = total;
  return static_cast<int32_t>(n);
}

ArchiveReader::ClassTag ArchiveReader::ReadLongClassTag() {
  ClassTag tag;
  const uint16_t t = U16();
  size_t total = last_got_;
  if (t == 0xFFFF && total == 2) {
    (void)U16();  // schema word: the writer's file version, ignored
    total += last_got_;
    const uint16_t name_len = U16();
    total += last_got_;
    tag.name = Bytes(name_len);
    total += last_got_;
    tag.is_new = true;
    tag.index = load_index++;
  } else if (t == 0x7FFF && total == 2) {
    const uint32_t v = U32();
    total += last_got_;
    tag.index = v & 0x7FFFFFFFu;
  } else {
    // A tag below 0x8000 (or a partial one) yields an index no class holds.
    tag.index = static_cast<uint32_t>(t) - 0x8000u;
  }
  last_got_ = total;
  return tag;
}

TEntJwwAttr ArchiveReader::ReadAttr(int version) {
  TEntJwwAttr a;
  const bool wide = version > 350;
  const size_t need = wide ? 15 : 13;
  if (remaining() >= need) {
    const uint8_t* p = data_ + pos_;
    std::memcpy(&a.lGroup, p, 4);
    a.nPenStyle = p[4];
    std::memcpy(&a.nPenColor, p + 5, 2);
    size_t off = 7;
    if (wide) {
      std::memcpy(&a.nPenWidth, p + 7, 2);
      off = 9;
    }
    std::memcpy(&a.nLayer, p + off, 2);
    std::memcpy(&a.nGLayer, p + off + 2, 2);
    std::memcpy(&a.sFlg, p + off + 4, 2);
    pos_ += need;
    last_got_ = need;
    return a;
  }
  size_t total = 0;
  a.lGroup = U32();
  total += last_got_;
  a.nPenStyle = U8();
  total += last_got_;
  a.nPenColor = U16();
  total += last_got_;
  if (wide) {
    a.nPenWidth = U16();
    total += last_got_;
  }
  a.nLayer = U16();
  total += last_got_;
  a.nGLayer = U16();
  total += last_got_;
  a.sFlg = U16();
  total += last_got_;
  last_got_ = total;
  return a;
}

// ---------------------------------------------------------------------------
// Writer

void ArchiveWriter::WriteMfcString(const std::u16string& text) {
  if ((doc_.FileOutOpt & kFileOutUnicode) != 0) {
    const size_t n = std::min(text.size(), kMaxUtf16StringUnits);
    const uint8_t marker[3] = {0xFF, 0xFE, 0xFF};
    Bytes(marker, 3);
    if (n < 255) {
      U8(static_cast<uint8_t>(n));
    } else {
      U8(0xFF);
      U16(static_cast<uint16_t>(n));
    }
    if (n > 0) {
      const size_t at = buf_.size();
      buf_.resize(at + 2 * n);
      uint8_t* o = buf_.data() + at;
      for (size_t i = 0; i < n; ++i) {
        o[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
        o[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
      }
    }
    return;
  }
  const std::string bytes = TextToAnsiBytes(text);
  const size_t n = std::min(CutAtZero(bytes).size(), kMaxAnsiStringBytes);
  if (n < 255) {
    U8(static_cast<uint8_t>(n));
  } else {
    U8(0xFF);
    U16(static_cast<uint16_t>(n));
  }
  if (n > 0) Bytes(bytes.data(), n);
}

void ArchiveWriter::WriteObjectCount(uint32_t n) {
  if (n <= 0xFFFE) {
    U16(static_cast<uint16_t>(n));
  } else {
    U16(0xFFFF);
    U32(n);
  }
}

void ArchiveWriter::WriteNewClass(int version, std::string_view name) {
  U16(0xFFFF);
  U16(static_cast<uint16_t>(version));
  const size_t n = std::min<size_t>(name.size(), 0xFFFF);
  U16(static_cast<uint16_t>(n));
  Bytes(name.data(), n);
}

void ArchiveWriter::WriteClassRef(uint32_t index) {
  if (index > 32766) {
    U16(0x7FFF);
    U32(index | 0x80000000u);
  } else {
    U16(static_cast<uint16_t>(0x8000 + index));
  }
}

namespace {

// Versions below 420: SXF pen styles 31..45 of lines and arcs (46..62 -> 1).
constexpr uint8_t kSxfStyleToStandard[15] = {1, 4, 3, 6, 8, 8, 2, 5, 7, 6, 6, 8, 8, 17, 17};
// Versions below 420: SXF pen colours 101..116 (117..356 -> 1).
constexpr uint16_t kSxfColorToStandard[16] = {2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

void ArchiveWriter::WriteAttr(int version, const TEntJwwAttr& attr, int kind) {
  TEntJwwAttr a = attr;
  const bool line_like = kind == kEntLine || kind == kEntEnko;
  const bool coloured = kind >= kEntLine && kind <= kEntSolid;

  // Rule 1: no SXF numbers before version 420.
  if (version < 420) {
    if (line_like) {
      if (InRange(a.nPenStyle, 31, 45)) {
        a.nPenStyle = kSxfStyleToStandard[a.nPenStyle - 31];
      } else if (InRange(a.nPenStyle, 46, 62)) {
        a.nPenStyle = 1;
      }
    }
    if (coloured) {
      if (InRange(a.nPenColor, 101, 116)) {
        a.nPenColor = kSxfColorToStandard[a.nPenColor - 101];
      } else if (InRange(a.nPenColor, 117, 356)) {
        a.nPenColor = 1;
      }
    }
  }

  // Rule 2: out-of-range values, every version.
  const int style = a.nPenStyle;
  const int color = a.nPenColor;
  if (line_like) {
    if (!(InRange(style, 1, 9) || InRange(style, 11, 19) || InRange(style, 31, 62))) {
      a.nPenStyle = 1;
    }
  } else if (kind == kEntTen) {
    if (style != 1 && style != 100) a.nPenStyle = 1;
  } else if (kind == kEntMoji) {
    if (!InRange(style, 1, 9)) a.nPenStyle = 1;
  }
  if (kind >= kEntLine && kind <= kEntSunpo) {
    if (!(InRange(color, 1, 9) || InRange(color, 101, 356))) a.nPenColor = 1;
  } else if (kind == kEntSolid) {
    if (!(InRange(color, 1, 10) || InRange(color, 101, 356))) a.nPenColor = 1;
  }
  if (a.nLayer > 15) a.nLayer = 0;
  if (a.nGLayer > 15) a.nGLayer = 0;
  if (a.nPenWidth > 30000) a.nPenWidth = 0;

  // One append per block: appending field by field was a large share of writing.
  uint8_t b[15];
  size_t n = 0;
  auto put = [&](auto v) {
    std::memcpy(b + n, &v, sizeof v);  // little-endian hosts only
    n += sizeof v;
  };
  put(a.lGroup);
  put(a.nPenStyle);
  put(a.nPenColor);
  if (version >= 351) put(a.nPenWidth);
  put(a.nLayer);
  put(a.nGLayer);
  put(a.sFlg);
  Bytes(b, n);
}

}  // namespace plandock
