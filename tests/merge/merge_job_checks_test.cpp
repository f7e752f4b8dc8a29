// The checks a merge job makes before it reads anything: base and destination
// paths, entry names, and the layer-group, layer and colour cells.
#include <filesystem>

#include "merge_job_fixture.h"

namespace plandock::test {
namespace {

using Checks = MergeJobTest;

TEST_F(Checks, RejectedInputsBeepShowTheirTextAndFocusTheirBrowseButton) {
  const std::u16string base = WriteDrawing("base.jww", 1);
  const struct {
    const char* name;
    std::u16string base;
    std::u16string destination;
    bool overwrite;
    std::u16string text;
    BrowseButton focus;
  } rows[] = {
      {"no base", u"", PathOf("out.jww"), false, u"ベース図面ファイルを指定して下さい。",
       BrowseButton::kBase},
      {"base missing", PathOf("gone.jww"), PathOf("out.jww"), false,
       u"ベース図面ファイルが存在しません。", BrowseButton::kBase},
      {"no destination", base, u"", false, u"保存先図面ファイルを指定して下さい。",
       BrowseButton::kDestination},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeJobHost host;
    MergeSettings s = Settings(row.base, row.destination);
    s.OverwriteBase = row.overwrite;
    std::vector<MergeEntry> entries = {Entry(u"  ", u"a")};
    EXPECT_EQ(RunMergeJob(s, entries, host), MergeJobResult::kInputRejected);
    EXPECT_EQ(host.beeps, 1);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].kind, MessageKind::kError);
    EXPECT_EQ(host.boxes[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(host.boxes[0].text, row.text);
    EXPECT_EQ(host.statuses, std::vector<std::u16string>{row.text});
    EXPECT_EQ(host.focus, std::vector<BrowseButton>{row.focus});
    EXPECT_EQ(entries[0].LayerGroup, u"a") << "the list is not cleaned before the checks pass";
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "out.jww"));
  }
}

TEST_F(Checks, OverwriteBaseNeedsNoDestination) {
  const std::u16string base = WriteDrawing("base.jww", 1);
  MergeSettings s = Settings(base, u"");
  s.OverwriteBase = true;
  std::vector<MergeEntry> entries;
  EXPECT_EQ(Run(s, entries), MergeJobResult::kCompleted);
}

// Every drawing here has its own number of lines, so the result's line count
// tells which of them were merged.
TEST_F(Checks, EntryNamesThatCannotTakePartAreClearedAndTheLastOfEqualNamesSurvives) {
  const std::u16string base = WriteDrawing("base.jww", 1);
  const std::u16string destination = WriteDrawing("out.jww", 2);
  const std::u16string one_lower = WriteDrawing("one.jww", 10);
  const std::u16string one_upper = WriteDrawing("ONE.jww", 20);
  const std::u16string upper_ext = WriteDrawing("upper.JWW", 100);
  const std::u16string twice = WriteDrawing("twice.jww", 1000);
  const std::u16string text_file = WriteBytes("notes.txt", "not a drawing");
  const std::u16string base_other_case = WriteDrawing("BASE.jww", 3);
  TJwwData probe;
  ReadBack(one_lower, probe);
  if (probe.EntLineN() != 10) {
    GTEST_SKIP() << "needs a file system where names differing only in letter case are "
                    "different files (not Windows)";
  }

  std::vector<MergeEntry> entries = {
      Entry(u" \u3000\t"),           // blank
      Entry(text_file),              // not ".jww"
      Entry(PathOf("missing.jww")),  // no such file
      Entry(one_lower),              // equal to the next one but for letter case
      Entry(one_upper),
      Entry(twice),
      Entry(upper_ext),
      Entry(twice),
      Entry(base_other_case),  // the base, but for letter case
      Entry(destination),
  };
  EXPECT_EQ(Run(Settings(base, destination), entries), MergeJobResult::kCompleted);

  const std::vector<std::u16string> expected = {u"", u"",       u"",   u"", one_upper,
                                                u"", upper_ext, twice, u"", u""};
  ASSERT_EQ(entries.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entries[i].Path, expected[i]) << "entry " << i + 1;
  }
  TJwwData result;
  ReadBack(destination, result);
  EXPECT_EQ(result.EntLineN(), 1 + 20 + 100 + 1000);
}

TEST_F(Checks, LayerAndColourCellsAreNormalisedAndSteerTheMergedEntities) {
  const std::u16string base = WriteDrawing("base.jww", 0, 0, 0);
  const std::u16string destination = PathOf("out.jww");
  // Each row merges one line at its own height, drawn on group 0, layer 0, colour 1.
  const struct {
    const char* name;
    std::u16string group, layer, color;
    std::u16string want_group, want_layer, want_color;
    int group_of_line, layer_of_line, color_of_line;
  } rows[] = {
      {"lower-case hex", u"a", u"b", u"07", u"A", u"B", u"7", 10, 11, 7},
      {"decimal ten", u"10", u" 1 5", u"356", u"10", u"15", u"356", 10, 15, 356},
      {"out of range", u"16", u"AB", u"357", u"", u"", u"", 0, 0, 1},
      {"no number", u"G", u"-1", u"50", u"G", u"", u"", 0, 0, 1},
      {"exactly F", u"f", u"", u"0", u"F", u"", u"", 15, 0, 1},
      {"extended colour", u"", u"3", u"101", u"", u"3", u"101", 0, 3, 101},
  };
  std::vector<MergeEntry> entries;
  for (size_t i = 0; i < std::size(rows); ++i) {
    const std::u16string path =
        WriteDrawing("m" + std::to_string(i) + ".jww", 1, 100.0 * (i + 1), 0);
    entries.push_back(Entry(path, rows[i].group, rows[i].layer, rows[i].color));
  }
  ASSERT_EQ(Run(Settings(base, destination), entries), MergeJobResult::kCompleted);

  TJwwData result;
  ReadBack(destination, result);
  ASSERT_EQ(result.EntLineN(), static_cast<int>(std::size(rows)));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const auto& row = rows[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(entries[i].LayerGroup, row.want_group);
    EXPECT_EQ(entries[i].Layer, row.want_layer);
    EXPECT_EQ(entries[i].PenColor, row.want_color);
    const TEntJwwLine* line = nullptr;
    for (const auto& l : result.EntLine) {
      if (l.start_y == 100.0 * (i + 1)) line = &l;
    }
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->att.nGLayer, row.group_of_line);
    EXPECT_EQ(line->att.nLayer, row.layer_of_line);
    EXPECT_EQ(line->att.nPenColor, row.color_of_line);
  }
}

}  // namespace
}  // namespace plandock::test
