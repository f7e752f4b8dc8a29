// Hand-built archive bytes for the object-list tests: every value is spelled
// out by the test, so the layout under test is visible in the test itself.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "document/entity_io.h"

namespace plandock::test {

class Bytes {
 public:
  Bytes& U8(uint8_t v) {
    data.push_back(v);
    return *this;
  }
  Bytes& U16(uint16_t v) { return Le(v, 2); }
  Bytes& U32(uint32_t v) { return Le(v, 4); }
  Bytes& I32(int32_t v) { return Le(static_cast<uint32_t>(v), 4); }
  Bytes& F64(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return Le(bits, 8);
  }
  Bytes& Raw(std::string_view s) {
    data.insert(data.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Zeros(size_t n) {
    data.insert(data.end(), n, 0);
    return *this;
  }
  // A short byte-form string (below 255 bytes).
  Bytes& Str(std::string_view s) { return U8(static_cast<uint8_t>(s.size())).Raw(s); }
  Bytes& NewClass(std::string_view name, uint16_t schema = 600) {
    return U16(0xFFFF).U16(schema).U16(static_cast<uint16_t>(name.size())).Raw(name);
  }
  Bytes& Ref(uint16_t index) { return U16(static_cast<uint16_t>(0x8000 + index)); }
  Bytes& BigRef(uint32_t index) { return U16(0x7FFF).U32(index | 0x80000000u); }
  // The attribute block: 15 bytes when `wide` (version 351 on), else 13 without the width.
  Bytes& Attr(bool wide, uint32_t group, uint8_t style, uint16_t color, uint16_t width,
              uint16_t layer, uint16_t glayer, uint16_t flags) {
    U32(group).U8(style).U16(color);
    if (wide) U16(width);
    return U16(layer).U16(glayer).U16(flags);
  }
  Bytes& Append(const Bytes& other) {
    data.insert(data.end(), other.data.begin(), other.data.end());
    return *this;
  }
  size_t size() const { return data.size(); }

  std::vector<uint8_t> data;

 private:
  Bytes& Le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) data.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
};

// Reads an entity list and, when that succeeds and `defs` is set, a block-definition list.
struct ListRead {
  bool ok = false;
  ReadFailure why = ReadFailure::kNone;
  size_t pos = 0;           // bytes consumed
  uint32_t load_index = 0;  // after the read
};

inline ListRead ReadLists(const Bytes& b, int32_t version, TJwwData& doc, bool defs = false) {
  ListRead r;
  doc.Enthd.jwVer = version;
  ArchiveReader in(b.data.data(), b.data.size(), doc.MojiEncode);
  ArchiveClasses classes;
  r.ok = ReadEntityList(in, doc, version, classes, &r.why);
  if (r.ok && defs) r.ok = ReadBlockDefList(in, doc, version, classes, &r.why);
  r.pos = in.pos();
  r.load_index = in.load_index;
  return r;
}

}  // namespace plandock::test
