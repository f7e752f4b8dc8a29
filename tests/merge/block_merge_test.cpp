#include <gtest/gtest.h>

#include "merge/block_merge_internal.h"
#include "support/doc_builder.h"
#include "util/text.h"

namespace plandock {
namespace {

using test::Add;
using test::AddBlockDef;
using test::Attr;
using test::InitDrawing;

const std::u16string kMarker = u"@@SFIGORGFLAG@@";

TEST(BlockNameTest, HeadAndTailSplitAtTheMarkerInAnyCase) {
  struct Row {
    std::u16string name, head, tail;
  } rows[] = {
      {u"Door", u"Door", u""},
      {u"Door@@SFIGORGFLAG@@7", u"Door", u"@@SFIGORGFLAG@@7"},
      {u"2lines@@SfigorgFlag@@4", u"2lines", u"@@SfigorgFlag@@4"},
      {u"@@sfigorgflag@@", u"", u"@@sfigorgflag@@"},
      {u"", u"", u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(TextToUtf8(row.name));
    EXPECT_EQ(BlockNameHead(row.name), row.head);
    EXPECT_EQ(BlockNameTail(row.name), row.tail);
  }
}

TEST(BlockTableTest, NumbersMoveAboveTheLargestBaseNumber) {
  TJwwData base, merged;
  InitDrawing(base);
  InitDrawing(merged);
  for (uint32_t n : {1u, 2u, 5u}) AddBlockDef(merged, n, u"M" + std::u16string(1, u'0' + n));
  {
    const BlockTable table = BuildBlockTable(base, merged);  // base without definitions
    ASSERT_EQ(table.rows().size(), 3u);
    EXPECT_EQ(table.rows()[2].no2, 5u);
    EXPECT_EQ(table.rows()[2].defno2, 2);
  }
  AddBlockDef(base, 12, u"B12");
  AddBlockDef(base, 3, u"B3");
  const BlockTable table = BuildBlockTable(base, merged);
  EXPECT_EQ(table.MapBlockNumber(1), 14u);
  EXPECT_EQ(table.MapBlockNumber(2), 15u);
  EXPECT_EQ(table.MapBlockNumber(5), 18u);
  EXPECT_EQ(table.MapBlockNumber(4), 0u);  // no such definition
  EXPECT_EQ(table.rows()[0].defno1, 0);
  EXPECT_EQ(table.rows()[0].defno2, 2);
  const BlockEntryLookup found = table.LookupBlockEntry(5);
  EXPECT_EQ(found.number, 18u);
  EXPECT_EQ(found.name1, u"M5");
  EXPECT_EQ(found.name2, u"M5");
  const BlockEntryLookup missing = table.LookupBlockEntry(9);
  EXPECT_EQ(missing.number, 0u);
  EXPECT_TRUE(missing.name2.empty());
}

TEST(BlockTableTest, NumbersNeverWrapOnADamagedBase) {
  TJwwData base, merged;
  InitDrawing(base);
  InitDrawing(merged);
  AddBlockDef(base, 0xFFFFFFFFu, u"Top");
  AddBlockDef(base, 1, u"One");
  AddBlockDef(merged, 0, u"M0");
  AddBlockDef(merged, 7, u"M7");
  const BlockTable table = BuildBlockTable(base, merged);
  ASSERT_EQ(table.rows().size(), 2u);
  // Shifted above 0xFFFFFFFF they would wrap to 0 and 7; instead each takes a
  // number that neither the base nor the other uses.
  EXPECT_EQ(table.MapBlockNumber(0), 2u);
  EXPECT_EQ(table.MapBlockNumber(7), 3u);
}

TEST(BlockTableTest, RenamesOnHeadClashes) {
  struct Row {
    const char* name;
    std::vector<std::u16string> base_names;
    std::vector<std::u16string> merged_names;
    std::vector<std::u16string> want;
  } rows[] = {
      {"no clash", {u"Door"}, {u"Window"}, {u"Window"}},
      {"first suffix", {u"Door"}, {u"Door"}, {u"Door_1"}},
      {"next free suffix", {u"Door", u"Door_1"}, {u"Door"}, {u"Door_2"}},
      {"letter case differs", {u"Door"}, {u"door"}, {u"door"}},
      {"marker kept after the suffix",
       {u"Door"},
       {u"Door" + kMarker + u"7"},
       {u"Door_1" + kMarker + u"7"}},
      {"clash through the base's marker name",
       {u"2lines@@SfigorgFlag@@4"},
       {u"2lines"},
       {u"2lines_1"}},
      {"earlier renames are taken",
       {u"A"},
       {u"A", u"A" + kMarker + u"1"},
       {u"A_1", u"A_2" + kMarker + u"1"}},
      {"a kept name does not block a later one", {}, {u"A", u"A"}, {u"A", u"A"}},
      {"a suffix taken by an earlier kept name", {u"A"}, {u"A_1", u"A"}, {u"A_1", u"A_2"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TJwwData base, merged;
    InitDrawing(base);
    InitDrawing(merged);
    uint32_t n = 1;
    for (const std::u16string& name : row.base_names) AddBlockDef(base, n++, name);
    for (const std::u16string& name : row.merged_names) AddBlockDef(merged, n++, name);
    const BlockTable table = BuildBlockTable(base, merged);
    ASSERT_EQ(table.rows().size(), row.want.size());
    for (size_t i = 0; i < row.want.size(); ++i) {
      EXPECT_EQ(table.rows()[i].name1, row.merged_names[i]);
      EXPECT_EQ(table.rows()[i].name2, row.want[i]) << i;
    }
  }
}

TEST(BlockTableTest, ManyClashesOfOneNameStayUnique) {
  TJwwData base, merged;
  InitDrawing(base);
  InitDrawing(merged);
  AddBlockDef(base, 1, u"Window");
  for (uint32_t i = 0; i < 2000; ++i) AddBlockDef(merged, i + 1, u"Window");
  const BlockTable table = BuildBlockTable(base, merged);
  EXPECT_EQ(table.rows()[0].name2, u"Window_1");
  EXPECT_EQ(table.rows()[1999].name2, u"Window_2000");
}

TEST(BlockNamerTest, UsedByHeadOnly) {
  TJwwData base;
  InitDrawing(base);
  AddBlockDef(base, 1, u"Door" + kMarker + u"3");
  const BlockNamer namer(base);
  EXPECT_TRUE(namer.BlockNameUsed(u"Door"));
  EXPECT_TRUE(namer.BlockNameUsed(u"Door@@sfigorgflag@@9"));
  EXPECT_FALSE(namer.BlockNameUsed(u"DOOR"));
}

// A merged drawing whose definition 3 holds entities on a hidden layer and a
// nested insertion of definition 3; definition 4 holds a dimension.
struct BlockCopyFixture {
  TJwwData base, merged;
  MergeSettings options;
  MergeTargets targets;

  BlockCopyFixture() {
    InitDrawing(base);
    InitDrawing(merged);
    AddBlockDef(base, 12, u"Window");
    base.EntMoj[2] = {2.5, 2.5, 0, 6};  // text type 3 in colour 6
    merged.EntLay[1].aanLay = kLayHidden;
    TEntJwwBlockDef& window = AddBlockDef(merged, 3, u"Window");
    window.att = Attr(2, 2, 4);
    window.att.lGroup = 8;
    window.bRefferd = 1;
    window.dtime = 4242;
    TEntJwwLine line = test::Line(1, 2, 3, 4, Attr(5, 5, 9));
    line.att.lGroup = 9;
    Add(window, line);
    Add(window, test::Line(0, 0, 1, 0, Attr(0, 1)));  // hidden layer
    Add(window, test::Text(u"t", 0, 0, 2, 0, Attr(0, 0, 1), 2.5));
    Add(window, test::Text(u"zero", 1, 1, 1, 1));
    Add(window, test::Text(u"^@BMa.bmp,1,2", 0, 0, 2, 2));
    TEntJwwMoji ref = test::Text(u"【基準点】", 0, 0, 2, 0, Attr(0, 0, 9));
    Add(window, ref);  // reference texts are not special inside definitions
    TEntJwwBlockDef& frame = AddBlockDef(merged, 4, u"Frame");
    Add(frame, test::Insert(3, 0, 0));
    Add(frame, test::Insert(3, 0, 0, Attr(0, 1, 1, 0x40)));
    Add(frame, test::Insert(3, 0, 0, Attr(0, 1)));  // hidden, no bit: dropped
    TEntJwwSunpo dim;
    dim.att = Attr(0, 0, 2);
    dim.Sen = test::Line(0, 0, 5, 0, Attr(3, 3, 9));
    dim.Moji = test::Text(u"5", 2, 0, 3, 0, Attr(3, 3, 5), 2.5);
    dim.Moji.nMojiShu = 8;
    dim.Kt1 = test::Point(0, 0, Attr(3, 3, 9));
    Add(frame, dim);
    Add(merged, test::Insert(3, 50, 50));
  }
  void Run() {
    const BlockTable table = BuildBlockTable(base, merged);
    AppendBlockDefinitions(base, merged, table, targets, options);
  }
};

TEST(BlockCopyTest, DefinitionsGetTheirNewNumbersNamesAndFilteredEntities) {
  BlockCopyFixture f;
  f.targets = {7, 7, 6};
  f.base.Enthd.n2 = 1;
  f.base.EntBlockNum = 1;
  f.Run();
  ASSERT_EQ(f.base.EntBlockDefN(), 3);
  EXPECT_EQ(f.base.Enthd.n2, 3);
  EXPECT_EQ(f.base.EntBlockNum, 3);
  const TEntJwwBlockDef& window = f.base.EntBlockDef[1];
  EXPECT_EQ(window.nNumber, 16u);
  EXPECT_EQ(window.strName, u"Window_1");
  EXPECT_EQ(window.att.lGroup, 0u);
  EXPECT_EQ(window.att.nPenColor, 4);  // the definition's own colour stays
  EXPECT_EQ(window.att.nGLayer, 2);
  EXPECT_EQ(window.bRefferd, 1u);
  EXPECT_EQ(window.dtime, 4242u);
  EXPECT_FALSE(window.ref_flag);
  EXPECT_EQ(window.ref_no, 0);
  // Image text, line, then the ordinary texts; the hidden line and the zero-length text are gone.
  ASSERT_EQ(window.N(), 4);
  EXPECT_EQ(window.mNo[0].EntType, kEntMoji);
  EXPECT_EQ(window.mNo[1].EntType, kEntLine);
  EXPECT_EQ(window.mNo[2].EntType, kEntMoji);
  EXPECT_EQ(window.mNo[3].EntType, kEntMoji);
  ASSERT_EQ(window.mLineN(), 1);
  EXPECT_EQ(window.mLine[0].att.lGroup, 0u);
  EXPECT_EQ(window.mLine[0].att.nGLayer, 5);  // layers stay inside definitions
  EXPECT_EQ(window.mLine[0].att.nPenColor, 6);
  EXPECT_EQ(window.mLine[0].start_x, 1);  // nothing moves
  ASSERT_EQ(window.mMojiN(), 3);
  EXPECT_EQ(window.mMoji[1].str, u"t");
  EXPECT_EQ(window.mMoji[1].nMojiShu, 3u);
  EXPECT_EQ(window.mMoji[2].str, u"【基準点】");
}

TEST(BlockCopyTest, NestedInsertionsAndDimensionsInsideDefinitions) {
  for (bool keep_aux : {false, true}) {
    SCOPED_TRACE(keep_aux);
    BlockCopyFixture f;
    f.targets = {-1, -1, 6};
    f.options.KeepAuxiliaryColour = keep_aux;
    f.Run();
    const TEntJwwBlockDef& frame = f.base.EntBlockDef[2];
    EXPECT_EQ(frame.nNumber, 17u);
    ASSERT_EQ(frame.mBlockN(), 2);
    EXPECT_EQ(frame.mBlock[0].nNumber, 16u);
    EXPECT_EQ(frame.mBlock[1].nNumber, 16u);
    ASSERT_EQ(frame.mSunpoN(), 1);
    const TEntJwwSunpo& d = frame.mSunpo[0];
    EXPECT_EQ(d.att.nPenColor, 6);
    EXPECT_EQ(d.Sen.att.nPenColor, keep_aux ? 9 : 6);
    EXPECT_EQ(d.Kt1.att.nPenColor, keep_aux ? 9 : 6);
    EXPECT_EQ(d.Sen.att.nGLayer, 3);
    EXPECT_EQ(d.Moji.att.nPenColor, 6);
    EXPECT_EQ(d.Moji.nMojiShu, 3u);
  }
}

TEST(BlockCopyTest, DimensionTextTypeKeptWhenTheColourIsKept) {
  BlockCopyFixture f;
  f.Run();
  const TEntJwwSunpo& d = f.base.EntBlockDef[2].mSunpo[0];
  EXPECT_EQ(d.Moji.att.nPenColor, 5);
  EXPECT_EQ(d.Moji.nMojiShu, 8u);
}

}  // namespace
}  // namespace plandock
