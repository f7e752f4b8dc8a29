// The window's file list as rows of cell texts, and the codes its choice
// dialogs open on and write back.
#pragma once

#include <string>
#include <vector>

#include "merge/merge_settings.h"

namespace plandock {

// Puts `path` with its presets into the first row whose file cell is blank, or
// a new last row. Nothing happens when `path` is the base drawing or already
// listed (letter case ignored). Returns whether a row was filled.
bool AddMergeEntry(std::vector<MergeEntry>& rows, const std::u16string& base_path,
                   const std::u16string& path, const std::u16string& group = {},
                   const std::u16string& layer = {}, const std::u16string& color = {});

// After cells were cleared: moves filled rows up into blank ones, drops the
// blank tail (keeping one row) and clears the presets of rows left blank.
void CompactFileList(std::vector<MergeEntry>& rows);

// The value a layer-group or layer cell opens its dialog with: -1 for blank,
// 0..15 for a digit, a letter A..F or a decimal 1..15; -1 otherwise.
int ReadLayerCode(const std::u16string& text);
// The value a colour cell opens its dialog with: 0 for blank or out of range.
int ReadColorCode(const std::u16string& text);

// The cell text for a chosen value: empty for -1 (layer) or 0 (colour).
std::u16string LayerCodeText(int value);
std::u16string ColorCodeText(int value);

// The layer-group and layer dialogs: item 0 "元…", then 0..F.
inline constexpr int kLayerChoiceItems = 17;
int LayerItemForValue(int value);
int LayerValueForItem(int item);
// The colour dialog: item 0 "元線色", colours 1..9, then SXF-1..SXF-256.
inline constexpr int kColorChoiceItems = 266;
int ColorItemForValue(int value);
int ColorValueForItem(int item);

}  // namespace plandock
