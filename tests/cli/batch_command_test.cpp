// `plandock batch` run as a program: the files it writes, its exit status and
// what it prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "document/jww_file.h"
#include "support/doc_builder.h"
#include "support/support.h"

namespace plandock::test {
namespace {

namespace fs = std::filesystem;

class BatchCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(in_);
    fs::create_directories(out_);
  }

  ProgramRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), "batch");
    return RunPlandock(args, dir_.path());
  }

  std::string Drawing(const std::string& name, int lines) {
    TJwwData doc;
    InitDrawing(doc, 600);
    for (int i = 0; i < lines; ++i) Add(doc, Line(i, 0, i + 0.5, 0));
    Add(doc, Text(u"【基準点】", 0, 0, 5, 0, Attr(0, 0, 9)));
    const fs::path path = in_ / name;
    EXPECT_TRUE(FileOut(doc, path.u16string(), 600));
    return Utf8Of(path);
  }

  std::vector<std::string> Outputs() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(out_)) names.push_back(Utf8Of(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }

  // Three bases, three drawings for D1 and one for D2.
  std::vector<std::string> ThreePairs() {
    return {"--list", "0", Drawing("b3.jww", 3),  Drawing("b1.jww", 1),  Drawing("b2.jww", 2),
            "--list", "1", Drawing("p1.jww", 10), Drawing("p2.jww", 20), Drawing("p3.jww", 30),
            "--list", "2", Drawing("e.jww", 100)};
  }

  int LinesIn(const fs::path& p) {
    TJwwData doc;
    EXPECT_TRUE(FileIn(doc, p.u16string())) << p;
    return doc.EntLineN();
  }

  ScopedTempDir dir_;
  const fs::path in_ = dir_.path() / "in";
  const fs::path out_ = dir_.path() / "out";
};

TEST_F(BatchCommand, APairThatPassesADrawingOverExitsThreeAndNamesIt) {
  const std::string broken = (in_ / "broken.jww").string();
  std::ofstream(broken) << "not a drawing";
  const std::vector<std::string> lists = {
      "--list", "0", Drawing("b1.jww", 1),  Drawing("b2.jww", 2),
      "--list", "1", Drawing("p1.jww", 10), broken};
  std::vector<std::string> args = {"--out-dir=" + out_.string(), "--name", "階"};
  args.insert(args.end(), lists.begin(), lists.end());
  const ProgramRun run = Run(args);
  EXPECT_EQ(run.exit_status, 3) << run.err;
  EXPECT_EQ(Outputs().size(), 2u) << "both pairs still ran";
  EXPECT_NE(run.err.find("plandock batch: entry 1 passed over (not a readable JWW drawing: "
                         "エラーファイル：" +
                         broken + "): " + broken + "\n"),
            std::string::npos)
      << run.err;

  args.push_back("--name=棟");  // a flag of one value given twice
  const ProgramRun twice = Run(args);
  EXPECT_EQ(twice.exit_status, 2);
  EXPECT_NE(twice.err.find("--name given twice"), std::string::npos) << twice.err;
}

TEST_F(BatchCommand, ThreePairsWriteThreeNumberedFiles) {
  std::vector<std::string> args = {"--out-dir", Utf8Of(out_), "--name", "階"};
  for (const std::string& a : ThreePairs()) args.push_back(a);
  const ProgramRun run = Run(args);
  EXPECT_EQ(run.exit_status, 0) << run.err;
  ASSERT_EQ(Outputs(), (std::vector<std::string>{"階0.JWW", "階1.JWW", "階2.JWW"}));
  // Sorted pairing: b1 with p1, b2 with p2, b3 with p3, each with e.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(LinesIn(out_ / PathFromUtf8("階" + std::to_string(i) + ".JWW")), (i + 1) * 11 + 100)
        << i;
  }
  EXPECT_NE(run.err.find("1／3 " + Utf8Of(in_ / "b1.jww") + " → " +
                         Utf8Of(out_ / PathFromUtf8("階0.JWW"))),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("完了\n"), std::string::npos);
  EXPECT_NE(run.err.find("連続実行を完了しました。\n"), std::string::npos);
  EXPECT_NE(run.err.find("batch: 3 pairs, 3 done, 0 failed\n"), std::string::npos) << run.err;
}

TEST_F(BatchCommand, NamesFromTheBaseDrawingsAndLetters) {
  std::vector<std::string> args = {"--out-dir", Utf8Of(out_), "--name-from", "2", "--letters"};
  for (const std::string& a : ThreePairs()) args.push_back(a);
  EXPECT_EQ(Run(args).exit_status, 0);
  EXPECT_EQ(Outputs(), (std::vector<std::string>{"p1.jww", "p2.jww", "p3.jww"}));
}

TEST_F(BatchCommand, RefusedCheckAndDryRunWriteNothing) {
  const std::string base = Drawing("b.jww", 1);
  const ProgramRun refused =
      Run({"--out-dir", Utf8Of(out_), "--list", "0", base, Drawing("c.jww", 1), "--list", "1",
           Drawing("p.jww", 1), Drawing("q.jww", 1), Drawing("r.jww", 1)});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_NE(refused.err.find(
                "合体図面【衛生図】のファイル指定数と\nベース図面【意匠図】のファイル指定数が"
                "異なります。確認して下さい。"),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(refused.err.find("完了"), std::string::npos);

  const ProgramRun only_base = Run({"--out-dir", Utf8Of(out_), "--list", "0", base, "--dry-run"});
  EXPECT_EQ(only_base.exit_status, 1);
  EXPECT_NE(only_base.err.find("合体図面にファイルが指定されていません。確認して下さい。"),
            std::string::npos);

  std::vector<std::string> args = {"--out-dir",     Utf8Of(out_), "--dry-run",
                                   "--target-name", "2",          "照明"};
  for (const std::string& a : ThreePairs()) args.push_back(a);
  const ProgramRun dry = Run(args);
  EXPECT_EQ(dry.exit_status, 0) << dry.err;
  EXPECT_NE(dry.out.find("3／3\n  0 " + Utf8Of(out_ / "2.JWW") + "\n  1 【意匠図】" +
                         Utf8Of(in_ / "b3.jww") + "\n  2 【衛生図】" + Utf8Of(in_ / "p3.jww") +
                         "\n  3 【照明】" + Utf8Of(in_ / "e.jww") + "\n  4 【構造図】\n"),
            std::string::npos)
      << dry.out;
  EXPECT_TRUE(Outputs().empty());
}

TEST_F(BatchCommand, FailedPairIsCountedAndTheOthersAreWritten) {
  std::vector<std::string> args = {"--out-dir", Utf8Of(out_)};
  for (const std::string& a : ThreePairs()) args.push_back(a);
  fs::remove(in_ / "b2.jww");
  const ProgramRun run = Run(args);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_NE(run.err.find("ベース図面ファイルが存在しません。"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("batch: 3 pairs, 2 done, 1 failed\n"), std::string::npos) << run.err;
  EXPECT_EQ(Outputs(), (std::vector<std::string>{"0.JWW", "2.JWW"}));
}

TEST_F(BatchCommand, SettingsFileGivesTheBatchFieldsAndPresets) {
  AppSettings saved;
  saved.BatchOutputFolder = (out_ / "").u16string();
  saved.BatchFileName = u"set";
  saved.BatchNumbering = 1;
  saved.DropTargets[1].LayerGroup = u"5";
  saved.DropTargets[1].PenColor = u"";
  const fs::path settings = dir_.path() / "saved.ini";
  ASSERT_TRUE(SaveSettingsFile(settings.u16string(), saved));

  const ProgramRun run = Run({"--settings", Utf8Of(settings), "--list", "0", Drawing("b.jww", 1),
                              "--list", "1", Drawing("p.jww", 4)});
  EXPECT_EQ(run.exit_status, 0) << run.err;
  ASSERT_EQ(Outputs(), (std::vector<std::string>{"setA.JWW"}));
  TJwwData result;
  ASSERT_TRUE(FileIn(result, (out_ / "setA.JWW").u16string()));
  int on_group_5 = 0;
  for (const auto& line : result.EntLine) on_group_5 += line.att.nGLayer == 5 ? 1 : 0;
  EXPECT_EQ(on_group_5, 4);
}

TEST_F(BatchCommand, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"--list", "9", "a.jww"}, {"a.jww", "--list", "0"}, {"--preset", "0", "C", "", "7"},
      {"--name-from", "10"},    {"--base", "b.jww"},      {"--list", "0", "a.jww", "--frobnicate"},
  };
  for (const auto& args : cases) {
    const ProgramRun run = Run(args);
    EXPECT_EQ(run.exit_status, 2) << args[0];
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  EXPECT_EQ(Run({"--help"}).exit_status, 0);
}

}  // namespace
}  // namespace plandock::test
