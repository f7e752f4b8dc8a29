// `plandock merge` run as a program: exit status, messages on standard error
// and the files it leaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "command_fixture.h"
#include "document/jww_file.h"
#include "platform/files.h"
#include "support/doc_builder.h"
#include "support/support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace plandock::test {
namespace {

namespace fs = std::filesystem;

bool EndsWithLine(const std::string& text, const std::string& line) {
  const std::string tail = line + "\n";
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(MergeCommand, MergesRealDrawingsIntoOneThatReadsBack) {
  const fs::path samples = SamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings beside the project (../shared/samples)";
  const fs::path base = samples / PathFromUtf8("木造平面例.jww");
  const fs::path site = samples / PathFromUtf8("敷地図.jww");
  const fs::path overlay = samples / "Test2.jww";
  for (const auto& p : {base, site, overlay}) {
    if (!fs::exists(p)) GTEST_SKIP() << "sample drawing missing: " << p;
  }
  const std::string out = PathOf("result.jww");
  const Outcome o = Run({"merge", "--base", Utf8Of(base), "--out", out, "--merge-hidden",
                         "--merge-display-only", Utf8Of(site), Utf8Of(overlay), "--group", "2"});
  EXPECT_EQ(o.exit_status, 0) << o.err;
  EXPECT_TRUE(EndsWithLine(o.err, "完了")) << o.err;

  TJwwData parts[3];
  int on_group_2 = 0;
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(FileIn(parts[i], (i == 0 ? base : i == 1 ? site : overlay).u16string()));
  for (const auto& l : parts[0].EntLine) on_group_2 += l.att.nGLayer == 2 ? 1 : 0;
  TJwwData result;
  ASSERT_TRUE(FileIn(result, PathFromUtf8(out).u16string()));
  EXPECT_EQ(result.Enthd.jwVer, parts[0].Enthd.jwVer);
  EXPECT_EQ(result.EntLineN(), parts[0].EntLineN() + parts[1].EntLineN() + parts[2].EntLineN());
  EXPECT_EQ(result.EntEnkoN(), parts[0].EntEnkoN() + parts[1].EntEnkoN() + parts[2].EntEnkoN());
  EXPECT_EQ(result.EntTenN(), parts[0].EntTenN() + parts[1].EntTenN() + parts[2].EntTenN());
  int result_on_group_2 = 0;
  for (const auto& l : result.EntLine) result_on_group_2 += l.att.nGLayer == 2 ? 1 : 0;
  EXPECT_EQ(result_on_group_2, on_group_2 + parts[2].EntLineN());
}

TEST_F(MergeCommand, UnreadableEntryIsNamedAndTheMergeStillCompletes) {
  const std::string base = Drawing("base.jww", 2);
  const std::string broken = PathOf("broken.jww");
  std::ofstream(PathFromUtf8(broken)) << "not a drawing";
  const std::string good = Drawing("good.jww", 3);
  const Outcome o = Run({"merge", "--base", base, "--out", PathOf("out.jww"), broken, good});
  EXPECT_EQ(o.exit_status, 3) << o.err;
  EXPECT_NE(o.err.find("entry 1 passed over (not a readable JWW drawing: エラーファイル：" +
                       broken + "): " + broken + "\n"),
            std::string::npos)
      << o.err;
  EXPECT_EQ(LinesIn(PathOf("out.jww")), 2 + 3);
}

TEST_F(MergeCommand, MissingBaseIsReportedWithItsMessage) {
  const Outcome o =
      Run({"merge", "--base", PathOf("gone.jww"), "--out", PathOf("out.jww"), Drawing("a.jww", 1)});
  EXPECT_EQ(o.exit_status, 1);
  EXPECT_NE(o.err.find("ベース図面ファイルが存在しません。"), std::string::npos) << o.err;
  EXPECT_FALSE(fs::exists(PathFromUtf8(PathOf("out.jww"))));
}

TEST_F(MergeCommand, UsageErrorExitsWithTwoAndOneLine) {
  const Outcome o = Run({"merge", "--base", Drawing("b.jww", 1), "--group", "1", "a.jww"});
  EXPECT_EQ(o.exit_status, 2);
  EXPECT_NE(o.err.find("--group"), std::string::npos);
  EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
}

TEST_F(MergeCommand, SecondRunKeepsTheFirstResultAsBakUnlessTold) {
  const std::string base = Drawing("base.jww", 2);
  const std::string out = PathOf("out.jww");
  ASSERT_EQ(Run({"merge", "--base", base, "--out", out, Drawing("a.jww", 1)}).exit_status, 0);
  const std::string first = FileContents(PathFromUtf8(out));
  EXPECT_FALSE(fs::exists(PathFromUtf8(PathOf("out.BAK"))));

  ASSERT_EQ(Run({"merge", "--base", base, "--out", out, "--no-backup"}).exit_status, 0);
  EXPECT_FALSE(fs::exists(PathFromUtf8(PathOf("out.BAK"))));
  EXPECT_EQ(LinesIn(out), 2);

  const std::string second = FileContents(PathFromUtf8(out));
  const Outcome o = Run({"merge", "--base", base, "--out", out, Drawing("c.jww", 4)});
  ASSERT_EQ(o.exit_status, 0);
  EXPECT_NE(o.err.find("直前の合体図面をバックアップ中です"), std::string::npos);
  EXPECT_EQ(FileContents(PathFromUtf8(PathOf("out.BAK"))), second);
  EXPECT_NE(first, second);
}

TEST_F(MergeCommand, OverwriteBaseReplacesTheBaseAndBacksItUp) {
  const std::string base = Drawing("base.jww", 2);
  const std::string original = FileContents(PathFromUtf8(base));
  const Outcome o = Run({"merge", "--base", base, "--overwrite-base", Drawing("a.jww", 5)});
  ASSERT_EQ(o.exit_status, 0) << o.err;
  EXPECT_EQ(LinesIn(base), 2 + 5);
  EXPECT_EQ(FileContents(PathFromUtf8(PathOf("base.BAK"))), original);
}

TEST_F(MergeCommand, QuestionsAreAnsweredNoWithoutATerminalAndYesWithYes) {
  const std::string base = Drawing("base.jww", 1, 0);
  const std::string overlay = Drawing("a.jww", 1);
  const std::string out = PathOf("out.jww");
  const Outcome refused = Run({"merge", "--base", base, "--out", out, "--check-ref", overlay});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_NE(refused.err.find("基準点文字が作図されていない図面ファイルがあります。"),
            std::string::npos);
  EXPECT_TRUE(EndsWithLine(refused.err, "合体をキャンセルしました。")) << refused.err;
  EXPECT_FALSE(fs::exists(PathFromUtf8(out)));

  const Outcome agreed =
      Run({"merge", "--base", base, "--out", out, "--check-ref", overlay, "--yes"});
  EXPECT_EQ(agreed.exit_status, 0) << agreed.err;
  EXPECT_TRUE(fs::exists(PathFromUtf8(out)));
}

#ifndef _WIN32
TEST_F(MergeCommand, NamesThatAreNotUtf8AreReadAndWrittenUnderTheirExactBytes) {
  const std::string base = Drawing("base.jww", 2);
  const std::string overlay = PathOf("o\xfc.jww");
  fs::rename(Drawing("overlay.jww", 3), overlay);
  const std::string unrelated = PathOf("v\xef\xbf\xbd.jww");  // what U+FFFD would give
  std::ofstream(unrelated) << "an unrelated file";
  const std::string out = PathOf("v\xfb.jww");

  const Outcome o = Run({"merge", "--base", base, "--out", out, overlay});
  ASSERT_EQ(o.exit_status, 0) << o.err;
  EXPECT_EQ(o.err.find("passed over"), std::string::npos) << o.err;
  TJwwData result;
  ASSERT_TRUE(FileIn(result, platform::PathFromNative(out)));
  EXPECT_EQ(result.EntLineN(), 2 + 3);
  EXPECT_EQ(FileContents(unrelated), "an unrelated file");
}

TEST_F(MergeCommand, ADeviceAsDestinationIsAFailedSaveWithTheReason) {
  const std::string out = PathOf("fifo.jww");
  ASSERT_EQ(mkfifo(out.c_str(), 0666), 0);
  const Outcome o = Run({"merge", "--base", Drawing("base.jww", 2), "--out", out});
  EXPECT_EQ(o.exit_status, 1);
  EXPECT_TRUE(EndsWithLine(o.err, "合体図面の保存に失敗しました" + out + ": not a regular file"))
      << o.err;
  EXPECT_TRUE(fs::is_fifo(out));
  EXPECT_FALSE(fs::exists(PathOf("fifo.BAK")));
}
#endif

TEST_F(MergeCommand, FlagsOverrideTheSettingsFileEvenWhenTheyComeFirst) {
  AppSettings saved;
  saved.Merge.BasePath = PathFromUtf8(Drawing("base.jww", 2)).u16string();
  saved.Merge.DestinationPath = PathFromUtf8(PathOf("from-settings.jww")).u16string();
  saved.Merge.KeepBackup = false;
  const std::string settings = PathOf("saved.ini");
  ASSERT_TRUE(SaveSettingsFile(PathFromUtf8(settings).u16string(), saved));
  const std::string out = PathOf("from-flag.jww");
  Drawing("from-flag.jww", 9);

  const Outcome o = Run({"merge", "--out", out, "--settings", settings, Drawing("a.jww", 1)});
  ASSERT_EQ(o.exit_status, 0) << o.err;
  EXPECT_EQ(LinesIn(out), 2 + 1);
  EXPECT_FALSE(fs::exists(PathFromUtf8(PathOf("from-settings.jww"))));
  EXPECT_FALSE(fs::exists(PathFromUtf8(PathOf("from-flag.BAK"))))
      << "the file's backup choice holds";

  EXPECT_EQ(Run({"merge", "--settings", PathOf("missing.ini")}).exit_status, 1);
}

TEST_F(MergeCommand, CommandLineWithoutCommandOrWithAnUnknownOneIsAUsageError) {
  EXPECT_EQ(Run({}).exit_status, 2);
  EXPECT_EQ(Run({"frobnicate"}).exit_status, 2);
  EXPECT_EQ(Run({"--help"}).exit_status, 0);
  EXPECT_EQ(Run({"merge", "--help"}).exit_status, 0);
}

TEST_F(MergeCommand, PreviewPicturesTheResultBesideIt) {
  const std::string base = Drawing("base.jww", 3), overlay = Drawing("給水.jww", 2);
  const std::string out = PathOf("out.jww"), picture = PathOf("preview.svg");
  Outcome o =
      Run({"merge", "--base", base, "--out", out, overlay, "--group", "C", "--preview", picture});
  ASSERT_EQ(o.exit_status, 0) << o.err;
  EXPECT_TRUE(fs::exists(PathFromUtf8(out)));
  const std::string svg = FileContents(PathFromUtf8(picture));
  EXPECT_NE(svg.find(">給水.jww → レイヤグループ C</text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("<g id=\"reference-points\""), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");

  // Not a picture name: a usage error before anything is read or written.
  fs::remove(out);
  o = Run({"merge", "--base", base, "--out", out, overlay, "--preview", PathOf("result.jww")});
  EXPECT_EQ(o.exit_status, 2);
  EXPECT_NE(o.err.find("--preview must name an .svg file"), std::string::npos) << o.err;
  EXPECT_FALSE(fs::exists(PathFromUtf8(out)));

  // No result, no picture.
  fs::remove(picture);
  o = Run({"merge", "--base", PathOf("missing.jww"), "--out", out, overlay, "--preview", picture});
  EXPECT_EQ(o.exit_status, 1);
  EXPECT_FALSE(fs::exists(PathFromUtf8(picture)));
}

}  // namespace
}  // namespace plandock::test
