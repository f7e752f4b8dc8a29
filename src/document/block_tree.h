// The tree of block insertions, the marks of reached definitions and their output numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "document/document.h"

namespace plandock {

// Most tree nodes MakeBlockTree appends (top-level nodes always exist): a guard
// against hostile nesting that would multiply the nodes exponentially. About
// 110 bytes a node; real drawings stay far below it.
inline constexpr size_t kBlockTreeNodeBudget = size_t{1} << 20;

// Rebuilds EntBlockTree, every definition's ref_flag/ref_no and EntBlockNum.
// A definition already on the path from the root is not expanded again; past
// the node budget no node is appended, but the marks and numbers stay exact.
void MakeBlockTree(TJwwData& doc);
void MakeBlockTree(TJwwData& doc, size_t node_budget);
// The number to write for block number n, from the marks of the last MakeBlockTree.
uint32_t ChangeBlockNo(const TJwwData& doc, uint32_t n);

// ChangeBlockNo for many numbers: built once from the marks of the last
// MakeBlockTree, then O(1) per number. Same results as ChangeBlockNo.
class BlockNoMap {
 public:
  explicit BlockNoMap(const TJwwData& doc);
  uint32_t operator()(uint32_t n) const;

 private:
  std::unordered_map<uint32_t, uint32_t> map_;  // number -> number to write
};

}  // namespace plandock
