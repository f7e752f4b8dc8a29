#include "render/display_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>

#include "support/doc_builder.h"
#include "util/text.h"

namespace plandock::render {
namespace {

using test::Add;
using test::Attr;

constexpr double kPi = std::numbers::pi;

std::string N(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", std::fabs(v) < 5e-4 ? 0.0 : v);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}
std::string P(Point2 p) { return N(p.x) + "," + N(p.y); }

// One line per primitive, so a table row states a whole picture by hand.
std::string Describe(const DisplayList& list) {
  std::string out;
  for (const Primitive& p : list.primitives) {
    char head[64];
    std::snprintf(head, sizeof head, " %X-%X #%06X", p.layer_group, p.layer, p.rgb);
    switch (p.kind) {
      case PrimitiveKind::kPolyline:
        out += std::string("line") + head + " t" + std::to_string(p.line_type);
        for (uint32_t i = 0; i < p.count; ++i) out += " " + P(list.points[p.data + i]);
        break;
      case PrimitiveKind::kPolygon:
        out += std::string("fill") + head;
        for (uint32_t i = 0; i < p.count; ++i) out += " " + P(list.points[p.data + i]);
        break;
      case PrimitiveKind::kArc: {
        const ArcGeom& a = list.arcs[p.data];
        out += std::string("arc") + head + " c=" + P(a.c) + " u=" + P(a.u) + " v=" + P(a.v) +
               " from " + N(a.start) + " by " + N(a.sweep);
        break;
      }
      case PrimitiveKind::kText: {
        const TextGeom& t = list.texts[p.data];
        out += std::string("text") + head + " '" + TextToUtf8(list.strings[t.text]) + "' at " +
               P(t.pos) + " h=" + N(t.height) + " a=" + N(t.angle_deg) + " len=" + N(t.length);
        break;
      }
      case PrimitiveKind::kMarker: {
        const MarkerGeom& m = list.markers[p.data];
        out += std::string("point") + head + " at " + P(m.pos) + " r=" + N(m.radius);
        break;
      }
    }
    out += "\n";
  }
  return out;
}

// Print colours 0x0000cc for pen c (stored 0x00BBGGRR: blue byte first),
// screen colours 0xcc0000, and SXF colour 5 a print colour of its own.
void InitTables(TJwwData& doc) {
  test::InitDrawing(doc);
  for (int c = 0; c < 10; ++c) {
    doc.EntCol[c].aPrtPenColor = c << 16;
    doc.EntCol[c].aPenColor = c;
    doc.EntCol[c].adPrtTenHankei = 0.5;
  }
  doc.EntCol[0].aPenColor = 0x000000;  // black screen background
  doc.EntColS[5].aPrtPenColor = 0x563412;
  doc.EntColS[5].aPenColor = 0x0000FF;
}

struct Case {
  const char* name;
  std::function<void(TJwwData&)> build;
  RenderOptions options;
  std::string expected;
};

const Case kCases[] = {
    {"line on its layer, pen colour and line type",
     [](TJwwData& d) { Add(d, test::Line(0, 0, 10, 5, Attr(2, 3, 5, 2))); },
     {},
     "line 2-3 #000005 t2 0,0 10,5\n"},
    {"circle and tilted flattened quarter ellipse",
     [](TJwwData& d) {
       Add(d, test::Arc(5, 5, 2));
       TEntJwwEnko e = test::Arc(0, 0, 4, Attr(0, 0, 2));
       e.bZenEnFlg = 0;
       e.radKaishiKaku = kPi / 4;
       e.radEnkoKaku = kPi / 2;
       e.radKatamukiKaku = kPi / 2;
       e.dHenpeiRitsu = 0.5;
       Add(d, e);
     },
     {},
     "arc 0-0 #000001 c=5,5 u=2,0 v=0,2 from 0 by 6.283\n"
     "arc 0-0 #000002 c=0,0 u=0,4 v=-2,0 from 0.785 by 1.571\n"},
    {"point marker: the printed radius at the group's scale",
     [](TJwwData& d) {
       d.EntLgrp[1].adScale = 50;
       Add(d, test::Point(3, 4, Attr(1, 0, 3)));
     },
     {},
     "point 1-0 #000003 at 3,4 r=25\n"},
    {"text at 30 degrees, height from its own run",
     [](TJwwData& d) {
       // "AB": two half-width characters of width 2 take 2 paper mm; the run
       // spans 200 drawing units, so 100 units a paper mm.
       const double c = std::cos(kPi / 6), s = std::sin(kPi / 6);
       TEntJwwMoji t = test::Text(u"AB", 1, 1, 1 + 200 * c, 1 + 200 * s, Attr(0, 1, 4), 2);
       t.degKakudo = 30;
       Add(d, t);
     },
     {},
     "text 0-1 #000004 'AB' at 1,1 h=200 a=30 len=200\n"},
    {"dimension: its line and its text",
     [](TJwwData& d) {
       TEntJwwSunpo s;
       s.att = Attr(0, 2, 1);
       s.Sen = test::Line(0, 0, 10, 0, Attr(0, 2, 6));
       s.Moji = test::Text(u"10", 4, 1, 6, 1, Attr(0, 2, 7), 2);
       Add(d, s);
     },
     {},
     "line 0-2 #000006 t1 0,0 10,0\n"
     "text 0-2 #000007 '10' at 4,1 h=2 a=0 len=2\n"},
    {"solid in its own colour and in an SXF colour",
     [](TJwwData& d) {
       TEntJwwSolid s = test::Solid(0, 0, 4, 0, 4, 3, 0, 3, Attr(0, 0, 10));
       s.Color = 0x00332211;  // stored blue-green-red
       Add(d, s);
       Add(d, test::Solid(0, 0, 1, 0, 1, 1, 0, 1, Attr(0, 0, 105)));
     },
     {},
     "fill 0-0 #112233 0,0 4,0 4,3 0,3\n"
     "fill 0-0 #123456 0,0 1,0 1,1 0,1\n"},
    {"screen colours: SXF and standard from the screen columns",
     [](TJwwData& d) {
       Add(d, test::Line(0, 0, 1, 0, Attr(0, 0, 105)));
       Add(d, test::Line(0, 0, 1, 0, Attr(0, 0, 3)));
     },
     {.screen_colors = true},
     "line 0-0 #FF0000 t1 0,0 1,0\n"
     "line 0-0 #030000 t1 0,0 1,0\n"},
    {"hidden layer and hidden layer group are left out",
     [](TJwwData& d) {
       d.EntLay[1 * 16 + 4].aanLay = kLayHidden;
       d.EntLgrp[2].anGLay = kLayHidden;
       Add(d, test::Line(0, 0, 1, 0, Attr(1, 4)));
       Add(d, test::Line(0, 0, 2, 0, Attr(2, 0)));
       Add(d, test::Line(0, 0, 3, 0, Attr(1, 5)));
     },
     {},
     "line 1-5 #000001 t1 0,0 3,0\n"},
    {"hidden ones drawn when asked",
     [](TJwwData& d) {
       d.EntLay[1 * 16 + 4].aanLay = kLayHidden;
       Add(d, test::Line(0, 0, 1, 0, Attr(1, 4)));
     },
     {.show_hidden = true},
     "line 1-4 #000001 t1 0,0 1,0\n"},
    {"only the chosen layer groups",
     [](TJwwData& d) {
       Add(d, test::Line(0, 0, 1, 0, Attr(0, 0)));
       Add(d, test::Line(0, 0, 2, 0, Attr(3, 0)));
     },
     {.layer_groups = 1u << 3},
     "line 3-0 #000001 t1 0,0 2,0\n"},
    {"block nested twice, each turned a quarter and scaled",
     [](TJwwData& d) {
       // Inner: (1,0) + 2·R90·p maps the line (0,0)-(1,0) to (1,0)-(1,2);
       // outer: (10,0) + 3·R90·q maps those to (10,3) and (4,3).
       TEntJwwBlockDef& inner = test::AddBlockDef(d, 1, u"inner");
       Add(inner, test::Line(0, 0, 1, 0, Attr(5, 5, 8)));
       TEntJwwBlockDef& outer = test::AddBlockDef(d, 2, u"outer");
       TEntJwwBlock in = test::Insert(1, 1, 0, Attr(6, 6));
       in.radKaitenKaku = kPi / 2;
       in.dBairitsuX = in.dBairitsuY = 2;
       Add(outer, in);
       TEntJwwBlock top = test::Insert(2, 10, 0, Attr(4, 7));
       top.radKaitenKaku = kPi / 2;
       top.dBairitsuX = top.dBairitsuY = 3;
       Add(d, top);
     },
     {},
     "line 4-7 #000008 t1 10,3 4,3\n"},
    {"a block that contains itself is drawn once",
     [](TJwwData& d) {
       TEntJwwBlockDef& self = test::AddBlockDef(d, 7, u"self");
       Add(self, test::Line(0, 0, 1, 0));
       Add(self, test::Insert(7, 5, 0));
       Add(d, test::Insert(7, 0, 0));
     },
     {},
     "line 0-0 #000001 t1 0,0 1,0\n"},
    {"damaged entries: unknown kind, index past the array, missing definition, image text",
     [](TJwwData& d) {
       d.AddEntNo(kEntNone, 0);
       d.AddEntNo(kEntLine, 5);
       Add(d, test::Insert(99, 0, 0));
       Add(d, test::Text(u"^@BMimage.bmp,100,100", 0, 0, 1, 0));
       Add(d, test::Line(0, 0, 1, 1, Attr(17, 0)));  // group 17 means 0
     },
     {},
     "line 0-0 #000001 t1 0,0 1,1\n"},
};

TEST(DisplayListTest, SmallDrawingsGiveTheirPrimitives) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TJwwData doc;
    InitTables(doc);
    c.build(doc);
    EXPECT_EQ(Describe(BuildDisplayList(doc, c.options)), c.expected);
  }
}

TEST(DisplayListTest, LineTypesBecomeDashPatternsOfOnePeriod) {
  TJwwData doc;
  InitTables(doc);
  // One period of `unit` steps, each `pitch` dots, starting with a drawn run.
  doc.EntLtp1[0] = {static_cast<int32_t>(0x99999999u), 4, 1, 10};   // style 2: 1001
  doc.EntLtp1[1] = {static_cast<int32_t>(0xF0F0F0F0u), 8, 1, 10};   // style 3: 11110000
  doc.EntLtp3[0] = {static_cast<int32_t>(0xFFF99FFFu), 32, 2, 20};  // style 16, double pitch
  doc.EntLtp1[2] = {-1, 8, 1, 10};                                  // no gap: solid
  doc.EntLtpS[17].anUDLTypeSegment = 3;                             // user-defined, paper mm
  doc.EntLtpS[17].aadUDLTypePitch = {2, 1, 0.5};
  const DisplayList list = BuildDisplayList(doc);
  using V = std::vector<float>;
  EXPECT_EQ(list.line_types[1].dashes, V{});
  EXPECT_EQ(list.line_types[2].dashes, (V{2, 2}));
  EXPECT_EQ(list.line_types[3].dashes, (V{4, 4}));
  EXPECT_EQ(list.line_types[4].dashes, V{});
  EXPECT_EQ(list.line_types[16].dashes, (V{4, 4, 52, 4}));
  EXPECT_EQ(list.line_types[47].dashes, (V{8, 4, 2, 8, 4, 2}));
}

TEST(DisplayListTest, PaperSizesFollowTheUnitsTheDrawingIsStoredIn) {
  // The same text and point, once in a drawing stored at paper size (runs as
  // long as their characters) and once at real size on a 1:100 group.
  for (const double units : {1.0, 100.0}) {
    SCOPED_TRACE(units);
    TJwwData doc;
    InitTables(doc);
    doc.EntLgrp[0].adScale = 100;
    doc.EntLgrp[1].adScale = 100;
    Add(doc, test::Text(u"ＡＢ", 0, 0, 4 * units, 0, Attr(0, 0), 2));
    Add(doc, test::Point(0, 0, Attr(1, 0)));  // a group without texts
    const DisplayList list = BuildDisplayList(doc);
    ASSERT_EQ(list.texts.size(), 1u);
    ASSERT_EQ(list.markers.size(), 1u);
    EXPECT_DOUBLE_EQ(list.texts[0].height, 2 * units);
    EXPECT_DOUBLE_EQ(list.markers[0].radius, 0.5 * units);
  }
}

TEST(DisplayListTest, ExponentialNestingStopsAtTheBudget) {
  // Each definition inserts the one below it twice: 2^40 lines if expanded.
  TJwwData doc;
  InitTables(doc);
  Add(test::AddBlockDef(doc, 0, u"leaf"), test::Line(0, 0, 1, 0));
  for (uint32_t n = 1; n <= 40; ++n) {
    TEntJwwBlockDef& def = test::AddBlockDef(doc, n, u"level");
    Add(def, test::Insert(n - 1, 0, 0));
    Add(def, test::Insert(n - 1, 1, 0));
  }
  Add(doc, test::Insert(40, 0, 0));
  RenderOptions options;
  options.primitive_budget = 1000;
  const DisplayList list = BuildDisplayList(doc, options);
  EXPECT_TRUE(list.truncated);
  EXPECT_EQ(list.primitives.size(), 1000u);
}

TEST(DisplayListTest, ATextInsertedManyTimesIsStoredOnceAndCountsAgainstItsBudget) {
  TJwwData doc;
  InitTables(doc);
  TEntJwwBlockDef& def = test::AddBlockDef(doc, 1, u"label");
  Add(def, test::Text(std::u16string(1000, u'x'), 0, 0, 1000, 0));
  for (int i = 0; i < 50; ++i) Add(doc, test::Insert(1, i, 0));
  RenderOptions options;
  options.text_budget = 20'000;
  const DisplayList list = BuildDisplayList(doc, options);
  EXPECT_TRUE(list.truncated);
  EXPECT_EQ(list.texts.size(), 20u);
  EXPECT_EQ(list.strings.size(), 3u);  // the empty string, the font name and the text
}

TEST(DisplayListTest, ExtentsCoverArcsTextsAndMarkers) {
  TJwwData doc;
  InitTables(doc);
  Add(doc, test::Arc(0, 0, 5));
  Add(doc, test::Text(u"AB", 10, 0, 12, 0, Attr(), 2));  // 2 high, 2 long
  Add(doc, test::Point(-20, 1));
  const Box box = Extents(BuildDisplayList(doc));
  EXPECT_DOUBLE_EQ(box.x0, -20.5);
  EXPECT_DOUBLE_EQ(box.x1, 12);
  EXPECT_DOUBLE_EQ(box.y0, -5);
  EXPECT_DOUBLE_EQ(box.y1, 5);
}

}  // namespace
}  // namespace plandock::render
