#include "render/preview.h"

#include <algorithm>
#include <array>

#include "render/svg_writer.h"

namespace plandock::render {
namespace {

constexpr std::array<uint32_t, 8> kStrong = {0xD62728, 0x1F77B4, 0x2CA02C, 0xFF7F0E,
                                             0x9467BD, 0x17BECF, 0xE377C2, 0x8C564B};

// A range of drawing-order positions and the colour it is drawn in.
struct Span {
  uint32_t begin, end, rgb;
};

// Spans sorted by begin and not overlapping, as one merge job's entries are.
uint32_t ColorOf(const std::vector<Span>& spans, uint32_t source) {
  auto it = std::upper_bound(spans.begin(), spans.end(), source,
                             [](uint32_t s, const Span& span) { return s < span.begin; });
  if (it == spans.begin()) return kPreviewBaseGrey;
  --it;
  return source < it->end ? it->rgb : kPreviewBaseGrey;
}

}  // namespace

uint32_t HighlightColor(size_t k) { return kStrong[k % kStrong.size()]; }

std::string RenderPreviewSvg(const TJwwData& result, const PreviewDescription& description) {
  DisplayList list = BuildDisplayList(result, description.render);
  std::vector<Span> spans;
  SvgOptions svg;
  svg.width_px = description.width_px;
  if (!description.base.empty()) svg.legend.push_back({kPreviewBaseGrey, description.base});
  for (size_t k = 0; k < description.sets.size(); ++k) {
    const HighlightSet& set = description.sets[k];
    const uint32_t rgb = HighlightColor(k);
    for (const auto& [begin, end] : set.ranges) {
      if (begin < end) spans.push_back({begin, end, rgb});
    }
    for (const Point2& p : set.reference_points) svg.marks.push_back({p, rgb});
    std::u16string text = set.drawing;
    if (!set.target.empty()) text += u" → " + set.target;
    svg.legend.push_back({rgb, text});
  }
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.begin < b.begin; });
  std::array<uint32_t, 16> by_group;
  by_group.fill(kPreviewBaseGrey);
  for (size_t k = description.sets.size(); k-- > 0;) {  // the first set that names a group wins
    for (int g = 0; g < 16; ++g) {
      if (description.sets[k].layer_groups & (1u << g)) by_group[g] = HighlightColor(k);
    }
  }
  for (Primitive& p : list.primitives) {
    p.rgb = ColorOf(spans, p.source);
    if (p.rgb == kPreviewBaseGrey) p.rgb = by_group[p.layer_group];
  }
  return WriteSvg(list, svg);
}

}  // namespace plandock::render
