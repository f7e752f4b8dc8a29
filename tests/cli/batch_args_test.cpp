// Parsing `plandock batch` arguments: its own flags, the merge options it
// shares with `plandock merge`, and how both land on the plan.
#include "cli/batch_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"

namespace plandock {
namespace {

BatchRequest Parse(const std::vector<std::string>& args) {
  BatchRequest request;
  std::string error;
  EXPECT_TRUE(ParseBatchArgs(args, &request, &error)) << error;
  return request;
}

BatchPlan PlanOf(const std::vector<std::string>& args, BatchPlan plan = {}) {
  ApplyBatchRequest(Parse(args), plan);
  return plan;
}

TEST(BatchArgs, MergeOptionsAreTheMergeCommandsOwn) {
  const BatchRequest r =
      Parse({"--check-ref", "--ref-text", "基準", "--real-size", "--jwf", "e.jwf", "--layer-state",
             "all", "--no-backup", "--list", "0", "a.jww"});
  MergeSettings s;
  ApplyOptionChanges(r.changes, s);
  EXPECT_TRUE(s.CheckReferenceTexts);
  EXPECT_EQ(s.ReferenceText, u"基準");
  EXPECT_TRUE(s.RealSize);
  EXPECT_EQ(s.EnvironmentFilePath, u"e.jwf");
  EXPECT_EQ(s.LayerState, LayerStateAfterMerge::AllLayersEditable);
  EXPECT_FALSE(s.KeepBackup);

  // Every shared option is documented in the batch's help too.
  const std::string usage = BatchUsage();
  for (const char* flag : {"--ref-text",
                           "--check-ref",
                           "--warn-many-ref",
                           "--merge-hidden",
                           "--merge-display-only",
                           "--real-size",
                           "--scale-texts",
                           "--scale-points",
                           "--keep-aux-color",
                           "--rotate-by-base-ref",
                           "--counter-rotate-by-merged-ref",
                           "--release-dims",
                           "--jwf",
                           "--layer-state",
                           "--no-backup",
                           "--launch-cad",
                           "--out-dir",
                           "--name",
                           "--letters",
                           "--name-from",
                           "--list",
                           "--target-name",
                           "--preset",
                           "--dry-run",
                           "--settings",
                           "--yes",
                           "--help"}) {
    EXPECT_NE(usage.find(std::string("  ") + flag), std::string::npos) << flag;
  }
}

TEST(BatchArgs, ListsTakeEveryFileUpToTheNextFlag) {
  const BatchPlan plan = PlanOf({"--list", "1", "z.jww", "A.jww", "--yes", "--list", "0", "b.jww",
                                 "--list", "1", "m.jww", "--list", "8"});
  EXPECT_EQ(plan.Lists[0], (std::vector<std::u16string>{u"b.jww"}));
  EXPECT_EQ(plan.Lists[1], (std::vector<std::u16string>{u"A.jww", u"m.jww", u"z.jww"}));
  EXPECT_TRUE(plan.Lists[8].empty());
}

TEST(BatchArgs, FlagsOverTheSettingsFilesBatchFields) {
  BatchPlan from_file;
  from_file.OutputFolder = u"C:\\saved";  // taken as it stands
  from_file.FileName = u"saved";
  from_file.NameChoice = 4;
  from_file.Targets[1].Name = u"保存名";
  EXPECT_EQ(PlanOf({}, from_file).OutputFolder, u"C:\\saved");
  EXPECT_EQ(PlanOf({}, from_file).NameChoice, 4);

  const BatchPlan plan = PlanOf({"--name", "階", "--letters", "--name-from", "0", "--target-name",
                                 "0", "平面", "--preset", "3", "A", "2", "101", "--out-dir", "out"},
                                from_file);
  EXPECT_EQ(plan.OutputFolder, std::u16string(u"out") + platform::NativeSeparator());
  EXPECT_EQ(plan.FileName, u"階");
  EXPECT_EQ(plan.Numbering, BatchNumbering::kLetters);
  EXPECT_EQ(plan.NameChoice, 0);
  EXPECT_EQ(plan.Targets[0].Name, u"平面");
  EXPECT_EQ(plan.Targets[1].Name, u"保存名");
  EXPECT_EQ(plan.Targets[3].LayerGroup, u"A");
  EXPECT_EQ(plan.Targets[3].Layer, u"2");
  EXPECT_EQ(plan.Targets[3].PenColor, u"101");
  EXPECT_EQ(plan.Targets[3].Name, u"構造図");

  struct Case {
    const char* given;
    std::u16string folder;
  };
  const Case folders[] = {{"", u""}, {"out/", u"out/"}, {"C:\\out\\", u"C:\\out\\"}};
  for (const Case& c : folders) EXPECT_EQ(PlanOf({"--out-dir", c.given}).OutputFolder, c.folder);
}

TEST(BatchArgs, UsageErrorsGiveOneLineNamingTheFlag) {
  const struct {
    std::vector<std::string> args;
    const char* mentions;
  } rows[] = {
      {{"--list", "9", "a.jww"}, "--list"},
      {{"--list", "x", "a.jww"}, "--list"},
      {{"--list"}, "--list"},
      {{"a.jww"}, "a.jww"},
      {{"--preset", "0", "C", "", "7"}, "--preset"},
      {{"--preset", "1", "C", ""}, "--preset"},
      {{"--target-name", "9", "x"}, "--target-name"},
      {{"--name-from", "-1"}, "--name-from"},
      {{"--base", "b.jww"}, "--base"},
      {{"--out", "o.jww"}, "--out"},
      {{"--overwrite-base"}, "--overwrite-base"},
      {{"--group", "C"}, "--group"},
      {{"--layer-state", "some\nthing"}, "--layer-state"},
  };
  for (const auto& row : rows) {
    BatchRequest request;
    std::string error;
    EXPECT_FALSE(ParseBatchArgs(row.args, &request, &error)) << row.mentions;
    EXPECT_NE(error.find(row.mentions), std::string::npos) << error;
    EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace plandock
