// The record a merge job fills for reports and the dry run: what became of
// each row, how each drawing was placed, and what the result holds.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "merge_job_fixture.h"
#include "platform/files.h"

namespace plandock::test {
namespace {

namespace fs = std::filesystem;
using Record = MergeJobTest;

std::string Contents(const std::u16string& p) {
  std::ifstream in(fs::path(p), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(Record, EveryRowGetsTheReasonItWasPassedOverAndTheJobIsUnchanged) {
  const std::u16string base = WriteDrawing("base.jww", 2);
  const std::u16string destination = PathOf("out.jww");
  const std::u16string good = WriteDrawing("good.jww", 3);
  const std::u16string twice = WriteDrawing("twice.jww", 1);
  const std::u16string broken = WriteBytes("broken.jww", "not a drawing");
  WriteBytes("other.dxf", "x");
  WriteDrawing("out.jww", 1);  // the destination exists and is listed too
  const std::vector<MergeEntry> list = {Entry(u""),
                                        Entry(PathOf("other.dxf")),
                                        Entry(PathOf("gone.jww")),
                                        Entry(twice),
                                        Entry(base),
                                        Entry(destination),
                                        Entry(broken),
                                        Entry(good),
                                        Entry(twice)};
  const EntryOutcome want[] = {
      EntryOutcome::kEmptyRow,    EntryOutcome::kNotJww, EntryOutcome::kNotFound,
      EntryOutcome::kListedTwice, EntryOutcome::kBase,   EntryOutcome::kDestination,
      EntryOutcome::kUnreadable,  EntryOutcome::kMerged, EntryOutcome::kMerged};

  std::vector<MergeEntry> plain = list;
  ASSERT_EQ(Run(Settings(base, destination), plain), MergeJobResult::kCompleted);
  const std::vector<std::u16string> plain_statuses = host_.statuses;
  const std::string plain_result = Contents(destination);

  host_.statuses.clear();
  std::vector<MergeEntry> recorded = list;
  MergeRecord record;
  MergeRun run;
  run.record = &record;
  ASSERT_EQ(RunMergeJob(Settings(base, destination), recorded, host_, run),
            MergeJobResult::kCompleted);
  EXPECT_EQ(host_.statuses, plain_statuses);
  for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(recorded[i].Path, plain[i].Path) << i;
  EXPECT_EQ(Contents(destination), plain_result);

  ASSERT_EQ(record.entries.size(), list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(record.entries[i].path, list[i].Path);
    EXPECT_EQ(record.entries[i].outcome, want[i]);
  }
}

TEST_F(Record, PlacementFactorsAndAddedEntitiesAreThoseOfTheMerge) {
  TJwwData base_doc;
  InitDrawing(base_doc);
  base_doc.EntLgrp[3].adScale = 50;
  Add(base_doc, Line(0, 0, 1, 0));
  Add(base_doc, Text(u"【基準点】", 100, 200, 105, 200, Attr(0, 0, 9)));
  Add(base_doc, Text(u"【基準点】", 300, 400, 305, 400, Attr(0, 0, 9)));
  const std::u16string base = Write("base.jww", base_doc);

  TJwwData merged_doc;
  InitDrawing(merged_doc);
  merged_doc.EntLgrp[0].adScale = 100;
  merged_doc.EntLgrp[5].adScale = 100;
  Add(merged_doc, Line(0, 0, 1, 0));
  Add(merged_doc, Arc(0, 0, 1));
  Add(merged_doc, Point(1, 1, Attr(5)));
  Add(merged_doc, Text(u"【基準点】", 7, 8, 12, 8, Attr(0, 0, 9)));
  const std::u16string merged = Write("merged.jww", merged_doc);
  const std::u16string plain = WriteDrawing("plain.jww", 1, 0, 0);

  MergeSettings settings = Settings(base, PathOf("out.jww"));
  settings.RealSize = true;
  std::vector<MergeEntry> entries = {Entry(merged, u"3"), Entry(plain, u"", u"B", u"7")};
  MergeRecord record;
  MergeRun run;
  run.record = &record;
  ASSERT_EQ(RunMergeJob(settings, entries, host_, run), MergeJobResult::kCompleted);

  ASSERT_EQ(record.base_references.size(), 2u);
  EXPECT_EQ(record.base_references[1].x, 300);
  EXPECT_EQ(record.base_references[1].y, 400);
  EXPECT_EQ(record.base_scales[3], 50);

  const EntryRecord& m = record.entries[0];
  ASSERT_EQ(m.references.size(), 1u);
  EXPECT_EQ(m.references[0].x, 7);
  EXPECT_EQ(m.copies, 2);
  EXPECT_EQ(m.target_layer_group, 3);
  EXPECT_EQ(m.target_layer, -1);
  EXPECT_EQ(m.factors[0], 2.0) << "1:100 onto the base's 1:50 group 3";
  EXPECT_EQ(m.factors[5], 2.0);
  EXPECT_TRUE(m.used[0]);
  EXPECT_TRUE(m.used[5]);
  EXPECT_FALSE(m.used[1]);
  EXPECT_EQ(m.added[kEntLine], 2);
  EXPECT_EQ(m.added[kEntEnko], 2);
  EXPECT_EQ(m.added[kEntTen], 2);
  EXPECT_EQ(m.added[kEntMoji], 0) << "reference texts are never copied";
  EXPECT_EQ(m.added[0], 6);

  const EntryRecord& p = record.entries[1];
  EXPECT_TRUE(p.references.empty()) << "its origin stood in";
  EXPECT_EQ(p.copies, 2);
  EXPECT_EQ(p.target_layer, 11);
  EXPECT_EQ(p.target_color, 7);
  EXPECT_EQ(p.added[kEntLine], 2);

  TJwwData result;
  ReadBack(PathOf("out.jww"), result);
  ASSERT_TRUE(record.has_result);
  EXPECT_EQ(record.version, 700);
  EXPECT_EQ(record.entities[kEntLine], result.EntLineN());
  EXPECT_EQ(record.entities[0], 3 + 6 + 2);
  EXPECT_EQ(static_cast<int64_t>(record.size), platform::FileSizeOf(PathOf("out.jww")));
}

TEST_F(Record, DryRunWritesNothingButRecordsTheResultItWouldWrite) {
  const std::u16string base = WriteDrawing("base.jww", 2);
  const std::u16string overlay = WriteDrawing("overlay.jww", 3);
  const std::u16string destination = PathOf("out.jww");
  MergeSettings settings = Settings(base, destination);
  std::vector<MergeEntry> entries = {Entry(overlay)};
  ASSERT_EQ(Run(settings, entries), MergeJobResult::kCompleted);
  const std::string before = Contents(destination);
  const auto listing = [&] {
    std::vector<fs::path> names;
    for (const auto& e : fs::recursive_directory_iterator(dir_.path())) names.push_back(e.path());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<fs::path> files_before = listing();

  host_.statuses.clear();
  entries = {Entry(overlay)};
  MergeRecord record;
  MergeRun run;
  run.dry_run = true;
  run.record = &record;
  settings.LaunchCad = true;
  EXPECT_EQ(RunMergeJob(settings, entries, host_, run), MergeJobResult::kCompleted);

  EXPECT_EQ(listing(), files_before) << "no backup, no result, nothing left";
  EXPECT_EQ(Contents(destination), before);
  EXPECT_EQ(host_.LastStatus(), u"完了");
  EXPECT_EQ(host_.CountStatusesStartingWith(u"合体図面を保存中です"), 0);
  EXPECT_EQ(host_.CountStatusesStartingWith(u"直前の合体図面をバックアップ中です"), 0);
  ASSERT_TRUE(record.has_result);
  EXPECT_EQ(record.size, before.size());
  EXPECT_EQ(record.entities[kEntLine], 5);
}

}  // namespace
}  // namespace plandock::test
