// The settings file: the main window's state as 75 positional text lines, read
// at start-up and written at shut-down (".dat") or on request (".ini").
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "merge/merge_settings.h"

namespace plandock {

inline constexpr int kSettingsLineCount = 75;
// Only this much of a settings file is read; a real one is a few kilobytes.
// A longer file is cut after its last whole line.
inline constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;

inline constexpr int kDropTargetCount = 9;  // D0 (base drawing) .. D8
inline constexpr int kGridColumnCount = 4;  // file, layer group, layer, colour
inline constexpr int kMinGridColumnWidth = 32;
// The main window's client area at design time; the outer size in AppSettings
// stays 0 until a window has stored its own.
inline constexpr int kDesignClientWidth = 735;
inline constexpr int kDesignClientHeight = 465;

// A preset for dropped drawings. D0 has only its name; D1..D8 also give the
// layer group, layer and line colour of the file-list row, as cell texts.
struct DropTarget {
  std::u16string Name;
  std::u16string LayerGroup;
  std::u16string Layer;
  std::u16string PenColor;
};

struct WindowPlace {
  int32_t Left = 0;
  int32_t Top = 0;
};

// The names and presets a fresh start gives: "意匠図"; "衛生図" C - 7;
// "電気図" D - 6; "構造図" B - 8; then "設定4" .. "設定8" without presets.
std::array<DropTarget, kDropTargetCount> DefaultDropTargets();
// "設定" followed by n in ASCII digits: the name a blank target name gets.
std::u16string DefaultTargetName(int n);

// Everything the settings file holds. A default-constructed value has the
// values of a first start.
struct AppSettings {
  MergeSettings Merge;  // every option, with BasePath and DestinationPath
  std::array<DropTarget, kDropTargetCount> DropTargets = DefaultDropTargets();

  // Main window: outer position and size (0 x 0: not stored yet, the window
  // opens at its design client size).
  int32_t MainLeft = 0;
  int32_t MainTop = 0;
  int32_t MainWidth = 0;
  int32_t MainHeight = 0;
  WindowPlace LayerGroupDialog;  // TForm2
  WindowPlace LayerDialog;       // TForm3
  WindowPlace ColorDialog;       // TForm4
  WindowPlace BatchProgress;     // TForm5
  std::array<int32_t, kGridColumnCount> GridColumnWidths{393, 74, 48, 48};
  int32_t TabIndex = 0;  // tab on top, 0..3

  std::u16string BatchOutputFolder;
  std::u16string BatchFileName;
  int32_t BatchNameChoice = 0;  // FNameNo: 0 own name, 1..9 the name of D0..D8's drawing
  int32_t BatchNumbering = 0;   // 0 "(数字).JWW", 1 "(英字).JWW"

  std::u16string DatFile;  // the user settings file last saved or opened
};

// Sets every item that a load resets (the options, paths, target names and
// presets, FNameNo, DatFile) to its first-start value; window places, grid
// widths, the tab, the layer state and the batch folder, name and numbering
// keep their current values.
void ResetSettings(AppSettings& settings);

// Resets `settings`, then reads the file at `path` over it: each line the file
// has sets its item, so a short file leaves the later items as reset or kept.
// Damaged numbers read as 0 and booleans as false before each line's range
// rule. Returns false, with only the reset applied, when `path` names no
// existing file or it cannot be read.
[[nodiscard]] bool LoadSettingsFile(const std::u16string& path, AppSettings& settings);

// The 75 lines of `settings`, in file order. Line breaks inside texts are
// dropped so that every item keeps its line.
std::array<std::u16string, kSettingsLineCount> SettingsLines(const AppSettings& settings);

// Writes the 75 lines to `path` as UTF-8 with a byte-order mark, each ended by
// CR LF, replacing the file. Returns false when the file cannot be written; a
// previous file at `path` is then untouched.
[[nodiscard]] bool SaveSettingsFile(const std::u16string& path, const AppSettings& settings);

}  // namespace plandock
