#include "render/svg_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/jww_file.h"
#include "render/display_list.h"
#include "support/doc_builder.h"
#include "support/support.h"

namespace plandock::render {
namespace {

namespace fs = std::filesystem;
using test::Add;
using test::Attr;

size_t Count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

// The elements that draw an entity's shapes.
size_t DrawnElements(const std::string& svg) {
  return Count(svg, "<path ") + Count(svg, "<text ") + Count(svg, "<circle ");
}

SvgOptions Width(int px) {
  SvgOptions options;
  options.width_px = px;
  return options;
}

bool HaveXmllint() { return std::system("xmllint --version >/dev/null 2>&1") == 0; }

bool XmllintAccepts(const fs::path& file) {
  const std::string command = "xmllint --noout '" + file.string() + "'";
  return std::system(command.c_str()) == 0;
}

// A 100 x 50 drawing in a 200 pixel picture: margin 12, 1.76 pixels a unit.
void LineDrawing(TJwwData& doc) {
  test::InitDrawing(doc);
  doc.EntLgrp[2].aStrGLayName = u"設備";
  doc.EntLay[2 * 16 + 11].aStrLayName = u"<給水> & 排水";
  Add(doc, test::Line(0, 0, 100, 50, Attr(2, 11)));
  Add(doc, test::Line(0, 50, 100, 0, Attr(2, 11)));
}

TEST(SvgWriterTest, LayersAreNamedGroupsAndStylesAreShared) {
  TJwwData doc;
  LineDrawing(doc);
  SvgOptions options;
  options.width_px = 200;
  const std::string svg = WriteSvg(BuildDisplayList(doc), options);
  EXPECT_NE(svg.find("width=\"200\" height=\"112\" viewBox=\"0 0 200 112\""), std::string::npos);
  EXPECT_NE(svg.find("<g id=\"group-2\">\n<title>[2] 設備</title>\n"
                     "<g id=\"layer-2-B\">\n<title>[2-B] &lt;給水&gt; &amp; 排水</title>\n"
                     "<path class=\"c0\" d=\"M12 100L188 12\"/>\n"
                     "<path class=\"c0\" d=\"M12 12L188 100\"/>\n</g>\n</g>\n"),
            std::string::npos)
      << svg;
  EXPECT_EQ(Count(svg, ".c0{"), 1u);
  EXPECT_EQ(Count(svg, "<g id=\"group-"), 1u);  // empty groups are left out
}

TEST(SvgWriterTest, ArcsKeepTheirTurnAndAxes) {
  struct Row {
    const char* name;
    ArcGeom arc;
    const char* d;
  };
  // Unit scale: a box from -10 to 10 in a 52 pixel picture (margin 9.04, 1.7 a unit).
  const double pi = std::numbers::pi;
  const Row rows[] = {
      {"quarter counter-clockwise",
       {{0, 0}, {10, 0}, {0, 10}, 0, pi / 2},
       "M43 26A17 17 0 0 0 26 9"},
      {"the same clockwise",
       {{0, 0}, {10, 0}, {0, 10}, pi / 2, -pi / 2},
       "M26 9A17 17 0 0 1 43 26"},
      {"three quarters: the large arc",
       {{0, 0}, {10, 0}, {0, 10}, 0, 1.5 * pi},
       "M43 26A17 17 0 1 0 26 43"},
      {"whole ellipse upright, 3:1",
       {{0, 0}, {0, 10}, {-10.0 / 3, 0}, 0, 2 * pi},
       "M26 9A17 5.7 -90 0 0 26 43A17 5.7 -90 0 0 26 9"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DisplayList list;
    list.arcs.push_back(row.arc);
    list.primitives.push_back({.kind = PrimitiveKind::kArc});
    // Fixes the view to -10..10 whatever the arc's own box.
    list.markers.push_back({{-10, -10}, 0});
    list.markers.push_back({{10, 10}, 0});
    list.primitives.push_back({.kind = PrimitiveKind::kMarker, .data = 0});
    list.primitives.push_back({.kind = PrimitiveKind::kMarker, .data = 1});
    const std::string svg = WriteSvg(list, Width(52));
    const size_t at = svg.find("<path class=\"c0\" d=\"");
    ASSERT_NE(at, std::string::npos) << svg;
    EXPECT_EQ(svg.substr(at + 20, svg.find('"', at + 20) - at - 20), row.d);
  }
}

TEST(SvgWriterTest, TextsStayWellFormedAndTurned) {
  TJwwData doc;
  test::InitDrawing(doc);
  TEntJwwMoji t = test::Text(u"a<b>&\u0001c\uFFFF", 0, 0, 0, 10, Attr(), 2);
  t.degKakudo = 90;
  Add(doc, t);
  const std::string svg = WriteSvg(BuildDisplayList(doc), Width(100));
  EXPECT_NE(svg.find(">a&lt;b&gt;&amp;c</text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("transform=\"rotate(-90 "), std::string::npos);
  EXPECT_NE(svg.find("lengthAdjust=\"spacingAndGlyphs\""), std::string::npos);
  EXPECT_NE(svg.find("Noto Sans CJK JP"), std::string::npos);
}

TEST(SvgWriterTest, EmptyAndDegenerateDrawingsStillGiveAPicture) {
  DisplayList empty;
  for (const int width : {0, 16, 100000}) {
    const std::string svg = WriteSvg(empty, Width(width));
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_EQ(svg.find("NAN"), std::string::npos);
  }
  TJwwData doc;
  test::InitDrawing(doc);
  Add(doc, test::Line(5, 5, 5, 5));      // a single spot
  Add(doc, test::Line(0, 0, 0, 1e300));  // a tall outlier stays within the height limit
  const std::string svg = WriteSvg(BuildDisplayList(doc), Width(400));
  EXPECT_NE(svg.find("height=\"" + std::to_string(kMaxSvgWidth)), std::string::npos) << svg;

  Add(doc, test::Line(-1.7e308, -1.7e308, 1.7e308, 1.7e308));  // spans beyond any double
  EXPECT_NE(WriteSvg(BuildDisplayList(doc), Width(400)).find("</svg>"), std::string::npos);
}

TEST(SvgWriterTest, EverySampleRendersToWellFormedSvgWithAllVisibleEntities) {
  const fs::path samples = test::SamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings in ../shared/samples";
  const bool xmllint = HaveXmllint();
  if (!xmllint) std::fprintf(stderr, "xmllint missing: only the element counts are checked\n");
  test::ScopedTempDir tmp;
  size_t files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(samples)) {
    if (entry.path().extension() != ".jww") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    TJwwData doc;
    doc.BindImageExr = true;
    ASSERT_TRUE(FileInMemory(doc, bytes.data(), bytes.size()));
    const DisplayList list = BuildDisplayList(doc);
    const std::string svg = WriteSvg(list);

    // Visible: a drawn kind on a shown layer group and layer, a definition
    // behind an insertion, and no image marker.
    size_t visible = 0;
    for (const TEntJwwNo& e : doc.EntNo) {
      const TEntJwwAttr* att = nullptr;
      auto pick = [&](const auto& v) {
        if (e.EntNo >= 0 && static_cast<size_t>(e.EntNo) < v.size()) att = &v[e.EntNo].att;
      };
      switch (e.EntType) {
        case kEntLine:
          pick(doc.EntLine);
          break;
        case kEntEnko:
          pick(doc.EntEnko);
          break;
        case kEntTen:
          pick(doc.EntTen);
          break;
        case kEntMoji:
          pick(doc.EntMoji);
          if (att && doc.EntMoji[e.EntNo].str.starts_with(u"^@BM")) att = nullptr;
          break;
        case kEntSunpo:
          pick(doc.EntSunpo);
          break;
        case kEntSolid:
          pick(doc.EntSolid);
          break;
        case kEntBlock:
          pick(doc.EntBlock);
          break;
      }
      if (!att) continue;
      const int g = att->nGLayer <= 15 ? att->nGLayer : 0, l = att->nLayer <= 15 ? att->nLayer : 0;
      if (doc.EntLgrp[g].anGLay == kLayHidden || doc.EntLay[g * 16 + l].aanLay == kLayHidden)
        continue;
      ++visible;
    }
    EXPECT_GE(DrawnElements(svg), visible);
    EXPECT_GT(visible, 0u);
    const fs::path out = tmp.path() / ("sample" + std::to_string(files++) + ".svg");
    std::ofstream(out, std::ios::binary) << svg;
    if (xmllint) {
      EXPECT_TRUE(XmllintAccepts(out));
    }
  }
  EXPECT_GT(files, 0u);
}

}  // namespace
}  // namespace plandock::render
