#include "app/settings_file.h"

#include <string_view>
#include <vector>

#include "environment/text_file.h"
#include "platform/files.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock {

namespace {

// The settings file's lines in order, frozen: a line's number is its meaning,
// and files written by earlier versions must keep loading. Both directions walk
// this one list, so the reader and the writer cannot disagree. `S` is
// AppSettings (reading) or const AppSettings (writing).
template <class S, class Visitor>
void VisitLines(S& s, Visitor& v) {
  v.Int(0, s.MainLeft);
  v.Int(1, s.MainTop);
  v.Int(2, s.MainWidth);
  v.Int(3, s.MainHeight);
  v.Int(4, s.LayerGroupDialog.Left);
  v.Int(5, s.LayerGroupDialog.Top);
  v.Int(6, s.LayerDialog.Left);
  v.Int(7, s.LayerDialog.Top);
  v.Width(8, s.GridColumnWidths[0]);
  v.Width(9, s.GridColumnWidths[1]);
  v.Width(10, s.GridColumnWidths[2]);
  v.Bool(11, s.Merge.MergeHiddenLayers);
  v.Bool(12, s.Merge.MergeDisplayOnlyLayers);
  v.Bool(13, s.Merge.ScaleTexts);
  v.Bool(14, s.Merge.ScalePointMarkers);
  v.Bool(15, s.Merge.ReleaseDimensionsAfterMerge);
  v.Bool(16, s.Merge.ApplyEnvironmentFile);
  v.NotBool(17, s.Merge.RealSize);  // the file says whether "図寸" is chosen
  v.ReferenceText(18, s.Merge.ReferenceText);
  v.Text(19, s.Merge.EnvironmentFilePath);
  v.Width(20, s.GridColumnWidths[3]);
  v.Int(21, s.ColorDialog.Left);
  v.Int(22, s.ColorDialog.Top);
  v.LayerState(23, s.Merge.LayerState);
  v.Text(24, s.DropTargets[0].Name);
  for (int n = 1; n < kDropTargetCount; ++n) {
    const int first = 21 + 4 * n;
    v.TargetName(first, s.DropTargets[n].Name, n);
    v.Text(first + 1, s.DropTargets[n].LayerGroup);
    v.Text(first + 2, s.DropTargets[n].Layer);
    v.Text(first + 3, s.DropTargets[n].PenColor);
  }
  v.Ranged(57, s.TabIndex, 3);
  v.Bool(58, s.Merge.LaunchCad);
  v.Bool(59, s.Merge.CheckReferenceTexts);
  v.Text(60, s.BatchOutputFolder);
  v.Text(61, s.BatchFileName);
  v.Ranged(62, s.BatchNameChoice, 9);
  v.Ranged(63, s.BatchNumbering, 1);
  v.Bool(64, s.Merge.OverwriteBase);
  v.Bool(65, s.Merge.KeepBackup);
  v.Int(66, s.BatchProgress.Left);
  v.Int(67, s.BatchProgress.Top);
  v.Bool(68, s.Merge.KeepAuxiliaryColour);
  v.Bool(69, s.Merge.RotateByBaseReference);
  v.Text(70, s.DatFile);
  v.Bool(71, s.Merge.CounterRotateByMergedReference);
  v.DependentBool(72, s.Merge.WarnManyReferenceTexts, s.Merge.CheckReferenceTexts);
  v.Text(73, s.Merge.BasePath);
  v.Text(74, s.Merge.DestinationPath);
}

// Applies the lines a file has; items whose line is missing stay as they are.
class LineReader {
 public:
  explicit LineReader(const std::vector<std::u16string>& lines) : lines_(lines) {}

  void Int(int i, int32_t& v) {
    if (Has(i)) v = TextToInt(lines_[i]);
  }
  // Outside 0..max reads as 0.
  void Ranged(int i, int32_t& v, int32_t max) {
    if (!Has(i)) return;
    const int32_t x = TextToInt(lines_[i]);
    v = x >= 0 && x <= max ? x : 0;
  }
  void Width(int i, int32_t& v) {
    if (!Has(i)) return;
    const int32_t x = TextToInt(lines_[i]);
    v = x < kMinGridColumnWidth ? kMinGridColumnWidth : x;
  }
  void LayerState(int i, LayerStateAfterMerge& v) {
    if (!Has(i)) return;
    int32_t x = 0;
    Ranged(i, x, 2);
    v = static_cast<LayerStateAfterMerge>(x);
  }
  void Bool(int i, bool& v) {
    if (Has(i)) v = TextToBool(lines_[i]);
  }
  void NotBool(int i, bool& v) {
    if (Has(i)) v = !TextToBool(lines_[i]);
  }
  // The warning needs the check it belongs to, as the window's check boxes do.
  void DependentBool(int i, bool& v, bool condition) {
    if (Has(i)) v = TextToBool(lines_[i]) && condition;
  }
  void Text(int i, std::u16string& v) {
    if (Has(i)) v = lines_[i];
  }
  void ReferenceText(int i, std::u16string& v) {
    if (!Has(i)) return;
    v = IsBlank(lines_[i]) ? MergeSettings{}.ReferenceText : lines_[i];
  }
  void TargetName(int i, std::u16string& v, int n) {
    if (!Has(i)) return;
    v = IsBlank(lines_[i]) ? DefaultTargetName(n) : lines_[i];
  }

 private:
  bool Has(int i) const { return i >= 0 && static_cast<std::size_t>(i) < lines_.size(); }
  const std::vector<std::u16string>& lines_;
};

// Texts are single-line fields; a line break would move every later item.
std::u16string OneLine(const std::u16string& s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c != u'\r' && c != u'\n') out.push_back(c);
  }
  return out;
}

class LineWriter {
 public:
  explicit LineWriter(std::array<std::u16string, kSettingsLineCount>& out) : out_(out) {}

  void Int(int i, int32_t v) { out_[i] = IntToText(v); }
  void Ranged(int i, int32_t v, int32_t) { Int(i, v); }
  void Width(int i, int32_t v) { Int(i, v); }
  void LayerState(int i, LayerStateAfterMerge v) { Int(i, static_cast<int32_t>(v)); }
  void Bool(int i, bool v) { out_[i] = BoolToText(v); }
  void NotBool(int i, bool v) { Bool(i, !v); }
  void DependentBool(int i, bool v, bool) { Bool(i, v); }
  void Text(int i, const std::u16string& v) { out_[i] = OneLine(v); }
  void ReferenceText(int i, const std::u16string& v) { Text(i, v); }
  void TargetName(int i, const std::u16string& v, int) { Text(i, v); }

 private:
  std::array<std::u16string, kSettingsLineCount>& out_;
};

}  // namespace

std::u16string DefaultTargetName(int n) { return u"設定" + IntToText(n); }

std::array<DropTarget, kDropTargetCount> DefaultDropTargets() {
  std::array<DropTarget, kDropTargetCount> t;
  t[0] = {u"意匠図", u"", u"", u""};
  t[1] = {u"衛生図", u"C", u"", u"7"};
  t[2] = {u"電気図", u"D", u"", u"6"};
  t[3] = {u"構造図", u"B", u"", u"8"};
  for (int n = 4; n < kDropTargetCount; ++n) t[n] = {DefaultTargetName(n), u"", u"", u""};
  return t;
}

void ResetSettings(AppSettings& settings) {
  const LayerStateAfterMerge layer_state = settings.Merge.LayerState;  // kept
  settings.Merge = MergeSettings{};
  settings.Merge.LayerState = layer_state;
  settings.DropTargets = DefaultDropTargets();
  settings.BatchNameChoice = 0;
  settings.DatFile.clear();
}

bool LoadSettingsFile(const std::u16string& path, AppSettings& settings) {
  ResetSettings(settings);
  std::u16string text;
  if (!ReadTextFile(path, kMaxSettingsBytes, text)) return false;
  std::vector<std::u16string> lines;
  TextLineReader reader(text);
  std::u16string_view line;
  while (lines.size() < static_cast<std::size_t>(kSettingsLineCount) && reader.Next(line)) {
    lines.emplace_back(line);
  }
  LineReader apply(lines);
  VisitLines(settings, apply);
  return true;
}

std::array<std::u16string, kSettingsLineCount> SettingsLines(const AppSettings& settings) {
  std::array<std::u16string, kSettingsLineCount> lines;
  LineWriter writer(lines);
  VisitLines(settings, writer);
  return lines;
}

bool SaveSettingsFile(const std::u16string& path, const AppSettings& settings) {
  std::string bytes = "\xEF\xBB\xBF";
  for (const std::u16string& line : SettingsLines(settings)) {
    bytes += TextToUtf8(line);
    bytes += "\r\n";
  }
  return platform::WriteFileReplacing(path, reinterpret_cast<const uint8_t*>(bytes.data()),
                                      bytes.size());
}

}  // namespace plandock
