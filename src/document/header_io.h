// The header and tables at the start of a JWW file, in both directions. One
// field walk describes the stored layout; reading, writing and the layout
// report all follow it, so they cannot disagree on order or version gates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/archive.h"
#include "document/document.h"
#include "document/jww_file.h"

namespace plandock {

// Fixed table lengths of a read (or written) drawing.
inline constexpr int kLayerGroupCount = 16;
inline constexpr int kLayersPerGroup = 16;
inline constexpr int kPenColorCount = 10;
inline constexpr int kLineTypeCount = 8;
inline constexpr int kRandomLineCount = 5;
inline constexpr int kDoublePitchCount = 4;
inline constexpr int kSxfColorCount = 257;
inline constexpr int kSxfLineTypeCount = 33;
inline constexpr int kTextTypeCount = 10;

// Reads the header and tables (from byte 0) into `doc`, whose tables get their
// fixed lengths, and derives bSenHaba100, nMaxDrawWidBak, nPrtDpi and the
// finite-value repairs. False with *why kHeader (bad magic), kVersion (outside
// 220..700) or kIo (the data ends before the last field); `doc` then holds
// what was read. On success `in` stands at the entity list.
[[nodiscard]] bool ReadHeader(ArchiveReader& in, TJwwData& doc, ReadFailure* why);

// Writes magic, `version` and the header and tables of `doc` as that version
// stores them, with the writer's value rules applied to a copy (`doc` is not
// changed). Tables shorter than their fixed lengths are written padded with zeros.
void WriteHeader(ArchiveWriter& out, const TJwwData& doc, int32_t version);

// One stored header field located in a file image. `name` names the record
// field ("jwID" for the magic, "EntColS.astrUDColorName"; the unused runs are
// "reserved56" and "reserved4"), `row` the table row or array index (-1 for
// single fields).
struct HeaderFieldSpan {
  const char* name;
  int row;
  size_t begin;
  size_t end;
};

// Locates every stored header field of the file image, in file order, for
// tools and tests that compare files field by field. Empty when the magic or
// the version is not readable.
std::vector<HeaderFieldSpan> HeaderLayout(const uint8_t* data, size_t size);

}  // namespace plandock
