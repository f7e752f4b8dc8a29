// Decoding the stored bodies of the seven entity classes and of a block
// definition's header. Included by the object-list reader only, so that the
// body reads inline into its loop.
#pragma once

#include <cmath>
#include <cstring>
#include <string_view>

#include "document/archive.h"
#include "document/entity_io_internal.h"
#include "document/layout_internal.h"

namespace plandock::entity_io {

// One fixed part of a body, taken in a single read and handed out field by
// field to a layout walk. When the data ends inside it, the missing bytes
// read as zero; delivered() is false when none arrived.
class FixedPart {
 public:
  FixedPart(ArchiveReader& in, size_t size) {
    const std::string_view v = in.Bytes(size);
    got_ = v.size();
    if (got_ == size) {
      p_ = reinterpret_cast<const uint8_t*>(v.data());
    } else {
      std::memset(pad_, 0, sizeof pad_);
      if (got_ > 0) std::memcpy(pad_, v.data(), got_);
      p_ = pad_;
    }
  }
  FixedPart(const FixedPart&) = delete;
  FixedPart& operator=(const FixedPart&) = delete;

  bool delivered() const { return got_ > 0; }
  template <class T>
  void Field(T& v, const char*) {
    std::memcpy(&v, p_, sizeof v);
    p_ += sizeof v;
  }

 private:
  const uint8_t* p_;
  size_t got_;
  uint8_t pad_[layout::kMaxFixedSize];
};

// A width or height that is not finite becomes 3, a spacing 0.
inline void RepairTextSize(TEntJwwMoji& e) {
  if (!std::isfinite(e.dSizeX)) e.dSizeX = 3.0;
  if (!std::isfinite(e.dSizeY)) e.dSizeY = 3.0;
  if (!std::isfinite(e.dKankaku)) e.dKankaku = 0.0;
}

// The stored sizes of the parts of bodies in one file version.
struct BodySizes {
  explicit BodySizes(int32_t version)
      : attr(layout::StoredSize(layout::kAttr, version)),
        line(layout::FixedSize(layout::kLine, version)),
        enko(layout::FixedSize(layout::kEnko, version)),
        ten(layout::FixedSize(layout::kTen, version)),
        ten_extra(layout::StoredSize(layout::kTenExtra, version)),
        moji(layout::FixedSize(layout::kMoji, version)),
        solid(layout::FixedSize(layout::kSolid, version)),
        solid_color(layout::StoredSize(layout::kSolidColor, version)),
        block(layout::FixedSize(layout::kBlock, version)),
        block_def(layout::FixedSize(layout::kBlockDef, version)) {}

  size_t attr, line, enko, ten, ten_extra, moji, solid, solid_color, block, block_def;
};

// Reads bodies of one file version. Each returns false when its decisive read
// delivered no byte: the body then counts as not read.
class BodyReader {
 public:
  BodyReader(ArchiveReader& in, int32_t version)
      : in_(in), version_(version), sxf_(version >= layout::kSinceSxf), size_(version) {}

  bool Line(TEntJwwLine& e) { return Fixed(e, layout::kLine, size_.line); }
  bool Enko(TEntJwwEnko& e) { return Fixed(e, layout::kEnko, size_.enko); }
  bool Block(TEntJwwBlock& e) { return Fixed(e, layout::kBlock, size_.block); }
  // The stored attribute, nNumber, bRefferd and dtime; false when none arrived.
  bool BlockDefHeader(TEntJwwBlockDef& d) { return Fixed(d, layout::kBlockDef, size_.block_def); }

  bool Ten(TEntJwwTen& e) {
    if (!Fixed(e, layout::kTen, size_.ten)) return false;
    if (e.att.nPenStyle == layout::kTenStyleExtra) Part(e, layout::kTenExtra, size_.ten_extra);
    return true;
  }

  bool Moji(TEntJwwMoji& e) {
    if (!Fixed(e, layout::kMoji, size_.moji)) return false;
    e.strFontName = in_.ReadCleanString();
    e.str = in_.ReadCleanString();
    RepairTextSize(e);
    return true;
  }

  // Decided by its text part and, where the SXF parts are stored, by the last point.
  bool Sunpo(TEntJwwSunpo& e) {
    Part(e.att, layout::kAttr, size_.attr);
    (void)Line(e.Sen);
    bool read = Moji(e.Moji);
    if (sxf_) {
      e.bSxfMode = in_.U16();
      (void)Line(e.Ho1);
      (void)Line(e.Ho2);
      (void)Ten(e.Te1);
      (void)Ten(e.Te2);
      (void)Ten(e.Kt1);
      read = Ten(e.Kt2) && read;
    } else {
      // Older files store no SXF parts: they take the dimension's attribute,
      // the points without a pen style, all at the origin.
      e.bSxfMode = 0;
      e.Ho1 = TEntJwwLine{};
      e.Ho2 = TEntJwwLine{};
      CopyAttr(e.att, e.Ho1.att);
      CopyAttr(e.att, e.Ho2.att);
      for (TEntJwwTen* t : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2}) {
        *t = TEntJwwTen{};
        CopyAttr(e.att, t->att);
        t->att.nPenStyle = 0;
      }
    }
    return read;
  }

  bool Solid(TEntJwwSolid& e) {
    if (!Fixed(e, layout::kSolid, size_.solid)) return false;
    e.Color = 0;
    if (e.att.nPenColor == layout::kSolidOwnColor) Part(e, layout::kSolidColor, size_.solid_color);
    return true;
  }

 private:
  // The attribute block and `fields` in one read.
  template <class Record, class Fields>
  bool Fixed(Record& e, const Fields& fields, size_t size) {
    FixedPart f(in_, size);
    layout::WalkFixed(f, e, fields, version_);
    return f.delivered();
  }
  // `fields` alone.
  template <class Record, class Fields>
  void Part(Record& e, const Fields& fields, size_t size) {
    FixedPart f(in_, size);
    layout::Walk(f, e, fields, version_);
  }

  ArchiveReader& in_;
  const int32_t version_;
  const bool sxf_;
  const BodySizes size_;
};

// Steps over bodies of one file version as BodyReader reads them, without
// decoding or storing anything: a first pass that counts what each array
// will hold, so that the arrays are sized once.
class BodySkimmer {
 public:
  BodySkimmer(ArchiveReader& in, int32_t version)
      : in_(in), sxf_(version >= layout::kSinceSxf), size_(version) {}

  void Skip(int32_t kind) {
    switch (kind) {
      case kEntLine:
        return in_.Skip(size_.line);
      case kEntEnko:
        return in_.Skip(size_.enko);
      case kEntTen:
        return Ten();
      case kEntMoji:
        return Moji();
      case kEntSunpo:
        return Sunpo();
      case kEntSolid: {
        const uint16_t color = static_cast<uint16_t>(in_.Peek(layout::kPenColorAt) |
                                                     in_.Peek(layout::kPenColorAt + 1) << 8);
        return in_.Skip(size_.solid + (color == layout::kSolidOwnColor ? size_.solid_color : 0));
      }
      case kEntBlock:
        return in_.Skip(size_.block);
      default:
        return;
    }
  }

 private:
  void Ten() {
    const bool extra = in_.Peek(layout::kPenStyleAt) == layout::kTenStyleExtra;
    in_.Skip(size_.ten + (extra ? size_.ten_extra : 0));
  }
  void Moji() {
    in_.Skip(size_.moji);
    in_.SkipString();
    in_.SkipString();
  }
  void Sunpo() {
    in_.Skip(size_.attr + size_.line);
    Moji();
    if (!sxf_) return;
    in_.Skip(sizeof(uint16_t) + 2 * size_.line);  // bSxfMode, Ho1, Ho2
    for (int i = 0; i < 4; ++i) Ten();
  }

  ArchiveReader& in_;
  const bool sxf_;
  const BodySizes size_;
};

}  // namespace plandock::entity_io
