// Writing the entity list and the block-definition list of a JWW archive.

#include <cstring>

#include "document/block_tree.h"
#include "document/entity_io.h"
#include "document/entity_io_internal.h"
#include "document/layout_internal.h"
#include "util/text.h"

namespace plandock {
namespace {

using namespace entity_io;

// Whether SanitizeCadText could change the text: it only removes "^m", "\n"
// and characters below U+0020, so a text without '^', '\' and those is kept.
bool NeedsSanitize(const std::u16string& s) {
  for (char16_t c : s) {
    if (c < 0x20 || c == u'^' || c == u'\\') return true;
  }
  return false;
}

// Collects one fixed part, attribute block included, from a layout walk and
// appends it at once: appending field by field was a large share of writing.
class Fields {
 public:
  template <class T>
  void Field(const T& v, const char*) {
    std::memcpy(buf_ + size_, &v, sizeof v);
    size_ += sizeof v;
  }
  void AppendTo(ArchiveWriter& out) const { out.Bytes(buf_, size_); }

 private:
  uint8_t buf_[layout::kMaxFixedSize + sizeof(uint32_t)];  // room for a solid's colour
  size_t size_ = 0;
};

// Whether two values have the same bits, so that a NaN or -0 counts as changed by a rule.
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Writes objects of one file version, numbering classes and objects as the
// reader will: a class is declared before its first object, referred to after.
class ObjectWriter {
 public:
  ObjectWriter(ArchiveWriter& out, TJwwData& doc, int32_t version, ArchiveClasses& classes,
               uint32_t& load_index)
      : out_(out),
        version_(version),
        sxf_(version >= layout::kSinceSxf),
        split_(version < layout::kSinceSxf && doc.Enthd.jwVer >= layout::kSinceSxf),
        classes_(classes),
        load_index_(load_index),
        block_no_(doc) {}

  // How many objects the entry becomes: 0 when it names nothing, 7 for a
  // dimension whose SXF parts are written as objects of their own.
  uint32_t ObjectsOf(const EntityArrays& a, const TEntJwwNo& e) const {
    if (!a.Names(e)) return 0;
    if (e.EntType == kEntSunpo && IsSplit((*a.sunpo)[static_cast<size_t>(e.EntNo)])) return 7;
    return 1;
  }

  // Writes the count and then the objects of the first `used` order entries;
  // entries that name nothing are neither counted nor written. A block
  // definition takes its own number between its member count and its members.
  // Stops once the sink has refused a block.
  void WriteList(const EntityArrays& a, size_t used, bool numbers_definition = false) {
    const TEntJwwNo* entries = a.no->data();
    uint32_t count = 0;
    for (size_t i = 0; i < used; ++i) count += ObjectsOf(a, entries[i]);
    out_.WriteObjectCount(count);
    if (numbers_definition) ++load_index_;
    for (size_t i = 0; i < used && !out_.failed(); ++i) {
      if (a.Names(entries[i])) WriteObject(a, entries[i]);
    }
  }

  // The class tag of a block definition, then the definition and its members.
  void WriteBlockDef(TEntJwwBlockDef& def) {
    BeginObject(classes_.list, layout::kBlockDefClassName);
    TEntJwwBlockDef header;  // the fixed part only: the name and members are written below
    header.att = def.att;
    header.nNumber = block_no_(def.nNumber);
    header.bRefferd = def.bRefferd;
    header.dtime = def.dtime;
    Fixed(header, layout::kBlockDef, kEntBlockDef);
    WriteCleanText(def.strName);
    WriteList(DefinitionArrays(def), def.mNo.size(), /*numbers_definition=*/true);
    out_.BlockMayBeFull();
  }

 private:
  bool IsSplit(const TEntJwwSunpo& s) const { return split_ && s.bSxfMode != 0; }

  void BeginObject(uint32_t& declared_at, std::string_view name) {
    if (declared_at == 0) {
      out_.WriteNewClass(version_, name);
      declared_at = load_index_++;
    } else {
      out_.WriteClassRef(declared_at);
    }
  }
  void BeginEntity(int32_t kind) {
    const auto k = static_cast<size_t>(kind);
    BeginObject(classes_.entity[k], layout::kEntityClassNames[k]);
  }
  void EndObject() {
    ++load_index_;
    out_.BlockMayBeFull();
  }

  void WriteObject(const EntityArrays& a, const TEntJwwNo& e) {
    const size_t i = static_cast<size_t>(e.EntNo);
    BeginEntity(e.EntType);
    switch (e.EntType) {
      case kEntLine:
        Line((*a.line)[i], kEntLine);
        break;
      case kEntEnko:
        Enko((*a.enko)[i]);
        break;
      case kEntTen:
        Ten((*a.ten)[i], (*a.ten)[i].bKariten);
        break;
      case kEntMoji:
        Moji((*a.moji)[i]);
        break;
      case kEntSunpo:
        Sunpo((*a.sunpo)[i]);
        break;
      case kEntSolid:
        Solid((*a.solid)[i]);
        break;
      case kEntBlock:
        Block((*a.block)[i]);
        break;
      default:
        break;
    }
    EndObject();
    if (e.EntType == kEntSunpo) {
      const TEntJwwSunpo& s = (*a.sunpo)[i];
      if (IsSplit(s)) WriteSxfPartsAsObjects(s);
    }
  }

  // Older versions keep an SXF dimension's parts as plain lines and points;
  // the reference points are marked provisional.
  void WriteSxfPartsAsObjects(const TEntJwwSunpo& s) {
    for (const TEntJwwLine* l : {&s.Ho1, &s.Ho2}) {
      BeginEntity(kEntLine);
      Line(*l, kEntLine);
      EndObject();
    }
    const struct {
      const TEntJwwTen* ten;
      uint32_t kariten;
    } points[] = {{&s.Te1, s.Te1.bKariten}, {&s.Te2, s.Te2.bKariten}, {&s.Kt1, 1}, {&s.Kt2, 1}};
    for (const auto& p : points) {
      BeginEntity(kEntTen);
      Ten(*p.ten, p.kariten);
      EndObject();
    }
  }

  // The attribute block as the value rules give it, then `fields`, then `extra`
  // fields when `with_extra`; appended at once.
  template <class Record, class Fields1, class Fields2 = std::tuple<>>
  void Fixed(const Record& e, const Fields1& fields, int32_t kind, const Fields2& extra = {},
             bool with_extra = false) {
    Fields f;
    const TEntJwwAttr att = AttrForWrite(version_, e.att, kind);
    layout::Walk(f, att, layout::kAttr, version_);
    layout::Walk(f, e, fields, version_);
    if (with_extra) layout::Walk(f, e, extra, version_);
    f.AppendTo(out_);
  }

  void Line(const TEntJwwLine& e, int32_t kind) { Fixed(e, layout::kLine, kind); }
  void Enko(const TEntJwwEnko& e) { Fixed(e, layout::kEnko, kEntEnko); }

  void Ten(const TEntJwwTen& e, uint32_t kariten) {
    const bool extra = e.att.nPenStyle == layout::kTenStyleExtra;
    if (e.bKariten == kariten) {
      Fixed(e, layout::kTen, kEntTen, layout::kTenExtra, extra);
    } else {
      TEntJwwTen marked = e;
      marked.bKariten = kariten;
      Fixed(marked, layout::kTen, kEntTen, layout::kTenExtra, extra);
    }
  }

  void Moji(const TEntJwwMoji& e) {
    // Copied only in the rare case the size rule changes a value.
    if (SameBits(layout::TextSizeForWrite(e.dSizeX), e.dSizeX) &&
        SameBits(layout::TextSizeForWrite(e.dSizeY), e.dSizeY)) {
      Fixed(e, layout::kMoji, kEntMoji);
    } else {
      TEntJwwMoji sized;
      sized.att = e.att;
      sized.start_x = e.start_x;
      sized.start_y = e.start_y;
      sized.end_x = e.end_x;
      sized.end_y = e.end_y;
      sized.nMojiShu = e.nMojiShu;
      sized.dSizeX = layout::TextSizeForWrite(e.dSizeX);
      sized.dSizeY = layout::TextSizeForWrite(e.dSizeY);
      sized.dKankaku = e.dKankaku;
      sized.degKakudo = e.degKakudo;
      Fixed(sized, layout::kMoji, kEntMoji);
    }
    WriteCleanText(e.strFontName);
    WriteCleanText(e.str);
  }

  void Sunpo(const TEntJwwSunpo& e) {
    Fields f;
    const TEntJwwAttr att = AttrForWrite(version_, e.att, kEntSunpo);
    layout::Walk(f, att, layout::kAttr, version_);
    f.AppendTo(out_);
    Line(e.Sen, kEntLine);
    Moji(e.Moji);
    if (!sxf_) return;
    out_.U16(e.bSxfMode);
    Line(e.Ho1, kEntLine);
    Line(e.Ho2, kEntLine);
    for (const TEntJwwTen* t : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2}) Ten(*t, t->bKariten);
  }

  void Solid(const TEntJwwSolid& e) {
    Fixed(e, layout::kSolid, kEntSolid, layout::kSolidColor,
          e.att.nPenColor == layout::kSolidOwnColor);
  }

  void Block(const TEntJwwBlock& e) {
    TEntJwwBlock numbered = e;
    numbered.nNumber = block_no_(e.nNumber);
    Fixed(numbered, layout::kBlock, kEntBlock);
  }

  void WriteCleanText(const std::u16string& s) {
    if (NeedsSanitize(s)) {
      out_.WriteMfcString(SanitizeCadText(s));
    } else {
      out_.WriteMfcString(s);
    }
  }

  ArchiveWriter& out_;
  const int32_t version_;
  const bool sxf_;    // dimensions carry their SXF parts
  const bool split_;  // SXF parts of a newer drawing become separate objects
  ArchiveClasses& classes_;
  uint32_t& load_index_;
  const BlockNoMap block_no_;  // the written block numbers, looked up in constant time
};

}  // namespace

void WriteEntityList(ArchiveWriter& out, TJwwData& doc, int32_t version, ArchiveClasses& classes,
                     uint32_t& load_index) {
  classes = ArchiveClasses{};
  load_index = 1;
  ObjectWriter w(out, doc, version, classes, load_index);
  w.WriteList(entity_io::DocumentArrays(doc), entity_io::UsedEntries(doc.EntNo, doc.Enthd.n1));
}

void WriteBlockDefList(ArchiveWriter& out, TJwwData& doc, int32_t version, ArchiveClasses& classes,
                       uint32_t& load_index) {
  const size_t defs = WrittenBlockDefs(doc);
  uint32_t count = 0;
  for (size_t i = 0; i < defs; ++i) count += doc.EntBlockDef[i].ref_flag ? 1u : 0u;
  out.WriteObjectCount(count);
  ObjectWriter w(out, doc, version, classes, load_index);
  for (size_t i = 0; i < defs && !out.failed(); ++i) {
    if (doc.EntBlockDef[i].ref_flag) w.WriteBlockDef(doc.EntBlockDef[i]);
  }
}

}  // namespace plandock
