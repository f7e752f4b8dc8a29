// The values the writer stores in place of the document's own: clamps,
// cleaned names and the defaults of unused user-defined table rows.

#include "document/header_io_internal.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock::header_io {
namespace {

HeaderTables CopyOf(const TJwwData& doc) {
  HeaderTables t{doc.Enthd,   doc.EntLgrp, doc.EntLay,  doc.EntCol,  doc.EntLtp1,
                 doc.EntLtp2, doc.EntLtp3, doc.EntColS, doc.EntLtpS, doc.EntMoj};
  SizeTables(t);
  return t;
}

std::u16string CleanName(const std::u16string& s) { return s.empty() ? s : SanitizeCadText(s); }

// A name that cleaning leaves blank is replaced by its prefix and row number.
std::u16string CleanOrNumberedName(const std::u16string& s, const char16_t* prefix, int row) {
  std::u16string clean = CleanName(s);
  if (IsBlank(clean)) return prefix + IntToText(row);
  return clean;
}

int32_t RgbOrZero(int32_t c) { return c < 0 || c > 0xFFFFFF ? 0 : c; }

template <class T>
T Clamp(T x, T lo, T hi) {
  if (x < lo) return lo;
  if (x > hi) return hi;
  return x;  // also NaN, which no comparison moves
}

void ApplyLineWidthRule(TEntJwwHeader& h, int32_t ver) {
  if (ver <= layout::kLastNarrowLineWidthMode && h.nMaxDrawWid < -101) h.nMaxDrawWid = -101;
}

void PackPrintValue(TEntJwwHeader& h, int32_t ver) {
  if (ver < layout::kSincePrintDpi) return;
  const int64_t tens = h.nPrtDpi > 0 ? int64_t{10} * h.nPrtDpi : 10;
  h.nPrtDispOnlyNonDraw = static_cast<int32_t>(h.nPrtDispOnlyNonDraw + tens);
}

void CleanLayerNames(HeaderTables& t) {
  for (TEntJwwLayer& l : t.EntLay) l.aStrLayName = CleanName(l.aStrLayName);
  for (TEntJwwLayerGroup& g : t.EntLgrp) g.aStrGLayName = CleanName(g.aStrGLayName);
}

void ApplyPenColorRules(HeaderTables& t) {
  for (TEntJwwColorNo& c : t.EntCol) {
    c.aPenColor = RgbOrZero(c.aPenColor);
    c.anPenWidth = Clamp(c.anPenWidth, 1, 16);
    c.aPrtPenColor = RgbOrZero(c.aPrtPenColor);
    c.anPrtPenWidth = Clamp(c.anPrtPenWidth, 1, 500);
    c.adPrtTenHankei = Clamp(c.adPrtTenHankei, 0.1, 10.0);
  }
  t.EntCol[0].aPrtPenColor = 0xFFFFFF;  // the background prints white
}

// SXF colours 17 and up are user-defined: they print in their screen colour.
constexpr int kFirstUserSxfColor = 17;
constexpr int kFirstUserSxfLineType = 17;

void ApplySxfColorRules(HeaderTables& t) {
  for (int i = 0; i < kSxfColorCount; ++i) {
    TEntJwwColorExNo& c = t.EntColS[i];
    c.astrUDColorName = CleanOrNumberedName(c.astrUDColorName, u"Color_", i);
    if (i >= kFirstUserSxfColor) c.aPrtPenColor = c.aPenColor;
  }
}

bool IsUsableSegmentCount(int32_t n) { return n == 2 || n == 4 || n == 6 || n == 8; }

// A user-defined line type without a usable dash pattern gets a plain
// two-segment pattern, so the CAD program can draw it.
void ReplaceUnusableLineType(TEntJwwLineTypeExNo& lt, int row) {
  lt.alLType = static_cast<int32_t>(0xC3C3C3C3u);
  lt.anTokushuSenUintDot = 8;
  lt.anTokushuSenPich = 1;
  lt.anPrtTokushuSenPich = 8;
  lt.astrUDLTypeName = u"LType_" + IntToText(row);
  lt.anUDLTypeSegment = 2;
  lt.aadUDLTypePitch = {1.0, 1.0, 0, 0, 0, 0, 0, 0, 0, 0};
}

void ApplySxfLineTypeRules(HeaderTables& t) {
  for (int i = 0; i < kSxfLineTypeCount; ++i) {
    TEntJwwLineTypeExNo& lt = t.EntLtpS[i];
    if (i >= kFirstUserSxfLineType && !IsUsableSegmentCount(lt.anUDLTypeSegment)) {
      ReplaceUnusableLineType(lt, i);
    }
    if (lt.alLType == 0) lt.alLType = -1;
    lt.astrUDLTypeName = CleanOrNumberedName(lt.astrUDLTypeName, u"LType_", i);
  }
}

void ClampTextSizes(HeaderTables& t) {
  for (TEntJwwMojiType& m : t.EntMoj) {
    m.adMojiX = layout::TextSizeForWrite(m.adMojiX);
    m.adMojiY = layout::TextSizeForWrite(m.adMojiY);
  }
  t.Enthd.dMojiSizeX = layout::TextSizeForWrite(t.Enthd.dMojiSizeX);
  t.Enthd.dMojiSizeY = layout::TextSizeForWrite(t.Enthd.dMojiSizeY);
}

}  // namespace

HeaderTables PrepareForWrite(const TJwwData& doc, int32_t ver) {
  HeaderTables t = CopyOf(doc);
  ApplyLineWidthRule(t.Enthd, ver);
  PackPrintValue(t.Enthd, ver);
  CleanLayerNames(t);
  ApplyPenColorRules(t);
  if (ver >= layout::kSinceSxf) {
    ApplySxfColorRules(t);
    ApplySxfLineTypeRules(t);
  }
  ClampTextSizes(t);
  return t;
}

}  // namespace plandock::header_io
