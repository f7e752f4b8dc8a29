// Decoding the stored bodies of the seven entity classes and of a block
// definition's header. Included by the object-list reader only, so that the
// body reads inline into its loop.
#pragma once

#include <cmath>
#include <cstring>
#include <string_view>

#include "document/archive.h"
#include "document/entity_io_internal.h"

namespace plandock::entity_io {

// One fixed part of a body, taken in a single read. When the data ends inside
// it, the missing bytes read as zero; delivered() is false when none arrived.
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
  uint8_t U8() { return Get<uint8_t>(); }
  uint16_t U16() { return Get<uint16_t>(); }
  uint32_t U32() { return Get<uint32_t>(); }
  double F64() { return Get<double>(); }
  void Attr(bool wide, TEntJwwAttr& a) {
    a.lGroup = U32();
    a.nPenStyle = U8();
    a.nPenColor = U16();
    a.nPenWidth = wide ? U16() : 0;
    a.nLayer = U16();
    a.nGLayer = U16();
    a.sFlg = U16();
  }

 private:
  template <class T>
  T Get() {
    T v;
    std::memcpy(&v, p_, sizeof v);  // little-endian hosts, as the archive
    p_ += sizeof v;
    return v;
  }

  const uint8_t* p_;
  size_t got_;
  uint8_t pad_[kMojiSize];  // the largest fixed part
};

// A width or height that is not finite becomes 3, a spacing 0.
inline void RepairTextSize(TEntJwwMoji& e) {
  if (!std::isfinite(e.dSizeX)) e.dSizeX = 3.0;
  if (!std::isfinite(e.dSizeY)) e.dSizeY = 3.0;
  if (!std::isfinite(e.dKankaku)) e.dKankaku = 0.0;
}

// Reads bodies of one file version. Each returns false when its decisive read
// delivered no byte: the body then counts as not read.
class BodyReader {
 public:
  BodyReader(ArchiveReader& in, int32_t version)
      : in_(in), wide_(version >= kPenWidthVersion), sxf_(version >= kSxfVersion) {}

  bool Line(TEntJwwLine& e) {
    FixedPart f(in_, Size(kLineSize));
    f.Attr(wide_, e.att);
    e.start_x = f.F64();
    e.start_y = f.F64();
    e.end_x = f.F64();
    e.end_y = f.F64();
    return f.delivered();
  }

  bool Enko(TEntJwwEnko& e) {
    FixedPart f(in_, Size(kEnkoSize));
    f.Attr(wide_, e.att);
    e.start_x = f.F64();
    e.start_y = f.F64();
    e.dHankei = f.F64();
    e.radKaishiKaku = f.F64();
    e.radEnkoKaku = f.F64();
    e.radKatamukiKaku = f.F64();
    e.dHenpeiRitsu = f.F64();
    e.bZenEnFlg = f.U32();
    return f.delivered();
  }

  bool Ten(TEntJwwTen& e) {
    FixedPart f(in_, Size(kTenSize));
    if (!f.delivered()) return false;
    f.Attr(wide_, e.att);
    e.start_x = f.F64();
    e.start_y = f.F64();
    e.bKariten = f.U32();
    if (e.att.nPenStyle == kTenStyleExtra) {
      FixedPart x(in_, kTenExtraSize);
      e.nCode = x.U32();
      e.radKaitenKaku = x.F64();
      e.dBairitsu = x.F64();
    }
    return true;
  }

  bool Moji(TEntJwwMoji& e) {
    FixedPart f(in_, Size(kMojiSize));
    if (!f.delivered()) return false;
    f.Attr(wide_, e.att);
    e.start_x = f.F64();
    e.start_y = f.F64();
    e.end_x = f.F64();
    e.end_y = f.F64();
    e.nMojiShu = f.U32();
    e.dSizeX = f.F64();
    e.dSizeY = f.F64();
    e.dKankaku = f.F64();
    e.degKakudo = f.F64();
    e.strFontName = in_.ReadCleanString();
    e.str = in_.ReadCleanString();
    RepairTextSize(e);
    return true;
  }

  // Decided by its text part and, where the SXF parts are stored, by the last point.
  bool Sunpo(TEntJwwSunpo& e) {
    {
      FixedPart a(in_, Size(kAttrSize));
      a.Attr(wide_, e.att);
    }
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
    FixedPart f(in_, Size(kSolidSize));
    if (!f.delivered()) return false;
    f.Attr(wide_, e.att);
    e.start_x = f.F64();
    e.start_y = f.F64();
    e.end_x = f.F64();
    e.end_y = f.F64();
    e.DPoint2_x = f.F64();
    e.DPoint2_y = f.F64();
    e.DPoint3_x = f.F64();
    e.DPoint3_y = f.F64();
    e.Color = e.att.nPenColor == kSolidOwnColor ? in_.U32() : 0;
    return true;
  }

  bool Block(TEntJwwBlock& e) {
    FixedPart f(in_, Size(kBlockSize));
    f.Attr(wide_, e.att);
    e.DPKijunTen_x = f.F64();
    e.DPKijunTen_y = f.F64();
    e.dBairitsuX = f.F64();
    e.dBairitsuY = f.F64();
    e.radKaitenKaku = f.F64();
    e.nNumber = f.U32();
    return f.delivered();
  }

  // The stored attribute, nNumber, bRefferd and dtime; false when none arrived.
  bool BlockDefHeader(TEntJwwBlockDef& d) {
    FixedPart f(in_, Size(kBlockDefSize));
    f.Attr(wide_, d.att);
    d.nNumber = f.U32();
    d.bRefferd = f.U32();
    d.dtime = f.U32();
    return f.delivered();
  }

 private:
  size_t Size(size_t wide_size) const { return wide_ ? wide_size : wide_size - 2; }

  ArchiveReader& in_;
  const bool wide_;
  const bool sxf_;
};

}  // namespace plandock::entity_io
