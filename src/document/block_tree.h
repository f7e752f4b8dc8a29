// The tree of block insertions, the marks of reached definitions and their output numbers.
#pragma once

#include <cstdint>

#include "document/document.h"

namespace plandock {

// Rebuilds EntBlockTree, every definition's ref_flag/ref_no and EntBlockNum.
void MakeBlockTree(TJwwData& doc);
// The number to write for block number n, from the marks of the last MakeBlockTree.
uint32_t ChangeBlockNo(const TJwwData& doc, uint32_t n);

}  // namespace plandock
