#include <gtest/gtest.h>

#include "merge/merge_drawing_internal.h"
#include "support/doc_builder.h"

namespace plandock {
namespace {

using test::Add;
using test::Attr;
using test::InitDrawing;
using test::Text;

const std::u16string kRef = u"【基準点】";
const TEntJwwAttr kAux = Attr(0, 0, 9);

struct Scenario {
  TJwwData base, merged;
  MergeSettings options;
  MergeTargets targets;
  Scenario() {
    InitDrawing(base);
    InitDrawing(merged);
  }
  void Merge() { MergeDrawing(base, merged, targets, options); }
};

TEST(MergeDrawingTest, ReferenceTextsPairEveryBasePointWithEveryMergedPoint) {
  struct Row {
    const char* name;
    std::vector<std::pair<double, double>> base_refs, merged_refs;
    // Where the merged line's start (20, 10) lands, copy by copy.
    std::vector<std::pair<double, double>> want;
  } rows[] = {
      {"one and one", {{100, 200}}, {{10, 10}}, {{110, 200}}},
      {"none anywhere", {}, {}, {{20, 10}}},
      {"two base, one merged", {{100, 0}, {0, 100}}, {{10, 10}}, {{110, 0}, {10, 100}}},
      {"one base, three merged",
       {{0, 0}},
       {{10, 10}, {20, 10}, {0, 0}},
       {{10, 0}, {0, 0}, {20, 10}}},
      {"merged only", {}, {{20, 10}}, {{0, 0}}},
      {"base only, two", {{1, 1}, {2, 2}}, {}, {{21, 11}, {22, 12}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Scenario s;
    for (auto [x, y] : row.base_refs) Add(s.base, Text(kRef, x, y, x + 5, y, kAux));
    for (auto [x, y] : row.merged_refs) Add(s.merged, Text(kRef, x, y, x + 5, y, kAux));
    Add(s.merged, test::Line(20, 10, 30, 10));
    s.Merge();
    ASSERT_EQ(s.base.EntLineN(), static_cast<int>(row.want.size()));
    for (size_t i = 0; i < row.want.size(); ++i) {
      EXPECT_NEAR(s.base.EntLine[i].start_x, row.want[i].first, 1e-9) << i;
      EXPECT_NEAR(s.base.EntLine[i].start_y, row.want[i].second, 1e-9) << i;
    }
    // The merged drawing's reference texts never arrive; the base's stay.
    EXPECT_EQ(s.base.EntMojiN(), static_cast<int>(row.base_refs.size()));
  }
}

TEST(MergeDrawingTest, RotationOptions) {
  struct Row {
    const char* name;
    bool by_base, counter_by_merged;
    double want_text_angle;
    double want_end_x, want_end_y;  // of the merged line from the reference point, 10 long at 0°
  } rows[] = {
      {"neither", false, false, 10, 10, 0},
      {"base at 90", true, false, 100, 0, 10},
      {"merged at 30 subtracted", false, true, -20, 8.660254037844387, -5},
      {"both", true, true, 70, 5, 8.660254037844387},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Scenario s;
    s.options.RotateByBaseReference = row.by_base;
    s.options.CounterRotateByMergedReference = row.counter_by_merged;
    Add(s.base, Text(kRef, 0, 0, 0, 5, kAux));                      // drawn at 90°
    Add(s.merged, Text(kRef, 0, 0, 4.330127018922194, 2.5, kAux));  // drawn at 30°
    Add(s.merged, test::Line(0, 0, 10, 0));
    TEntJwwMoji text = Text(u"a", 1, 1, 3, 1);
    text.degKakudo = 10;
    Add(s.merged, text);
    s.Merge();
    EXPECT_NEAR(s.base.EntMoji[1].degKakudo, row.want_text_angle, 1e-9);
    EXPECT_NEAR(s.base.EntLine[0].end_x, row.want_end_x, 1e-9);
    EXPECT_NEAR(s.base.EntLine[0].end_y, row.want_end_y, 1e-9);
  }
}

TEST(MergeDrawingTest, RealSizeScalesByLayerGroupAndTarget) {
  Scenario s;
  s.options.RealSize = true;
  s.merged.EntLgrp[0].adScale = 100;
  s.merged.EntLgrp[1].adScale = 100;
  s.base.EntLgrp[0].adScale = 50;   // the own group of merged group 0
  s.base.EntLgrp[11].adScale = 25;  // the target group
  Add(s.base, Text(kRef, 10, 10, 15, 10, kAux));
  Add(s.merged, Text(kRef, 1, 1, 2, 1, kAux));
  Add(s.merged, test::Line(2, 1, 3, 1, Attr(0, 3)));
  Add(s.merged, Text(u"abc", 2, 1, 6, 1, Attr(0, 3), 2.5));
  s.Merge();
  // Own group: 100 / 50 doubles distances from the reference point.
  EXPECT_DOUBLE_EQ(s.base.EntLine[0].start_x, 12);
  EXPECT_DOUBLE_EQ(s.base.EntLine[0].end_x, 14);
  // A text keeps its size and length; only its centre (4, 1) moves outward to (16, 10).
  const TEntJwwMoji& text = s.base.EntMoji[1];
  EXPECT_DOUBLE_EQ(text.dSizeX, 2.5);
  EXPECT_DOUBLE_EQ(text.start_x, 14);
  EXPECT_DOUBLE_EQ(text.end_x, 18);

  Scenario t;
  t.options.RealSize = true;
  t.targets.layer_group = 11;
  t.merged.EntLgrp[0].adScale = 100;
  t.base.EntLgrp[11].adScale = 25;
  Add(t.merged, test::Line(2, 1, 3, 1, Attr(0, 3)));
  t.Merge();
  EXPECT_DOUBLE_EQ(t.base.EntLine[0].start_x, 8);  // 100 / 25 about the origin
  EXPECT_EQ(t.base.EntLine[0].att.nGLayer, 11);
  EXPECT_EQ(t.base.EntLine[0].att.nLayer, 3);
}

TEST(MergeDrawingTest, ColourTargetKeepsAuxiliaryAndTopLevelDimensionsTakeOneColour) {
  for (bool keep_aux : {false, true}) {
    SCOPED_TRACE(keep_aux);
    Scenario s;
    s.targets.color = 3;
    s.options.KeepAuxiliaryColour = keep_aux;
    Add(s.merged, test::Line(0, 0, 1, 0, Attr(0, 0, 9)));
    Add(s.merged, test::Line(0, 0, 1, 0, Attr(0, 0, 5)));
    s.Merge();
    EXPECT_EQ(s.base.EntLine[0].att.nPenColor, keep_aux ? 9 : 3);
    EXPECT_EQ(s.base.EntLine[1].att.nPenColor, 3);
  }
}

TEST(MergeDrawingTest, BlocksAreAddedOnceAndRenamedAcrossMergedDrawings) {
  TJwwData base;
  InitDrawing(base);
  MergeSettings options;
  Add(base, Text(kRef, 0, 0, 1, 0, kAux));
  Add(base, Text(kRef, 50, 0, 51, 0, kAux));  // two copies of every merged drawing
  for (int drawing = 0; drawing < 2; ++drawing) {
    TJwwData merged;
    InitDrawing(merged);
    test::AddBlockDef(merged, 1, u"Window");
    Add(merged, test::Insert(1, 0, 0));
    MergeDrawing(base, merged, {}, options);
  }
  ASSERT_EQ(base.EntBlockDefN(), 2);
  EXPECT_EQ(base.EntBlockDef[0].strName, u"Window");
  EXPECT_EQ(base.EntBlockDef[0].nNumber, 1u);
  EXPECT_EQ(base.EntBlockDef[1].strName, u"Window_1");
  EXPECT_EQ(base.EntBlockDef[1].nNumber, 3u);  // above 1, the largest so far
  EXPECT_EQ(base.Enthd.n2, 2);
  EXPECT_EQ(base.EntBlockNum, 2);
  ASSERT_EQ(base.EntBlockN(), 4);
  const uint32_t numbers[] = {1, 1, 3, 3};
  const double xs[] = {0, 50, 0, 50};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(base.EntBlock[i].nNumber, numbers[i]) << i;
    EXPECT_EQ(base.EntBlock[i].DPKijunTen_x, xs[i]) << i;
  }
  // The second drawing's copies follow all of the first's.
  EXPECT_EQ(base.EntNo.back().EntType, kEntBlock);
  EXPECT_EQ(base.EntNo.back().EntNo, 3);
  EXPECT_EQ(base.Enthd.n1, 6);
}

TEST(MergeDrawingTest, HiddenLayersOfTheMergedDrawingStayOut) {
  Scenario s;
  s.merged.EntLgrp[4].anGLay = kLayHidden;
  s.base.EntLgrp[4].anGLay = kLayEditable;
  Add(s.merged, test::Line(0, 0, 1, 0, Attr(4, 0)));
  Add(s.merged, test::Line(0, 0, 1, 0, Attr(5, 0)));
  s.Merge();
  ASSERT_EQ(s.base.EntLineN(), 1);
  EXPECT_EQ(s.base.EntLine[0].att.nGLayer, 5);
}

TEST(MergeDrawingTest, ExtendedColoursAreTakenOverBeforeTheEntities) {
  Scenario s;
  s.base.EntColS[20] = {12632256, 1, u"", 0, 0, 0};
  s.merged.EntColS[20] = {0x00FF00, 1, u"", 0, 0, 0};
  Add(s.merged, test::Line(0, 0, 1, 0, Attr(0, 0, 120)));
  s.Merge();
  EXPECT_EQ(s.base.EntColS[20].astrUDColorName, u"Color_20");
  EXPECT_EQ(s.base.EntLine[0].att.nPenColor, 120);
}

}  // namespace
}  // namespace plandock
