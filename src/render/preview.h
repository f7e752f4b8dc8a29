// The merge preview: the result in grey, each merged drawing in its own
// strong colour, a legend and a marker at every reference point used.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "document/document.h"
#include "render/display_list.h"

namespace plandock::render {

// What one merged drawing added to the result, or any set of entities to show.
struct HighlightSet {
  std::u16string drawing;  // shown in the legend
  std::u16string target;   // its target layer group, as the legend shows it
  std::vector<std::pair<uint32_t, uint32_t>> ranges;  // [begin, end) positions in EntNo
  std::vector<Point2> reference_points;               // in the result's coordinates
  uint16_t layer_groups = 0;  // bit g: everything on layer group g belongs to the set too
};

struct PreviewDescription {
  std::u16string base;  // the base drawing's name for the legend; empty leaves its row out
  std::vector<HighlightSet> sets;
  RenderOptions render;
  int width_px = 1600;
};

inline constexpr uint32_t kPreviewBaseGrey = 0xB4B4B4;

// Colour of the k-th set: a fixed cycle of strong colours that read on white.
uint32_t HighlightColor(size_t k);

std::string RenderPreviewSvg(const TJwwData& result, const PreviewDescription& description);

}  // namespace plandock::render
