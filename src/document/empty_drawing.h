// An empty drawing with every table at its full length, as tests, examples and
// benchmarks build their drawings from.
#pragma once

#include <cstdint>

#include "document/document.h"

namespace plandock {

// Empties `doc` and gives it the magic and `version`, 16 editable layer groups
// at scale 1 (group 0 current) of 16 editable layers (layer 0 current), and the
// pen, line-type, extended colour and line-type and text-type tables at their
// fixed lengths with every row zero.
void MakeEmptyDrawing(TJwwData& doc, int32_t version);

}  // namespace plandock
