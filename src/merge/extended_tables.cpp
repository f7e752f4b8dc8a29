// Taking over the merged drawing's user-defined extended colours and line types.
#include <algorithm>

#include "merge/extended_tables_internal.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

// User-defined slots; 1..16 are predefined and never taken over.
constexpr size_t kFirstUserColor = 17;
constexpr size_t kLastUserColor = 256;
constexpr size_t kFirstUserLineType = 17;
constexpr size_t kLastUserLineType = 32;
// The colour value an unset extended colour slot holds (red, green, blue 192).
constexpr int32_t kUnsetColor = 12632256;

bool ColorSet(const TEntJwwColorExNo& c) {
  return !IsBlank(c.astrUDColorName) || (c.aPenColor != 0 && c.aPenColor != kUnsetColor);
}

bool BaseColorFree(const TEntJwwColorExNo& c) {
  return IsBlank(c.astrUDColorName) || c.aPenColor == 0 || c.aPenColor == kUnsetColor;
}

bool EvenIn(int32_t n, int32_t lo, int32_t hi) { return n >= lo && n <= hi && n % 2 == 0; }

bool BaseLineTypeUsed(const TEntJwwLineTypeExNo& t) {
  return !IsBlank(t.astrUDLTypeName) && t.alLType != 0 && EvenIn(t.anUDLTypeSegment, 1, 10) &&
         t.aadUDLTypePitch[0] >= 1e-8;
}

bool MergedLineTypeSet(const TEntJwwLineTypeExNo& t) {
  return !IsBlank(t.astrUDLTypeName) ||
         (t.alLType != 0 && EvenIn(t.anUDLTypeSegment, 2, 10) && t.aadUDLTypePitch[0] > 1e-8);
}

}  // namespace

void MergeExtendedTables(TJwwData& base, const TJwwData& merged) {
  const size_t colors = std::min(base.EntColS.size(), merged.EntColS.size());
  for (size_t i = kFirstUserColor; i <= kLastUserColor && i < colors; ++i) {
    TEntJwwColorExNo& to = base.EntColS[i];
    const TEntJwwColorExNo& from = merged.EntColS[i];
    if (!BaseColorFree(to) || !ColorSet(from)) continue;
    to = from;
    if (IsBlank(to.astrUDColorName))
      to.astrUDColorName = u"Color_" + IntToText(static_cast<int64_t>(i));
  }
  const size_t line_types = std::min(base.EntLtpS.size(), merged.EntLtpS.size());
  for (size_t i = kFirstUserLineType; i <= kLastUserLineType && i < line_types; ++i) {
    TEntJwwLineTypeExNo& to = base.EntLtpS[i];
    const TEntJwwLineTypeExNo& from = merged.EntLtpS[i];
    if (BaseLineTypeUsed(to) || !MergedLineTypeSet(from)) continue;
    to = from;
    if (IsBlank(to.astrUDLTypeName))
      to.astrUDLTypeName = u"LType_" + IntToText(static_cast<int64_t>(i));
  }
}

}  // namespace plandock
