#include "render/svg_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "render/view.h"
#include "util/text.h"

namespace plandock::render {
namespace {

constexpr char kFontFamily[] =
    "'Noto Sans CJK JP','Noto Sans JP','Yu Gothic','Meiryo','Hiragino Sans','IPAGothic',"
    "'MS Gothic',sans-serif";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Tenths of a pixel, without a trailing ".0", whatever the locale.
void Num(std::string& out, double v) {
  if (!std::isfinite(v)) v = 0;
  long long tenths = std::llround(std::clamp(v, -1e9, 1e9) * 10);
  char buf[24];
  char* end = buf;
  if (tenths < 0) {
    *end++ = '-';
    tenths = -tenths;
  }
  end = std::to_chars(end, buf + sizeof buf, tenths / 10).ptr;
  if (tenths % 10 != 0) {
    *end++ = '.';
    *end++ = static_cast<char>('0' + tenths % 10);
  }
  out.append(buf, end);
}

// ` name="value"`.
void Attr(std::string& out, const char* name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  Num(out, value);
  out += '"';
}

void Hex(std::string& out, uint32_t rgb) {
  out += '#';
  for (int shift = 20; shift >= 0; shift -= 4) out += kHexDigits[(rgb >> shift) & 0xF];
}

// Character data and attribute values: markup escaped, and the characters XML
// forbids (controls, U+FFFE, U+FFFF) dropped.
void Escaped(std::string& out, const std::u16string& text) {
  std::u16string clean;
  clean.reserve(text.size());
  for (char16_t c : text) {
    if ((c < 0x20 && c != u'\t') || c == 0xFFFE || c == 0xFFFF) continue;
    clean += c;
  }
  for (char c : TextToUtf8(clean)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

// Drawing millimetres to picture pixels, with room above the drawing for the legend.
struct View : ViewTransform {
  double margin = 0, legend_room = 0;
  int width = 0, height = 0;
};

constexpr double kLegendRow = 22, kLegendFont = 14, kLegendPad = 8;

View FitView(Box box, int width, size_t legend_rows) {
  View view;
  view.width = std::clamp(width, kMinSvgWidth, kMaxSvgWidth);
  view.margin = 8 + view.width * 0.02;
  if (legend_rows > 0) view.legend_room = legend_rows * kLegendRow + kLegendPad + view.margin / 2;
  if (box.empty) box = {0, 0, 1, 1, false};
  // Extents near the largest doubles would make their span infinite.
  double w = std::min(box.x1 - box.x0, 1e300), h = std::min(box.y1 - box.y0, 1e300);
  if (!(w > 0) && !(h > 0)) w = h = 1;
  const double inner = view.width - 2 * view.margin;
  view.scale = w > 0 ? inner / w : inner / h;
  if (h * view.scale > kMaxSvgWidth - 2 * view.margin - view.legend_room) {
    view.scale = std::max(kMaxSvgWidth - 2 * view.margin - view.legend_room, 1.0) / h;
  }
  if (w * view.scale < inner) box.x0 -= (inner / view.scale - w) / 2;  // centre a narrow drawing
  view.height = static_cast<int>(
      std::ceil(std::max(h * view.scale, 1.0) + 2 * view.margin + view.legend_room));
  view.x0 = box.x0;
  view.y1 = box.y1;
  view.left = view.margin;
  view.top = view.margin + view.legend_room;
  return view;
}

// One CSS class per distinct stroke or fill, so each element names only its class.
class Styles {
 public:
  explicit Styles(const DisplayList& list) : list_(list) {}

  int Stroke(const Primitive& p) {
    const uint64_t key = uint64_t{p.rgb} | uint64_t{p.width} << 24 | uint64_t{p.line_type} << 40;
    return ClassOf(key, [&] {
      css_ += "stroke:";
      Hex(css_, p.rgb);
      css_ += ";stroke-width:";
      Num(css_, StrokePx(p.width));
      const std::vector<float>& dashes = list_.line_types[p.line_type].dashes;
      if (!dashes.empty()) {
        css_ += ";stroke-dasharray:";
        for (size_t i = 0; i < dashes.size(); ++i) {
          if (i > 0) css_ += ' ';
          Num(css_, dashes[i] * kPxPerDot);
        }
      }
    });
  }

  int Fill(uint32_t rgb) {
    const uint64_t key = uint64_t{rgb} | uint64_t{1} << 48;
    return ClassOf(key, [&] {
      css_ += "fill:";
      Hex(css_, rgb);
      css_ += ";stroke:none";
    });
  }

  const std::string& Css() const { return css_; }

 private:
  // The class of `key`; `rule` writes its declarations the first time.
  template <class Rule>
  int ClassOf(uint64_t key, const Rule& rule) {
    auto [it, added] = classes_.try_emplace(key, static_cast<int>(classes_.size()));
    if (added) {
      css_ += ".c" + std::to_string(it->second) + '{';
      rule();
      css_ += "}\n";
    }
    return it->second;
  }

  const DisplayList& list_;
  std::unordered_map<uint64_t, int> classes_;
  std::string css_;
};

class Writer {
 public:
  Writer(const DisplayList& list, const View& view, std::string& out)
      : list_(list), view_(view), styles_(list), out_(out) {}

  void Primitive(const render::Primitive& p) {
    switch (p.kind) {
      case PrimitiveKind::kPolyline:
        if (p.count >= 2) Path(p, styles_.Stroke(p), false);
        break;
      case PrimitiveKind::kPolygon:
        if (p.count >= 3) Path(p, styles_.Fill(p.rgb), true);
        break;
      case PrimitiveKind::kArc:
        Arc(list_.arcs[p.data], styles_.Stroke(p));
        break;
      case PrimitiveKind::kText:
        Text(list_.texts[p.data], styles_.Fill(p.rgb));
        break;
      case PrimitiveKind::kMarker:
        Marker(list_.markers[p.data], styles_.Fill(p.rgb));
        break;
    }
  }

  const Styles& styles() const { return styles_; }

 private:
  void Open(const char* element, int cls) {
    out_ += '<';
    out_ += element;
    out_ += " class=\"c";
    char buf[12];
    out_.append(buf, std::to_chars(buf, buf + sizeof buf, cls).ptr);
    out_ += '"';
  }

  void XY(Point2 p) {
    Num(out_, p.x);
    out_ += ' ';
    Num(out_, p.y);
  }

  void Path(const render::Primitive& p, int cls, bool closed) {
    Open("path", cls);
    out_ += " d=\"";
    for (uint32_t i = 0; i < p.count; ++i) {
      out_ += i == 0 ? 'M' : 'L';
      XY(view_.Px(list_.points[p.data + i]));
    }
    if (closed) out_ += 'Z';
    out_ += "\"/>\n";
  }

  // The image of the unit circle under [u v] is an ellipse whose axes are the
  // singular values of that matrix, turned by the angle its SVD gives.
  void Arc(const ArcGeom& a, int cls) {
    const Point2 c = view_.Px(a.c), u = view_.PxVec(a.u), v = view_.PxVec(a.v);
    const double e = (u.x + v.y) / 2, f = (u.x - v.y) / 2, g = (u.y + v.x) / 2, h = (u.y - v.x) / 2;
    const double q = std::hypot(e, h), r = std::hypot(f, g);
    const double rx = q + r, ry = std::fabs(q - r);
    const double turn_deg = (std::atan2(g, f) + std::atan2(h, e)) / 2 * 180 / std::numbers::pi;
    const bool counter = (u.x * v.y - u.y * v.x) * a.sweep > 0;  // in picture coordinates
    auto at = [&](double t) {
      return Point2{c.x + u.x * std::cos(t) + v.x * std::sin(t),
                    c.y + u.y * std::cos(t) + v.y * std::sin(t)};
    };
    const bool whole = std::fabs(a.sweep) >= 2 * std::numbers::pi - 1e-9;
    // A whole ellipse is two halves: one arc command cannot end where it starts.
    const int pieces = whole ? 2 : 1;
    const double step = whole ? std::copysign(std::numbers::pi, a.sweep) : a.sweep;
    Open("path", cls);
    out_ += " d=\"M";
    XY(at(a.start));
    for (int i = 1; i <= pieces; ++i) {
      out_ += 'A';
      Num(out_, rx);
      out_ += ' ';
      Num(out_, ry);
      out_ += ' ';
      Num(out_, turn_deg);
      out_ += std::fabs(step) > std::numbers::pi + 1e-12 ? " 1 " : " 0 ";
      out_ += counter ? "1 " : "0 ";
      XY(at(a.start + step * i));
    }
    out_ += "\"/>\n";
  }

  void Text(const TextGeom& t, int cls) {
    const Point2 p = view_.Px(t.pos);
    Open("text", cls);
    Attr(out_, "x", p.x);
    Attr(out_, "y", p.y);
    Attr(out_, "font-size", std::max(t.height * view_.scale, 0.1));
    if (std::fabs(t.angle_deg) > 0.05) {
      out_ += " transform=\"rotate(";
      Num(out_, -t.angle_deg);
      out_ += ' ';
      XY(p);
      out_ += ")\"";
    }
    // The run length the drawing stores: a text in another font still fits its line.
    if (t.length * view_.scale >= 1) {
      Attr(out_, "textLength", t.length * view_.scale);
      out_ += " lengthAdjust=\"spacingAndGlyphs\"";
    }
    out_ += '>';
    Escaped(out_, list_.strings[t.text]);
    out_ += "</text>\n";
  }

  void Marker(const MarkerGeom& m, int cls) {
    const Point2 p = view_.Px(m.pos);
    Open("circle", cls);
    Attr(out_, "cx", p.x);
    Attr(out_, "cy", p.y);
    Attr(out_, "r", std::max(m.radius * view_.scale, 0.8));
    out_ += "/>\n";
  }

  const DisplayList& list_;
  const View& view_;
  Styles styles_;
  std::string& out_;
};

void Title(std::string& out, const std::string& label, const std::u16string& name) {
  out += "<title>" + label;
  if (!name.empty()) {
    out += ' ';
    Escaped(out, name);
  }
  out += "</title>\n";
}

// Primitives grouped by layer row (group * 16 + layer), drawing order kept in each.
std::vector<uint32_t> ByLayer(const DisplayList& list, std::array<uint32_t, 257>& starts) {
  starts.fill(0);
  for (const Primitive& p : list.primitives) ++starts[p.layer_group * 16u + p.layer + 1];
  for (size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
  std::vector<uint32_t> order(list.primitives.size());
  std::array<uint32_t, 257> next = starts;
  for (uint32_t i = 0; i < list.primitives.size(); ++i) {
    const Primitive& p = list.primitives[i];
    order[next[p.layer_group * 16u + p.layer]++] = i;
  }
  return order;
}

void Legend(std::string& out, const std::vector<SvgLegendRow>& rows, const View& view) {
  if (rows.empty()) return;
  double widest = 0;
  for (const SvgLegendRow& row : rows) {
    double em = 0;
    for (char16_t c : row.text) em += c < 0x80 ? 0.6 : 1.0;
    widest = std::max(widest, em * kLegendFont);
  }
  const double x = view.margin / 2, y = view.margin / 2;
  out += "<g id=\"legend\">\n<rect";
  Attr(out, "x", x);
  Attr(out, "y", y);
  Attr(out, "width", widest + 3 * kLegendPad + kLegendFont);
  Attr(out, "height", rows.size() * kLegendRow + kLegendPad);
  out += " fill=\"#fff\" fill-opacity=\"0.9\" stroke=\"#444\"/>\n";
  for (size_t i = 0; i < rows.size(); ++i) {
    const double top = y + kLegendPad + i * kLegendRow;
    out += "<rect";
    Attr(out, "x", x + kLegendPad);
    Attr(out, "y", top);
    Attr(out, "width", kLegendFont);
    Attr(out, "height", kLegendFont);
    out += " fill=\"";
    Hex(out, rows[i].rgb);
    out += "\"/>\n<text";
    Attr(out, "x", x + 2 * kLegendPad + kLegendFont);
    Attr(out, "y", top + kLegendFont - 2);
    Attr(out, "font-size", kLegendFont);
    out += " fill=\"#000\">";
    Escaped(out, rows[i].text);
    out += "</text>\n";
  }
  out += "</g>\n";
}

void Marks(std::string& out, const std::vector<SvgMark>& marks, const View& view) {
  if (marks.empty()) return;
  out += "<g id=\"reference-points\" fill=\"none\" stroke-width=\"2\">\n";
  for (const SvgMark& m : marks) {
    const Point2 p = view.Px(m.pos);
    out += "<path stroke=\"";
    Hex(out, m.rgb);
    out += "\" d=\"M";
    Num(out, p.x - 12);
    out += ' ';
    Num(out, p.y);
    out += "h24M";
    Num(out, p.x);
    out += ' ';
    Num(out, p.y - 12);
    out += "v24M";
    Num(out, p.x + 7);
    out += ' ';
    Num(out, p.y);
    out += "a7 7 0 1 1 -14 0a7 7 0 1 1 14 0\"/>\n";
  }
  out += "</g>\n";
}

}  // namespace

std::string WriteSvg(const DisplayList& list, const SvgOptions& options) {
  Box box = Extents(list);
  for (const SvgMark& m : options.marks) box.Add(m.pos);
  const View view = FitView(box, options.width_px, options.legend.size());

  std::array<uint32_t, 257> starts;
  const std::vector<uint32_t> order = ByLayer(list, starts);
  std::string body;
  body.reserve(list.primitives.size() * 64 + 4096);
  Writer writer(list, view, body);
  for (int g = 0; g < 16; ++g) {
    if (starts[g * 16] == starts[g * 16 + 16]) continue;
    const char gd = kHexDigits[g];
    body += std::string("<g id=\"group-") + gd + "\">\n";
    Title(body, std::string("[") + gd + "]", list.group_names[static_cast<size_t>(g)]);
    for (int l = 0; l < 16; ++l) {
      const int row = g * 16 + l;
      if (starts[row] == starts[row + 1]) continue;
      body += std::string("<g id=\"layer-") + gd + '-' + kHexDigits[l] + "\">\n";
      Title(body, std::string("[") + gd + '-' + kHexDigits[l] + "]",
            list.layer_names[static_cast<size_t>(row)]);
      for (uint32_t i = starts[row]; i < starts[row + 1]; ++i) {
        writer.Primitive(list.primitives[order[i]]);
      }
      body += "</g>\n";
    }
    body += "</g>\n";
  }
  Marks(body, options.marks, view);
  Legend(body, options.legend, view);

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const std::string w = std::to_string(view.width), h = std::to_string(view.height);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + ' ' + h + "\">\n<style>\n";
  out += "path{fill:none;stroke-linecap:round;stroke-linejoin:round}\n";
  out += std::string("text{font-family:") + kFontFamily + ";white-space:pre}\n";
  out += writer.styles().Css();
  out += "</style>\n<rect width=\"100%\" height=\"100%\" fill=\"";
  Hex(out, list.background);
  out += "\"/>\n";
  out += body;
  out += "</svg>\n";
  return out;
}

}  // namespace plandock::render
