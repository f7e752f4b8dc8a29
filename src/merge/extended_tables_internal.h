// Taking over a merged drawing's extended colours and line types.
#pragma once

#include "document/document.h"

namespace plandock {

// Fills the user-defined extended colour slots 17..256 and line-type slots
// 17..32 that `base` leaves free with `merged`'s, naming unnamed ones
// "Color_<i>" and "LType_<i>". Entities keep their numbers.
void MergeExtendedTables(TJwwData& base, const TJwwData& merged);

}  // namespace plandock
