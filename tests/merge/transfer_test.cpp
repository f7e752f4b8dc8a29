#include <gtest/gtest.h>

#include <numbers>

#include "merge/extended_tables_internal.h"
#include "merge/transfer_internal.h"
#include "support/doc_builder.h"

namespace plandock {
namespace {

using test::Add;
using test::Attr;
using test::InitDrawing;
using test::Text;

constexpr double kPi = std::numbers::pi;

// Base and merged drawings with one transfer between them.
struct TransferFixture {
  TJwwData base, merged;
  MergeSettings options;
  MergeTargets targets;
  FactorTable factors;
  ReferencePoint b, m;

  TransferFixture() {
    InitDrawing(base);
    InitDrawing(merged);
    factors.fill(1.0);
  }
  void Run() {
    const BlockTable blocks = BuildBlockTable(base, merged);
    const Placement p(b, m, factors, options.ScaleTexts, options.ScalePointMarkers);
    TransferEntities(base, merged, p, targets, options, blocks);
  }
};

TEST(TransferTest, KindsFollowTheFixedOrderAfterTheBaseEntities) {
  TransferFixture t;
  Add(t.base, test::Line(0, 0, 1, 1));
  Add(t.merged, test::Insert(1, 0, 0));
  Add(t.merged, TEntJwwSunpo{});
  Add(t.merged, Text(u"note", 0, 0, 4, 0));
  Add(t.merged, test::Point(1, 1));
  Add(t.merged, test::Arc(0, 0, 5));
  Add(t.merged, test::Line(0, 0, 2, 2));
  Add(t.merged, test::Solid(0, 0, 1, 0, 1, 1, 0, 1));
  Add(t.merged, Text(u"^@BMpic.bmp,100,80", 0, 0, 10, 0));
  t.merged.EntBlockDef.push_back({});
  t.merged.EntBlockDef.back().nNumber = 1;
  t.Run();
  const std::vector<TEntJwwNo> want = {{kEntLine, 0}, {kEntMoji, 0},  {kEntSolid, 0},
                                       {kEntLine, 1}, {kEntEnko, 0},  {kEntTen, 0},
                                       {kEntMoji, 1}, {kEntSunpo, 0}, {kEntBlock, 0}};
  ASSERT_EQ(t.base.EntNo.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(t.base.EntNo[i].EntType, want[i].EntType) << i;
    EXPECT_EQ(t.base.EntNo[i].EntNo, want[i].EntNo) << i;
  }
  EXPECT_EQ(t.base.Enthd.n1, 9);
  EXPECT_EQ(t.base.EntMoji[0].str, u"^@BMpic.bmp,100,80");
  EXPECT_EQ(t.base.EntMoji[1].str, u"note");
}

TEST(TransferTest, TextsThatAreNeverCopied) {
  struct Row {
    const char* name;
    std::u16string reference_text;
    TEntJwwMoji text;
    bool copied;
  } rows[] = {
      {"ordinary", u"【基準点】", Text(u"a", 0, 0, 5, 0), true},
      {"zero length", u"【基準点】", Text(u"a", 3, 3, 3, 3), false},
      {"origin to 0.01", u"【基準点】", Text(u"a", 0, 0, 0.01, 0.01), false},
      {"merged reference text", u"【基準点】", Text(u"【基準点】", 1, 1, 5, 1, Attr(0, 0, 9)),
       false},
      {"reference content in another colour", u"【基準点】",
       Text(u"【基準点】", 1, 1, 5, 1, Attr(0, 0, 2)), true},
      {"blank reference text still left out", u" ", Text(u" ", 1, 1, 5, 1, Attr(0, 0, 9)), false},
      {"zero-length image text", u"【基準点】", Text(u"^@BMa.bmp,1,1", 3, 3, 3, 3), true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TransferFixture t;
    t.options.ReferenceText = row.reference_text;
    Add(t.merged, row.text);
    t.Run();
    EXPECT_EQ(t.base.EntMojiN(), row.copied ? 1 : 0);
    EXPECT_EQ(t.base.Enthd.n1, row.copied ? 1 : 0);
  }
}

TEST(TransferTest, ImageAngleFieldByCommaCount) {
  struct Row {
    const char* name;
    std::u16string content;
    double angle;
    std::u16string want;
  } rows[] = {
      {"none", u"^@BMpic.bmp", 90, u"^@BMpic.bmp"},
      {"one: the field repeats", u"^@BMpic.bmp,120", 90, u"^@BMpic.bmp,120,120,0,0,1,90.0000"},
      {"two", u"^@BMpic.bmp,100,80", 90, u"^@BMpic.bmp,100,80,0,0,1,90.0000"},
      {"three", u"^@BMa,1,2,3", 30, u"^@BMa,1,2,3,0,1,30.0000"},
      {"four", u"^@BMa,1,2,3,4", 30, u"^@BMa,1,2,3,4,1,30.0000"},
      {"five", u"^@BMa,1,2,3,4,5", 30, u"^@BMa,1,2,3,4,5,30.0000"},
      {"six", u"^@BMa,1,2,3,4,5,10", 30, u"^@BMa,1,2,3,4,5,30.0000"},
      {"seven", u"^@BMa,1,2,3,4,5,10,7", 55, u"^@BMa,1,2,3,4,5,55.0000"},
      {"negative", u"^@BMa,1,2", -30, u"^@BMa,1,2,0,0,1,-30.0000"},
      {"tiny negative", u"^@BMa,1,2", -1e-9, u"^@BMa,1,2,0,0,1,0.0000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(RewriteImageAngle(row.content, row.angle), row.want);
  }
}

TEST(TransferTest, ImageTextTurnedOnlyWhenThePlacementTurns) {
  for (bool turned : {false, true}) {
    SCOPED_TRACE(turned);
    TransferFixture t;
    t.b = {0, 0, turned ? kPi / 2 : 0};
    Add(t.merged, Text(u"^@BMpic.bmp,100,80", 0, 0, 10, 0));
    t.Run();
    ASSERT_EQ(t.base.EntMojiN(), 1);
    const TEntJwwMoji& img = t.base.EntMoji[0];
    EXPECT_EQ(img.str, turned ? u"^@BMpic.bmp,100,80,0,0,1,90.0000" : u"^@BMpic.bmp,100,80");
    EXPECT_NEAR(img.degKakudo, turned ? 90 : 0, 1e-9);
    EXPECT_NEAR(img.end_x, turned ? 0 : 10, 1e-9);
    EXPECT_NEAR(img.end_y, turned ? 10 : 0, 1e-9);
  }
}

TEST(TransferTest, ImageTextTurnedBackwardsKeepsANegativeAngle) {
  TransferFixture t;
  t.m = {0, 0, kPi / 6};  // v = -30 degrees
  Add(t.merged, Text(u"^@BMpic.bmp,100,80", 0, 0, 10, 0));
  t.Run();
  ASSERT_EQ(t.base.EntMojiN(), 1);
  EXPECT_NEAR(t.base.EntMoji[0].degKakudo, -30, 1e-9);
  EXPECT_EQ(t.base.EntMoji[0].str, u"^@BMpic.bmp,100,80,0,0,1,-30.0000");
}

TEST(TransferTest, EveryKindGoesThroughTheLayerFilter) {
  struct Row {
    const char* name;
    bool merge_hidden;
    int want_entities;
  } rows[] = {
      {"hidden group left out, only the exempt insertion comes", false, 1},
      {"hidden group merged", true, 9},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TransferFixture t;
    t.options.MergeHiddenLayers = row.merge_hidden;
    t.merged.EntLgrp[1].anGLay = kLayHidden;
    const TEntJwwAttr hidden = Attr(1, 0);
    Add(t.merged, Text(u"^@BMpic.bmp,100,80", 0, 0, 10, 0, hidden));
    Add(t.merged, test::Solid(0, 0, 1, 0, 1, 1, 0, 1, hidden));
    Add(t.merged, test::Line(0, 0, 1, 1, hidden));
    Add(t.merged, test::Arc(0, 0, 5, hidden));
    Add(t.merged, test::Point(1, 1, hidden));
    Add(t.merged, Text(u"note", 0, 0, 4, 0, hidden));
    TEntJwwSunpo d;
    d.att = hidden;
    d.Sen = test::Line(0, 0, 10, 0);
    d.Moji = Text(u"10", 4, 1, 6, 1);
    Add(t.merged, d);
    Add(t.merged, test::Insert(1, 0, 0, hidden));
    Add(t.merged, test::Insert(1, 5, 5, Attr(1, 0, 1, 0x41)));
    t.merged.EntBlockDef.push_back({});
    t.merged.EntBlockDef.back().nNumber = 1;
    t.Run();
    EXPECT_EQ(t.base.Enthd.n1, row.want_entities);
    EXPECT_EQ(t.base.EntBlockN(), row.merge_hidden ? 2 : 1);
    EXPECT_EQ(t.base.EntBlock.back().DPKijunTen_x, 5);
  }
}

TEST(TransferTest, SolidsFourCorneredAndCircular) {
  TransferFixture t;
  t.options.RealSize = true;
  t.factors[0] = 2;
  t.b = {100, 0, kPi / 2};
  auto circular = [](int style) {
    TEntJwwSolid s = test::Solid(1, 0, 3, 1, 0.25, 0.5, 6.0, 0.75, Attr(0, 0, 10, style));
    s.Color = 0x123456;
    return s;
  };
  Add(t.merged, test::Solid(1, 0, 2, 0, 2, 1, 1, 1));
  Add(t.merged, circular(101));
  Add(t.merged, circular(105));
  Add(t.merged, circular(111));
  t.Run();
  ASSERT_EQ(t.base.EntSolidN(), 4);
  const TEntJwwSolid& quad = t.base.EntSolid[0];
  // Doubled and turned a quarter about (100, 0).
  EXPECT_NEAR(quad.start_x, 100, 1e-9);
  EXPECT_NEAR(quad.start_y, 2, 1e-9);
  EXPECT_NEAR(quad.DPoint2_x, 98, 1e-9);
  EXPECT_NEAR(quad.DPoint2_y, 4, 1e-9);
  EXPECT_NEAR(quad.DPoint3_x, 98, 1e-9);
  EXPECT_NEAR(quad.DPoint3_y, 2, 1e-9);
  struct Want {
    double inner_radius;
  } wants[] = {{0.75}, {1.5}, {0.75}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TEntJwwSolid& c = t.base.EntSolid[1 + i];
    EXPECT_NEAR(c.start_x, 100, 1e-9);  // centre mapped
    EXPECT_NEAR(c.start_y, 2, 1e-9);
    EXPECT_EQ(c.end_x, 6);  // radius doubled
    EXPECT_EQ(c.end_y, 1);  // flattening kept
    EXPECT_NEAR(c.DPoint2_x, 0.25 + kPi / 2, 1e-12);
    EXPECT_EQ(c.DPoint2_y, 0.5);
    EXPECT_EQ(c.DPoint3_x, 6.0);
    EXPECT_EQ(c.DPoint3_y, wants[i].inner_radius);
    EXPECT_EQ(c.Color, 0x123456u);
  }
}

TEST(TransferTest, ArcsPointsAndBlocksUnderRealSize) {
  for (bool scale_points : {false, true}) {
    SCOPED_TRACE(scale_points);
    TransferFixture t;
    t.options.ScalePointMarkers = scale_points;
    t.factors[3] = 2;
    TEntJwwEnko arc = test::Arc(1, 1, 5, Attr(3));
    arc.radKatamukiKaku = 0.5;
    TEntJwwTen marker = test::Point(2, 2, Attr(3, 0, 1, 100));
    marker.dBairitsu = 1.5;
    marker.nCode = 4;
    Add(t.merged, arc);
    Add(t.merged, marker);
    Add(t.merged, test::Insert(7, 3, 3, Attr(3)));
    t.merged.EntBlockDef.push_back({});
    t.merged.EntBlockDef.back().nNumber = 7;
    t.base.EntBlockDef.push_back({});
    t.base.EntBlockDef.back().nNumber = 12;
    t.Run();
    EXPECT_EQ(t.base.EntEnko[0].start_x, 2);
    EXPECT_EQ(t.base.EntEnko[0].dHankei, 10);
    EXPECT_EQ(t.base.EntEnko[0].radKatamukiKaku, 0.5);
    EXPECT_EQ(t.base.EntTen[0].start_x, 4);
    EXPECT_EQ(t.base.EntTen[0].dBairitsu, scale_points ? 3 : 1.5);
    EXPECT_EQ(t.base.EntTen[0].nCode, 4u);
    EXPECT_EQ(t.base.EntBlock[0].nNumber, 20u);  // above the base's 12
    EXPECT_EQ(t.base.EntBlock[0].DPKijunTen_x, 6);
    EXPECT_EQ(t.base.EntBlock[0].dBairitsuX, 2);
    EXPECT_EQ(t.base.EntBlock[0].dBairitsuY, 2);
  }
}

TEST(TransferTest, TextSizesFollowTheTextFactorAndFindTheBaseType) {
  for (bool scale_texts : {false, true}) {
    SCOPED_TRACE(scale_texts);
    TransferFixture t;
    t.options.ScaleTexts = scale_texts;
    t.factors[0] = 2;
    t.base.EntMoj[1] = {5, 5, 1, 3};  // text type 2: colour 3, 5 x 5, spacing 1
    TEntJwwMoji text = Text(u"abc", 10, 0, 14, 0, Attr(0, 0, 7), 2.5);
    text.dKankaku = 0.5;
    text.nMojiShu = 9;
    Add(t.merged, text);
    t.targets.color = 3;
    t.Run();
    const TEntJwwMoji& got = t.base.EntMoji[0];
    EXPECT_EQ(got.dSizeX, scale_texts ? 5 : 2.5);
    EXPECT_EQ(got.dKankaku, scale_texts ? 1 : 0.5);
    EXPECT_EQ(got.nMojiShu, scale_texts ? 2u : 0u);
    EXPECT_EQ(got.start_x, scale_texts ? 20 : 22);
    EXPECT_EQ(got.end_x, scale_texts ? 28 : 26);
  }
}

TEST(TransferTest, TextSizesRoundToEightDecimals) {
  TransferFixture t;
  TEntJwwMoji text = Text(u"abc", 0, 0, 4, 0, Attr(), 1.123456786);
  text.dKankaku = -0.333333333333;
  Add(t.merged, text);
  t.Run();
  EXPECT_DOUBLE_EQ(t.base.EntMoji[0].dSizeX, 1.12345679);
  EXPECT_DOUBLE_EQ(t.base.EntMoji[0].dKankaku, -0.33333333);
}

TEST(TransferTest, DimensionPartsTakeTheDimensionsLayerAndColour) {
  for (uint16_t sxf : {0, 1}) {
    SCOPED_TRACE(sxf);
    TransferFixture t;
    t.targets = {4, 6, 0};
    t.base.EntMoj[0] = {2.5, 2.5, 0, 2};
    TEntJwwSunpo d;
    d.att = Attr(1, 1, 2);
    d.att.lGroup = 5;
    d.Sen = test::Line(0, 0, 10, 0, Attr(0, 0, 5));
    d.Moji = Text(u"10", 4, 1, 6, 1, Attr(0, 0, 7), 2.5);
    d.bSxfMode = sxf;
    d.Ho1 = test::Line(0, 0, 0, 3, Attr(9, 9, 8));
    d.Ho1.att.lGroup = 5;
    d.Ho2 = test::Line(10, 0, 10, 3, Attr(9, 9, 8));
    d.Te1 = d.Te2 = d.Kt1 = d.Kt2 = test::Point(1, 2, Attr(9, 9, 8));
    Add(t.merged, d);
    t.Run();
    const TEntJwwSunpo& got = t.base.EntSunpo[0];
    for (const TEntJwwAttr* a : {&got.att, &got.Sen.att, &got.Moji.att}) {
      EXPECT_EQ(a->lGroup, 0u);
      EXPECT_EQ(a->nGLayer, 4);
      EXPECT_EQ(a->nLayer, 6);
      EXPECT_EQ(a->nPenColor, 2);
    }
    EXPECT_EQ(got.Moji.nMojiShu, 1u);
    for (const TEntJwwAttr* a : {&got.Ho1.att, &got.Ho2.att, &got.Te1.att, &got.Kt2.att}) {
      EXPECT_EQ(a->nGLayer, sxf ? 4 : 9);
      EXPECT_EQ(a->nPenColor, sxf ? 2 : 8);
    }
    EXPECT_EQ(got.Ho1.att.lGroup, sxf ? 0u : 5u);
  }
}

TEST(TransferTest, DimensionGeometryIsPlaced) {
  TransferFixture t;
  t.b = {100, 100, 0};
  TEntJwwSunpo d;
  d.Sen = test::Line(0, 0, 10, 0);
  d.Moji = Text(u"10", 4, 1, 6, 1);
  d.bSxfMode = 1;
  d.Ho1 = test::Line(0, 0, 0, 3);
  d.Kt1 = test::Point(1, 2);
  Add(t.merged, d);
  t.Run();
  const TEntJwwSunpo& got = t.base.EntSunpo[0];
  EXPECT_EQ(got.Sen.end_x, 110);
  EXPECT_EQ(got.Moji.start_y, 101);
  EXPECT_EQ(got.Ho1.end_y, 103);
  EXPECT_EQ(got.Kt1.start_x, 101);
}

TEST(ExtendedTablesTest, FreeBaseSlotsReceiveTheMergedOnes) {
  TJwwData base, merged;
  InitDrawing(base);
  InitDrawing(merged);
  const int32_t kGrey = 12632256;
  base.EntColS[20] = {255, 1, u"Mine", 0, 0, 0};  // named and set: kept
  merged.EntColS[20] = {99, 1, u"Theirs", 0, 0, 0};
  base.EntColS[21] = {kGrey, 1, u"", 0, 0, 0};  // unset: receives
  merged.EntColS[21] = {77, 2, u"", 0, 0, 0};
  base.EntColS[22] = {kGrey, 1, u"Named", 0, 0, 0};  // named but grey: free
  merged.EntColS[22] = {0, 0, u"Blue", 0, 0, 0};
  merged.EntColS[23] = {kGrey, 0, u" ", 0, 0, 0};         // nothing to take
  merged.EntColS[5] = {1234, 0, u"Predefined", 0, 0, 0};  // below 17: never
  MergeExtendedTables(base, merged);
  EXPECT_EQ(base.EntColS[20].astrUDColorName, u"Mine");
  EXPECT_EQ(base.EntColS[20].aPenColor, 255);
  EXPECT_EQ(base.EntColS[21].astrUDColorName, u"Color_21");
  EXPECT_EQ(base.EntColS[21].aPenColor, 77);
  EXPECT_EQ(base.EntColS[22].astrUDColorName, u"Blue");
  EXPECT_EQ(base.EntColS[23].aPenColor, 0);
  EXPECT_EQ(base.EntColS[5].aPenColor, 0);
}

TEST(ExtendedTablesTest, LineTypesNeedANameOrAnEvenSegmentCount) {
  auto lt = [](std::u16string name, int32_t pattern, int32_t segments, double pitch) {
    TEntJwwLineTypeExNo t;
    t.astrUDLTypeName = std::move(name);
    t.alLType = pattern;
    t.anUDLTypeSegment = segments;
    t.aadUDLTypePitch[0] = pitch;
    return t;
  };
  struct Row {
    const char* name;
    TEntJwwLineTypeExNo base, merged;
    std::u16string want_name;
  } rows[] = {
      {"segment count 3 without a name", {}, lt(u"", 5, 3, 1), u""},
      {"segment count 3 with a name", {}, lt(u"Dash", 5, 3, 1), u"Dash"},
      {"unnamed and complete", {}, lt(u"", 5, 2, 1), u"LType_17"},
      {"used base slot", lt(u"Old", 1, 2, 1), lt(u"New", 5, 2, 1), u"Old"},
      {"named base slot with odd segments is free", lt(u"Old", 1, 3, 1), lt(u"New", 5, 2, 1),
       u"New"},
      {"named base slot without pitch is free", lt(u"Old", 1, 2, 0), lt(u"New", 5, 2, 1), u"New"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TJwwData base, merged;
    InitDrawing(base);
    InitDrawing(merged);
    base.EntLtpS[17] = row.base;
    merged.EntLtpS[17] = row.merged;
    MergeExtendedTables(base, merged);
    EXPECT_EQ(base.EntLtpS[17].astrUDLTypeName, row.want_name);
  }
}

}  // namespace
}  // namespace plandock
