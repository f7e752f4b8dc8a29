#include "render/display_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "render/styles_internal.h"

namespace plandock::render {
namespace {

constexpr int kMaxBlockDepth = 64;  // far beyond real drawings; keeps the stack small
constexpr int kFullCircleSegments = 72;

// (x, y) -> (x0 + r1 x + r2 y, y0 + r3 x + r4 y), as the block tree composes it.
struct Affine {
  double x0 = 0, y0 = 0, r1 = 1, r2 = 0, r3 = 0, r4 = 1;

  Point2 Map(double x, double y) const { return {x0 + r1 * x + r2 * y, y0 + r3 * x + r4 * y}; }
  Point2 MapVec(double x, double y) const { return {r1 * x + r2 * y, r3 * x + r4 * y}; }
  Affine Then(const TEntJwwBlock& b) const {
    const double c = std::cos(b.radKaitenKaku), s = std::sin(b.radKaitenKaku);
    const double c1 = c * b.dBairitsuX, c2 = -s * b.dBairitsuY;
    const double c3 = s * b.dBairitsuX, c4 = c * b.dBairitsuY;
    const Point2 p = Map(b.DPKijunTen_x, b.DPKijunTen_y);
    return {p.x, p.y, r1 * c1 + r2 * c3, r1 * c2 + r2 * c4, r3 * c1 + r4 * c3, r3 * c2 + r4 * c4};
  }
  double AreaScale() const { return std::sqrt(std::fabs(r1 * r4 - r2 * r3)); }
};

// Where a top-level entity and everything inside it lands.
struct Frame {
  Affine map;
  uint8_t group = 0, layer = 0;
  double units = 1;  // drawing units per paper millimetre in the layer group
  uint32_t source = 0;
};

// The entity arrays of the drawing or of one block definition.
struct Arrays {
  const std::vector<TEntJwwNo>& order;
  const std::vector<TEntJwwLine>& line;
  const std::vector<TEntJwwEnko>& enko;
  const std::vector<TEntJwwTen>& ten;
  const std::vector<TEntJwwMoji>& moji;
  const std::vector<TEntJwwSunpo>& sunpo;
  const std::vector<TEntJwwSolid>& solid;
  const std::vector<TEntJwwBlock>& block;
};

Arrays Of(const TJwwData& d) {
  return {d.EntNo, d.EntLine, d.EntEnko, d.EntTen, d.EntMoji, d.EntSunpo, d.EntSolid, d.EntBlock};
}
Arrays Of(const TEntJwwBlockDef& d) {
  return {d.mNo, d.mLine, d.mEnko, d.mTen, d.mMoji, d.mSunpo, d.mSolid, d.mBlock};
}

template <class T>
const T* At(const std::vector<T>& v, int32_t i) {
  return i >= 0 && static_cast<size_t>(i) < v.size() ? &v[static_cast<size_t>(i)] : nullptr;
}

// A damaged file's layer numbers outside 0..15 mean 0, as the writer writes them.
uint8_t Clamp15(uint16_t n) { return n <= 15 ? static_cast<uint8_t>(n) : 0; }

bool Finite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool IsImageMarker(const std::u16string& s) { return s.starts_with(u"^@BM"); }

// The run length a text's characters take in paper millimetres: half-width
// characters half the character width, a surrogate pair one character.
double PaperLength(const TEntJwwMoji& m) {
  double length = 0;
  int chars = 0;
  for (char16_t c : m.str) {
    if (c >= 0xDC00 && c <= 0xDFFF) continue;
    const bool half = c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
    length += half ? m.dSizeX / 2 : m.dSizeX;
    ++chars;
  }
  return length + m.dKankaku * std::max(chars - 1, 0);
}

// Drawing units per paper millimetre of one text, from the run its start and
// end points span; 0 when they tell nothing.
double TextUnits(const TEntJwwMoji& m) {
  const double paper = PaperLength(m);
  const double drawn = std::hypot(m.end_x - m.start_x, m.end_y - m.start_y);
  const double units = paper > 0 ? drawn / paper : 0;
  return std::isfinite(units) && units > 0 ? units : 0;
}

class Builder {
 public:
  Builder(const TJwwData& doc, const RenderOptions& options, DisplayList& out)
      : doc_(doc), options_(options), out_(out), pens_(doc, options.screen_colors) {
    for (size_t i = 0; i < doc.EntBlockDef.size(); ++i) {
      defs_.try_emplace(doc.EntBlockDef[i].nNumber, i);  // the first of a number wins
    }
    on_path_.assign(doc.EntBlockDef.size(), false);
    MeasureGroupUnits();
  }

  void Run() {
    out_.background = pens_.Background();
    FillLineTypes(doc_, out_);
    for (size_t g = 0; g < 16 && g < doc_.EntLgrp.size(); ++g) {
      out_.group_names[g] = doc_.EntLgrp[g].aStrGLayName;
    }
    for (size_t l = 0; l < 256 && l < doc_.EntLay.size(); ++l) {
      out_.layer_names[l] = doc_.EntLay[l].aStrLayName;
    }
    const Arrays top = Of(doc_);
    for (size_t i = 0; i < top.order.size() && !out_.truncated; ++i) {
      const TEntJwwAttr* att = AttOf(top, top.order[i]);
      if (!att || !Visible(*att)) continue;
      Frame frame;
      frame.group = Clamp15(att->nGLayer);
      frame.layer = Clamp15(att->nLayer);
      frame.units = group_units_[frame.group];
      frame.source = static_cast<uint32_t>(i);
      Entity(top, top.order[i], frame, 0);
    }
  }

 private:
  const TEntJwwAttr* AttOf(const Arrays& a, const TEntJwwNo& e) const {
    switch (e.EntType) {
      case kEntLine:
        if (auto* p = At(a.line, e.EntNo)) return &p->att;
        break;
      case kEntEnko:
        if (auto* p = At(a.enko, e.EntNo)) return &p->att;
        break;
      case kEntTen:
        if (auto* p = At(a.ten, e.EntNo)) return &p->att;
        break;
      case kEntMoji:
        if (auto* p = At(a.moji, e.EntNo)) return &p->att;
        break;
      case kEntSunpo:
        if (auto* p = At(a.sunpo, e.EntNo)) return &p->att;
        break;
      case kEntSolid:
        if (auto* p = At(a.solid, e.EntNo)) return &p->att;
        break;
      case kEntBlock:
        if (auto* p = At(a.block, e.EntNo)) return &p->att;
        break;
    }
    return nullptr;
  }

  bool Visible(const TEntJwwAttr& att) const {
    const uint8_t g = Clamp15(att.nGLayer);
    if (!(options_.layer_groups & (1u << g))) return false;
    if (options_.show_hidden) return true;
    const TEntJwwLayerGroup* group = At(doc_.EntLgrp, g);
    const TEntJwwLayer* layer = At(doc_.EntLay, g * 16 + Clamp15(att.nLayer));
    return (!group || group->anGLay != kLayHidden) && (!layer || layer->aanLay != kLayHidden);
  }

  double GroupScale(uint8_t g) const {
    const TEntJwwLayerGroup* group = At(doc_.EntLgrp, g);
    return group && std::isfinite(group->adScale) && group->adScale > 0 ? group->adScale : 1.0;
  }

  // Paper sizes become drawing sizes by the factor the group's own texts show.
  // Drawings store coordinates either at real size or at the paper's size; a
  // group without texts takes its scale in the first case and the drawing's
  // factor in the second.
  void MeasureGroupUnits() {
    std::array<std::vector<double>, 16> seen;
    std::vector<double> all, per_scale;
    for (const TEntJwwMoji& m : doc_.EntMoji) {
      const double units = TextUnits(m);
      if (units <= 0) continue;
      const uint8_t g = Clamp15(m.att.nGLayer);
      seen[g].push_back(units);
      all.push_back(units);
      per_scale.push_back(units / GroupScale(g));
    }
    const double ratio = per_scale.empty() ? 1.0 : Median(per_scale);
    const bool real_size = ratio > 0.5 && ratio < 2;
    const double overall = all.empty() ? 1.0 : Median(all);
    for (uint8_t g = 0; g < 16; ++g) {
      if (!seen[g].empty()) {
        group_units_[g] = Median(seen[g]);
      } else {
        group_units_[g] = real_size ? GroupScale(g) : overall;
      }
    }
  }

  static double Median(std::vector<double>& v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
  }

  void Entity(const Arrays& a, const TEntJwwNo& e, const Frame& f, int depth) {
    switch (e.EntType) {
      case kEntLine:
        if (auto* p = At(a.line, e.EntNo)) Line(*p, f);
        break;
      case kEntEnko:
        if (auto* p = At(a.enko, e.EntNo)) Arc(*p, f);
        break;
      case kEntTen:
        if (auto* p = At(a.ten, e.EntNo)) Marker(*p, f);
        break;
      case kEntMoji:
        if (auto* p = At(a.moji, e.EntNo)) Text(*p, f);
        break;
      case kEntSunpo:
        if (auto* p = At(a.sunpo, e.EntNo)) Dimension(*p, f);
        break;
      case kEntSolid:
        if (auto* p = At(a.solid, e.EntNo)) Solid(*p, f);
        break;
      case kEntBlock:
        if (auto* p = At(a.block, e.EntNo)) Block(*p, f, depth);
        break;
    }
  }

  void Block(const TEntJwwBlock& b, const Frame& f, int depth) {
    const auto found = defs_.find(b.nNumber);
    if (found == defs_.end() || depth >= kMaxBlockDepth || on_path_[found->second]) return;
    const TEntJwwBlockDef& def = doc_.EntBlockDef[found->second];
    Frame inner = f;
    inner.map = f.map.Then(b);
    on_path_[found->second] = true;
    const Arrays members = Of(def);
    for (const TEntJwwNo& e : members.order) {
      if (out_.truncated) break;
      Entity(members, e, inner, depth + 1);
    }
    on_path_[found->second] = false;
  }

  // Appends a primitive, or marks the list truncated once the budget is spent.
  Primitive* Add(PrimitiveKind kind, const TEntJwwAttr& att, const Frame& f, size_t data) {
    if (out_.primitives.size() >= options_.primitive_budget) {
      out_.truncated = true;
      return nullptr;
    }
    Primitive& p = out_.primitives.emplace_back();
    p.kind = kind;
    p.layer_group = f.group;
    p.layer = f.layer;
    p.line_type = att.nPenStyle < kLineTypeSlots ? att.nPenStyle : 0;
    p.pen_color = att.nPenColor;
    p.width = pens_.Width(att);
    p.rgb = pens_.Rgb(att);
    p.data = static_cast<uint32_t>(data);
    p.source = f.source;
    return &p;
  }

  void Line(const TEntJwwLine& l, const Frame& f) {
    if (!Finite({l.start_x, l.start_y, l.end_x, l.end_y})) return;
    Polyline(PrimitiveKind::kPolyline, l.att, f,
             {f.map.Map(l.start_x, l.start_y), f.map.Map(l.end_x, l.end_y)});
  }

  void Polyline(PrimitiveKind kind, const TEntJwwAttr& att, const Frame& f,
                std::initializer_list<Point2> pts) {
    Primitive* p = Add(kind, att, f, out_.points.size());
    if (!p) return;
    p->count = static_cast<uint32_t>(pts.size());
    out_.points.insert(out_.points.end(), pts);
  }

  void Arc(const TEntJwwEnko& a, const Frame& f) {
    if (!Finite({a.start_x, a.start_y, a.dHankei, a.radKaishiKaku, a.radEnkoKaku, a.radKatamukiKaku,
                 a.dHenpeiRitsu})) {
      return;
    }
    const double r = a.dHankei, k = a.dHenpeiRitsu;
    const double ct = std::cos(a.radKatamukiKaku), st = std::sin(a.radKatamukiKaku);
    ArcGeom g;
    g.c = f.map.Map(a.start_x, a.start_y);
    g.u = f.map.MapVec(r * ct, r * st);
    g.v = f.map.MapVec(-r * k * st, r * k * ct);
    g.start = a.radKaishiKaku;
    g.sweep = a.bZenEnFlg ? 2 * std::numbers::pi : a.radEnkoKaku;
    if (Add(PrimitiveKind::kArc, a.att, f, out_.arcs.size())) out_.arcs.push_back(g);
  }

  void Marker(const TEntJwwTen& t, const Frame& f) {
    if (!Finite({t.start_x, t.start_y})) return;
    double radius = pens_.PointRadius(t.att) * f.units * f.map.AreaScale();
    if (t.att.nPenStyle == 100 && std::isfinite(t.dBairitsu) && t.dBairitsu > 0) {
      radius *= t.dBairitsu;
    }
    if (Add(PrimitiveKind::kMarker, t.att, f, out_.markers.size())) {
      out_.markers.push_back({f.map.Map(t.start_x, t.start_y), radius});
    }
  }

  void Text(const TEntJwwMoji& m, const Frame& f) {
    if (IsImageMarker(m.str) || m.str.empty()) return;
    if (!Finite({m.start_x, m.start_y, m.end_x, m.end_y, m.dSizeX, m.dSizeY, m.degKakudo})) return;
    const double rad = m.degKakudo * std::numbers::pi / 180;
    const Point2 along = f.map.MapVec(std::cos(rad), std::sin(rad));
    const Point2 up = f.map.MapVec(-std::sin(rad), std::cos(rad));
    const Point2 start = f.map.Map(m.start_x, m.start_y);
    const Point2 end = f.map.Map(m.end_x, m.end_y);
    TextGeom g;
    g.pos = start;
    g.length = std::hypot(end.x - start.x, end.y - start.y);
    // The text's own run is exact; the group's factor serves a text that has none.
    const double own = TextUnits(m);
    const double units = own > 0 ? own : f.units;
    g.height = m.dSizeY * units * std::hypot(up.x, up.y);
    g.width = m.dSizeX * units * std::hypot(along.x, along.y);
    g.angle_deg = std::atan2(along.y, along.x) * 180 / std::numbers::pi;
    if (text_units_ + m.str.size() > options_.text_budget) {
      out_.truncated = true;
      return;
    }
    if (!Add(PrimitiveKind::kText, m.att, f, out_.texts.size())) return;
    text_units_ += m.str.size();
    g.font = Intern(m.strFontName);
    g.text = Intern(m.str);
    out_.texts.push_back(g);
  }

  void Dimension(const TEntJwwSunpo& d, const Frame& f) {
    Line(d.Sen, f);
    Text(d.Moji, f);
    if (!d.bSxfMode) return;
    Line(d.Ho1, f);
    Line(d.Ho2, f);
    Marker(d.Te1, f);
    Marker(d.Te2, f);
  }

  void Solid(const TEntJwwSolid& s, const Frame& f) {
    if (!Finite({s.start_x, s.start_y, s.end_x, s.end_y, s.DPoint2_x, s.DPoint2_y, s.DPoint3_x,
                 s.DPoint3_y})) {
      return;
    }
    const size_t first = out_.points.size();
    if (s.att.nPenStyle >= 101) {
      CircularSolid(s, f);
    } else {
      out_.points.push_back(f.map.Map(s.start_x, s.start_y));
      out_.points.push_back(f.map.Map(s.end_x, s.end_y));
      out_.points.push_back(f.map.Map(s.DPoint2_x, s.DPoint2_y));
      out_.points.push_back(f.map.Map(s.DPoint3_x, s.DPoint3_y));
    }
    Primitive* p = Add(PrimitiveKind::kPolygon, s.att, f, first);
    if (!p) {
      out_.points.resize(first);
      return;
    }
    p->count = static_cast<uint32_t>(out_.points.size() - first);
    if (s.att.nPenColor == 10) p->rgb = RgbFromColorRef(static_cast<int32_t>(s.Color));
  }

  // Filled circle, ellipse, sector or ring, as a polygon: centre, radius,
  // flattening, tilt, start and sweep share the corners' fields.
  void CircularSolid(const TEntJwwSolid& s, const Frame& f) {
    const double r = s.end_x, k = s.end_y, tilt = s.DPoint2_x, start = s.DPoint2_y;
    const double sweep = std::clamp(s.DPoint3_x, -2 * std::numbers::pi, 2 * std::numbers::pi);
    const bool ring = s.att.nPenStyle == 105 || s.att.nPenStyle == 106;
    const bool whole = std::fabs(std::fabs(sweep) - 2 * std::numbers::pi) < 1e-9;
    const int n = std::max(
        8, static_cast<int>(kFullCircleSegments * std::fabs(sweep) / (2 * std::numbers::pi)));
    const double ct = std::cos(tilt), st = std::sin(tilt);
    auto ring_pass = [&](double radius, bool forward) {
      for (int i = 0; i <= n; ++i) {
        const double t = start + sweep * (forward ? i : n - i) / n;
        const double x = radius * std::cos(t), y = radius * k * std::sin(t);
        out_.points.push_back(f.map.Map(s.start_x + x * ct - y * st, s.start_y + x * st + y * ct));
      }
    };
    ring_pass(r, true);
    if (ring) {
      ring_pass(s.DPoint3_y, false);  // the way back outlines the hole
    } else if (!whole) {
      out_.points.push_back(f.map.Map(s.start_x, s.start_y));
    }
  }

  // A text inside a block inserted many times is stored once.
  uint32_t Intern(const std::u16string& s) {
    if (s.empty()) return 0;
    auto [it, added] = strings_.try_emplace(&s, static_cast<uint32_t>(out_.strings.size()));
    if (added) out_.strings.push_back(s);
    return it->second;
  }

  const TJwwData& doc_;
  const RenderOptions& options_;
  DisplayList& out_;
  PenTable pens_;
  std::unordered_map<uint32_t, size_t> defs_;  // block number -> first definition
  std::vector<bool> on_path_;
  std::array<double, 16> group_units_{};
  std::unordered_map<const std::u16string*, uint32_t> strings_;
  size_t text_units_ = 0;
};

}  // namespace

DisplayList BuildDisplayList(const TJwwData& doc, const RenderOptions& options) {
  DisplayList list;
  list.strings.emplace_back();
  list.primitives.reserve(doc.EntNo.size());
  list.points.reserve(doc.EntLine.size() * 2 + doc.EntSunpo.size() * 2 + doc.EntSolid.size() * 4);
  Builder(doc, options, list).Run();
  return list;
}

}  // namespace plandock::render
