#include "app/batch_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

// `count` paths that already sort in the order they are numbered.
std::vector<std::u16string> Paths(const std::u16string& prefix, int count) {
  std::vector<std::u16string> out;
  for (int i = 0; i < count; ++i) {
    const std::u16string n = IntToText(i);
    out.push_back(prefix + std::u16string(4 - n.size(), u'0') + n + u".jww");
  }
  return out;
}

BatchPlan PlanWithCounts(const std::vector<int>& counts) {
  BatchPlan plan;
  plan.OutputFolder = u"C:\\out\\";
  plan.FileName = u"plan";
  for (size_t n = 0; n < counts.size(); ++n) {
    plan.Lists[n] = Paths(u"C:\\d" + IntToText(static_cast<int>(n)) + u"\\f", counts[n]);
  }
  return plan;
}

TEST(BatchOutputNameTest, NumbersAndLettersArePaddedToThePairCount) {
  struct Case {
    BatchNumbering numbering;
    int count;
    int i;
    std::u16string name;
  };
  const BatchNumbering d = BatchNumbering::kDigits;
  const BatchNumbering l = BatchNumbering::kLetters;
  const Case cases[] = {
      {d, 1, 0, u"plan0.JWW"},     {d, 9, 0, u"plan0.JWW"},       {d, 9, 8, u"plan8.JWW"},
      {d, 10, 0, u"plan00.JWW"},   {d, 10, 9, u"plan09.JWW"},     {d, 12, 11, u"plan11.JWW"},
      {d, 100, 0, u"plan000.JWW"}, {d, 100, 99, u"plan099.JWW"},  {l, 25, 0, u"planA.JWW"},
      {l, 25, 24, u"planY.JWW"},   {l, 26, 0, u"plan0A.JWW"},     {l, 26, 25, u"plan0Z.JWW"},
      {l, 27, 26, u"plan1A.JWW"},  {l, 30, 25, u"plan0Z.JWW"},    {l, 30, 29, u"plan1D.JWW"},
      {l, 260, 0, u"plan00A.JWW"}, {l, 260, 259, u"plan09Z.JWW"},
  };
  for (const Case& c : cases) {
    BatchPlan plan = PlanWithCounts({c.count, 1});
    plan.Numbering = c.numbering;
    EXPECT_EQ(BatchOutputName(plan, c.i), c.name)
        << "N=" << c.count << " i=" << c.i << " letters=" << (c.numbering == l);
  }
}

TEST(BatchOutputNameTest, SameNameChoicesBorrowOnlyFromListsOfSeveral) {
  // D0 and D1 hold three, D2 one, D3 none.
  BatchPlan plan = PlanWithCounts({3, 3, 1, 0});
  struct Case {
    int choice;
    std::u16string name;  // of pair 2
  };
  const Case cases[] = {
      {0, u"plan2.JWW"},  // generated
      {1, u"f0002.jww"},  // D0's drawing, extension as it stands
      {2, u"f0002.jww"},  // D1's entry at the same position
      {3, u"plan2.JWW"},  // D2 holds one: generated
      {4, u"plan2.JWW"},  // D3 holds none: generated
      {9, u"plan2.JWW"},
  };
  for (const Case& c : cases) {
    plan.NameChoice = c.choice;
    EXPECT_EQ(BatchOutputName(plan, 2), c.name) << "choice " << c.choice;
  }
  plan.Lists[1][2] = u"/mnt/other/粗い.Jww";
  plan.NameChoice = 2;
  EXPECT_EQ(BatchOutputName(plan, 2), u"粗い.Jww");
}

TEST(BatchPairTest, OutputFolderIsJoinedUnchanged) {
  BatchPlan plan = PlanWithCounts({2, 1});
  plan.OutputFolder = u"";
  EXPECT_EQ(MakeBatchPair(plan, 1)[0], u"plan1.JWW");
  plan.OutputFolder = u"C:\\out";
  EXPECT_EQ(MakeBatchPair(plan, 1)[0], u"C:\\outplan1.JWW");
}

TEST(BatchPairTest, SingleEntriesJoinEveryPairAndEmptyListsLeaveTheirSlotEmpty) {
  // D0 3, D1 3, D2 1, the rest empty.
  const BatchPlan plan = PlanWithCounts({3, 3, 1});
  ASSERT_EQ(BatchPairCount(plan), 3);
  for (int i = 0; i < 3; ++i) {
    const BatchPair pair = MakeBatchPair(plan, i);
    EXPECT_EQ(pair[0], u"C:\\out\\plan" + IntToText(i) + u".JWW");
    EXPECT_EQ(pair[1], plan.Lists[0][static_cast<size_t>(i)]);
    EXPECT_EQ(pair[2], plan.Lists[1][static_cast<size_t>(i)]);
    EXPECT_EQ(pair[3], plan.Lists[2][0]);
    for (size_t slot = 4; slot < kPairSlotCount; ++slot) EXPECT_EQ(pair[slot], u"") << slot;
  }
}

TEST(BatchCheckTest, EachRefusalNamesTheTargetsItConcerns) {
  struct Case {
    std::vector<int> counts;
    std::u16string message;
  };
  const Case cases[] = {
      {{0, 3}, u"ベース図面【意匠図】にファイルが指定されていません。確認して下さい。"},
      {{3, 2},
       u"合体図面【衛生図】のファイル指定数と\r\nベース図面【意匠図】のファイル指定数が異なります。"
       u"確認して下さい。"},
      // The first differing list in target order is named; lists of one pass.
      {{3, 1, 3, 0, 4, 2},
       u"合体図面【設定4】のファイル指定数と\r\nベース図面【意匠図】のファイル指定数が異なります。"
       u"確認して下さい。"},
      {{3}, u"合体図面にファイルが指定されていません。確認して下さい。"},
      {{3, 3, 1}, u""},
      {{1, 0, 0, 0, 0, 0, 0, 0, 1}, u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckBatchPlan(PlanWithCounts(c.counts)), c.message) << c.counts.size();
  }
}

TEST(BatchCheckTest, CaptionsAreTheNamesCutToTwelveColumns) {
  BatchPlan plan = PlanWithCounts({3, 2});
  plan.Targets[0].Name = u"ベース図面の名前が長い";  // 22 columns
  plan.Targets[1].Name = u"ABCDEFGHIJKLMN";
  EXPECT_EQ(CheckBatchPlan(plan),
            u"合体図面【ABCDEFGHIJKL】のファイル指定数と\r\nベース図面【ベース図面の】の"
            u"ファイル指定数が異なります。確認して下さい。");
}

TEST(BatchListTest, ListsIgnoreLetterCaseAndKeepDuplicates) {
  BatchPlan plan;
  for (const char16_t* p : {u"c:\\b.jww", u"C:\\a.jww", u"C:\\B.jww", u"c:\\b.jww", u"C:\\_.jww"}) {
    AddToBatchList(plan, 2, p);
  }
  // Compared upper-cased, '_' (U+005F) comes after every letter.
  const std::vector<std::u16string> expected = {u"C:\\a.jww", u"C:\\B.jww", u"c:\\b.jww",
                                                u"c:\\b.jww", u"C:\\_.jww"};
  EXPECT_EQ(plan.Lists[2], expected);
  for (size_t i = 1; i < expected.size(); ++i) {
    EXPECT_FALSE(BatchOrderLess(expected[i], expected[i - 1])) << i;
  }

  BatchPlan unsorted;
  unsorted.Lists[2] = {u"c:\\b.jww", u"C:\\a.jww", u"C:\\B.jww", u"c:\\b.jww", u"C:\\_.jww"};
  SortBatchLists(unsorted);
  EXPECT_EQ(unsorted.Lists[2], expected);
}

TEST(BatchSettingsTest, NameChoiceItemsAndStoredFieldsFollowTheTargets) {
  AppSettings settings;
  settings.DropTargets[2].Name = u"";
  settings.BatchOutputFolder = u"D:\\出力\\";
  settings.BatchFileName = u"階";
  settings.BatchNameChoice = 3;
  settings.BatchNumbering = 1;
  const BatchPlan plan = BatchPlanFromSettings(settings);
  EXPECT_EQ(plan.OutputFolder, u"D:\\出力\\");
  EXPECT_EQ(plan.FileName, u"階");
  EXPECT_EQ(plan.NameChoice, 3);
  EXPECT_EQ(plan.Numbering, BatchNumbering::kLetters);

  const auto items = NameChoiceItems(plan.Targets);
  EXPECT_EQ(items[0], u"任意ファイル名");
  EXPECT_EQ(items[1], u"意匠図と同一名");
  EXPECT_EQ(items[3], u"\u3000と同一名");
  EXPECT_EQ(items[9], u"設定8と同一名");

  AppSettings back;
  StoreBatchFields(plan, back);
  EXPECT_EQ(SettingsLines(back), SettingsLines(settings));
}

}  // namespace
}  // namespace plandock
