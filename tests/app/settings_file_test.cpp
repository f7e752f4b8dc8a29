#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/support.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// UTF-8 file text with its byte-order mark from lines, each ended by CR LF.
std::string JoinUtf8(const std::vector<std::u16string>& lines) {
  std::string out = "\xEF\xBB\xBF";
  for (const auto& l : lines) out += TextToUtf8(l) + "\r\n";
  return out;
}

// A value with every item away from its first-start value.
AppSettings Unusual() {
  AppSettings s;
  MergeSettings& m = s.Merge;
  m.BasePath = u"C:\\図面\\base.jww";
  m.DestinationPath = u"/home/u/out.jww";
  m.OverwriteBase = true;
  m.ReferenceText = u"基準";
  m.CheckReferenceTexts = true;
  m.WarnManyReferenceTexts = true;
  m.MergeHiddenLayers = true;
  m.MergeDisplayOnlyLayers = true;
  m.RealSize = true;
  m.ScaleTexts = true;
  m.ScalePointMarkers = true;
  m.RotateByBaseReference = true;
  m.CounterRotateByMergedReference = true;
  m.KeepAuxiliaryColour = true;
  m.ReleaseDimensionsAfterMerge = true;
  m.ApplyEnvironmentFile = true;
  m.EnvironmentFilePath = u"D:\\env.jwf";
  m.LayerState = LayerStateAfterMerge::MergedLayersEditable;
  m.KeepBackup = false;
  m.LaunchCad = true;
  s.DropTargets[0].Name = u"名0";  // D0 has no presets to store
  for (int n = 1; n < kDropTargetCount; ++n) {
    const std::u16string k = IntToText(n);
    s.DropTargets[n] = {u"名" + k, u"A" + k, u"F" + k, u"10" + k};
  }
  s.MainLeft = -8;
  s.MainTop = 11;
  s.MainWidth = 900;
  s.MainHeight = 700;
  s.LayerGroupDialog = {1, 2};
  s.LayerDialog = {3, 4};
  s.ColorDialog = {5, 6};
  s.BatchProgress = {7, 8};
  s.GridColumnWidths = {400, 33, 60, 70};
  s.TabIndex = 3;
  s.BatchOutputFolder = u"C:\\出力\\";
  s.BatchFileName = u"plan";
  s.BatchNameChoice = 9;
  s.BatchNumbering = 1;
  s.DatFile = u"C:\\settings.ini";
  return s;
}

void ExpectSame(const AppSettings& a, const AppSettings& b) {
  const MergeSettings &x = a.Merge, &y = b.Merge;
  EXPECT_EQ(x.BasePath, y.BasePath);
  EXPECT_EQ(x.DestinationPath, y.DestinationPath);
  EXPECT_EQ(x.OverwriteBase, y.OverwriteBase);
  EXPECT_EQ(x.ReferenceText, y.ReferenceText);
  EXPECT_EQ(x.CheckReferenceTexts, y.CheckReferenceTexts);
  EXPECT_EQ(x.WarnManyReferenceTexts, y.WarnManyReferenceTexts);
  EXPECT_EQ(x.MergeHiddenLayers, y.MergeHiddenLayers);
  EXPECT_EQ(x.MergeDisplayOnlyLayers, y.MergeDisplayOnlyLayers);
  EXPECT_EQ(x.RealSize, y.RealSize);
  EXPECT_EQ(x.ScaleTexts, y.ScaleTexts);
  EXPECT_EQ(x.ScalePointMarkers, y.ScalePointMarkers);
  EXPECT_EQ(x.RotateByBaseReference, y.RotateByBaseReference);
  EXPECT_EQ(x.CounterRotateByMergedReference, y.CounterRotateByMergedReference);
  EXPECT_EQ(x.KeepAuxiliaryColour, y.KeepAuxiliaryColour);
  EXPECT_EQ(x.ReleaseDimensionsAfterMerge, y.ReleaseDimensionsAfterMerge);
  EXPECT_EQ(x.ApplyEnvironmentFile, y.ApplyEnvironmentFile);
  EXPECT_EQ(x.EnvironmentFilePath, y.EnvironmentFilePath);
  EXPECT_EQ(x.LayerState, y.LayerState);
  EXPECT_EQ(x.KeepBackup, y.KeepBackup);
  EXPECT_EQ(x.LaunchCad, y.LaunchCad);
  for (int n = 0; n < kDropTargetCount; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(a.DropTargets[n].Name, b.DropTargets[n].Name);
    EXPECT_EQ(a.DropTargets[n].LayerGroup, b.DropTargets[n].LayerGroup);
    EXPECT_EQ(a.DropTargets[n].Layer, b.DropTargets[n].Layer);
    EXPECT_EQ(a.DropTargets[n].PenColor, b.DropTargets[n].PenColor);
  }
  EXPECT_EQ(a.MainLeft, b.MainLeft);
  EXPECT_EQ(a.MainTop, b.MainTop);
  EXPECT_EQ(a.MainWidth, b.MainWidth);
  EXPECT_EQ(a.MainHeight, b.MainHeight);
  for (auto place : {&AppSettings::LayerGroupDialog, &AppSettings::LayerDialog,
                     &AppSettings::ColorDialog, &AppSettings::BatchProgress}) {
    EXPECT_EQ((a.*place).Left, (b.*place).Left);
    EXPECT_EQ((a.*place).Top, (b.*place).Top);
  }
  EXPECT_EQ(a.GridColumnWidths, b.GridColumnWidths);
  EXPECT_EQ(a.TabIndex, b.TabIndex);
  EXPECT_EQ(a.BatchOutputFolder, b.BatchOutputFolder);
  EXPECT_EQ(a.BatchFileName, b.BatchFileName);
  EXPECT_EQ(a.BatchNameChoice, b.BatchNameChoice);
  EXPECT_EQ(a.BatchNumbering, b.BatchNumbering);
  EXPECT_EQ(a.DatFile, b.DatFile);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  std::u16string Path(const char* name = "settings.ini") const {
    return (dir_.path() / name).u16string();
  }
  std::u16string Write(const std::string& bytes, const char* name = "settings.ini") {
    WriteBytes(dir_.path() / name, bytes);
    return Path(name);
  }
  test::ScopedTempDir dir_;
};

TEST_F(SettingsFileTest, FirstStartWithoutAFile) {
  AppSettings s;
  EXPECT_FALSE(LoadSettingsFile(Path("missing.dat"), s));
  EXPECT_TRUE(s.Merge.KeepBackup);
  EXPECT_FALSE(s.Merge.OverwriteBase);
  EXPECT_FALSE(s.Merge.CheckReferenceTexts);
  EXPECT_FALSE(s.Merge.WarnManyReferenceTexts);
  EXPECT_FALSE(s.Merge.MergeHiddenLayers);
  EXPECT_FALSE(s.Merge.ApplyEnvironmentFile);
  EXPECT_FALSE(s.Merge.LaunchCad);
  EXPECT_FALSE(s.Merge.RealSize);  // "図寸"
  EXPECT_EQ(s.Merge.ReferenceText, u"【基準点】");
  EXPECT_EQ(s.Merge.LayerState, LayerStateAfterMerge::KeepBaseStates);
  const char16_t* names[] = {u"意匠図", u"衛生図", u"電気図", u"構造図", u"設定4",
                             u"設定5",  u"設定6",  u"設定7",  u"設定8"};
  for (int n = 0; n < kDropTargetCount; ++n) EXPECT_EQ(s.DropTargets[n].Name, names[n]);
  EXPECT_EQ(s.DropTargets[1].LayerGroup, u"C");
  EXPECT_EQ(s.DropTargets[1].Layer, u"");
  EXPECT_EQ(s.DropTargets[1].PenColor, u"7");
  EXPECT_EQ(s.DropTargets[2].LayerGroup, u"D");
  EXPECT_EQ(s.DropTargets[2].PenColor, u"6");
  EXPECT_EQ(s.DropTargets[3].LayerGroup, u"B");
  EXPECT_EQ(s.DropTargets[3].PenColor, u"8");
  EXPECT_EQ(s.DropTargets[8].LayerGroup, u"");
  EXPECT_EQ(s.GridColumnWidths, (std::array<int32_t, 4>{393, 74, 48, 48}));
}

TEST_F(SettingsFileTest, LoadResetsSomeItemsAndKeepsOthers) {
  AppSettings s = Unusual();
  EXPECT_FALSE(LoadSettingsFile(Path("missing.dat"), s));
  // Reset: the options, paths, target presets, FNameNo and DatFile.
  EXPECT_TRUE(s.Merge.KeepBackup);
  EXPECT_FALSE(s.Merge.RealSize);
  EXPECT_FALSE(s.Merge.LaunchCad);
  EXPECT_EQ(s.Merge.BasePath, u"");
  EXPECT_EQ(s.Merge.EnvironmentFilePath, u"");
  EXPECT_EQ(s.Merge.ReferenceText, u"【基準点】");
  EXPECT_EQ(s.DropTargets[1].Name, u"衛生図");
  EXPECT_EQ(s.DropTargets[1].LayerGroup, u"C");
  EXPECT_EQ(s.BatchNameChoice, 0);
  EXPECT_EQ(s.DatFile, u"");
  // Kept: window places, grid widths, tab, layer state and the batch fields.
  EXPECT_EQ(s.MainLeft, -8);
  EXPECT_EQ(s.MainHeight, 700);
  EXPECT_EQ(s.BatchProgress.Top, 8);
  EXPECT_EQ(s.GridColumnWidths[1], 33);
  EXPECT_EQ(s.TabIndex, 3);
  EXPECT_EQ(s.Merge.LayerState, LayerStateAfterMerge::MergedLayersEditable);
  EXPECT_EQ(s.BatchOutputFolder, u"C:\\出力\\");
  EXPECT_EQ(s.BatchFileName, u"plan");
  EXPECT_EQ(s.BatchNumbering, 1);
}

TEST_F(SettingsFileTest, RoundTripRestoresEveryItem) {
  const AppSettings saved = Unusual();
  ASSERT_TRUE(SaveSettingsFile(Path(), saved));
  AppSettings loaded;
  ASSERT_TRUE(LoadSettingsFile(Path(), loaded));
  ExpectSame(saved, loaded);

  // Saving over an existing file replaces it.
  const AppSettings defaults;
  ASSERT_TRUE(SaveSettingsFile(Path(), defaults));
  ASSERT_TRUE(LoadSettingsFile(Path(), loaded));
  ExpectSame(defaults, loaded);
}

TEST_F(SettingsFileTest, SavedFileLayout) {
  AppSettings s = Unusual();
  ASSERT_TRUE(SaveSettingsFile(Path(), s));
  const std::string bytes = ReadBytes(dir_.path() / "settings.ini");
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  std::vector<std::u16string> lines;
  std::size_t pos = 3;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", pos);
    ASSERT_NE(end, std::string::npos);
    lines.push_back(Utf8ToText(bytes.substr(pos, end - pos)));
    pos = end + 2;
  }
  ASSERT_EQ(lines.size(), 75u);
  const std::pair<int, std::u16string> expected[] = {
      {0, u"-8"},
      {3, u"700"},
      {4, u"1"},
      {7, u"4"},
      {8, u"400"},
      {10, u"60"},
      {11, u"1"},
      {16, u"1"},
      {17, u"0"},  // "実寸" chosen
      {18, u"基準"},
      {19, u"D:\\env.jwf"},
      {20, u"70"},
      {21, u"5"},
      {22, u"6"},
      {23, u"1"},
      {24, u"名0"},
      {25, u"名1"},
      {26, u"A1"},
      {27, u"F1"},
      {28, u"101"},
      {29, u"名2"},
      {53, u"名8"},
      {54, u"A8"},
      {55, u"F8"},
      {56, u"108"},
      {57, u"3"},
      {58, u"1"},
      {59, u"1"},
      {60, u"C:\\出力\\"},
      {61, u"plan"},
      {62, u"9"},
      {63, u"1"},
      {64, u"1"},
      {65, u"0"},
      {66, u"7"},
      {67, u"8"},
      {70, u"C:\\settings.ini"},
      {72, u"1"},
      {73, u"C:\\図面\\base.jww"},
      {74, u"/home/u/out.jww"},
  };
  for (const auto& [line, text] : expected) EXPECT_EQ(lines[line], text) << "line " << line;

  // First-start values: "図寸" chosen, backups kept.
  ASSERT_TRUE(SaveSettingsFile(Path(), AppSettings{}));
  const std::string defaults = ReadBytes(dir_.path() / "settings.ini");
  EXPECT_NE(defaults.find("\r\n1\r\n【基準点】\r\n"), std::string::npos);
  EXPECT_EQ(SettingsLines(AppSettings{})[17], u"1");
  EXPECT_EQ(SettingsLines(AppSettings{})[65], u"1");
  EXPECT_EQ(SettingsLines(AppSettings{})[8], u"393");
}

TEST_F(SettingsFileTest, LineBreaksInTextsDoNotMoveLaterLines) {
  AppSettings s;
  s.Merge.BasePath = u"a\r\nb";
  s.DropTargets[4].LayerGroup = u"\n";
  ASSERT_TRUE(SaveSettingsFile(Path(), s));
  AppSettings loaded;
  ASSERT_TRUE(LoadSettingsFile(Path(), loaded));
  EXPECT_EQ(loaded.Merge.BasePath, u"ab");
  EXPECT_EQ(loaded.DropTargets[4].LayerGroup, u"");
  EXPECT_EQ(loaded.DropTargets[4].Layer, u"");
  EXPECT_EQ(loaded.Merge.DestinationPath, u"");
}

TEST_F(SettingsFileTest, ShortFileLeavesLaterItemsAlone) {
  std::vector<std::u16string> lines;
  const auto full = SettingsLines(Unusual());
  lines.assign(full.begin(), full.begin() + 30);
  AppSettings s;
  s.TabIndex = 2;
  s.Merge.BasePath = u"old.jww";
  ASSERT_TRUE(LoadSettingsFile(Write(JoinUtf8(lines)), s));
  EXPECT_EQ(s.MainLeft, -8);
  EXPECT_TRUE(s.Merge.RealSize);
  EXPECT_EQ(s.DropTargets[1].Name, u"名1");
  EXPECT_EQ(s.DropTargets[1].PenColor, u"101");
  EXPECT_EQ(s.DropTargets[2].Name, u"名2");
  EXPECT_EQ(s.DropTargets[2].LayerGroup, u"D");  // line 30 on: reset or kept
  EXPECT_EQ(s.DropTargets[2].PenColor, u"6");
  EXPECT_EQ(s.DropTargets[3].Name, u"構造図");
  EXPECT_EQ(s.TabIndex, 2);
  EXPECT_TRUE(s.Merge.KeepBackup);
  EXPECT_EQ(s.Merge.BasePath, u"");
}

TEST_F(SettingsFileTest, LinesAfterTheLastAreIgnored) {
  std::vector<std::u16string> lines;
  const auto full = SettingsLines(Unusual());
  lines.assign(full.begin(), full.end());
  for (int i = 0; i < 10; ++i) lines.push_back(u"1");
  AppSettings s;
  ASSERT_TRUE(LoadSettingsFile(Write(JoinUtf8(lines)), s));
  ExpectSame(s, Unusual());
}

// One or more lines of a first-start file changed, and what a load makes of them.
struct DamagedCase {
  const char* name;
  std::vector<std::pair<int, std::u16string>> lines;
  std::function<void(const AppSettings&)> expect;
};

TEST_F(SettingsFileTest, DamagedAndOutOfRangeValues) {
  const DamagedCase cases[] = {
      {"width not a number",
       {{8, u"abc"}},
       [](const AppSettings& s) { EXPECT_EQ(s.GridColumnWidths[0], 32); }},
      {"width below 32",
       {{9, u"10"}, {10, u"-5"}},
       [](const AppSettings& s) {
         EXPECT_EQ(s.GridColumnWidths[1], 32);
         EXPECT_EQ(s.GridColumnWidths[2], 32);
       }},
      {"width 32 and above kept",
       {{20, u"32"}, {8, u"5000"}},
       [](const AppSettings& s) {
         EXPECT_EQ(s.GridColumnWidths[3], 32);
         EXPECT_EQ(s.GridColumnWidths[0], 5000);
       }},
      {"position with trailing blank",
       {{0, u"12 "}, {1, u" 12"}},
       [](const AppSettings& s) {
         EXPECT_EQ(s.MainLeft, 0);
         EXPECT_EQ(s.MainTop, 12);
       }},
      {"layer state 3",
       {{23, u"3"}},
       [](const AppSettings& s) {
         EXPECT_EQ(s.Merge.LayerState, LayerStateAfterMerge::KeepBaseStates);
       }},
      {"layer state 2",
       {{23, u"2"}},
       [](const AppSettings& s) {
         EXPECT_EQ(s.Merge.LayerState, LayerStateAfterMerge::AllLayersEditable);
       }},
      {"tab 4", {{57, u"4"}}, [](const AppSettings& s) { EXPECT_EQ(s.TabIndex, 0); }},
      {"name choice 10",
       {{62, u"10"}},
       [](const AppSettings& s) { EXPECT_EQ(s.BatchNameChoice, 0); }},
      {"name choice -1",
       {{62, u"-1"}},
       [](const AppSettings& s) { EXPECT_EQ(s.BatchNameChoice, 0); }},
      {"numbering 2", {{63, u"2"}}, [](const AppSettings& s) { EXPECT_EQ(s.BatchNumbering, 0); }},
      {"reference text of an ideographic space",
       {{18, u"　"}},
       [](const AppSettings& s) { EXPECT_EQ(s.Merge.ReferenceText, u"【基準点】"); }},
      {"reference text taken whole",
       {{18, u" 基準 "}},
       [](const AppSettings& s) { EXPECT_EQ(s.Merge.ReferenceText, u" 基準 "); }},
      {"blank D0 name stays blank",
       {{24, u""}},
       [](const AppSettings& s) { EXPECT_EQ(s.DropTargets[0].Name, u""); }},
      {"blank D5 name",
       {{41, u""}, {45, u" 　"}},
       [](const AppSettings& s) {
         EXPECT_EQ(s.DropTargets[5].Name, u"設定5");
         EXPECT_EQ(s.DropTargets[6].Name, u"設定6");
       }},
      {"presets as they stand",
       {{26, u" c "}, {28, u"x"}},
       [](const AppSettings& s) {
         EXPECT_EQ(s.DropTargets[1].LayerGroup, u" c ");
         EXPECT_EQ(s.DropTargets[1].PenColor, u"x");
       }},
      {"\"実寸\" chosen",
       {{17, u"0"}},
       [](const AppSettings& s) { EXPECT_TRUE(s.Merge.RealSize); }},
      {"damaged \"図寸\" line",
       {{17, u"yes"}},
       [](const AppSettings& s) { EXPECT_TRUE(s.Merge.RealSize); }},
      {"booleans written by other tools",
       {{11, u"TRUE"}, {12, u"On"}, {13, u"○"}, {14, u"yes"}, {15, u" 1"}, {58, u"１"}},
       [](const AppSettings& s) {
         EXPECT_TRUE(s.Merge.MergeHiddenLayers);
         EXPECT_TRUE(s.Merge.MergeDisplayOnlyLayers);
         EXPECT_TRUE(s.Merge.ScaleTexts);
         EXPECT_FALSE(s.Merge.ScalePointMarkers);
         EXPECT_FALSE(s.Merge.ReleaseDimensionsAfterMerge);
         EXPECT_TRUE(s.Merge.LaunchCad);
       }},
      {"backup off", {{65, u"0"}}, [](const AppSettings& s) { EXPECT_FALSE(s.Merge.KeepBackup); }},
      {"warning without the check",
       {{59, u"0"}, {72, u"1"}},
       [](const AppSettings& s) { EXPECT_FALSE(s.Merge.WarnManyReferenceTexts); }},
      {"warning with the check",
       {{59, u"1"}, {72, u"1"}},
       [](const AppSettings& s) {
         EXPECT_TRUE(s.Merge.CheckReferenceTexts);
         EXPECT_TRUE(s.Merge.WarnManyReferenceTexts);
       }},
  };
  for (const DamagedCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto defaults = SettingsLines(AppSettings{});
    std::vector<std::u16string> lines(defaults.begin(), defaults.end());
    for (const auto& [line, text] : c.lines) lines[line] = text;
    AppSettings s;
    ASSERT_TRUE(LoadSettingsFile(Write(JoinUtf8(lines)), s));
    c.expect(s);
  }
}

TEST_F(SettingsFileTest, EncodingsAndLineBreaks) {
  auto lines = SettingsLines(AppSettings{});
  lines[18] = u"基準";
  lines[24] = u"表ソ";
  for (int n = 1; n < kDropTargetCount; ++n) lines[21 + 4 * n] = u"D" + IntToText(n);
  std::u16string text;
  for (const auto& l : lines) text += l + u"\n";  // LF only
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : text) {
    le += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    be += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  // Code page 932 without a mark, CR line breaks: 基準 8AEE 8F80, 表ソ 955C 835C.
  std::string sjis;
  for (int i = 0; i < 75; ++i) {
    if (i == 18) {
      sjis += "\x8A\xEE\x8F\x80";
    } else if (i == 24) {
      sjis += "\x95\x5C\x83\x5C";
    } else {
      sjis += TextToUtf8(lines[i]);  // ASCII, apart from the two above
    }
    sjis += "\r";
  }
  const std::pair<const char*, std::string> files[] = {
      {"UTF-16LE", le},
      {"UTF-16BE", be},
      {"code page 932", sjis},
      {"UTF-8", "\xEF\xBB\xBF" + TextToUtf8(text)}};
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    AppSettings s;
    s.Merge.KeepBackup = false;
    ASSERT_TRUE(LoadSettingsFile(Write(bytes), s));
    EXPECT_EQ(s.Merge.ReferenceText, u"基準");
    EXPECT_EQ(s.DropTargets[0].Name, u"表ソ");
    EXPECT_EQ(s.DropTargets[8].Name, u"D8");
    EXPECT_TRUE(s.Merge.KeepBackup);
    EXPECT_EQ(s.GridColumnWidths[3], 48);
  }
}

TEST_F(SettingsFileTest, HostileFilesAreBounded) {
  // Garbage: whatever it reads as, every range rule still holds.
  std::string garbage;
  uint32_t x = 7;
  for (int i = 0; i < 100000; ++i) {
    x = x * 1103515245u + 12345u;
    garbage += static_cast<char>(x >> 24);
  }
  for (const std::string& prefix :
       {std::string(), std::string("\xFF\xFE"), std::string("\xEF\xBB\xBF")}) {
    AppSettings s;
    ASSERT_TRUE(LoadSettingsFile(Write(prefix + garbage), s));
    EXPECT_GE(s.GridColumnWidths[0], 32);
    EXPECT_GE(s.TabIndex, 0);
    EXPECT_LE(s.TabIndex, 3);
    EXPECT_LE(s.BatchNameChoice, 9);
  }
  // Larger than the read limit: the lines within it count, the cut line does not.
  std::string big = "5\r\n" + std::string(kMaxSettingsBytes, 'x') + "\r\n7\r\n";
  AppSettings s;
  ASSERT_TRUE(LoadSettingsFile(Write(big), s));
  EXPECT_EQ(s.MainLeft, 5);
  EXPECT_EQ(s.MainTop, 0);
}

TEST_F(SettingsFileTest, UnwritablePathFails) {
  EXPECT_FALSE(
      SaveSettingsFile((dir_.path() / "no" / "such" / "x.ini").u16string(), AppSettings{}));
  EXPECT_FALSE(SaveSettingsFile(dir_.path().u16string(), AppSettings{}));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.path()));
}

}  // namespace
}  // namespace plandock
