// Reading the entity list and the block-definition list of a JWW archive.

#include <array>
#include <string_view>
#include <vector>

#include "document/entity_io.h"
#include "document/entity_io_bodies.h"
#include "document/entity_io_internal.h"
#include "document/layout_internal.h"
#include "platform/memory.h"

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
    case kEntLine:
      return Append(
          *a.line, [&](TEntJwwLine& e) { return r.Line(e); }, index);
    case kEntEnko:
      return Append(
          *a.enko, [&](TEntJwwEnko& e) { return r.Enko(e); }, index);
    case kEntTen:
      return Append(
          *a.ten, [&](TEntJwwTen& e) { return r.Ten(e); }, index);
    case kEntMoji:
      return Append(
          *a.moji, [&](TEntJwwMoji& e) { return r.Moji(e); }, index);
    case kEntSunpo:
      return Append(
          *a.sunpo, [&](TEntJwwSunpo& e) { return r.Sunpo(e); }, index);
    case kEntSolid:
      return Append(
          *a.solid, [&](TEntJwwSolid& e) { return r.Solid(e); }, index);
    case kEntBlock:
      return Append(
          *a.block, [&](TEntJwwBlock& e) { return r.Block(e); }, index);
    default:
      return false;
  }
}

// The entity kind a declared class name stands for, 0 for any other name. The
// name is compared as decoded text, which ends at its first zero byte.
int32_t KindOfClassName(std::string_view name) {
  if (name.size() > layout::kMaxClassNameBytes) return 0;
  const size_t zero = name.find('\0');
  if (zero != std::string_view::npos) name = name.substr(0, zero);
  for (int32_t k = kEntLine; k <= kEntBlock; ++k) {
    if (name == layout::kEntityClassNames[k]) return k;
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

// What the next class tag says about the object it introduces: its entity
// kind, 0 for an object of no entity class (no body follows, it is not
// counted), -1 when the list cannot go on (the data ends where a tag is
// expected, or a declaration names a class that is not an entity class).
int32_t NextObjectKind(ArchiveReader& in, ArchiveClasses& classes) {
  if (in.at_end()) return -1;
  const ArchiveReader::ClassTag tag = in.ReadClassTag();
  if (!tag.is_new) return KindOfIndex(classes, tag.index);
  const int32_t kind = KindOfClassName(tag.name);
  if (kind == 0) return -1;
  classes.entity[static_cast<size_t>(kind)] = tag.index;
  return kind;
}

template <class T>
size_t Room(const std::vector<T>& v) {
  return v.capacity() - v.size();
}

// Room for `more` elements after the present ones, allocated once.
template <class T>
void ReserveMore(std::vector<T>& v, size_t more) {
  v.reserve(v.size() + more);
  platform::AdviseLargeFill(v.data() + v.size(), more * sizeof(T));
}

// Gives `a`'s arrays room for what the next `count` objects hold, counted by
// stepping over them on a copy of the reader: each array is allocated once at
// its final size instead of growing (and being copied) step by step. Where
// the data stops following the format the counts stop too; reading decides.
void ReserveForObjects(const ArchiveReader& from, const ArchiveClasses& classes_now, int32_t count,
                       int32_t version, const EntityArrays& a) {
  // A document read into again keeps its arrays: when they already have
  // room for every object of the list, the counting pass would buy nothing.
  const size_t room = Room(*a.line) + Room(*a.enko) + Room(*a.ten) + Room(*a.moji) +
                      Room(*a.sunpo) + Room(*a.solid) + Room(*a.block);
  if (room >= static_cast<size_t>(count)) return;
  ArchiveReader in = from;
  ArchiveClasses classes = classes_now;
  BodySkimmer skim(in, version);
  std::array<size_t, 8> n{};
  for (int32_t counted = 0; counted < count;) {
    const int32_t kind = NextObjectKind(in, classes);
    if (kind < 0) break;
    if (kind == 0) continue;
    skim.Skip(kind);
    ++n[static_cast<size_t>(kind)];
    ++counted;
    ++in.load_index;
  }
  ReserveMore(*a.line, n[kEntLine]);
  ReserveMore(*a.enko, n[kEntEnko]);
  ReserveMore(*a.ten, n[kEntTen]);
  ReserveMore(*a.moji, n[kEntMoji]);
  ReserveMore(*a.sunpo, n[kEntSunpo]);
  ReserveMore(*a.solid, n[kEntSolid]);
  ReserveMore(*a.block, n[kEntBlock]);
}

// Reads tagged objects until `count` of them named an entity class, filling
// `a`'s arrays and its order list (already `count` entries long) from the front.
// False when the data ends where a tag is expected or a declaration names a
// class that is not an entity class.
bool ReadObjects(ArchiveReader& in, BodyReader& r, ArchiveClasses& classes, int32_t count,
                 const EntityArrays& a, int32_t version) {
  ReserveForObjects(in, classes, count, version, a);
  TEntJwwNo* next = a.no->data();
  int32_t counted = 0;
  while (counted < count) {
    in.Progress();
    const int32_t kind = NextObjectKind(in, classes);
    if (kind < 0) return false;
    if (kind == 0) continue;
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
  if (!CountFits(in, count, layout::kMinObjectBytes)) return Fail(why);

  doc.Enthd.n1 = count;
  doc.Enthd.n2 = 0;
  doc.EntBlockDef.clear();
  doc.EntNo.clear();
  ReserveMore(doc.EntNo, static_cast<size_t>(count));
  doc.EntNo.resize(static_cast<size_t>(count));
  in.load_index = 1;
  classes = ArchiveClasses{};

  BodyReader r(in, version);
  return ReadObjects(in, r, classes, count, entity_io::DocumentArrays(doc), version) || Fail(why);
}

bool ReadBlockDefList(ArchiveReader& in, TJwwData& doc, int32_t version, ArchiveClasses& classes,
                      ReadFailure* why) {
  if (in.at_end()) return Fail(why);
  const int32_t count = in.ReadObjectCount();
  if (!CountFits(in, count, layout::kMinBlockDefBytes)) return Fail(why);
  if (count == 0) return true;

  doc.Enthd.n2 = count;
  doc.EntBlockDef.clear();
  BodyReader r(in, version);
  for (int32_t position = 1; position <= count; ++position) {
    if (in.at_end()) return Fail(why);
    const ArchiveReader::ClassTag tag = in.ReadClassTag();
    if (tag.is_new) {
      // Any name is accepted here, but only one the scratch buffer could hold.
      if (tag.name.size() > layout::kMaxClassNameBytes) return Fail(why);
      classes.list = tag.index;
    }

    TEntJwwBlockDef& def = doc.EntBlockDef.emplace_back();
    if (!r.BlockDefHeader(def)) return Fail(why);
    if (def.dtime & layout::kDtimeLongForm) {
      in.Skip(layout::kDtimeLongBytes);
      def.dtime = static_cast<uint32_t>(position);
    }
    def.strName = in.ReadCleanString();

    if (in.at_end()) return Fail(why);
    const int32_t members = in.ReadObjectCount();
    if (!CountFits(in, members, layout::kMinObjectBytes)) return Fail(why);
    def.mNo.assign(static_cast<size_t>(members), TEntJwwNo{});
    ++in.load_index;
    if (!ReadObjects(in, r, classes, members, entity_io::DefinitionArrays(def), version)) {
      return Fail(why);
    }
  }
  return true;
}

}  // namespace plandock
