// Reading the entity list and the block-definition list of a JWW archive.

#include <cmath>
#include <cstring>
#include <string_view>

#include "document/entity_io.h"
#include "document/entity_io_internal.h"

namespace plandock {
namespace {

using namespace entity_io;

bool Fail(ReadFailure* why) {
  if (why) *why = ReadFailure::kIo;
  return false;
}

// Whether `count` objects of at least `min_bytes` each fit in what is left of
// the data. A negative count (a long-form count above 0x7FFFFFFF) never fits.
bool CountFits(const ArchiveReader& in, int32_t count, uint64_t min_bytes) {
  return count >= 0 && static_cast<uint64_t>(count) * min_bytes <= in.remaining();
}

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
void RepairTextSize(TEntJwwMoji& e) {
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

// Appends one element, reads its body into it and takes it back when the body
// was not read. Sets *index to the new element's position.
template <class Record, class ReadBody>
bool Append(std::vector<Record>& v, ReadBody read_body, int32_t* index) {
  Record& e = v.emplace_back();
  if (!read_body(e)) {
    v.pop_back();
    return false;
  }
  *index = static_cast<int32_t>(v.size() - 1);
  return true;
}

bool ReadBody(BodyReader& r, int32_t kind, const EntityArrays& a, int32_t* index) {
  switch (kind) {
    case kEntLine: return Append(*a.line, [&](TEntJwwLine& e) { return r.Line(e); }, index);
    case kEntEnko: return Append(*a.enko, [&](TEntJwwEnko& e) { return r.Enko(e); }, index);
    case kEntTen: return Append(*a.ten, [&](TEntJwwTen& e) { return r.Ten(e); }, index);
    case kEntMoji: return Append(*a.moji, [&](TEntJwwMoji& e) { return r.Moji(e); }, index);
    case kEntSunpo: return Append(*a.sunpo, [&](TEntJwwSunpo& e) { return r.Sunpo(e); }, index);
    case kEntSolid: return Append(*a.solid, [&](TEntJwwSolid& e) { return r.Solid(e); }, index);
    case kEntBlock: return Append(*a.block, [&](TEntJwwBlock& e) { return r.Block(e); }, index);
    default: return false;
  }
}

// The entity kind a declared class name stands for, 0 for any other name. The
// name is compared as decoded text, which ends at its first zero byte.
int32_t KindOfClassName(std::string_view name) {
  if (name.size() > kMaxClassNameBytes) return 0;
  const size_t zero = name.find('\0');
  if (zero != std::string_view::npos) name = name.substr(0, zero);
  for (int32_t k = kEntLine; k <= kEntBlock; ++k) {
    if (name == kEntityClassNames[k]) return k;
  }
  return 0;
}

// The entity kind last declared at `index`; 0 when none was (index 0 is the
// mark of an undeclared class and so names none).
int32_t KindOfIndex(const ArchiveClasses& classes, uint32_t index) {
  if (index == 0) return 0;
  for (int32_t k = kEntLine; k <= kEntBlock; ++k) {
    if (classes.entity[static_cast<size_t>(k)] == index) return k;
  }
  return 0;
}

// Reads tagged objects until `count` of them named an entity class, filling
// `a`'s arrays and its order list (already `count` entries long) from the front.
// False when the data ends where a tag is expected or a declaration names a
// class that is not an entity class.
bool ReadObjects(ArchiveReader& in, BodyReader& r, ArchiveClasses& classes, int32_t count,
                 const EntityArrays& a) {
  TEntJwwNo* next = a.no->data();
  int32_t counted = 0;
  while (counted < count) {
    if (in.at_end()) return false;
    const ArchiveReader::ClassTag tag = in.ReadClassTag();
    int32_t kind;
    if (tag.is_new) {
      kind = KindOfClassName(tag.name);
      if (kind == 0) return false;
      classes.entity[static_cast<size_t>(kind)] = tag.index;
    } else {
      kind = KindOfIndex(classes, tag.index);
      if (kind == 0) continue;  // names no entity class: no body, not counted
    }
    int32_t index = 0;
    if (ReadBody(r, kind, a, &index)) *next++ = {kind, index};
    ++counted;
    ++in.load_index;
  }
  return true;
}

}  // namespace

bool ReadEntityList(ArchiveReader& in, TJwwData& doc, int32_t version, ArchiveClasses& classes,
                    ReadFailure* why) {
  if (in.at_end()) return Fail(why);
  const int32_t count = in.ReadObjectCount();
  if (!CountFits(in, count, kMinObjectBytes)) return Fail(why);

  doc.Enthd.n1 = count;
  doc.Enthd.n2 = 0;
  doc.EntBlockDef.clear();
  doc.EntNo.assign(static_cast<size_t>(count), TEntJwwNo{});
  in.load_index = 1;
  classes = ArchiveClasses{};

  BodyReader r(in, version);
  return ReadObjects(in, r, classes, count, entity_io::DocumentArrays(doc)) || Fail(why);
}

bool ReadBlockDefList(ArchiveReader& in, TJwwData& doc, int32_t version, ArchiveClasses& classes,
                      ReadFailure* why) {
  if (in.at_end()) return Fail(why);
  const int32_t count = in.ReadObjectCount();
  if (!CountFits(in, count, kMinBlockDefBytes)) return Fail(why);
  if (count == 0) return true;

  doc.Enthd.n2 = count;
  doc.EntBlockDef.clear();
  BodyReader r(in, version);
  for (int32_t position = 1; position <= count; ++position) {
    if (in.at_end()) return Fail(why);
    const ArchiveReader::ClassTag tag = in.ReadClassTag();
    if (tag.is_new) {
      // Any name is accepted here, but only one the scratch buffer could hold.
      if (tag.name.size() > kMaxClassNameBytes) return Fail(why);
      classes.list = tag.index;
    }

    TEntJwwBlockDef& def = doc.EntBlockDef.emplace_back();
    if (!r.BlockDefHeader(def)) return Fail(why);
    if (def.dtime & kDtimeLongForm) {
      in.Skip(kDtimeLongBytes);
      def.dtime = static_cast<uint32_t>(position);
    }
    def.strName = in.ReadCleanString();

    if (in.at_end()) return Fail(why);
    const int32_t members = in.ReadObjectCount();
    if (!CountFits(in, members, kMinObjectBytes)) return Fail(why);
    def.mNo.assign(static_cast<size_t>(members), TEntJwwNo{});
    ++in.load_index;
    if (!ReadObjects(in, r, classes, members, entity_io::DefinitionArrays(def))) return Fail(why);
  }
  return true;
}

}  // namespace plandock
