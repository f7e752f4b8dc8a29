// What `plandock info` tells about a drawing beyond its raw fields: the
// things a merge depends on, gathered once for the text and the JSON output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "merge/merge_record.h"

namespace plandock {

// A top-level text whose content is the reference text, blanks aside. Only
// those with `counts` place a merge; the others are the usual near misses.
struct ReferenceCandidate {
  const TEntJwwMoji* text = nullptr;
  bool counts = false;
  std::string why_not;  // empty when it counts
};

struct Extents {
  bool any = false;  // false when nothing is drawn
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
};

struct DrawingFacts {
  KindTotals counts{};  // drawing-order entries the writer would write, by kind
  std::vector<ReferenceCandidate> references;
  Extents extents;
  std::vector<int64_t> block_uses;  // insertions naming each EntBlockDef row, nested ones too
};

DrawingFacts GatherFacts(const TJwwData& doc, const std::u16string& reference_text);

std::string VersionInWords(int32_t version);  // "JWW version 7.00"
std::string EncodingInWords(bool unicode);
std::string PaperInWords(int32_t code);   // "A3 (420 x 297 mm)"
std::string StateInWords(int32_t state);  // "hidden", "display only", ...
// Up to three decimals, trailing zeros dropped, independent of the locale.
std::string Decimal(double x);
// A layer group or layer as the window names it: 0..9, then A..F.
char LayerDigit(int n);

}  // namespace plandock
