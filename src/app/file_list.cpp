#include "app/file_list.h"

#include "util/number.h"
#include "util/text.h"

namespace plandock {

bool AddMergeEntry(std::vector<MergeEntry>& rows, const std::u16string& base_path,
                   const std::u16string& path, const std::u16string& group,
                   const std::u16string& layer, const std::u16string& color) {
  const std::u16string upper = UpperText(path);
  if (!base_path.empty() && UpperText(base_path) == upper) return false;
  for (const MergeEntry& row : rows) {
    if (UpperText(row.Path) == upper) return false;
  }
  MergeEntry* free_row = nullptr;
  for (MergeEntry& row : rows) {
    if (IsBlank(row.Path)) {
      free_row = &row;
      break;
    }
  }
  if (free_row == nullptr) free_row = &rows.emplace_back();
  *free_row = MergeEntry{path, group, layer, color};
  return true;
}

void CompactFileList(std::vector<MergeEntry>& rows) {
  size_t next = 0;  // rows below this one with a file have not been moved yet
  for (size_t r = 0; r < rows.size(); ++r) {
    if (!IsBlank(rows[r].Path)) continue;
    if (next <= r) next = r + 1;
    while (next < rows.size() && IsBlank(rows[next].Path)) ++next;
    if (next == rows.size()) break;
    rows[r] = rows[next];
    rows[next] = MergeEntry{};
  }
  size_t end = 0;
  while (end < rows.size() && !IsBlank(rows[end].Path)) ++end;
  if (end < rows.size()) rows.resize(end == 0 ? 1 : end);
  for (MergeEntry& row : rows) {
    if (IsBlank(row.Path)) row = MergeEntry{row.Path, {}, {}, {}};
  }
}

int ReadLayerCode(const std::u16string& text) {
  const std::u16string t = UpperText(RemoveSpaces(text));
  if (t.empty()) return -1;
  if (t >= u"A" && t <= u"F") return TextToInt(u"$" + t);
  if (t >= u"0" && t <= u"9") return TextToInt(t);
  const int v = TextToInt(t);
  return v >= 1 && v <= 15 ? v : -1;
}

int ReadColorCode(const std::u16string& text) {
  if (UpperText(RemoveSpaces(text)).empty()) return 0;
  const int v = TextToInt(text);
  if (v < 0 || v > 356 || (v >= 10 && v <= 100)) return 0;
  return v;
}

std::u16string LayerCodeText(int value) {
  if (value < 0 || value > 15) return {};
  return std::u16string(1, u"0123456789ABCDEF"[value]);
}

std::u16string ColorCodeText(int value) { return value == 0 ? std::u16string() : IntToText(value); }

int LayerItemForValue(int value) { return value >= -1 && value <= 15 ? value + 1 : 0; }
int LayerValueForItem(int item) { return item - 1; }

int ColorItemForValue(int value) {
  if (value >= 1 && value <= 9) return value;
  if (value >= 101 && value <= 356) return value - 91;
  return 0;
}
int ColorValueForItem(int item) { return item <= 9 ? item : item + 91; }

}  // namespace plandock
