#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "merge/block_merge_internal.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

constexpr uint32_t kMaxNameSuffix = 99999999;

size_t MarkerPos(const std::u16string& name) {
  const int pos = TextPos(kBlockNameMarker, UpperText(name));
  if (pos < 0) return name.size();
  return std::min(static_cast<size_t>(pos), name.size());
}

// Only for a damaged base whose numbers reach the top of the 32-bit range:
// shifting the merged numbers above them would wrap onto numbers in use, so
// the merged definitions take the unused numbers from 1 upward instead.
class FreeBlockNumbers {
 public:
  FreeBlockNumbers(const TJwwData& base, bool needed) : active_(needed) {
    if (!needed) return;
    for (const TEntJwwBlockDef& def : base.EntBlockDef) used_.insert(def.nNumber);
  }
  bool active() const { return active_; }
  uint32_t Take() {
    while (used_.contains(next_)) ++next_;
    used_.insert(next_);
    return next_;
  }

 private:
  bool active_;
  uint32_t next_ = 1;
  std::unordered_set<uint32_t> used_;
};

}  // namespace

std::u16string BlockNameHead(const std::u16string& name) { return name.substr(0, MarkerPos(name)); }

std::u16string BlockNameTail(const std::u16string& name) { return name.substr(MarkerPos(name)); }

uint32_t BlockTable::MapBlockNumber(uint32_t number) const {
  const auto it = by_no1_.find(number);
  return it == by_no1_.end() ? 0 : rows_[it->second].no2;
}

BlockEntryLookup BlockTable::LookupBlockEntry(uint32_t number) const {
  const auto it = by_no1_.find(number);
  if (it == by_no1_.end()) return {};
  const TJWW_BlockTable& row = rows_[it->second];
  return {row.no2, row.name1, row.name2};
}

void BlockTable::Add(TJWW_BlockTable row) {
  by_no1_.emplace(row.no1, rows_.size());
  rows_.push_back(std::move(row));
}

BlockNamer::BlockNamer(const TJwwData& base) {
  base_heads_.reserve(base.EntBlockDef.size());
  for (const TEntJwwBlockDef& def : base.EntBlockDef)
    base_heads_.insert(BlockNameHead(def.strName));
}

bool BlockNamer::BlockNameUsed(const std::u16string& name) const {
  return base_heads_.contains(BlockNameHead(name));
}

std::u16string BlockNamer::MakeUniqueBlockName(const std::u16string& name) {
  const std::u16string head = BlockNameHead(name);
  const std::u16string tail = BlockNameTail(name);
  uint32_t& last = next_n_[head];
  while (last < kMaxNameSuffix) {
    ++last;
    // The suffix cannot complete the marker, so head + "_" + n is the candidate's head.
    const std::u16string candidate_head = head + u"_" + IntToText(last);
    if (!base_heads_.contains(candidate_head) && !given_heads_.contains(candidate_head)) {
      return candidate_head + tail;
    }
  }
  return {};
}

void BlockNamer::NoteGivenName(const std::u16string& name) {
  given_heads_.insert(BlockNameHead(name));
}

BlockTable BuildBlockTable(const TJwwData& base, const TJwwData& merged) {
  uint64_t offset = 0;
  if (!base.EntBlockDef.empty()) {
    uint32_t largest = 0;
    for (const TEntJwwBlockDef& def : base.EntBlockDef) largest = std::max(largest, def.nNumber);
    offset = uint64_t{largest} + 1;
  }
  uint64_t top = 0;
  for (const TEntJwwBlockDef& def : merged.EntBlockDef) top = std::max<uint64_t>(top, def.nNumber);
  FreeBlockNumbers free_numbers(base, top + offset > UINT32_MAX);
  BlockNamer namer(base);
  BlockTable table;
  table.Reserve(merged.EntBlockDef.size());
  for (size_t i = 0; i < merged.EntBlockDef.size(); ++i) {
    const TEntJwwBlockDef& def = merged.EntBlockDef[i];
    TJWW_BlockTable row;
    row.no1 = def.nNumber;
    row.defno1 = static_cast<int32_t>(i);
    row.name1 = def.strName;
    row.no2 = free_numbers.active() ? free_numbers.Take() : static_cast<uint32_t>(row.no1 + offset);
    row.defno2 = static_cast<int32_t>(base.EntBlockDef.size() + i);
    row.name2 = namer.BlockNameUsed(row.name1) ? namer.MakeUniqueBlockName(row.name1) : row.name1;
    namer.NoteGivenName(row.name2);
    table.Add(std::move(row));
  }
  return table;
}

}  // namespace plandock
