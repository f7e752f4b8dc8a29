// What a merge job records for a picture of its result.
#include <array>

#include "merge_job_fixture.h"

namespace plandock::test {
namespace {

using Record = MergeJobTest;

TEST_F(Record, NamesEachMergedDrawingsEntitiesAndReferencePoints) {
  const std::u16string base = WriteDrawing("base.jww", 3, 0, 2);  // 5 entries, 2 points
  const std::u16string first = WriteDrawing("first.jww", 4);
  const std::u16string broken = WriteBytes("broken.jww", "not a drawing");
  const std::u16string third = WriteDrawing("third.jww", 5);
  std::vector<MergeEntry> entries = {Entry(first), Entry(u""), Entry(broken), Entry(third, u"C")};
  MergeJobRecord record;
  size_t entries_at_save = 0;
  record.before_save = [&](const TJwwData& result) { entries_at_save = result.EntNo.size(); };

  ASSERT_EQ(
      RunMergeJob(Settings(base, PathOf("out.jww")), entries, host_, MergeRun{.preview = &record}),
      MergeJobResult::kCompleted);

  // Each drawing is placed once per base reference point: 2 x 4, then 2 x 5.
  using Points = std::vector<std::array<double, 2>>;
  const Points points = {{0, 0}, {10, 0}};
  ASSERT_EQ(record.merged.size(), 2u);
  EXPECT_EQ(record.merged[0].entry, 0u);
  EXPECT_EQ(record.merged[0].layer_group, -1);
  EXPECT_EQ(record.merged[0].first, 5u);
  EXPECT_EQ(record.merged[0].end, 13u);
  EXPECT_EQ(record.merged[0].reference_points, points);
  EXPECT_EQ(record.merged[1].entry, 3u);
  EXPECT_EQ(record.merged[1].layer_group, 12);
  EXPECT_EQ(record.merged[1].first, 13u);
  EXPECT_EQ(record.merged[1].end, 23u);
  EXPECT_EQ(entries_at_save, 23u);
}

TEST_F(Record, AnInterruptedJobShowsNoResult) {
  const std::u16string base = WriteDrawing("base.jww", 3);
  std::vector<MergeEntry> entries = {Entry(WriteDrawing("first.jww", 4))};
  MergeJobRecord record;
  bool called = false;
  record.before_save = [&](const TJwwData&) { called = true; };
  host_.escape_at_polls = {2};  // after the first drawing was read

  EXPECT_EQ(
      RunMergeJob(Settings(base, PathOf("out.jww")), entries, host_, MergeRun{.preview = &record}),
      MergeJobResult::kInterrupted);
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace plandock::test
