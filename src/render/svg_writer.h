// A display list as one SVG picture: the drawing's extents fitted to a width.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/display_list.h"

namespace plandock::render {

struct SvgLegendRow {
  uint32_t rgb = 0;  // 0xRRGGBB
  std::u16string text;
};

// A marker drawn over the drawing, such as a reference point of a merge.
struct SvgMark {
  Point2 pos;
  uint32_t rgb = 0;
};

struct SvgOptions {
  int width_px = 1600;
  std::vector<SvgLegendRow> legend;  // drawn in the top left corner when not empty
  std::vector<SvgMark> marks;
};

inline constexpr int kMinSvgWidth = 16;
inline constexpr int kMaxSvgWidth = 20000;

// Well-formed UTF-8 SVG: one <g> per layer group holding one <g> per layer,
// each with an id from its numbers and a <title> with its name; styles shared
// through classes; coordinates in pixels rounded to a tenth. The width is
// clamped to kMinSvgWidth..kMaxSvgWidth, and so is the height.
std::string WriteSvg(const DisplayList& list, const SvgOptions& options = {});

}  // namespace plandock::render
