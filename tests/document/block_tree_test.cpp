#include "document/block_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace plandock {
namespace {

TEntJwwBlock Insertion(uint32_t number, double x = 0, double y = 0, double sx = 1, double sy = 1,
                       double rot = 0) {
  TEntJwwBlock b;
  b.nNumber = number;
  b.DPKijunTen_x = x;
  b.DPKijunTen_y = y;
  b.dBairitsuX = sx;
  b.dBairitsuY = sy;
  b.radKaitenKaku = rot;
  return b;
}

TEntJwwBlockDef Definition(uint32_t number, const std::u16string& name,
                           std::vector<TEntJwwBlock> inserts = {}) {
  TEntJwwBlockDef d;
  d.nNumber = number;
  d.strName = name;
  d.mBlock = std::move(inserts);
  d.ref_flag = true;  // stale marks that MakeBlockTree must reset
  d.ref_no = 99;
  return d;
}

std::vector<int32_t> RefNos(const TJwwData& doc) {
  std::vector<int32_t> out;
  for (const auto& d : doc.EntBlockDef) out.push_back(d.ref_no);
  return out;
}

TEST(MakeBlockTree, NoInsertionMarksNothing) {
  TJwwData doc;
  doc.EntBlockDef = {Definition(1, u"a", {Insertion(2)}), Definition(2, u"b")};
  doc.EntBlockTree.resize(3);
  doc.EntBlockNum = 5;
  MakeBlockTree(doc);
  EXPECT_TRUE(doc.EntBlockTree.empty());
  EXPECT_EQ(doc.EntBlockNum, 0);
  EXPECT_EQ(RefNos(doc), (std::vector<int32_t>{-1, -1}));
  EXPECT_FALSE(doc.EntBlockDef[0].ref_flag);
  EXPECT_EQ(ChangeBlockNo(doc, 1), 1u);  // not reached: number unchanged
  EXPECT_EQ(ChangeBlockNo(doc, 7), 0u);  // no such definition
}

TEST(MakeBlockTree, TopLevelRotationAndScale) {
  TJwwData doc;
  TEntJwwBlock b = Insertion(5, 4, -2, 2, 3, std::numbers::pi / 2);
  b.att.nLayer = 7;
  doc.EntBlock = {b};
  doc.EntBlockDef = {Definition(5, u"rot")};
  MakeBlockTree(doc);
  ASSERT_EQ(doc.EntBlockTreeN(), 1);
  const TEntJwwBlockTree& n = doc.EntBlockTree[0];
  EXPECT_NEAR(n.r1, 0, 1e-15);
  EXPECT_DOUBLE_EQ(n.r2, -3);
  EXPECT_DOUBLE_EQ(n.r3, 2);
  EXPECT_NEAR(n.r4, 0, 1e-15);
  EXPECT_EQ(n.x, 4);
  EXPECT_EQ(n.y, -2);
  EXPECT_EQ(n.level, 0);
  EXPECT_EQ(n.parent, -1);
  EXPECT_EQ(n.no, 5u);
  EXPECT_EQ(n.defno, 0);
  EXPECT_EQ(n.name, u"rot");
  EXPECT_EQ(n.att.nLayer, 7);
}

TEST(MakeBlockTree, NestedPlacementComposesWithTheParent) {
  TJwwData doc;
  doc.EntBlock = {Insertion(1, 10, 0)};
  TEntJwwBlockDef outer = Definition(1, u"outer", {Insertion(2, 1, 1, 2, 2)});
  outer.att.nGLayer = 3;
  doc.EntBlockDef = {outer, Definition(2, u"inner")};
  MakeBlockTree(doc);
  ASSERT_EQ(doc.EntBlockTreeN(), 2);
  const TEntJwwBlockTree& n = doc.EntBlockTree[1];
  EXPECT_EQ(n.x, 11);
  EXPECT_EQ(n.y, 1);
  EXPECT_EQ(n.r1, 2);
  EXPECT_EQ(n.r2, 0);
  EXPECT_EQ(n.r3, 0);
  EXPECT_EQ(n.r4, 2);
  EXPECT_EQ(n.level, 1);
  EXPECT_EQ(n.parent, 0);
  EXPECT_EQ(n.defno, 1);
  EXPECT_EQ(n.name, u"inner");
  EXPECT_EQ(n.att.nGLayer, 3);  // the containing definition's attributes
  EXPECT_EQ(doc.EntBlockNum, 2);
}

TEST(MakeBlockTree, RotatedParentRotatesTheChild) {
  // Parent turned a quarter, child at (1, 0) in block coordinates: lands at (0, 1)
  // from the parent's point, and its own quarter turn adds up to a half turn.
  TJwwData doc;
  doc.EntBlock = {Insertion(1, 5, 5, 1, 1, std::numbers::pi / 2)};
  doc.EntBlockDef = {Definition(1, u"p", {Insertion(2, 1, 0, 1, 1, std::numbers::pi / 2)}),
                     Definition(2, u"c")};
  MakeBlockTree(doc);
  ASSERT_EQ(doc.EntBlockTreeN(), 2);
  const TEntJwwBlockTree& n = doc.EntBlockTree[1];
  EXPECT_NEAR(n.x, 5, 1e-12);
  EXPECT_NEAR(n.y, 6, 1e-12);
  EXPECT_NEAR(n.r1, -1, 1e-12);
  EXPECT_NEAR(n.r2, 0, 1e-12);
  EXPECT_NEAR(n.r3, 0, 1e-12);
  EXPECT_NEAR(n.r4, -1, 1e-12);
}

TEST(MakeBlockTree, BreadthFirstOrderAndRepeatedInsertions) {
  // Top: A, B. A holds C, C. B holds C. Each C is its own node; C is numbered once.
  TJwwData doc;
  doc.EntBlock = {Insertion(10), Insertion(20)};
  doc.EntBlockDef = {Definition(30, u"C"),
                     Definition(10, u"A", {Insertion(30, 1), Insertion(30, 2)}),
                     Definition(20, u"B", {Insertion(30, 3)})};
  MakeBlockTree(doc);
  ASSERT_EQ(doc.EntBlockTreeN(), 5);
  const std::vector<uint32_t> nos = {10, 20, 30, 30, 30};
  const std::vector<int32_t> parents = {-1, -1, 0, 0, 1};
  const std::vector<double> xs = {0, 0, 1, 2, 3};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(doc.EntBlockTree[i].no, nos[i]) << i;
    EXPECT_EQ(doc.EntBlockTree[i].parent, parents[i]) << i;
    EXPECT_EQ(doc.EntBlockTree[i].x, xs[i]) << i;
  }
  EXPECT_EQ(RefNos(doc), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(doc.EntBlockNum, 3);
}

TEST(MakeBlockTree, UnreachedDefinitionsAreNotNumbered) {
  // D0 and D2 reached (D2 only through D0), D1 not: 0, -1, 1.
  TJwwData doc;
  doc.EntBlock = {Insertion(100)};
  doc.EntBlockDef = {Definition(100, u"D0", {Insertion(300)}), Definition(200, u"D1"),
                     Definition(300, u"D2")};
  MakeBlockTree(doc);
  EXPECT_EQ(RefNos(doc), (std::vector<int32_t>{0, -1, 1}));
  EXPECT_EQ(doc.EntBlockNum, 2);
  EXPECT_TRUE(doc.EntBlockDef[2].ref_flag);
  EXPECT_FALSE(doc.EntBlockDef[1].ref_flag);
  EXPECT_EQ(ChangeBlockNo(doc, 100), 0u);
  EXPECT_EQ(ChangeBlockNo(doc, 200), 200u);
  EXPECT_EQ(ChangeBlockNo(doc, 300), 1u);
}

TEST(MakeBlockTree, DuplicateNumbersFindTheFirstDefinition) {
  TJwwData doc;
  doc.EntBlock = {Insertion(7), Insertion(8)};
  doc.EntBlockDef = {Definition(8, u"eight"), Definition(7, u"first"), Definition(7, u"second")};
  MakeBlockTree(doc);
  EXPECT_EQ(doc.EntBlockTree[0].defno, 1);
  EXPECT_EQ(doc.EntBlockTree[0].name, u"first");
  EXPECT_EQ(RefNos(doc), (std::vector<int32_t>{0, 1, -1}));
  EXPECT_EQ(ChangeBlockNo(doc, 7), 1u);
  EXPECT_EQ(ChangeBlockNo(doc, 8), 0u);
}

TEST(MakeBlockTree, UnknownNumberHasNoDefinitionAndNoChildren) {
  TJwwData doc;
  doc.EntBlock = {Insertion(42)};
  doc.EntBlockDef = {Definition(1, u"one", {Insertion(2)})};
  MakeBlockTree(doc);
  ASSERT_EQ(doc.EntBlockTreeN(), 1);
  EXPECT_EQ(doc.EntBlockTree[0].defno, -1);
  EXPECT_TRUE(doc.EntBlockTree[0].name.empty());
  EXPECT_EQ(doc.EntBlockNum, 0);
  EXPECT_EQ(ChangeBlockNo(doc, 42), 0u);
}

TEST(MakeBlockTree, CyclesAreNotExpandedAgain) {
  // A inserts B, B inserts A and itself: A(0) -> B(1) -> A(2), B(3); nodes 2 and 3
  // repeat a definition of their path and get no children.
  TJwwData doc;
  doc.EntBlock = {Insertion(1)};
  doc.EntBlockDef = {Definition(1, u"A", {Insertion(2, 1)}),
                     Definition(2, u"B", {Insertion(1, 2), Insertion(2, 3)})};
  MakeBlockTree(doc);
  ASSERT_EQ(doc.EntBlockTreeN(), 4);
  EXPECT_EQ(doc.EntBlockTree[2].defno, 0);
  EXPECT_EQ(doc.EntBlockTree[2].parent, 1);
  EXPECT_EQ(doc.EntBlockTree[3].defno, 1);
  EXPECT_EQ(doc.EntBlockTree[3].parent, 1);
  EXPECT_EQ(doc.EntBlockNum, 2);

  // A self-insertion at top level as well.
  TJwwData self;
  self.EntBlock = {Insertion(5), Insertion(5)};
  self.EntBlockDef = {Definition(5, u"S", {Insertion(5)})};
  MakeBlockTree(self);
  EXPECT_EQ(self.EntBlockTreeN(), 4);
  EXPECT_EQ(self.EntBlockNum, 1);
}

TEST(MakeBlockTree, LongAcyclicChainIsWalkedCompletely) {
  const int n = 3000;
  TJwwData doc;
  doc.EntBlock = {Insertion(0)};
  for (int i = 0; i < n; ++i) {
    std::vector<TEntJwwBlock> inner;
    if (i + 1 < n) inner.push_back(Insertion(i + 1, 1, 0));
    doc.EntBlockDef.push_back(Definition(i, u"d", inner));
  }
  MakeBlockTree(doc);
  ASSERT_EQ(doc.EntBlockTreeN(), n);
  EXPECT_EQ(doc.EntBlockTree.back().level, n - 1);
  EXPECT_EQ(doc.EntBlockTree.back().x, n - 1);
  EXPECT_EQ(doc.EntBlockNum, n);
}

// 40 definitions, each inserting the next twice: 2^40 nodes unguarded. Below
// them an extra definition reached only at depth 40, and one reached by nothing.
void BuildBlowUp(TJwwData& doc) {
  doc.EntBlock = {Insertion(0)};
  for (uint32_t i = 0; i < 40; ++i) {
    doc.EntBlockDef.push_back(
        Definition(i, u"level", {Insertion(i + 1, 1, 0), Insertion(i + 1, 0, 1)}));
  }
  doc.EntBlockDef.push_back(Definition(40, u"deep"));
  doc.EntBlockDef.push_back(Definition(41, u"unused"));
}

TEST(MakeBlockTree, NodeBudgetStopsTheBlowUpButMarksStayExact) {
  TJwwData doc;
  BuildBlowUp(doc);
  MakeBlockTree(doc, 1000);
  EXPECT_EQ(doc.EntBlockTreeN(), 1000);
  EXPECT_EQ(doc.EntBlockNum, 41);
  EXPECT_EQ(doc.EntBlockDef[40].ref_no, 40);
  EXPECT_EQ(doc.EntBlockDef[41].ref_no, -1);
  // The nodes that exist are the breadth-first prefix.
  EXPECT_EQ(doc.EntBlockTree[1].parent, 0);
  EXPECT_EQ(doc.EntBlockTree[2].parent, 0);
  EXPECT_EQ(doc.EntBlockTree[3].parent, 1);
  EXPECT_EQ(doc.EntBlockTree[999].level, 9);
}

TEST(MakeBlockTree, DefaultBudgetBoundsTheBlowUp) {
  TJwwData doc;
  BuildBlowUp(doc);
  MakeBlockTree(doc);
  EXPECT_EQ(static_cast<size_t>(doc.EntBlockTreeN()), kBlockTreeNodeBudget);
  EXPECT_EQ(doc.EntBlockNum, 41);
}

TEST(MakeBlockTree, TopLevelNodesAlwaysExist) {
  TJwwData doc;
  doc.EntBlock = {Insertion(1), Insertion(1), Insertion(1)};
  doc.EntBlockDef = {Definition(1, u"x", {Insertion(2)}), Definition(2, u"y")};
  MakeBlockTree(doc, 2);
  EXPECT_EQ(doc.EntBlockTreeN(), 3);
  EXPECT_EQ(doc.EntBlockNum, 2);
}

TEST(BlockNoMap, AgreesWithChangeBlockNo) {
  TJwwData doc;
  doc.EntBlock = {Insertion(7), Insertion(9)};
  doc.EntBlockDef = {Definition(3, u""), Definition(9, u""), Definition(7, u""),
                     Definition(7, u"")};
  MakeBlockTree(doc);
  const BlockNoMap map(doc);
  for (uint32_t n : {0u, 3u, 7u, 9u, 11u}) EXPECT_EQ(map(n), ChangeBlockNo(doc, n)) << n;
  EXPECT_EQ(map(9), 0u);
  EXPECT_EQ(map(7), 1u);
  EXPECT_EQ(map(3), 3u);
}

}  // namespace
}  // namespace plandock
