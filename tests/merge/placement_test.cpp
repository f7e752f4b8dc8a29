#include <gtest/gtest.h>

#include <numbers>

#include "merge/placement_internal.h"
#include "support/doc_builder.h"

namespace plandock {
namespace {

using test::Add;
using test::Attr;
using test::InitDrawing;
using test::Text;

constexpr double kPi = std::numbers::pi;
const std::u16string kRef = u"【基準点】";
const TEntJwwAttr kAux = Attr(0, 0, 9);

TEST(ReferencePointTest, RecognisesOnlyExactAuxiliaryTexts) {
  TJwwData doc;
  InitDrawing(doc);
  Add(doc, Text(kRef + u" ", 1, 1, 2, 1, kAux));        // trailing blank
  Add(doc, Text(kRef, 2, 2, 3, 2, Attr(0, 0, 1)));      // wrong colour
  Add(doc, Text(u"【基準点】x", 3, 3, 4, 3, kAux));     // longer content
  Add(doc, Text(kRef, 10, 20, 10, 30, Attr(5, 7, 9)));  // any layer counts
  const std::vector<ReferencePoint> points = CollectReferencePoints(doc, kRef, false);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].x, 10);
  EXPECT_EQ(points[0].y, 20);
  EXPECT_EQ(points[0].angle, 0);
}

TEST(ReferencePointTest, OriginStandsInWhenThereIsNoReference) {
  struct Row {
    const char* name;
    std::u16string reference_text;
    bool draw_reference;
  } rows[] = {
      {"no reference text drawn", kRef, false},
      {"blank reference text", u" \u3000", true},
      {"empty reference text", u"", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TJwwData doc;
    InitDrawing(doc);
    if (row.draw_reference) Add(doc, Text(row.reference_text, 5, 5, 6, 5, kAux));
    const std::vector<ReferencePoint> points =
        CollectReferencePoints(doc, row.reference_text, true);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, 0);
    EXPECT_EQ(points[0].y, 0);
    EXPECT_EQ(points[0].angle, 0);
  }
}

TEST(ReferencePointTest, AngleIsTheTextDirectionOnlyWithTheOption) {
  TJwwData doc;
  InitDrawing(doc);
  Add(doc, Text(kRef, 0, 0, 0, 5, kAux));   // 90 degrees
  Add(doc, Text(kRef, 1, 1, 1, -4, kAux));  // 270 degrees, never negative
  Add(doc, Text(kRef, 2, 2, 2, 2, kAux));   // start equals end: 0
  const std::vector<ReferencePoint> turned = CollectReferencePoints(doc, kRef, true);
  ASSERT_EQ(turned.size(), 3u);
  EXPECT_DOUBLE_EQ(turned[0].angle, kPi / 2);
  EXPECT_DOUBLE_EQ(turned[1].angle, 3 * kPi / 2);
  EXPECT_EQ(turned[2].angle, 0);
  for (const ReferencePoint& p : CollectReferencePoints(doc, kRef, false)) EXPECT_EQ(p.angle, 0);
}

TEST(ReferencePointTest, CountStopsAtThree) {
  for (int drawn : {0, 1, 2, 3, 5}) {
    SCOPED_TRACE(drawn);
    TJwwData doc;
    InitDrawing(doc);
    Add(doc, Text(kRef, 0, 0, 1, 0, Attr(0, 0, 2)));  // not auxiliary: never counted
    for (int i = 0; i < drawn; ++i) Add(doc, Text(kRef, i, 0, i + 1, 0, kAux));
    EXPECT_EQ(CountReferenceTextsIn(doc, kRef), std::min(drawn, 3));
  }
}

TEST(FactorTableTest, RatioOfMergedToTargetScale) {
  struct Row {
    const char* name;
    bool real_size;
    int target_group;
    double merged_scale;  // of merged group 2
    double base_scale;    // of base group 2, or of the target group
    double expected;      // F[2]
  } rows[] = {
      {"real size off", false, -1, 100, 50, 1},  {"own group", true, -1, 100, 50, 2},
      {"target group", true, 11, 100, 200, 0.5}, {"zero merged scale", true, -1, 0, 50, 1},
      {"zero base scale", true, -1, 100, 0, 1},  {"negative scale", true, -1, -100, 50, 1},
      {"tiny scale", true, -1, 1e-13, 50, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TJwwData base, merged;
    InitDrawing(base);
    InitDrawing(merged);
    merged.EntLgrp[2].adScale = row.merged_scale;
    base.EntLgrp[row.target_group == -1 ? 2 : row.target_group].adScale = row.base_scale;
    const FactorTable f = MakeFactorTable(base, merged, row.target_group, row.real_size);
    EXPECT_DOUBLE_EQ(f[2], row.expected);
    // Without a target every group has its own pair of scales.
    if (row.target_group == -1) {
      EXPECT_EQ(f[3], 1.0);
    }
  }
}

TEST(FactorTableTest, MissingTablesLeaveFactorOne) {
  TJwwData base, merged;  // initialised only: no layer-group rows
  const FactorTable f = MakeFactorTable(base, merged, 4, true);
  for (double x : f) EXPECT_EQ(x, 1.0);
}

TEST(PlacementTest, PointMap) {
  FactorTable unit;
  unit.fill(1.0);
  struct Row {
    const char* name;
    ReferencePoint b, m;
    double f;
    double x, y;
    double want_x, want_y;
  } rows[] = {
      {"translation", {100, 50, 0}, {10, 5, 0}, 1, 12, 8, 102, 53},
      {"origin to origin keeps coordinates", {0, 0, 0}, {0, 0, 0}, 1, 3.25, -7.5, 3.25, -7.5},
      {"factor about the origin", {0, 0, 0}, {0, 0, 0}, 2, 3, -4, 6, -8},
      {"factor about the reference", {100, 100, 0}, {10, 10, 0}, 2, 13, 14, 106, 108},
      {"quarter turn counter-clockwise", {100, 100, kPi / 2}, {0, 0, 0}, 1, 10, 0, 100, 110},
      {"counter-rotation by the merged angle", {0, 0, 0}, {0, 0, kPi / 2}, 1, 10, 0, 0, -10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Placement p(row.b, row.m, unit, false, false);
    double x = row.x, y = row.y;
    p.MapPoint(row.f, x, y);
    EXPECT_NEAR(x, row.want_x, 1e-9);
    EXPECT_NEAR(y, row.want_y, 1e-9);
  }
}

TEST(PlacementTest, TextMapMovesTheCentreAndScalesTheExtentByItsOwnFactor) {
  FactorTable unit;
  unit.fill(1.0);
  const Placement p({0, 0, 0}, {0, 0, 0}, unit, false, false);
  // A text from (10, 0) to (14, 0) with F = 2: the centre (12, 0) goes to (24, 0).
  double sx = 10, sy = 0, ex = 14, ey = 0;
  p.MapText(2, 1, sx, sy, ex, ey);  // N = 1: keeps its length
  EXPECT_DOUBLE_EQ(sx, 22);
  EXPECT_DOUBLE_EQ(ex, 26);
  sx = 10, sy = 0, ex = 14, ey = 0;
  p.MapText(2, 2, sx, sy, ex, ey);  // N = F: both ends follow the point map
  EXPECT_DOUBLE_EQ(sx, 20);
  EXPECT_DOUBLE_EQ(ex, 28);
}

TEST(PlacementTest, FactorsByStoredLayerGroupAndTheTwoOptions) {
  FactorTable f;
  f.fill(1.0);
  f[0] = 3;
  f[4] = 2;
  const Placement plain({0, 0, 0}, {0, 0, 0}, f, false, false);
  const Placement scaled({0, 0, 0}, {0, 0, 0}, f, true, true);
  EXPECT_EQ(plain.Factor(Attr(4)), 2);
  EXPECT_EQ(plain.Factor(Attr(40)), 3);  // a damaged group number counts as group 0
  EXPECT_EQ(plain.TextFactor(2), 1);
  EXPECT_EQ(plain.PointFactor(2), 1);
  EXPECT_EQ(scaled.TextFactor(2), 2);
  EXPECT_EQ(scaled.PointFactor(2), 2);
}

TEST(PlacementTest, AngleShiftsSubtractOneTurnButKeepNegatives) {
  FactorTable unit;
  unit.fill(1.0);
  struct Row {
    const char* name;
    double base_angle, merged_angle;
    double degrees, want_degrees;
    double radians, want_radians;
  } rows[] = {
      {"base at 90", kPi / 2, 0, 0, 90, 0, kPi / 2},
      {"merged at 30", 0, kPi / 6, 10, -20, 0.1, 0.1 - kPi / 6},
      {"past a full turn", kPi / 2, 0, 300, 30, 1.5 * kPi, 0},
      {"no turn keeps an angle below a turn", 0, 0, 359, 359, 6, 6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Placement p({0, 0, row.base_angle}, {0, 0, row.merged_angle}, unit, false, false);
    EXPECT_NEAR(p.ShiftDegrees(row.degrees), row.want_degrees, 1e-9);
    EXPECT_NEAR(p.ShiftRadians(row.radians), row.want_radians, 1e-9);
  }
}

}  // namespace
}  // namespace plandock
