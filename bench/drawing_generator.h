// Large synthetic drawings for the benchmarks: the mix of entities, tables and
// block definitions that real floor plans have, reproducible from a seed.
#pragma once

#include <cstdint>

#include "document/document.h"

namespace plandock {

// Replaces `doc` with a drawing of `entity_count` top-level entities (about 60%
// lines, 15% texts, 10% arcs, 6% points, 3% each dimensions, solids and block
// insertions), a handful of block definitions with their own contents, and all
// tables filled. The same seed gives the same drawing on every platform.
// The block tree is built, so the drawing can be written at once.
// REQUIRES: entity_count >= 0; version is a file version 220..700 (600 or 700
// are the realistic ones). Keeps BindImageFolder and the image flags.
void MakeLargeDrawing(TJwwData& doc, int entity_count, uint32_t seed, int32_t version = 600);

}  // namespace plandock
