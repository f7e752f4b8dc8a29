// Parsing `plandock merge` arguments: the flag contract, entry cells, the
// settings-file ordering and usage errors.
#include "cli/merge_args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandock {
namespace {

MergeRequest Parse(const std::vector<std::string>& args) {
  MergeRequest request;
  std::string error;
  EXPECT_TRUE(ParseArgs(args, &request, &error)) << error;
  return request;
}

MergeSettings Apply(const std::vector<std::string>& args, MergeSettings start = {}) {
  ApplyOptions(Parse(args), start);
  return start;
}

TEST(MergeArgs, EverySwitchOfTheContractTurnsOnItsOption) {
  const struct {
    const char* flag;
    bool MergeSettings::*field;
  } rows[] = {
      {"--overwrite-base", &MergeSettings::OverwriteBase},
      {"--check-ref", &MergeSettings::CheckReferenceTexts},
      {"--warn-many-ref", &MergeSettings::WarnManyReferenceTexts},
      {"--merge-hidden", &MergeSettings::MergeHiddenLayers},
      {"--merge-display-only", &MergeSettings::MergeDisplayOnlyLayers},
      {"--real-size", &MergeSettings::RealSize},
      {"--scale-texts", &MergeSettings::ScaleTexts},
      {"--scale-points", &MergeSettings::ScalePointMarkers},
      {"--keep-aux-color", &MergeSettings::KeepAuxiliaryColour},
      {"--rotate-by-base-ref", &MergeSettings::RotateByBaseReference},
      {"--counter-rotate-by-merged-ref", &MergeSettings::CounterRotateByMergedReference},
      {"--release-dims", &MergeSettings::ReleaseDimensionsAfterMerge},
      {"--launch-cad", &MergeSettings::LaunchCad},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.flag);
    const MergeSettings defaults;
    ASSERT_FALSE(defaults.*row.field);
    const MergeSettings s = Apply({row.flag});
    EXPECT_TRUE(s.*row.field);
    int on = 0;
    for (const auto& other : rows) on += (s.*other.field) ? 1 : 0;
    EXPECT_EQ(on, 1) << "only its own option";
    EXPECT_NE(std::string(kMergeUsage).find(row.flag), std::string::npos) << "documented";
  }
}

TEST(MergeArgs, ValueFlagsSetTheirOptions) {
  const MergeSettings s = Apply({"--base", "b.jww", "--out", "図面/出力.jww", "--ref-text", "基準",
                                 "--jwf", "env.jwf", "--no-backup", "--layer-state", "merged"});
  EXPECT_EQ(s.BasePath, u"b.jww");
  EXPECT_EQ(s.DestinationPath, u"図面/出力.jww");
  EXPECT_EQ(s.ReferenceText, u"基準");
  EXPECT_TRUE(s.ApplyEnvironmentFile);
  EXPECT_EQ(s.EnvironmentFilePath, u"env.jwf");
  EXPECT_FALSE(s.KeepBackup);
  EXPECT_EQ(s.LayerState, LayerStateAfterMerge::MergedLayersEditable);
  EXPECT_EQ(Apply({"--layer-state", "all"}).LayerState, LayerStateAfterMerge::AllLayersEditable);
  MergeSettings editable;
  editable.LayerState = LayerStateAfterMerge::AllLayersEditable;
  EXPECT_EQ(Apply({"--layer-state", "keep"}, editable).LayerState,
            LayerStateAfterMerge::KeepBaseStates);
}

TEST(MergeArgs, CellFlagsBindToTheEntryBeforeThem) {
  const MergeRequest r = Parse({"a.jww", "--group", "C", "--color", "7", "--real-size", "", "b.jww",
                                "--layer", "f", "--group", "2", "c.jww", "--group", "3"});
  ASSERT_EQ(r.entries.size(), 4u);
  EXPECT_EQ(r.entries[0].Path, u"a.jww");
  EXPECT_EQ(r.entries[0].LayerGroup, u"C");
  EXPECT_EQ(r.entries[0].Layer, u"");
  EXPECT_EQ(r.entries[0].PenColor, u"7");
  EXPECT_EQ(r.entries[1].Path, u"") << "an empty argument is an empty row";
  EXPECT_EQ(r.entries[2].Path, u"b.jww");
  EXPECT_EQ(r.entries[2].Layer, u"f") << "cells are kept as typed";
  EXPECT_EQ(r.entries[2].LayerGroup, u"2");
  EXPECT_EQ(r.entries[3].LayerGroup, u"3") << "each ENTRY has cells of its own";
}

TEST(MergeArgs, FlagsOverrideTheSettingsFileWhereverItStands) {
  const MergeRequest r = Parse({"--base", "flag.jww", "--settings", "saved.ini", "--yes"});
  EXPECT_EQ(r.settings_file, u"saved.ini");
  EXPECT_TRUE(r.yes);
  MergeSettings from_file;
  from_file.BasePath = u"file.jww";
  from_file.DestinationPath = u"file-out.jww";
  ApplyOptions(r, from_file);
  EXPECT_EQ(from_file.BasePath, u"flag.jww");
  EXPECT_EQ(from_file.DestinationPath, u"file-out.jww");
}

TEST(MergeArgs, UsageErrorsGiveOneLine) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* mentions;
  } rows[] = {
      {"unknown flag", {"--base", "b.jww", "--frobnicate"}, "--frobnicate"},
      {"missing value", {"a.jww", "--group"}, "--group"},
      {"group before any entry", {"--group", "1", "a.jww"}, "--group"},
      {"layer before any entry", {"--layer", "1"}, "--layer"},
      {"colour before any entry", {"--out", "o.jww", "--color", "7", "a.jww"}, "--color"},
      {"bad layer state", {"--layer-state", "some"}, "--layer-state"},
      {"single dash flag", {"-x"}, "-x"},
      {"line break in a bad value", {"--layer-state", "all\nkeep"}, "--layer-state"},
      {"line break in an unknown flag", {"--frob\r\nnicate"}, "--frob"},
      {"value given twice", {"--out", "a.jww", "--out=b.jww"}, "--out given twice"},
      {"settings twice", {"--settings", "a.ini", "--settings", "b.ini"}, "--settings given twice"},
      {"cell twice for one entry",
       {"a.jww", "--group", "1", "--group", "2"},
       "--group given twice"},
      {"value for a switch", {"--quiet=yes"}, "--quiet takes no value"},
      {"unknown flag with a value", {"--colour=7"}, "unknown flag --colour"},
      {"report without its file", {"a.jww", "--report"}, "--report needs a value"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MergeRequest request;
    std::string error;
    EXPECT_FALSE(ParseArgs(row.args, &request, &error));
    EXPECT_NE(error.find(row.mentions), std::string::npos) << error;
    EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos);
  }
}

TEST(MergeArgs, HelpNamesTheWindowControlOfEveryFlag) {
  const struct {
    const char* flag;
    const char* control;
  } rows[] = {
      {"--base BASE", "Edit1 \"ベース図面ファイル：\""},
      {"--out DEST", "Edit2 \"保存先図面ファイル：\""},
      {"--overwrite-base", "CheckBox9 \"ベース図面ファイルに上書き保存\""},
      {"--ref-text T", "Edit4 \"基準点文字の内容\""},
      {"--group G", "\"ﾚｲﾔｸﾞﾙｰﾌﾟ\""},
      {"--layer L", "\"レイヤ\""},
      {"--color C", "\"線色\""},
      {"--real-size", "RadioButton2 \"実寸\""},
      {"--jwf FILE", "CheckBox6 \"合体後、合体図面ファイルに環境設定ファイル適用\" with Edit5"},
      {"--layer-state", "RadioGroup1 \"合体後のレイヤ状態(&L)\""},
      {"--no-backup",
       "CheckBox10 \"保存先図面ファイルを上書き保存する際,直前ファイルをBAKファイルとして残す\""},
      {"--launch-cad", "CheckBox7 \"合体後、Jw_cadを起動\""},
      {"--settings FILE", "\"設定を開く\""},
  };
  const std::string usage = kMergeUsage;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.flag);
    const size_t at = usage.find(std::string("  ") + row.flag);
    ASSERT_NE(at, std::string::npos);
    // The control is named on the flag's own line or the one after it.
    const size_t end = usage.find('\n', usage.find('\n', at) + 1);
    EXPECT_NE(usage.substr(at, end - at).find(row.control), std::string::npos);
  }
}

TEST(MergeArgs, HelpIsAskedFor) {
  EXPECT_TRUE(Parse({"a.jww", "--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
  EXPECT_FALSE(Parse({"--", "-h"}).help) << "after --, -h is a drawing";
}

TEST(MergeArgs, EqualsJoinsAValueAndDoubleDashEndsTheFlags) {
  const MergeRequest r =
      Parse({"--base=b=1.jww", "--out=", "--ref-text=基準", "a.jww", "--group=C", "--report=-",
             "--dry-run", "--quiet", "--", "--real-size", "-x.jww", "--group"});
  MergeSettings s;
  ApplyOptions(r, s);
  EXPECT_EQ(s.BasePath, u"b=1.jww") << "only the first = splits";
  EXPECT_EQ(s.DestinationPath, u"");
  EXPECT_TRUE(r.out_given);
  EXPECT_EQ(s.ReferenceText, u"基準");
  EXPECT_FALSE(s.RealSize);
  EXPECT_EQ(r.report_file, u"-");
  EXPECT_TRUE(r.dry_run);
  EXPECT_TRUE(r.quiet);
  ASSERT_EQ(r.entries.size(), 4u);
  EXPECT_EQ(r.entries[0].LayerGroup, u"C");
  EXPECT_EQ(r.entries[1].Path, u"--real-size");
  EXPECT_EQ(r.entries[2].Path, u"-x.jww");
  EXPECT_EQ(r.entries[3].Path, u"--group");
}

}  // namespace
}  // namespace plandock
