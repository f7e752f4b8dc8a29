// Shared by the object-list reader and writer: class names, the sizes of the
// stored bodies and a view of the arrays one object list fills or writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "document/jww_types.h"

namespace plandock::entity_io {

// Class names of the archive, indexed by EntityKind. Stored in files: frozen.
inline constexpr std::string_view kEntityClassNames[8] = {"",           "CDataSen",  "CDataEnko",
                                                          "CDataTen",   "CDataMoji", "CDataSunpou",
                                                          "CDataSolid", "CDataBlock"};
inline constexpr std::string_view kBlockDefClassName = "CDataList";

// Version gates of the bodies. Frozen by the format.
inline constexpr int32_t kPenWidthVersion = 351;  // attribute block holds nPenWidth
inline constexpr int32_t kSxfVersion = 420;       // dimensions carry their SXF parts

// Stored sizes from kPenWidthVersion on; two bytes less before it (no nPenWidth).
inline constexpr size_t kAttrSize = 15;
inline constexpr size_t kLineSize = 47;
inline constexpr size_t kEnkoSize = 75;
inline constexpr size_t kTenSize = 35;
inline constexpr size_t kMojiSize = 83;
inline constexpr size_t kSolidSize = 79;
inline constexpr size_t kBlockSize = 59;
inline constexpr size_t kBlockDefSize = 27;  // attribute, nNumber, bRefferd, dtime
inline constexpr size_t kTenExtraSize = 20;  // nCode, radKaitenKaku, dBairitsu (pen style 100)
inline constexpr uint8_t kTenStyleExtra = 100;
inline constexpr uint16_t kSolidOwnColor = 10;
inline constexpr uint32_t kDtimeLongForm = 0x80000000u;  // 8 bytes of time follow
inline constexpr size_t kDtimeLongBytes = 8;

// The least a stored object, definition or image entry can occupy: what a
// count is checked against before anything is allocated for it.
inline constexpr uint64_t kMinObjectBytes = 2;      // its class tag
inline constexpr uint64_t kMinBlockDefBytes = 2;    // its class tag
inline constexpr uint64_t kMinImageEntryBytes = 5;  // name length byte and size
// A declared class name longer than this cannot name a class.
inline constexpr size_t kMaxClassNameBytes = 2047;

// The order list and the seven entity arrays of the document or of one block
// definition; the object-list code works on either through this view.
struct EntityArrays {
  std::vector<TEntJwwNo>* no;
  std::vector<TEntJwwLine>* line;
  std::vector<TEntJwwEnko>* enko;
  std::vector<TEntJwwTen>* ten;
  std::vector<TEntJwwMoji>* moji;
  std::vector<TEntJwwSunpo>* sunpo;
  std::vector<TEntJwwSolid>* solid;
  std::vector<TEntJwwBlock>* block;

  // Whether the order entry names an element of its array.
  bool Names(const TEntJwwNo& e) const {
    if (e.EntNo < 0) return false;
    const size_t i = static_cast<size_t>(e.EntNo);
    switch (e.EntType) {
      case kEntLine:
        return i < line->size();
      case kEntEnko:
        return i < enko->size();
      case kEntTen:
        return i < ten->size();
      case kEntMoji:
        return i < moji->size();
      case kEntSunpo:
        return i < sunpo->size();
      case kEntSolid:
        return i < solid->size();
      case kEntBlock:
        return i < block->size();
      default:
        return false;
    }
  }
};

inline EntityArrays DocumentArrays(TJwwData& doc) {
  return {&doc.EntNo,   &doc.EntLine,  &doc.EntEnko,  &doc.EntTen,
          &doc.EntMoji, &doc.EntSunpo, &doc.EntSolid, &doc.EntBlock};
}

inline EntityArrays DefinitionArrays(TEntJwwBlockDef& def) {
  return {&def.mNo,   &def.mLine,  &def.mEnko,  &def.mTen,
          &def.mMoji, &def.mSunpo, &def.mSolid, &def.mBlock};
}

// The used part of an order list: its first `announced` entries, never more than it holds.
inline size_t UsedEntries(const std::vector<TEntJwwNo>& no, int32_t announced) {
  if (announced <= 0) return 0;
  return static_cast<size_t>(announced) < no.size() ? static_cast<size_t>(announced) : no.size();
}

// The block definitions the writer considers: the first Enthd.n2 of them.
inline size_t WrittenBlockDefs(const TJwwData& doc) {
  const int32_t n2 = doc.Enthd.n2;
  if (n2 <= 0) return 0;
  return static_cast<size_t>(n2) < doc.EntBlockDef.size() ? static_cast<size_t>(n2)
                                                          : doc.EntBlockDef.size();
}

}  // namespace plandock::entity_io
