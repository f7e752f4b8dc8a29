#include <gtest/gtest.h>

#include "merge/reassign_internal.h"
#include "support/doc_builder.h"

namespace plandock {
namespace {

using test::Attr;
using test::InitDrawing;

TEST(LayerFilterTest, HiddenAndDisplayOnlyGroupsAndLayersUnderTheTwoOptions) {
  // Group 1 hidden, group 2 display only; in the editable group 0, layer 1 is
  // hidden, layer 2 display only and layer 3 current.
  TJwwData merged;
  InitDrawing(merged);
  merged.EntLgrp[1].anGLay = kLayHidden;
  merged.EntLgrp[2].anGLay = kLayDisplayOnly;
  merged.EntLay[1].aanLay = kLayHidden;
  merged.EntLay[2].aanLay = kLayDisplayOnly;
  merged.EntLay[3].aanLay = kLayCurrent;
  struct Place {
    const char* name;
    int group, layer;
    bool hidden, display_only;
  } places[] = {
      {"editable layer", 0, 0, false, false},
      {"current layer", 0, 3, false, false},
      {"hidden layer", 0, 1, true, false},
      {"layer of a hidden group", 1, 0, true, false},
      {"display-only layer", 0, 2, false, true},
      {"layer of a display-only group", 2, 5, false, true},
  };
  struct Options {
    bool merge_hidden, merge_display_only;
  } options[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const Options& o : options) {
    const LayerFilter filter(merged, o.merge_hidden, o.merge_display_only);
    for (const Place& p : places) {
      SCOPED_TRACE(::testing::Message() << p.name << " hidden=" << o.merge_hidden
                                        << " display_only=" << o.merge_display_only);
      const bool want = (!p.hidden || o.merge_hidden) && (!p.display_only || o.merge_display_only);
      EXPECT_EQ(filter.PassesLayerFilter(Attr(p.group, p.layer)), want);
    }
  }
}

TEST(LayerFilterTest, BlockInsertionWithBit40PassesEverything) {
  TJwwData merged;
  InitDrawing(merged);
  merged.EntLgrp[1].anGLay = kLayHidden;
  const LayerFilter filter(merged, false, false);
  EXPECT_TRUE(filter.PassesBlock(test::Insert(1, 0, 0, Attr(1, 0, 1, 0x41))));
  EXPECT_FALSE(filter.PassesBlock(test::Insert(1, 0, 0, Attr(1, 0, 1, 0x01))));
  // The bit means nothing on other kinds.
  EXPECT_FALSE(filter.PassesLayerFilter(Attr(1, 0, 1, 0x41)));
}

TEST(LayerFilterTest, DamagedLayerNumbersReadGroupAndLayerZero) {
  TJwwData merged;
  InitDrawing(merged);
  merged.EntLay[0].aanLay = kLayHidden;
  const LayerFilter filter(merged, false, false);
  EXPECT_FALSE(filter.PassesLayerFilter(Attr(0, 300)));
  EXPECT_FALSE(filter.PassesLayerFilter(Attr(65535, 0)));
  EXPECT_TRUE(filter.PassesLayerFilter(Attr(3, 0)));
  TJwwData bare;  // no tables at all
  EXPECT_TRUE(LayerFilter(bare, false, false).PassesLayerFilter(Attr(7, 7)));
}

TEST(ReassignTest, TopLevelTargets) {
  struct Row {
    const char* name;
    MergeTargets targets;
    bool keep_aux;
    TEntJwwAttr before;
    int group, layer, color;
  } rows[] = {
      {"keep everything", {-1, -1, 0}, false, Attr(2, 3, 5), 2, 3, 5},
      {"group only", {11, -1, 0}, false, Attr(0, 3, 5), 11, 3, 5},
      {"layer only, inside its own group", {-1, 7, 0}, false, Attr(4, 3, 5), 4, 7, 5},
      {"colour", {-1, -1, 3}, false, Attr(0, 0, 9), 0, 0, 3},
      {"colour keeps auxiliary", {-1, -1, 3}, true, Attr(0, 0, 9), 0, 0, 9},
      {"colour with keep-aux on a normal colour", {-1, -1, 3}, true, Attr(0, 0, 5), 0, 0, 3},
      {"extended colour", {1, 2, 356}, false, Attr(0, 0, 1), 1, 2, 356},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TEntJwwAttr att = row.before;
    att.lGroup = 77;
    att.sFlg = 0x20;
    ReassignTopLevel(att, row.targets, row.keep_aux);
    EXPECT_EQ(att.lGroup, 0u);
    EXPECT_EQ(att.nGLayer, row.group);
    EXPECT_EQ(att.nLayer, row.layer);
    EXPECT_EQ(att.nPenColor, row.color);
    EXPECT_EQ(att.sFlg, 0x20);
  }
}

TEST(FindTextTypeTest, FirstSlotOfSameColourAndSizes) {
  TJwwData base;
  InitDrawing(base);
  base.EntMoj[0] = {2.0, 2.0, 0.0, 1};
  base.EntMoj[1] = {3.0, 3.5, 0.5, 2};
  base.EntMoj[4] = {3.0, 3.5, 0.5, 2};  // a later duplicate never wins
  struct Row {
    const char* name;
    int color;
    double x, y, d;
    uint32_t want;
  } rows[] = {
      {"type 1", 1, 2.0, 2.0, 0.0, 1},
      {"type 2", 2, 3.0, 3.5, 0.5, 2},
      {"within 1e-8", 2, 3.0 + 9e-9, 3.5 - 9e-9, 0.5, 2},
      {"beyond 1e-8", 2, 3.0 + 2e-8, 3.5, 0.5, 0},
      {"other colour", 3, 3.0, 3.5, 0.5, 0},
      {"no such size", 1, 7.0, 7.0, 0.0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FindTextType(base, row.color, row.x, row.y, row.d), row.want);
  }
  TJwwData bare;
  EXPECT_EQ(FindTextType(bare, 1, 2.0, 2.0, 0.0), 0u);
}

}  // namespace
}  // namespace plandock
