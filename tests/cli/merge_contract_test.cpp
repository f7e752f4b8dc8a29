// The command-line contract of `plandock merge`, run as a program: exit
// statuses with their reasons, usage errors caught before the job, warnings,
// --opt=value, "--" and -h, the dry run, the report and saved settings.
#include <string>
#include <utility>
#include <vector>

#include "app/settings_file.h"
#include "command_fixture.h"
#include "support/json.h"

namespace plandock::test {
namespace {

using Contract = MergeCommand;

int CountLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(Contract, EachPassedOverDrawingExitsThreeAndIsNamedWithItsReason) {
  const std::string base = Drawing("base.jww", 2);
  const std::string good = Drawing("good.jww", 3);
  const std::string out = PathOf("out.jww");
  Drawing("out.jww", 1);
  std::ofstream(PathOf("broken.jww")) << "not a drawing";
  std::ofstream(PathOf("plan.dxf")) << "x";
  const struct {
    const char* name;
    std::vector<std::string> entries;  // after the good drawing
    std::string line;                  // on standard error
  } rows[] = {
      {"not found", {PathOf("gone.jww")}, "entry 2 passed over (not found): " + PathOf("gone.jww")},
      {"not a .jww name",
       {PathOf("plan.dxf")},
       "entry 2 passed over (not a \".jww\" name): " + PathOf("plan.dxf")},
      {"listed twice", {good}, "entry 1 passed over (listed again further on): " + good},
      {"the base", {base}, "entry 2 passed over (the base drawing itself): " + base},
      {"the destination", {out}, "entry 2 passed over (the destination itself): " + out},
      {"unreadable",
       {PathOf("broken.jww")},
       "entry 2 passed over (not a readable JWW drawing: エラーファイル：" + PathOf("broken.jww") +
           "): " + PathOf("broken.jww")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = {"merge", "--base", base, "--out", out, "--no-backup", good};
    args.insert(args.end(), row.entries.begin(), row.entries.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.exit_status, 3) << o.err;
    EXPECT_NE(o.err.find("plandock merge: " + row.line + "\n"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("完了\n"), std::string::npos) << o.err;
    EXPECT_EQ(LinesIn(out), 2 + 3) << "the rest is merged and saved";
  }
  const Outcome clean = Run({"merge", "--base", base, "--out", out, good, ""});
  EXPECT_EQ(clean.exit_status, 0) << "an empty row is not a drawing passed over\n" << clean.err;
}

TEST_F(Contract, UsageErrorsExitTwoWithOneLineBeforeAnythingIsTouched) {
  const std::string base = Drawing("base.jww", 2);
  const std::string overlay = Drawing("a.jww", 1);
  const std::string out = PathOf("out.jww");
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* says;
  } rows[] = {
      {"no base", {"--out", out, overlay}, "no --base BASE given"},
      {"no destination", {"--base", base, overlay}, "no --out DEST given"},
      {"destination twice", {"--base", base, "--out", out, "--out", out}, "--out given twice"},
      {"overwrite and out",
       {"--base", base, "--overwrite-base", "--out", out},
       "--overwrite-base and --out exclude each other"},
      {"group that is no number",
       {"--base", base, "--out", out, overlay, "--group", "G"},
       "entry 1: --group G names no layer group"},
      {"layer that is no number",
       {"--base", base, "--out", out, overlay, "--layer", "ZZ"},
       "entry 1: --layer ZZ names no layer"},
      {"group beyond F", {"--base", base, "--out", out, overlay, "--group", "16"}, "--group 16"},
      {"colour 0", {"--base", base, "--out", out, overlay, "--color", "0"}, "--color 0 names no"},
      {"colour beyond 356", {"--base", base, "--out", out, overlay, "--color=357"}, "--color 357"},
      {"report into a missing folder",
       {"--base", base, "--out", out, "--report", PathOf("nowhere/r.json")},
       "no folder"},
      {"report over the base", {"--base", base, "--out", out, "--report", base}, "names a drawing"},
      {"cell before an entry", {"--base", base, "--out", out, "--group", "1"}, "must follow"},
  };
  const auto before = Listing();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = {"merge"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Outcome o = Run(args);
    EXPECT_EQ(o.exit_status, 2) << o.err;
    EXPECT_EQ(CountLines(o.err), 1) << o.err;
    EXPECT_NE(o.err.find(row.says), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find("ベース図面"), std::string::npos) << "the job did not start";
  }
  EXPECT_EQ(Listing(), before);
}

TEST_F(Contract, WarningsNameWhatWillNotDoWhatItSeems) {
  const std::string base = Drawing("base.jww", 2);
  const std::string overlay = Drawing("a.jww", 1);
  const std::string out = PathOf("out.jww");
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string warning;
    std::vector<std::pair<std::string, std::string>> environment = {};
  } rows[] = {
      {"missing environment file",
       {"--jwf", PathOf("gone.jwf")},
       "--jwf " + PathOf("gone.jwf") + " does not exist"},
      {"many-reference check alone", {"--warn-many-ref"}, "--warn-many-ref does nothing"},
      {"no CAD program",
       {"--launch-cad"},
       "--launch-cad: no CAD program found; name one in PLANDOCK_CAD",
       {{"PLANDOCK_CAD", "no-such-cad-anywhere"}}},
      {"respelt group", {overlay, "--group", "a"}, "entry 1: --group a is taken as A"},
      {"respelt colour", {overlay, "--color", "07"}, "entry 1: --color 07 is taken as 7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
#ifdef _WIN32
    // Windows finds its CAD program through the file-type registration, not PLANDOCK_CAD.
    if (!row.environment.empty()) continue;
#endif
    std::vector<std::string> args = {"merge", "--base", base, "--out", out};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Outcome o = Run(args, {.environment = row.environment});
    EXPECT_EQ(o.exit_status, 0) << o.err;
    EXPECT_NE(o.err.find("plandock merge: warning: " + row.warning), std::string::npos) << o.err;
  }
  const Outcome dxf = Run({"merge", "--base", base, "--out", PathOf("out.dxf"), overlay});
  EXPECT_EQ(dxf.exit_status, 0) << dxf.err;
  EXPECT_NE(dxf.err.find("does not end in \".jww\""), std::string::npos) << dxf.err;
}

TEST_F(Contract, EqualsDoubleDashAndShortHelp) {
  const std::string base = Drawing("base.jww", 2);
  const std::string dashed = Drawing("-dashed.jww", 4);
  const std::string out = PathOf("out.jww");
  // A relative name that begins with "-" can only be given after "--".
  const Outcome o = Run({"merge", "--base=" + base, "--out=" + out, "--", "-dashed.jww"},
                        {.folder = dir_.path()});
  EXPECT_EQ(o.exit_status, 0) << o.err;
  EXPECT_EQ(LinesIn(out), 2 + 4);
  EXPECT_TRUE(fs::exists(dashed));

  for (const char* help : {"-h", "--help"}) {
    const Outcome h = Run({"merge", help});
    EXPECT_EQ(h.exit_status, 0);
    EXPECT_NE(h.out.find("usage: plandock merge"), std::string::npos);
    EXPECT_NE(h.out.find("Exit status:"), std::string::npos);
  }
}

TEST_F(Contract, DryRunLeavesTheFolderAsItWas) {
  const std::string base = Drawing("base.jww", 2);
  const std::string overlay = Drawing("a.jww", 3);
  const std::string out = PathOf("out.jww");
  ASSERT_EQ(Run({"merge", "--base", base, "--out", out, overlay}).exit_status, 0);
  const auto before = Listing();

  const Outcome o = Run({"merge", "--base", base, "--out", out, "--dry-run", overlay,
                         PathOf("gone.jww"), "--report", "-"});
  EXPECT_EQ(o.exit_status, 3) << "what a real run would give\n" << o.err;
  EXPECT_EQ(Listing(), before) << "no result, no backup, nothing left behind";
  EXPECT_NE(o.err.find("dry run: nothing was written"), std::string::npos) << o.err;
  EXPECT_EQ(o.err.find("合体図面を保存中です"), std::string::npos) << o.err;
  Json report;
  ASSERT_TRUE(ParseJson(o.out, &report)) << o.out;
  EXPECT_TRUE(report["dryRun"].boolean);
  EXPECT_FALSE(report["result"]["written"].boolean);
  EXPECT_EQ(report["result"]["entities"]["line"].number, 5);
  EXPECT_EQ(report["result"]["size"].number, static_cast<double>(Contents(out).size()));

  const Outcome summary = Run({"merge", "--base", base, "--out", out, "--dry-run", overlay});
  EXPECT_EQ(Listing(), before);
  EXPECT_NE(summary.out.find("Entry 1: " + overlay + "\n  merged\n"), std::string::npos)
      << summary.out;
  EXPECT_NE(summary.out.find("(not written: dry run)"), std::string::npos) << summary.out;
}

TEST_F(Contract, ReportIsJsonWhoseEntityCountsAddUpToTheResult) {
  TJwwData base_doc;
  InitDrawing(base_doc, 600);
  for (int i = 0; i < 4; ++i) Add(base_doc, Line(i, 0, i + 1, 0));
  Add(base_doc, Arc(0, 0, 5));
  Add(base_doc, Text(u"【基準点】", 100, 50, 105, 50, Attr(0, 0, 9)));
  Add(base_doc, Text(u"【基準点】", 300, 50, 305, 50, Attr(0, 0, 9)));
  const std::string base = PathOf("base.jww");
  ASSERT_TRUE(FileOut(base_doc, fs::path(base).u16string(), 600));
  const std::string a = Drawing("a.jww", 3);
  TJwwData b_doc;
  InitDrawing(b_doc, 600);
  Add(b_doc, Point(1, 1));
  Add(b_doc, Solid(0, 0, 1, 0, 1, 1, 0, 1));
  const std::string b = PathOf("b.jww");
  ASSERT_TRUE(FileOut(b_doc, fs::path(b).u16string(), 600));
  const std::string out = PathOf("out.jww");
  const std::string report_file = PathOf("report.json");

  const Outcome o = Run({"merge", "--base", base, "--out", out, "--report", report_file, "--quiet",
                         a, "--group", "C", b, PathOf("gone.jww")});
  EXPECT_EQ(o.exit_status, 3) << o.err;
  EXPECT_EQ(o.err.find("完了"), std::string::npos) << "--quiet: no status texts\n" << o.err;
  EXPECT_NE(o.err.find("entry 3 passed over (not found)"), std::string::npos) << o.err;

  Json report;
  ASSERT_TRUE(ParseJson(Contents(report_file), &report)) << Contents(report_file);
  EXPECT_EQ(report["exitStatus"].number, 3);
  EXPECT_EQ(report["settings"]["base"].text, base);
  EXPECT_EQ(report["baseReferences"].items.size(), 2u);
  const Json& entries = report["entries"];
  ASSERT_EQ(entries.items.size(), 3u);
  EXPECT_EQ(entries[0]["status"].text, "merged");
  EXPECT_EQ(entries[0]["references"].items.size(), 1u);
  EXPECT_EQ(entries[0]["copies"]["total"].number, 2) << "two base points, one in the drawing";
  EXPECT_EQ(entries[0]["layerGroup"].text, "C");
  EXPECT_EQ(entries[1]["references"].items.size(), 0u) << "its origin stands in";
  EXPECT_EQ(entries[2]["status"].text, "passed over");
  EXPECT_EQ(entries[2]["reason"].text, "not found");
  EXPECT_FALSE(entries[2].Has("added"));

  TJwwData result;
  ASSERT_TRUE(FileIn(result, fs::path(out).u16string()));
  const struct {
    const char* key;
    int base;
    int result;
  } kinds[] = {{"line", base_doc.EntLineN(), result.EntLineN()},
               {"arc", base_doc.EntEnkoN(), result.EntEnkoN()},
               {"point", base_doc.EntTenN(), result.EntTenN()},
               {"text", base_doc.EntMojiN(), result.EntMojiN()},
               {"solid", base_doc.EntSolidN(), result.EntSolidN()},
               {"total", 7, static_cast<int>(result.EntNo.size())}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.key);
    double sum = k.base;
    for (const Json& e : entries.items) sum += e["added"][k.key].number;
    EXPECT_EQ(sum, k.result);
    EXPECT_EQ(report["result"]["entities"][k.key].number, k.result);
  }
  EXPECT_EQ(result.EntLineN(), 4 + 2 * 3) << "the report's figures are the real ones";
  EXPECT_EQ(report["result"]["size"].number, static_cast<double>(Contents(out).size()));
  EXPECT_EQ(report["result"]["version"].number, 600);
  EXPECT_TRUE(report["elapsedSeconds"].type == Json::Type::kNumber);
}

TEST_F(Contract, ScalingByAHundredIsWarnedAbout) {
  TJwwData base_doc;
  InitDrawing(base_doc, 600);
  base_doc.EntLgrp[0].adScale = 100;
  base_doc.EntLgrp[13].adScale = 1;  // layer group D, unused, at 1:1
  Add(base_doc, Line(0, 0, 1, 0));
  const std::string base = PathOf("base.jww");
  ASSERT_TRUE(FileOut(base_doc, fs::path(base).u16string(), 600));
  TJwwData overlay_doc;
  InitDrawing(overlay_doc, 600);
  overlay_doc.EntLgrp[0].adScale = 100;
  Add(overlay_doc, Line(0, 0, 1, 0));
  const std::string overlay = PathOf("overlay.jww");
  ASSERT_TRUE(FileOut(overlay_doc, fs::path(overlay).u16string(), 600));

  const Outcome o = Run({"merge", "--base", base, "--out", PathOf("out.jww"), "--real-size",
                         overlay, "--group", "D"});
  EXPECT_EQ(o.exit_status, 0) << o.err;
  EXPECT_NE(o.err.find("plandock merge: warning: entry 1 is scaled by 100: its layer group 0 is "
                       "at 1:100, layer group D of the base is at 1:1"),
            std::string::npos)
      << o.err;
  const Outcome same =
      Run({"merge", "--base", base, "--out", PathOf("out.jww"), "--real-size", overlay});
  EXPECT_EQ(same.err.find("warning"), std::string::npos) << "1:100 onto 1:100\n" << same.err;
}

TEST_F(Contract, SavedSettingsHoldTheOptionsAndLoadBack) {
  const std::string base = Drawing("base.jww", 2);
  const std::string ini = PathOf("mine.ini");
  const Outcome saved = Run({"merge", "--save-settings", ini, "--base", base, "--out",
                             PathOf("out.jww"), "--real-size", "--ref-text", "基準",
                             "--layer-state", "all", "--no-backup", "--check-ref"});
  ASSERT_EQ(saved.exit_status, 0) << saved.err;
  EXPECT_FALSE(fs::exists(PathOf("out.jww"))) << "saving settings merges nothing";
  const std::string text = Contents(ini);
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kSettingsLineCount);

  AppSettings loaded;
  ASSERT_TRUE(LoadSettingsFile(fs::path(ini).u16string(), loaded));
  EXPECT_EQ(loaded.Merge.BasePath, fs::path(base).u16string());
  EXPECT_TRUE(loaded.Merge.RealSize);
  EXPECT_EQ(loaded.Merge.ReferenceText, u"基準");
  EXPECT_EQ(loaded.Merge.LayerState, LayerStateAfterMerge::AllLayersEditable);
  EXPECT_FALSE(loaded.Merge.KeepBackup);
  EXPECT_TRUE(loaded.Merge.CheckReferenceTexts);
  EXPECT_EQ(loaded.DatFile, fs::path(ini).u16string()) << "the file names itself";

  // Passed back, it runs the same merge.
  const Outcome again = Run({"merge", "--settings", ini, "--yes", Drawing("a.jww", 1, 0)});
  EXPECT_EQ(again.exit_status, 0) << again.err;
  EXPECT_EQ(LinesIn(PathOf("out.jww")), 3);

  const Outcome refused = Run({"merge", "--save-settings", PathOf("no/such/folder/x.ini")});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_NE(refused.err.find("cannot write the settings file"), std::string::npos);
}

}  // namespace
}  // namespace plandock::test
