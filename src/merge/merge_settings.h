// The options of a merge job and the rows of its file list, as the front ends hold them.
#pragma once

#include <string>
#include <vector>

namespace plandock {

enum class LayerStateAfterMerge : int {
  KeepBaseStates = 0,        // "ベース図面のレイヤ状態"
  MergedLayersEditable = 1,  // "合体ファイル指定レイヤを編集可能に"
  AllLayersEditable = 2,     // "全レイヤを編集可能に"
};

struct MergeSettings {
  std::u16string BasePath;
  std::u16string DestinationPath;
  bool OverwriteBase = false;
  std::u16string ReferenceText = u"【基準点】";
  bool CheckReferenceTexts = false;
  bool WarnManyReferenceTexts = false;
  bool MergeHiddenLayers = false;
  bool MergeDisplayOnlyLayers = false;
  bool RealSize = false;
  bool ScaleTexts = false;
  bool ScalePointMarkers = false;
  bool RotateByBaseReference = false;
  bool CounterRotateByMergedReference = false;
  bool KeepAuxiliaryColour = false;
  bool ReleaseDimensionsAfterMerge = false;
  bool ApplyEnvironmentFile = false;
  std::u16string EnvironmentFilePath;
  LayerStateAfterMerge LayerState = LayerStateAfterMerge::KeepBaseStates;
  bool KeepBackup = true;
  bool LaunchCad = false;
};

// One file-list row; every cell is the text shown ("", "A", "7", "101").
struct MergeEntry {
  std::u16string Path;
  std::u16string LayerGroup;
  std::u16string Layer;
  std::u16string PenColor;
};

}  // namespace plandock
