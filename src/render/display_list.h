// A drawing as paper-independent primitives in drawing coordinates (millimetres,
// y up), block insertions expanded: what a picture writer or a window draws.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"

namespace plandock::render {

struct Point2 {
  double x = 0, y = 0;
};

enum class PrimitiveKind : uint8_t { kPolyline, kArc, kPolygon, kText, kMarker };

// An ellipse arc as the image of the unit circle: c + u·cos t + v·sin t for t
// from `start` over `sweep` (radians, negative turns the other way). Stays
// exact under any block transform, mirrors and shears included.
struct ArcGeom {
  Point2 c, u, v;
  double start = 0, sweep = 0;
};

struct TextGeom {
  Point2 pos;            // start of the base line
  double height = 0;     // character height
  double width = 0;      // character width
  double length = 0;     // start-to-end distance of the text line, 0 when unknown
  double angle_deg = 0;  // direction, counter-clockwise from +x
  uint32_t font = 0;     // font name as stored, in DisplayList::strings
  uint32_t text = 0;     // in DisplayList::strings
};

struct MarkerGeom {
  Point2 pos;
  double radius = 0;  // drawing units
};

// A dash pattern in screen dots: on, off, on, off... Empty is a solid line.
struct LineType {
  std::vector<float> dashes;
};

// One drawn thing. `data` indexes the list's array for its kind; for polylines
// and polygons it is the first of `count` points in `points`.
struct Primitive {
  PrimitiveKind kind = PrimitiveKind::kPolyline;
  uint8_t layer_group = 0;  // 0..15
  uint8_t layer = 0;        // 0..15
  uint8_t line_type = 0;    // index into DisplayList::line_types, 0 solid
  uint16_t pen_color = 0;   // the colour number as stored
  uint16_t width = 0;       // line width in hundredths of a paper millimetre, 0 thinnest
  uint32_t rgb = 0;         // resolved colour, 0xRRGGBB
  uint32_t data = 0;
  uint32_t count = 0;
  uint32_t source = 0;  // position in the drawing order of the top-level entity
};

inline constexpr size_t kLineTypeSlots = 64;  // pen styles 0..63

struct DisplayList {
  std::vector<Primitive> primitives;  // in drawing order
  std::vector<Point2> points;
  std::vector<ArcGeom> arcs;
  std::vector<TextGeom> texts;
  std::vector<MarkerGeom> markers;
  std::vector<std::u16string> strings;              // each distinct text once; [0] is empty
  std::array<LineType, kLineTypeSlots> line_types;  // by pen style
  uint32_t background = 0xFFFFFF;                   // 0xRRGGBB
  std::array<std::u16string, 16> group_names;
  std::array<std::u16string, 256> layer_names;  // group * 16 + layer
  bool truncated = false;  // the primitive budget was reached; the rest is left out
};

struct RenderOptions {
  bool screen_colors = false;  // screen colours on the drawing's background, else print on white
  bool show_hidden = false;    // also hidden layer groups and layers
  uint16_t layer_groups = 0xFFFF;  // bit g: draw layer group g
  // Guards against exponential block nesting: past either budget the rest is left out.
  size_t primitive_budget = size_t{1} << 22;
  size_t text_budget = size_t{1} << 26;  // UTF-16 units of all drawn texts together
};

// Every visible entry of the drawing order, block insertions expanded through
// nested definitions (a definition already on the path is not expanded again).
// Block members take the layer of their top-level insertion, and keep their own
// colour and line type. Text heights and marker sizes are paper sizes times the
// layer group's scale. Embedded-image marker texts are not drawn.
DisplayList BuildDisplayList(const TJwwData& doc, const RenderOptions& options = {});

// The 0xRRGGBB of a stored 0x00BBGGRR colour value.
inline uint32_t RgbFromColorRef(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty = true;
  void Add(Point2 p);
};

// The bounding box of everything drawn (a text by its base line and height).
Box Extents(const DisplayList& list);

}  // namespace plandock::render
