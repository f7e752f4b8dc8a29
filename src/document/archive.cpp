// The JWW archive primitives: strings in both stored forms, object
// counts, class tags, and the text conversions they rest on.
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
  if (units != 0) std::memcpy(out.data(), bytes.data(), units * 2);
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

// ---------------------------------------------------------------------------
// Reader

namespace {

// The length prefix of a string: its length in bytes or UTF-16 units, and
// whether it is in the Unicode form. `total` receives the prefix bytes delivered.
size_t ReadStringPrefix(ArchiveReader& r, bool& unicode, size_t& total) {
  total = 0;
  unicode = false;
  size_t len = r.U8();
  total += r.last_got();
  if (len == 0xFF) {
    len = r.U16();
    total += r.last_got();
    if (len == 0xFFFE) {
      unicode = true;
      len = r.U8();
      total += r.last_got();
      if (len == 0xFF) {
        len = r.U16();
        total += r.last_got();
      }
    }
  }
  return len;
}

// Shared by ReadMfcString and ReadCleanString; `total` receives every byte
// the string read delivered.
std::u16string ReadString(ArchiveReader& r, bool clean, size_t& total) {
  bool unicode = false;
  const size_t len = ReadStringPrefix(r, unicode, total);
  if (unicode) r.SawUnicode();
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

void ArchiveReader::SkipString() {
  bool unicode = false;
  size_t total = 0;
  const size_t len = ReadStringPrefix(*this, unicode, total);
  Skip(unicode ? 2 * len : len);
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

// ---------------------------------------------------------------------------
// Writer

// What one object can add past a full block: a text with its two strings of
// the most units; so the block buffer is not reallocated.
constexpr size_t kLargestObjectBytes = 4096 + 2 * (6 + 2 * kMaxUtf16StringUnits);

ArchiveWriter::ArchiveWriter(bool unicode_strings, ArchiveSink& sink, size_t block_bytes)
    : unicode_(unicode_strings), sink_(&sink), block_(std::max<size_t>(block_bytes, 1)) {
  buf_.reserve(block_ + kLargestObjectBytes);
}

void ArchiveWriter::Blob(const uint8_t* p, size_t n) {
  if (sink_ == nullptr) {
    Bytes(p, n);
    return;
  }
  Hand();
  Take(p, n);
}

void ArchiveWriter::Take(const uint8_t* data, size_t size) {
  if (!failed_ && size > 0 && !sink_->Take(data, size)) failed_ = true;
}

void ArchiveWriter::Hand() {
  if (sink_ == nullptr) return;
  Take(buf_.data(), buf_.size());
  buf_.clear();
}

bool ArchiveWriter::Finish() {
  Hand();
  return !failed_;
}

void ArchiveWriter::WriteMfcString(const std::u16string& text) {
  if (unicode_) {
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
  if (IsAscii(text)) {  // the common case, narrowed straight into the buffer
    const size_t n = std::min(std::min(text.find(u'\0'), text.size()), kMaxAnsiStringBytes);
    WriteAnsiPrefix(n);
    buf_.insert(buf_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    return;
  }
  const std::string bytes = platform::Utf16ToCp932(text);
  const size_t n = std::min(std::min(bytes.find('\0'), bytes.size()), kMaxAnsiStringBytes);
  WriteAnsiPrefix(n);
  if (n > 0) Bytes(bytes.data(), n);
}

void ArchiveWriter::WriteAnsiPrefix(size_t n) {
  if (n < 255) {
    U8(static_cast<uint8_t>(n));
  } else {
    U8(0xFF);
    U16(static_cast<uint16_t>(n));
  }
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

}  // namespace plandock
