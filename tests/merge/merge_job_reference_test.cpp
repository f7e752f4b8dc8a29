// The reference check: the two lists of drawings, their cut after fifteen
// names, the questions and what No leaves behind.
#include <filesystem>

#include "merge_job_fixture.h"

namespace plandock::test {
namespace {

class ReferenceCheck : public MergeJobTest {
 protected:
  MergeSettings CheckingSettings(const std::u16string& base, bool warn_many = false) {
    MergeSettings s = Settings(base, PathOf("out.jww"));
    s.CheckReferenceTexts = true;
    s.WarnManyReferenceTexts = warn_many;
    return s;
  }
  bool ResultWritten() const { return std::filesystem::exists(dir_.path() / "out.jww"); }
};

constexpr char16_t kAskNotDrawn[] =
    u"基準点文字が作図されていない図面ファイルがあります。合体を続行しますか？\r\n";
constexpr char16_t kAskMany[] =
    u"基準点文字が３つ以上作図されている図面ファイルがあります。合体を続行しますか？\r\n";

TEST_F(ReferenceCheck, BaseWithoutReferenceIsListedFirstAndNoCancels) {
  const std::u16string base = WriteDrawing("base.jww", 1, 0, 0);
  const std::u16string with = WriteDrawing("with.jww", 1, 0, 1);
  const std::u16string without = WriteDrawing("without.jww", 1, 0, 0);
  std::vector<MergeEntry> entries = {Entry(with), Entry(u""), Entry(without, u"a")};
  host_.answers = {MessageAnswer::kNo};

  EXPECT_EQ(Run(CheckingSettings(base), entries), MergeJobResult::kCancelled);

  ASSERT_EQ(host_.boxes.size(), 2u);
  EXPECT_EQ(host_.boxes[0].kind, MessageKind::kWarning);
  EXPECT_EQ(host_.boxes[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(host_.boxes[0].text,
            kAskNotDrawn + (u"\r\nベース図面ファイル：" + base) + u"\r\n合体ファイル：" + without);
  EXPECT_EQ(host_.boxes[1].kind, MessageKind::kInformation);
  EXPECT_EQ(host_.boxes[1].text, u"合体をキャンセルしました。");
  EXPECT_EQ(host_.statuses, (std::vector<std::u16string>{
                                u"合体ファイル名のチェック中です",
                                u"合体先レイヤ指定のチェック中です",
                                u"基準点文字のチェック中です",
                                u"基準点文字チェック中：" + base,
                                u"基準点文字チェック中：" + with,
                                u"基準点文字チェック中：" + without,
                            }));
  EXPECT_FALSE(ResultWritten());
  EXPECT_EQ(entries[2].LayerGroup, u"A") << "the cleaning stays after a cancel";
  EXPECT_TRUE(host_.merge_enabled.empty()) << "nothing was read to merge";
}

TEST_F(ReferenceCheck, SeventeenDrawingsWithoutReferenceAreCutAfterFifteenEntries) {
  const struct {
    const char* name;
    int base_references;
    int listed_entries;
  } rows[] = {{"base has one", 1, 16}, {"base has none", 0, 15}};
  std::vector<std::u16string> paths;
  for (int i = 0; i < 17; ++i) {
    paths.push_back(WriteDrawing("m" + std::to_string(i) + ".jww", 1, 0, 0));
  }
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeJobHost host;
    const std::u16string base = WriteDrawing("base.jww", 1, 0, row.base_references);
    std::vector<MergeEntry> entries;
    for (const auto& p : paths) entries.push_back(Entry(p));
    host.answers = {MessageAnswer::kNo};
    RunMergeJob(CheckingSettings(base), entries, host);

    std::u16string list = row.base_references == 0 ? u"\r\nベース図面ファイル：" + base : u"";
    for (int i = 0; i < row.listed_entries; ++i) list += u"\r\n合体ファイル：" + paths[i];
    list += u"\r\n・・・";
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes[0].text, kAskNotDrawn + list);
    EXPECT_EQ(host.CountStatusesStartingWith(u"基準点文字チェック中："), 1 + row.listed_entries)
        << "the scan stops at the cut";
  }
}

TEST_F(ReferenceCheck, ThreeOrMoreReferencesAreListedOnlyWhenAsked) {
  const std::u16string base = WriteDrawing("base.jww", 1, 0, 1);
  const std::u16string one = WriteDrawing("one.jww", 1, 0, 1);
  const std::u16string two = WriteDrawing("two.jww", 1, 0, 2);
  const std::u16string three = WriteDrawing("three.jww", 1, 0, 3);
  const std::u16string five = WriteDrawing("five.jww", 1, 0, 5);
  const auto entries_of = [&] {
    return std::vector<MergeEntry>{Entry(one), Entry(three), Entry(two), Entry(five)};
  };

  std::vector<MergeEntry> entries = entries_of();
  EXPECT_EQ(Run(CheckingSettings(base, false), entries), MergeJobResult::kCompleted);
  EXPECT_TRUE(host_.boxes.empty());

  FakeJobHost asked;
  entries = entries_of();
  asked.answers = {MessageAnswer::kYes};
  EXPECT_EQ(RunMergeJob(CheckingSettings(base, true), entries, asked), MergeJobResult::kCompleted);
  ASSERT_EQ(asked.boxes.size(), 1u);
  EXPECT_EQ(asked.boxes[0].kind, MessageKind::kWarning);
  EXPECT_EQ(asked.boxes[0].text,
            kAskMany + (u"\r\n合体ファイル：" + three) + u"\r\n合体ファイル：" + five);
  EXPECT_EQ(asked.LastStatus(), u"完了");

  FakeJobHost refused;
  entries = entries_of();
  refused.answers = {MessageAnswer::kNo};
  EXPECT_EQ(RunMergeJob(CheckingSettings(base, true), entries, refused),
            MergeJobResult::kCancelled);
  ASSERT_EQ(refused.boxes.size(), 2u);
  EXPECT_EQ(refused.boxes[1].text, u"合体をキャンセルしました。");
}

TEST_F(ReferenceCheck, BothQuestionsAreAskedInTurn) {
  const std::u16string base = WriteDrawing("base.jww", 1, 0, 1);
  const std::u16string none = WriteDrawing("none.jww", 1, 0, 0);
  const std::u16string three = WriteDrawing("three.jww", 1, 0, 3);
  std::vector<MergeEntry> entries = {Entry(none), Entry(three)};
  host_.answers = {MessageAnswer::kYes, MessageAnswer::kYes};
  EXPECT_EQ(Run(CheckingSettings(base, true), entries), MergeJobResult::kCompleted);
  ASSERT_EQ(host_.boxes.size(), 2u);
  EXPECT_EQ(host_.boxes[0].text.rfind(kAskNotDrawn, 0), 0u);
  EXPECT_EQ(host_.boxes[1].text.rfind(kAskMany, 0), 0u);
  EXPECT_TRUE(ResultWritten());
}

TEST_F(ReferenceCheck, BlankReferenceTextSkipsTheCheck) {
  const std::u16string base = WriteDrawing("base.jww", 1, 0, 0);
  std::vector<MergeEntry> entries = {Entry(WriteDrawing("m.jww", 1, 0, 0))};
  MergeSettings s = CheckingSettings(base);
  s.ReferenceText = u" \u3000\t\r\n";
  EXPECT_EQ(Run(s, entries), MergeJobResult::kCompleted);
  EXPECT_TRUE(host_.boxes.empty());
  EXPECT_EQ(host_.CountStatusesStartingWith(u"基準点文字"), 0);
}

TEST_F(ReferenceCheck, UnreadableDrawingIsListedAsNotDrawnThenMarkedAsErrorFile) {
  const std::u16string base = WriteDrawing("base.jww", 1, 0, 1);
  const std::u16string broken = WriteBytes("broken.jww", "JwwData.garbage");
  const std::u16string good = WriteDrawing("good.jww", 5, 0, 1);
  std::vector<MergeEntry> entries = {Entry(broken), Entry(good)};
  EXPECT_EQ(Run(CheckingSettings(base), entries), MergeJobResult::kCompleted);
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].text, kAskNotDrawn + (u"\r\n合体ファイル：" + broken));
  EXPECT_EQ(entries[0].Path, u"エラーファイル：" + broken);
  TJwwData result;
  ReadBack(PathOf("out.jww"), result);
  EXPECT_EQ(result.EntLineN(), 1 + 5);
}

}  // namespace
}  // namespace plandock::test
