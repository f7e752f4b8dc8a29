#include <algorithm>
#include <cmath>

#include "render/styles_internal.h"

namespace plandock::render {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr double kDefaultPointRadius = 0.3;  // paper mm, when the table has none
constexpr double kDotsPerMm = 4.0;           // user-defined segments are paper mm
constexpr int32_t kHundredthsPerDot = 15;    // screen widths are dots

// One period of a pattern: its first `unit` steps, most significant bit first,
// each `pitch` dots; runs start with a drawn one. A period with no gap, or
// nothing drawn, is a solid line.
LineType FromBits(int32_t bits, int32_t unit, int32_t pitch) {
  const int n = std::clamp(unit, 1, 32);
  const auto pattern = static_cast<uint32_t>(bits);
  auto step = [pattern, n](int i) { return (pattern >> (31 - (i % n))) & 1u; };
  int on = 0;
  for (int i = 0; i < n; ++i) on += static_cast<int>(step(i));
  if (on == 0 || on == n) return {};
  int first = n;  // a drawn step after a gap; n stands for 0 so that first - 1 stays >= 0
  while (!(step(first) && !step(first - 1))) ++first;
  const float dots = static_cast<float>(std::clamp(pitch, 1, 16));
  LineType type;
  uint32_t current = 1;
  float run = 0;
  for (int i = first; i < first + n; ++i) {
    if (step(i) != current) {
      type.dashes.push_back(run);
      run = 0;
      current = step(i);
    }
    run += dots;
  }
  type.dashes.push_back(run);
  return type;
}

LineType FromSegments(const TEntJwwLineTypeExNo& row) {
  LineType type;
  const int n = std::clamp(row.anUDLTypeSegment, 0, 10);
  for (int i = 0; i < n; ++i) {
    const double mm = row.aadUDLTypePitch[static_cast<size_t>(i)];
    if (!std::isfinite(mm) || mm <= 0) return {};
    type.dashes.push_back(static_cast<float>(std::min(mm, 250.0) * kDotsPerMm));
  }
  // An odd list repeats to make its runs alternate, as SVG reads one.
  if (type.dashes.size() % 2 != 0) {
    type.dashes.insert(type.dashes.end(), type.dashes.begin(), type.dashes.end());
  }
  return type;
}

template <class Row>
const Row* RowAt(const std::vector<Row>& rows, int i) {
  return i >= 0 && static_cast<size_t>(i) < rows.size() ? &rows[static_cast<size_t>(i)] : nullptr;
}

}  // namespace

PenTable::PenTable(const TJwwData& doc, bool screen)
    : doc_(doc), screen_(screen), background_(kWhite) {
  if (screen) {
    const TEntJwwColorNo* row = RowAt(doc.EntCol, 0);
    background_ = row ? RgbFromColorRef(row->aPenColor) : kWhite;
  }
}

const TEntJwwColorNo* PenTable::Standard(int color) const {
  return color >= 1 && color <= 9 ? RowAt(doc_.EntCol, color) : nullptr;
}

const TEntJwwColorExNo* PenTable::Sxf(int color) const {
  return color >= 101 && color <= 356 ? RowAt(doc_.EntColS, color - 100) : nullptr;
}

uint32_t PenTable::Rgb(const TEntJwwAttr& att) const {
  if (const TEntJwwColorNo* row = Standard(att.nPenColor)) {
    return RgbFromColorRef(screen_ ? row->aPenColor : row->aPrtPenColor);
  }
  if (const TEntJwwColorExNo* row = Sxf(att.nPenColor)) {
    return RgbFromColorRef(screen_ ? row->aPenColor : row->aPrtPenColor);
  }
  // An unknown colour must stay visible on either background.
  return background_ == kBlack ? kWhite : kBlack;
}

uint16_t PenTable::Width(const TEntJwwAttr& att) const {
  if (att.nPenWidth != 0) return att.nPenWidth;
  int32_t width = 0;
  if (const TEntJwwColorNo* row = Standard(att.nPenColor)) {
    width = screen_ ? row->anPenWidth * kHundredthsPerDot : row->anPrtPenWidth;
  } else if (const TEntJwwColorExNo* row = Sxf(att.nPenColor)) {
    width = screen_ ? row->anPenWidth * kHundredthsPerDot : row->anPrtPenWidth;
  }
  return static_cast<uint16_t>(std::clamp(width, 0, 0xFFFF));
}

double PenTable::PointRadius(const TEntJwwAttr& att) const {
  double radius = 0;
  if (const TEntJwwColorNo* row = Standard(att.nPenColor)) {
    radius = row->adPrtTenHankei;
  } else if (const TEntJwwColorExNo* row = Sxf(att.nPenColor)) {
    radius = row->adPrtTenHankei;
  }
  return std::isfinite(radius) && radius > 0 && radius < 100 ? radius : kDefaultPointRadius;
}

void FillLineTypes(const TJwwData& doc, DisplayList& list) {
  for (int style = 2; style <= 9; ++style) {
    if (const TEntJwwLineTypeNo* row = RowAt(doc.EntLtp1, style - 2)) {
      list.line_types[static_cast<size_t>(style)] =
          FromBits(row->alLType, row->anTokushuSenUintDot, row->anTokushuSenPich);
    }
  }
  // Random lines (11..15) are drawn solid: their waves have no dash pattern.
  for (int style = 16; style <= 19; ++style) {
    if (const TEntJwwLineTypeNo* row = RowAt(doc.EntLtp3, style - 16)) {
      list.line_types[static_cast<size_t>(style)] =
          FromBits(row->alLType, row->anTokushuSenUintDot, row->anTokushuSenPich);
    }
  }
  for (int style = 31; style <= 62; ++style) {
    if (const TEntJwwLineTypeExNo* row = RowAt(doc.EntLtpS, style - 30)) {
      list.line_types[static_cast<size_t>(style)] =
          row->anUDLTypeSegment > 0
              ? FromSegments(*row)
              : FromBits(row->alLType, row->anTokushuSenUintDot, row->anTokushuSenPich);
    }
  }
}

}  // namespace plandock::render
