// The values the writer stores in an attribute block in place of the record's
// own: SXF numbers mapped for older versions, out-of-range values reset.
#include "document/entity_io.h"
#include "document/layout_internal.h"

namespace plandock {

namespace {

// Versions below 420: SXF pen styles 31..45 of lines and arcs (46..62 -> 1).
constexpr uint8_t kSxfStyleToStandard[15] = {1, 4, 3, 6, 8, 8, 2, 5, 7, 6, 6, 8, 8, 17, 17};
// Versions below 420: SXF pen colours 101..116 (117..356 -> 1).
constexpr uint16_t kSxfColorToStandard[16] = {2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

TEntJwwAttr AttrForWrite(int32_t version, const TEntJwwAttr& attr, int32_t kind) {
  TEntJwwAttr a = attr;
  const bool line_like = kind == kEntLine || kind == kEntEnko;
  const bool coloured = kind >= kEntLine && kind <= kEntSolid;

  // Rule 1: no SXF numbers before version 420 (kSinceSxf).
  if (version < layout::kSinceSxf) {
    if (line_like) {
      if (InRange(a.nPenStyle, 31, 45)) {
        a.nPenStyle = kSxfStyleToStandard[a.nPenStyle - 31];
      } else if (InRange(a.nPenStyle, 46, 62)) {
        a.nPenStyle = 1;
      }
    }
    if (coloured) {
      if (InRange(a.nPenColor, 101, 116)) {
        a.nPenColor = kSxfColorToStandard[a.nPenColor - 101];
      } else if (InRange(a.nPenColor, 117, 356)) {
        a.nPenColor = 1;
      }
    }
  }

  // Rule 2: out-of-range values, every version.
  const int style = a.nPenStyle;
  const int color = a.nPenColor;
  if (line_like) {
    if (!(InRange(style, 1, 9) || InRange(style, 11, 19) || InRange(style, 31, 62))) {
      a.nPenStyle = 1;
    }
  } else if (kind == kEntTen) {
    if (style != 1 && style != 100) a.nPenStyle = 1;
  } else if (kind == kEntMoji) {
    if (!InRange(style, 1, 9)) a.nPenStyle = 1;
  }
  if (kind >= kEntLine && kind <= kEntSunpo) {
    if (!(InRange(color, 1, 9) || InRange(color, 101, 356))) a.nPenColor = 1;
  } else if (kind == kEntSolid) {
    if (!(InRange(color, 1, 10) || InRange(color, 101, 356))) a.nPenColor = 1;
  }
  if (a.nLayer > 15) a.nLayer = 0;
  if (a.nGLayer > 15) a.nGLayer = 0;
  if (a.nPenWidth > 30000) a.nPenWidth = 0;
  return a;
}

}  // namespace plandock
