// A merge job from the base read to the saved result: progress texts, Escape,
// unreadable drawings, the backup copy, overwriting the base, failed saves.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "merge_job_fixture.h"
#include "platform/files.h"

namespace plandock::test {
namespace {

namespace fs = std::filesystem;
using Job = MergeJobTest;

std::string Contents(const fs::path& p) { return FileContents(p); }

TEST_F(Job, ShowsEveryStepAndCountsEmptyRowsInTheProgress) {
  const std::u16string base = WriteDrawing("base.jww", 3);
  const std::u16string first = WriteDrawing("first.jww", 4);
  const std::u16string third = WriteDrawing("third.jww", 5);
  const std::u16string destination = PathOf("out.jww");
  std::vector<MergeEntry> entries = {Entry(first), Entry(u""), Entry(third)};

  EXPECT_EQ(Run(Settings(base, destination), entries), MergeJobResult::kCompleted);

  EXPECT_EQ(host_.statuses, (std::vector<std::u16string>{
                                u"合体ファイル名のチェック中です",
                                u"合体先レイヤ指定のチェック中です",
                                u"ベース図面の読み込み中です",
                                u"合体図面の読み込み中です(1/3)" + first,
                                u"合体図面の合体処理中です(1/3)" + first,
                                u"合体図面の読み込み中です(3/3)" + third,
                                u"合体図面の合体処理中です(3/3)" + third,
                                u"合体図面を保存中です",
                                u"完了",
                            }));
  EXPECT_EQ(host_.merge_enabled, (std::vector<bool>{false, true}));
  EXPECT_TRUE(host_.boxes.empty());
  TJwwData result;
  ReadBack(destination, result);
  EXPECT_EQ(result.EntLineN(), 3 + 4 + 5);
  EXPECT_EQ(result.EntMojiN(), 1) << "only the base keeps its reference text";
}

TEST_F(Job, EscapeIsPolledAtTheFixedPointsOnly) {
  const std::u16string base = WriteDrawing("base.jww", 1);
  const std::u16string a = WriteDrawing("a.jww", 1);
  const std::u16string b = WriteDrawing("b.jww", 1);
  MergeSettings s = Settings(base, PathOf("out.jww"));
  s.CheckReferenceTexts = true;
  s.ReleaseDimensionsAfterMerge = true;
  std::vector<MergeEntry> entries = {Entry(a), Entry(b)};

  ASSERT_EQ(Run(s, entries), MergeJobResult::kCompleted);
  EXPECT_EQ(host_.polled_after, (std::vector<std::u16string>{
                                    u"基準点文字チェック中：" + base,
                                    u"基準点文字チェック中：" + a,
                                    u"ベース図面の読み込み中です",
                                    u"合体図面の読み込み中です(1/2)" + a,
                                    u"合体図面の合体処理中です(1/2)" + a,
                                    u"合体図面の読み込み中です(2/2)" + b,
                                    u"合体図面の合体処理中です(2/2)" + b,
                                    u"寸法図形解除の処理中です",
                                    u"寸法図形解除の処理中です",
                                }));
}

TEST_F(Job, EscapeStopsBeforeAnythingIsWritten) {
  const struct {
    const char* name;
    int poll;  // numbered as in EscapeIsPolledAtTheFixedPointsOnly
    std::u16string last_status;
    MergeJobResult result;
    bool dimensions_released;
  } rows[] = {
      {"during the reference check", 2, u"中断しました[ESC] 合体処理は未実行です",
       MergeJobResult::kInterrupted, false},
      {"before the first drawing", 3, u"中断しました[ESC]", MergeJobResult::kInterrupted, false},
      {"after reading a drawing", 4, u"中断しました[ESC]", MergeJobResult::kInterrupted, false},
      {"before the after-merge steps", 8, u"中断しました[ESC]", MergeJobResult::kInterrupted, true},
  };
  const std::u16string base = WriteDrawing("base.jww", 1);
  const std::u16string a = WriteDrawing("a.jww", 1);
  const std::u16string b = WriteDrawing("b.jww", 1);
  const std::u16string destination = WriteDrawing("out.jww", 7);
  const std::string before = Contents(fs::path(destination));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeJobHost host;
    host.escape_at_polls = {row.poll};
    MergeSettings s = Settings(base, destination);
    s.CheckReferenceTexts = true;
    s.ReleaseDimensionsAfterMerge = true;
    std::vector<MergeEntry> entries = {Entry(a), Entry(b)};
    EXPECT_EQ(RunMergeJob(s, entries, host), row.result);
    EXPECT_EQ(host.LastStatus(), row.last_status);
    EXPECT_EQ(host.CountStatusesStartingWith(u"寸法図形解除の処理中です"),
              row.dimensions_released ? 1 : 0);
    EXPECT_EQ(host.CountStatusesStartingWith(u"合体図面を保存中です"), 0);
    EXPECT_EQ(Contents(fs::path(destination)), before);
    EXPECT_FALSE(fs::exists(dir_.path() / "out.BAK"));
  }
}

TEST_F(Job, UnreadableDrawingIsMarkedAndTheRestIsSaved) {
  const std::u16string base = WriteDrawing("base.jww", 2);
  const std::u16string broken = WriteBytes("broken.jww", std::string(64, 'x'));
  const std::u16string good = WriteDrawing("good.jww", 3);
  std::vector<MergeEntry> entries = {Entry(broken, u"1"), Entry(good)};
  EXPECT_EQ(Run(Settings(base, PathOf("out.jww")), entries), MergeJobResult::kCompleted);
  EXPECT_EQ(entries[0].Path, u"エラーファイル：" + broken);
  EXPECT_EQ(entries[0].LayerGroup, u"1");
  EXPECT_EQ(host_.CountStatusesStartingWith(u"合体図面の合体処理中です(1/2)"), 0);
  TJwwData result;
  ReadBack(PathOf("out.jww"), result);
  EXPECT_EQ(result.EntLineN(), 2 + 3);
}

TEST_F(Job, UnreadableBaseEndsTheJobWithoutAMessageBox) {
  const std::u16string base = WriteBytes("base.jww", "JwwData.");
  std::vector<MergeEntry> entries = {Entry(WriteDrawing("a.jww", 1))};
  EXPECT_EQ(Run(Settings(base, PathOf("out.jww")), entries), MergeJobResult::kBaseUnreadable);
  EXPECT_EQ(host_.LastStatus(), u"ベース図面がエラーファイルです");
  EXPECT_TRUE(host_.boxes.empty());
  EXPECT_EQ(host_.merge_enabled, (std::vector<bool>{false, true}));
  EXPECT_FALSE(fs::exists(dir_.path() / "out.jww"));
}

TEST_F(Job, AnExistingDestinationIsBackedUpWithItsTimesUnlessBackupIsOff) {
  const std::u16string base = WriteDrawing("base.jww", 2);
  const struct {
    const char* name;
    const char* destination;
    const char* backup;
    bool keep_backup;
  } rows[] = {
      {"with extension", "out.jww", "out.BAK", true},
      {"without extension", "result", "result.BAK", true},
      {"backup off", "off.jww", "off.BAK", false},
  };
  const auto old_time = test::PastFileTime(std::chrono::hours(24 * 30));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeJobHost host;
    const std::u16string destination = WriteDrawing(row.destination, 9);
    const std::string previous = Contents(fs::path(destination));
    fs::last_write_time(fs::path(destination), old_time);
    MergeSettings s = Settings(base, destination);
    s.KeepBackup = row.keep_backup;
    std::vector<MergeEntry> entries;
    ASSERT_EQ(RunMergeJob(s, entries, host), MergeJobResult::kCompleted);

    const fs::path backup = dir_.path() / row.backup;
    EXPECT_EQ(fs::exists(backup), row.keep_backup);
    EXPECT_EQ(host.CountStatusesStartingWith(u"直前の合体図面をバックアップ中です"),
              row.keep_backup ? 1 : 0);
    if (row.keep_backup) {
      EXPECT_EQ(Contents(backup), previous);
      EXPECT_EQ(fs::last_write_time(backup), old_time);
    }
    TJwwData result;
    ReadBack(destination, result);
    EXPECT_EQ(result.EntLineN(), 2);
  }
}

TEST_F(Job, BackupNeverOverwritesABaseDrawingNamedLikeIt) {
  const std::u16string base = WriteDrawing("plan.BAK", 2);
  const std::string original = Contents(fs::path(base));
  const std::u16string destination = WriteDrawing("plan.jww", 5);
  std::vector<MergeEntry> entries;
  ASSERT_EQ(Run(Settings(base, destination), entries), MergeJobResult::kCompleted);
  EXPECT_EQ(Contents(fs::path(base)), original);
  TJwwData result;
  ReadBack(destination, result);
  EXPECT_EQ(result.EntLineN(), 2);
}

TEST_F(Job, OverwriteBaseWritesIntoTheBaseAndNeverMergesItIntoItself) {
  const std::u16string base = WriteDrawing("base.jww", 2);
  const std::string original = Contents(fs::path(base));
  const std::u16string other = WriteDrawing("other.jww", 3);
  MergeSettings s = Settings(base, PathOf("ignored.jww"));
  s.OverwriteBase = true;
  std::vector<MergeEntry> entries = {Entry(base), Entry(other)};

  ASSERT_EQ(Run(s, entries), MergeJobResult::kCompleted);
  EXPECT_EQ(entries[0].Path, u"");
  EXPECT_FALSE(fs::exists(dir_.path() / "ignored.jww"));
  EXPECT_EQ(Contents(dir_.path() / "base.BAK"), original);
  TJwwData result;
  ReadBack(base, result);
  EXPECT_EQ(result.EntLineN(), 2 + 3);
}

TEST_F(Job, FailedSaveIsReportedAndNotCompleted) {
  const std::u16string base = WriteDrawing("base.jww", 2);
  const std::u16string destination = PathOf("no such folder/out.jww");
  std::vector<MergeEntry> entries;
  EXPECT_EQ(Run(Settings(base, destination), entries), MergeJobResult::kSaveFailed);
  // The path, then the system's reason.
  const std::u16string text = u"合体図面の保存に失敗しました" + destination + u": ";
  ASSERT_EQ(host_.LastStatus().rfind(text, 0), 0u) << fs::path(host_.LastStatus());
  EXPECT_GT(host_.LastStatus().size(), text.size());
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].kind, MessageKind::kError);
  EXPECT_EQ(host_.boxes[0].text, host_.LastStatus());
  EXPECT_EQ(host_.CountStatusesStartingWith(u"完了"), 0);
  EXPECT_EQ(host_.merge_enabled, (std::vector<bool>{false, true}));
}

TEST_F(Job, ResultKeepsTheBaseVersionAndTurnsUnicodeWhenAnyDrawingUsedIt) {
  const struct {
    const char* name;
    int32_t base_version;
    bool base_unicode;
    bool merged_unicode;
  } rows[] = {
      {"all ANSI", 600, false, false},
      {"merged drawing in Unicode", 600, false, true},
      {"base in Unicode", 700, true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeJobHost host;
    const std::u16string base =
        WriteDrawing("base.jww", 1, 0, 1, row.base_version, row.base_unicode);
    const std::u16string merged = WriteDrawing("m.jww", 1, 0, 1, 700, row.merged_unicode);
    std::vector<MergeEntry> entries = {Entry(merged)};
    ASSERT_EQ(RunMergeJob(Settings(base, PathOf("out.jww")), entries, host),
              MergeJobResult::kCompleted);
    TJwwData result;
    ReadBack(PathOf("out.jww"), result);
    EXPECT_EQ(result.Enthd.jwVer, row.base_version);
    EXPECT_EQ(result.MojiEncode, row.base_unicode || row.merged_unicode);
  }
}

TEST_F(Job, DocumentsAreLeftEmptyWithImagesOnAndTheirFoldersArePrivate) {
  std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  std::unique_ptr<MergeDocuments> other = CreateDocuments();
  ASSERT_FALSE(docs->image_root.empty());
  EXPECT_NE(docs->image_root, other->image_root);
  EXPECT_TRUE(platform::DirExists(docs->JWW.BindImageFolder));
  EXPECT_TRUE(platform::DirExists(docs->JWW1.BindImageFolder));
  EXPECT_NE(docs->JWW.BindImageFolder, docs->JWW1.BindImageFolder);

  const std::u16string base = WriteDrawing("base.jww", 2);
  std::vector<MergeEntry> entries = {Entry(WriteDrawing("a.jww", 1))};
  ASSERT_EQ(RunMergeJob(Settings(base, PathOf("out.jww")), entries, host_, *docs),
            MergeJobResult::kCompleted);
  for (const TJwwData* doc : {&docs->JWW, &docs->JWW1}) {
    EXPECT_EQ(doc->EntNo.size(), 0u);
    EXPECT_TRUE(doc->BindImageExp);
    EXPECT_TRUE(doc->BindImageExr);
  }

  const std::u16string root = docs->image_root;
  FreeDocuments(*docs);
  EXPECT_FALSE(platform::DirExists(root)) << "empty image folders go at the end";
}

}  // namespace
}  // namespace plandock::test
