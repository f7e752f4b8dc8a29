// Shared by the object-list reader and writer: a view of the arrays one
// object list fills or writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "document/jww_types.h"

namespace plandock::entity_io {

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
