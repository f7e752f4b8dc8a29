// The block translation table of one merged drawing (new numbers above the
// base's, new names on clashes) and the copy of its block definitions.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/document.h"
#include "merge/merge_settings.h"
#include "merge/merge_targets_internal.h"

namespace plandock {

// The marker a block name may carry; a name's head is the part before it,
// found in the upper-cased name, and its tail the rest.
inline constexpr char16_t kBlockNameMarker[] = u"@@SFIGORGFLAG@@";

std::u16string BlockNameHead(const std::u16string& name);
std::u16string BlockNameTail(const std::u16string& name);

// One row per block definition of the merged drawing, in definition order.
struct TJWW_BlockTable {
  std::u16string name1;  // name in the merged drawing
  std::u16string name2;  // name in the result
  uint32_t no1 = 0;      // number in the merged drawing
  uint32_t no2 = 0;      // number in the result
  int32_t defno1 = 0;    // index in the merged drawing's definitions
  int32_t defno2 = 0;    // index in the result's definitions
};

// What LookupBlockEntry finds: number 0 and empty names when nothing matches.
struct BlockEntryLookup {
  uint32_t number = 0;
  std::u16string name1;
  std::u16string name2;
};

// The translation table of one merged drawing (JWW1Block). Built afresh for
// each merged drawing and passed to the transfer; it holds no global state.
class BlockTable {
 public:
  // no2 of the first row whose no1 is `number`; 0 when there is none.
  uint32_t MapBlockNumber(uint32_t number) const;
  // The same row's number and names; 0 and empty names when there is none.
  BlockEntryLookup LookupBlockEntry(uint32_t number) const;

  // Appends a row and indexes it by its no1 (the first row of a number wins).
  void Add(TJWW_BlockTable row);
  void Reserve(size_t n) { rows_.reserve(n); }
  const std::vector<TJWW_BlockTable>& rows() const { return rows_; }

 private:
  std::vector<TJWW_BlockTable> rows_;
  std::unordered_map<uint32_t, size_t> by_no1_;
};

// Hands out block names that do not clash: by head with the base's definitions
// and with the names already given to earlier rows of the table.
class BlockNamer {
 public:
  explicit BlockNamer(const TJwwData& base);

  // Whether the head of `name` equals the head of a block name of the base.
  bool BlockNameUsed(const std::u16string& name) const;
  // The first head + "_" + n + tail (n = 1 .. 99999999) whose head neither the
  // base nor an earlier row uses; empty when none is free.
  std::u16string MakeUniqueBlockName(const std::u16string& name);
  // Records the name given to the next row of the table.
  void NoteGivenName(const std::u16string& name);

 private:
  std::unordered_set<std::u16string> base_heads_;
  std::unordered_set<std::u16string> given_heads_;
  // The last n tried per head: the sets only grow, so a rejected candidate
  // stays rejected and the search can resume there.
  std::unordered_map<std::u16string, uint32_t> next_n_;
};

// Fills the table for merging `merged` into `base`: numbers move above the
// largest number of the base (offset 0 when the base has no definitions), and
// a name whose head the base already uses is replaced by MakeUniqueBlockName.
BlockTable BuildBlockTable(const TJwwData& base, const TJwwData& merged);

// Appends the merged drawing's block definitions to `base` with their new
// numbers and names, their entities filtered and recoloured but not moved, and
// raises Enthd.n2 and EntBlockNum by their number.
void AppendBlockDefinitions(TJwwData& base, const TJwwData& merged, const BlockTable& table,
                            const MergeTargets& targets, const MergeSettings& options);

}  // namespace plandock
