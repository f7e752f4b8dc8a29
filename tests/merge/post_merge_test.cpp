#include <gtest/gtest.h>

#include "merge/post_merge_internal.h"
#include "support/doc_builder.h"

namespace plandock {
namespace {

using test::Add;
using test::Attr;
using test::InitDrawing;

TEntJwwSunpo Dimension(uint16_t sxf, double aux_length) {
  TEntJwwSunpo d;
  d.att = Attr(2, 5, 3);
  d.Sen = test::Line(0, 0, 10, 0, Attr(0, 0, 4, 2));
  d.Sen.att.sFlg = 0x1;
  d.Moji = test::Text(u"10", 4, 1, 6, 1, Attr(0, 0, 6));
  d.bSxfMode = sxf;
  d.Ho1 = test::Line(0, 0, 0, aux_length, Attr(0, 0, 7));
  d.Ho2 = test::Line(10, 0, 10, aux_length, Attr(0, 0, 7));
  d.Te1 = test::Point(0, 0, Attr(0, 0, 8));
  d.Te2 = test::Point(10, 0, Attr(0, 0, 8));
  d.Kt1 = test::Point(0, 1, Attr(0, 0, 8));
  d.Kt2 = test::Point(10, 1, Attr(0, 0, 8));
  return d;
}

TEST(ReleaseDimensionsTest, PartsByModeAtTheEndOfTheOrder) {
  struct Row {
    const char* name;
    uint16_t sxf;
    double aux_length;
    std::vector<int32_t> kinds;  // appended after the base's line and dimension
  } rows[] = {
      {"plain", 0, 3, {kEntLine, kEntMoji}},
      {"SXF", 1, 3, {kEntLine, kEntMoji, kEntLine, kEntLine, kEntTen, kEntTen, kEntTen, kEntTen}},
      {"SXF without auxiliary lines",
       1,
       0,
       {kEntLine, kEntMoji, kEntTen, kEntTen, kEntTen, kEntTen}},
      {"SXF with auxiliary lines of 1e-8",
       1,
       1e-8,
       {kEntLine, kEntMoji, kEntTen, kEntTen, kEntTen, kEntTen}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TJwwData doc;
    InitDrawing(doc);
    Add(doc, test::Line(5, 5, 6, 6));
    Add(doc, Dimension(row.sxf, row.aux_length));
    ReleaseDimensions(doc);
    ASSERT_EQ(doc.EntNo.size(), 2 + row.kinds.size());
    EXPECT_EQ(doc.Enthd.n1, static_cast<int32_t>(doc.EntNo.size()));
    EXPECT_EQ(doc.EntNo[0].EntType, kEntLine);
    EXPECT_EQ(doc.EntNo[1].EntType, kEntNone);  // the dimension is no longer written
    EXPECT_EQ(doc.EntSunpoN(), 1);
    for (size_t i = 0; i < row.kinds.size(); ++i) {
      EXPECT_EQ(doc.EntNo[2 + i].EntType, row.kinds[i]) << i;
    }
    // Every released part lies on the dimension's layer and keeps its own colour.
    const TEntJwwLine& sen = doc.EntLine[1];
    EXPECT_EQ(sen.att.nGLayer, 2);
    EXPECT_EQ(sen.att.nLayer, 5);
    EXPECT_EQ(sen.att.nPenColor, 4);
    EXPECT_EQ(sen.att.nPenStyle, 2);
    EXPECT_EQ(sen.att.sFlg, 0x2001);
    const TEntJwwMoji& text = doc.EntMoji[0];
    EXPECT_EQ(text.att.nGLayer, 2);
    EXPECT_EQ(text.att.sFlg, 0x4010);
    EXPECT_EQ(text.att.nPenColor, 6);
    if (row.sxf) {
      ASSERT_EQ(doc.EntTenN(), 4);
      const uint32_t provisional[] = {0, 0, 1, 1};
      for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.EntTen[i].bKariten, provisional[i]) << i;
        EXPECT_EQ(doc.EntTen[i].att.sFlg, 0x40) << i;
        EXPECT_EQ(doc.EntTen[i].att.nLayer, 5) << i;
      }
      EXPECT_EQ(doc.EntTen[3].start_x, 10);
    }
  }
}

TEST(ReleaseDimensionsTest, BlockDefinitionsReleaseTheirOwnDimensions) {
  TJwwData doc;
  InitDrawing(doc);
  TEntJwwBlockDef& def = test::AddBlockDef(doc, 1, u"Dim");
  Add(def, test::Line(0, 0, 1, 1));
  Add(def, Dimension(1, 3));
  ReleaseDimensions(doc);
  const TEntJwwBlockDef& got = doc.EntBlockDef[0];
  EXPECT_EQ(got.mNo[1].EntType, kEntNone);
  EXPECT_EQ(got.N(), 2 + 8);
  EXPECT_EQ(got.mLineN(), 4);
  EXPECT_EQ(got.mMojiN(), 1);
  EXPECT_EQ(got.mTenN(), 4);
  EXPECT_EQ(got.mNo.back().EntType, kEntTen);
  EXPECT_EQ(got.mNo.back().EntNo, 3);
  EXPECT_EQ(doc.Enthd.n1, 0);
}

struct LayerStates {
  TJwwData doc;
  LayerStates() {
    InitDrawing(doc);
    for (auto& g : doc.EntLgrp) {
      g.anGLay = kLayHidden;
      g.anGLayProtect = 1;
      g.anWriteLay = 4;
    }
    for (auto& l : doc.EntLay) {
      l.aanLay = kLayDisplayOnly;
      l.aanLayProtect = 1;
    }
  }
  int Group(int g) const { return doc.EntLgrp[g].anGLay; }
  int Layer(int g, int l) const { return doc.EntLay[g * 16 + l].aanLay; }
  bool LayerProtected(int g, int l) const { return doc.EntLay[g * 16 + l].aanLayProtect != 0; }
};

TEST(MakeMergedLayersEditableTest, GroupLayerAndBoth) {
  LayerStates s;
  s.doc.EntLay[12 * 16 + 3].aanLay = kLayCurrent;
  const std::vector<MergeEntry> entries = {
      {u"a.jww", u"c", u"", u""},                  // group 12, all its layers
      {u"b.jww", u"", u" 4", u""},                 // layer 4 in every group
      {u"c.jww", u"1", u"F", u""},                 // group 1, layer 15
      {u"  ", u"2", u"2", u""},                    // blank path: ignored
      {u"エラーファイル：d.jww", u"3", u"", u""},  // error entries count
      {u"e.jww", u"", u"", u"5"},                  // nothing given
  };
  MakeMergedLayersEditable(s.doc, entries);
  EXPECT_EQ(s.Group(12), kLayEditable);
  EXPECT_EQ(s.doc.EntLgrp[12].anGLayProtect, 0);
  EXPECT_EQ(s.Layer(12, 0), kLayEditable);
  EXPECT_EQ(s.Layer(12, 3), kLayCurrent);  // current stays current
  EXPECT_FALSE(s.LayerProtected(12, 15));
  for (int g : {0, 5, 15}) {
    EXPECT_EQ(s.Group(g), kLayHidden) << g;  // a group's own state stays
    EXPECT_EQ(s.Layer(g, 4), kLayEditable) << g;
    EXPECT_FALSE(s.LayerProtected(g, 4)) << g;
    EXPECT_EQ(s.Layer(g, 5), kLayDisplayOnly) << g;
  }
  EXPECT_EQ(s.Group(1), kLayEditable);
  EXPECT_EQ(s.Layer(1, 15), kLayEditable);
  EXPECT_EQ(s.Layer(1, 14), kLayDisplayOnly);
  EXPECT_EQ(s.Group(2), kLayHidden);
  EXPECT_EQ(s.Layer(2, 2), kLayDisplayOnly);
  EXPECT_EQ(s.Group(3), kLayEditable);
  EXPECT_EQ(s.Layer(3, 9), kLayEditable);
}

TEST(MakeMergedLayersEditableTest, CellCodes) {
  struct Row {
    const char* name;
    std::u16string group;
    int want_group;  // -1: nothing changed
  } rows[] = {
      {"hex letter", u"b", 11},
      {"exactly F", u"F", 15},
      {"decimal", u"12", 12},
      {"nine", u"9", 9},
      {"non-number starting with a digit", u"7x", 0},
      {"other text in range", u"+5", 5},
      {"other text out of range", u"G", -1},
      {"negative", u"-3", -1},
      {"hex out of range counts as group 0", u"AB", 0},
      {"decimal out of range counts as group 0", u"16", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LayerStates s;
    MakeMergedLayersEditable(s.doc, {{u"x.jww", row.group, u"", u""}});
    for (int g = 0; g < 16; ++g) {
      EXPECT_EQ(s.Group(g), g == row.want_group ? kLayEditable : kLayHidden) << g;
    }
  }
}

TEST(MakeAllLayersEditableTest, GroupAndLayerZeroCurrentTheRestEditable) {
  LayerStates s;
  s.doc.Enthd.nWriteGLay = 6;
  MakeAllLayersEditable(s.doc);
  for (int g = 0; g < 16; ++g) {
    EXPECT_EQ(s.Group(g), g == 0 ? kLayCurrent : kLayEditable);
    EXPECT_EQ(s.doc.EntLgrp[g].anGLayProtect, 0);
    EXPECT_EQ(s.doc.EntLgrp[g].anWriteLay, 0);
    for (int l = 0; l < 16; ++l) {
      EXPECT_EQ(s.Layer(g, l), l == 0 ? kLayCurrent : kLayEditable);
      EXPECT_FALSE(s.LayerProtected(g, l));
    }
  }
  EXPECT_EQ(s.doc.Enthd.nWriteGLay, 6);
}

TEST(LayerStateTest, DocumentsWithoutTablesAreLeftAlone) {
  TJwwData doc;
  MakeAllLayersEditable(doc);
  MakeMergedLayersEditable(doc, {{u"x.jww", u"3", u"4", u""}});
  EXPECT_TRUE(doc.EntLgrp.empty());
}

}  // namespace
}  // namespace plandock
