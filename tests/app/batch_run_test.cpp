// RunBatch through a scripted front end, on small drawings in a temporary folder.
#include "app/batch_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "document/jww_file.h"
#include "support/doc_builder.h"
#include "support/support.h"
#include "util/text.h"

namespace plandock::test {
namespace {

namespace fs = std::filesystem;

// Records what a batch shows; Escape and the stop button follow a script.
class ScriptedBatchHost : public BatchHost {
 public:
  void ShowStatus(const std::u16string& text) override { statuses.push_back(text); }
  MessageAnswer Ask(MessageKind kind, const std::u16string& text, MessageButtons buttons) override {
    boxes.push_back(text);
    box_kinds.push_back(kind);
    return buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kYes;
  }
  void Beep() override {}
  bool EscapePressed() override { return false; }
  void SetMergeEnabled(bool) override {}
  void FocusBrowse(BrowseButton) override {}

  void OpenProgress(const BatchProgress& progress) override {
    stop_ = false;
    opened.push_back(progress);
  }
  void ShowProgress(const BatchProgress& progress) override { shown.push_back(progress); }
  void CloseProgress() override { ++closed; }
  bool EscapeHeld() override { return escape_at.count(++escape_samples) != 0; }
  bool StopRequested() override { return stop_; }
  void PairStarting(int, const BatchPair&, const MergeSettings& settings,
                    const std::vector<MergeEntry>&) override {
    overwrite_base_during.push_back(settings.OverwriteBase);
  }
  void PairFinished(int pair, const BatchPair&, MergeJobResult,
                    const std::vector<MergeEntry>&) override {
    // "中　断 (&A)" clicked while this pair's job ran.
    if (stop_after_pair.count(pair) != 0) stop_ = true;
  }

  // Script.
  std::set<int> escape_at;        // 1-based EscapeHeld samples that see the key down
  std::set<int> stop_after_pair;  // 0-based pairs during which the stop button is clicked

  // Record.
  std::vector<std::u16string> statuses;
  std::vector<std::u16string> boxes;
  std::vector<MessageKind> box_kinds;
  std::vector<BatchProgress> opened;
  std::vector<BatchProgress> shown;
  std::vector<bool> overwrite_base_during;
  int closed = 0;
  int escape_samples = 0;

 private:
  bool stop_ = false;
};

class BatchRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_.path() / "in");
    fs::create_directories(dir_.path() / "out");
    fs::create_directories(dir_.path() / "one");
    // Added out of order: pairing follows the lists' order, not the order given.
    AddToBatchList(plan_, 0, Drawing("in/Base-b.jww", 2));
    AddToBatchList(plan_, 0, Drawing("in/base-a.jww", 1));
    AddToBatchList(plan_, 1, Drawing("in/pipes-2.jww", 4));
    AddToBatchList(plan_, 1, Drawing("in/pipes-1.jww", 3));
    AddToBatchList(plan_, 2, Drawing("in/power.jww", 5));
    plan_.OutputFolder = Path("out") + u"/";
    plan_.FileName = u"floor";
    settings_.OverwriteBase = true;
  }

  std::u16string Path(const std::string& name) const { return (dir_.path() / name).u16string(); }

  std::u16string Drawing(const std::string& name, int lines) {
    TJwwData doc;
    InitDrawing(doc, 600);
    for (int i = 0; i < lines; ++i) Add(doc, Line(i, 0, i + 0.5, 0));
    Add(doc, Text(u"【基準点】", 0, 0, 5, 0, Attr(0, 0, 9)));
    EXPECT_TRUE(FileOut(doc, Path(name), 600));
    return Path(name);
  }

  BatchOutcome Run() {
    MergeDocuments* docs = docs_.get();
    return RunBatch(plan_, settings_, entries_, host_, *docs);
  }

  std::vector<std::string> Outputs() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_.path() / "out")) {
      names.push_back(Utf8Of(e.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScopedTempDir dir_;
  BatchPlan plan_;
  MergeSettings settings_;
  std::vector<MergeEntry> entries_;
  ScriptedBatchHost host_;
  std::unique_ptr<MergeDocuments> docs_ = CreateDocuments();
};

TEST_F(BatchRunTest, EachPairWritesWhatTheSameMergeByHandWrites) {
  const BatchOutcome outcome = Run();
  EXPECT_EQ(outcome.result, BatchResult::kCompleted);
  EXPECT_EQ(outcome.Failed(), 0);
  ASSERT_EQ(Outputs(), (std::vector<std::string>{"floor0.JWW", "floor1.JWW"}));

  // The same two merges one by one with the program, with the presets of
  // D1 ("C", "", "7") and D2 ("D", "", "6").
  const std::string in = Utf8Of(dir_.path() / "in") + "/";
  const std::string one = Utf8Of(dir_.path() / "one") + "/";
  const auto merge_by_hand = [&](const std::string& base, const std::string& out,
                                 const std::string& pipes) {
    return RunPlandock({"merge", "--base", in + base, "--out", one + out, in + pipes, "--group",
                        "C", "--color", "7", in + "power.jww", "--group", "D", "--color", "6"},
                       dir_.path())
        .exit_status;
  };
  ASSERT_EQ(merge_by_hand("base-a.jww", "0.jww", "pipes-1.jww"), 0);
  ASSERT_EQ(merge_by_hand("Base-b.jww", "1.jww", "pipes-2.jww"), 0);
  EXPECT_EQ(FileContents(dir_.path() / "out" / "floor0.JWW"),
            FileContents(PathFromUtf8(one + "0.jww")));
  EXPECT_EQ(FileContents(dir_.path() / "out" / "floor1.JWW"),
            FileContents(PathFromUtf8(one + "1.jww")));

  // OverwriteBase is off for every pair and back on afterwards; the window
  // keeps the last pair's fields.
  EXPECT_EQ(host_.overwrite_base_during, (std::vector<bool>{false, false}));
  EXPECT_TRUE(settings_.OverwriteBase);
  EXPECT_EQ(settings_.BasePath, Path("in/Base-b.jww"));
  EXPECT_EQ(settings_.DestinationPath, plan_.OutputFolder + u"floor1.JWW");
  ASSERT_EQ(entries_.size(), 2u);
  EXPECT_EQ(entries_[0].Path, Path("in/pipes-2.jww"));
  EXPECT_EQ(host_.statuses.back(), u"連続実行を完了しました。");
  EXPECT_EQ(host_.closed, 1);
}

TEST_F(BatchRunTest, ProgressShowsEveryPairWithTheTargetCaptions) {
  Run();
  ASSERT_EQ(host_.opened.size(), 1u);
  EXPECT_EQ(ProgressCounter(host_.opened[0]), u"0／2");
  ASSERT_EQ(host_.shown.size(), 2u);
  const auto lines = ProgressLines(host_.shown[1]);
  EXPECT_EQ(lines[0], u"保存先ファイル：" + plan_.OutputFolder + u"floor1.JWW");
  EXPECT_EQ(lines[1], u"ベース図面　：【意匠図】" + Path("in/Base-b.jww"));
  EXPECT_EQ(lines[2], u"合体ファイル：【衛生図】" + Path("in/pipes-2.jww"));
  EXPECT_EQ(lines[3], u"合体ファイル：【電気図】" + Path("in/power.jww"));
  EXPECT_EQ(lines[4], u"合体ファイル：");
  EXPECT_EQ(lines[9], u"合体ファイル：");
  EXPECT_EQ(ProgressCounter(host_.shown[1]), u"2／2");
  // The job's own texts come between the batch's.
  EXPECT_NE(std::find(host_.statuses.begin(), host_.statuses.end(), u"完了"), host_.statuses.end());
}

TEST_F(BatchRunTest, StopAtACheckPointLeavesTheFirstOutputOnly) {
  struct Case {
    const char* what;
    std::set<int> escape_at;
    std::set<int> stop_after_pair;
  };
  const Case cases[] = {
      {"Escape held when the second pair begins", {2}, {}},
      {"stop button clicked during the first job", {}, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& e : fs::directory_iterator(dir_.path() / "out")) fs::remove(e.path());
    host_ = ScriptedBatchHost();
    host_.escape_at = c.escape_at;
    host_.stop_after_pair = c.stop_after_pair;
    const BatchOutcome outcome = Run();
    EXPECT_EQ(outcome.result, BatchResult::kStopped);
    EXPECT_EQ(outcome.pairs, (std::vector<MergeJobResult>{MergeJobResult::kCompleted}));
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"floor0.JWW"}));
    EXPECT_EQ(host_.statuses.back(), u"[ESC] 連続実行を中断しました。");
    EXPECT_TRUE(settings_.OverwriteBase);
    EXPECT_EQ(host_.closed, 1);
  }
}

TEST_F(BatchRunTest, FailedPairIsReportedByItsJobAndTheBatchGoesOn) {
  std::ofstream(fs::path(Path("in/base-a.jww")), std::ios::trunc) << "not a drawing";
  const BatchOutcome outcome = Run();
  EXPECT_EQ(outcome.result, BatchResult::kCompleted);
  EXPECT_EQ(outcome.pairs, (std::vector<MergeJobResult>{MergeJobResult::kBaseUnreadable,
                                                        MergeJobResult::kCompleted}));
  EXPECT_EQ(outcome.Failed(), 1);
  EXPECT_EQ(Outputs(), (std::vector<std::string>{"floor1.JWW"}));
  EXPECT_NE(
      std::find(host_.statuses.begin(), host_.statuses.end(), u"ベース図面がエラーファイルです"),
      host_.statuses.end());
  EXPECT_EQ(host_.statuses.back(), u"連続実行を完了しました。");
}

TEST_F(BatchRunTest, RefusedPlanShowsOneBoxAndRunsNothing) {
  AddToBatchList(plan_, 3, Path("in/a.jww"));
  AddToBatchList(plan_, 3, Path("in/b.jww"));
  AddToBatchList(plan_, 3, Path("in/c.jww"));
  const BatchOutcome outcome = Run();
  EXPECT_EQ(outcome.result, BatchResult::kRefused);
  EXPECT_TRUE(outcome.pairs.empty());
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0], CheckBatchPlan(plan_));
  EXPECT_EQ(host_.box_kinds[0], MessageKind::kQuestion);
  EXPECT_TRUE(host_.opened.empty());
  EXPECT_TRUE(host_.statuses.empty());
  EXPECT_TRUE(Outputs().empty());
  EXPECT_TRUE(settings_.OverwriteBase);
}

}  // namespace
}  // namespace plandock::test
