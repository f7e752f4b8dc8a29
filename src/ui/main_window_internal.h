// Shared by the files that build and read the main window's controls.
#pragma once

#include <QString>

#include "merge/merge_settings.h"

namespace plandock::ui {

// A check box of the options and the setting it holds.
struct CheckOption {
  const char* name;
  bool MergeSettings::*field;
  const char* caption;
};

inline constexpr CheckOption kCheckOptions[] = {
    {"CheckBox1", &MergeSettings::MergeHiddenLayers, "非表示レイヤを合体する"},
    {"CheckBox2", &MergeSettings::MergeDisplayOnlyLayers, "表示のみレイヤを合体する"},
    {"CheckBox3", &MergeSettings::ScaleTexts, "文字も倍率"},
    {"CheckBox4", &MergeSettings::ScalePointMarkers, "点マーカも倍率"},
    {"CheckBox5", &MergeSettings::ReleaseDimensionsAfterMerge, "合体後に寸法図形解除"},
    {"CheckBox6", &MergeSettings::ApplyEnvironmentFile,
     "合体後、合体図面ファイルに環境設定ファイル適用"},
    {"CheckBox7", &MergeSettings::LaunchCad, "合体後、Jw_cadを起動"},
    {"CheckBox8", &MergeSettings::CheckReferenceTexts,
     "合体を行う際に、指定図面ファイル内の基準点文字チェックを行う"},
    {"CheckBox9", &MergeSettings::OverwriteBase, "ベース図面ファイルに上書き保存"},
    {"CheckBox10", &MergeSettings::KeepBackup,
     "保存先図面ファイルを上書き保存する際,直前ファイルをBAKファイルとして残す"},
    {"CheckBox11", &MergeSettings::KeepAuxiliaryColour, "線色指定で補助線色はそのままにする"},
    {"CheckBox12", &MergeSettings::RotateByBaseReference, "ベース図面の基準点文字の傾きで回転"},
    {"CheckBox13", &MergeSettings::CounterRotateByMergedReference,
     "合体図面の基準点文字の傾きで逆回転"},
    {"CheckBox14", &MergeSettings::WarnManyReferenceTexts,
     "基準点文字が3個以上の場合のチェックを行う(※オフ：3つ以上も無確認で許可)"},
};

inline const char kJwwFilter[] = "JWW File(*.jww);;All Files(*.*)";
inline const char kJwfFilter[] = "環境設定ファイル(*.jwf);;All Files(*.*)";
inline const char kIniFilter[] = "設定ファイル(*.ini)";
inline const char kFrameHint[] =
    "この枠にドラッグ＆ドロップすると、ドロップ先指定で設定した合体ファイル追加を行う事が出来ます"
    "。";
inline const char kBaseFrameHint[] =
    "この枠にドラッグ＆ドロップすると、ドロップ先指定で設定したベース図面ファイル指定を行う事が出来"
    "ます。";

// The folder part of a path, with its last separator; empty when it has none.
QString FolderOf(const QString& path);
// The lower-cased extension with its dot; `ok` false on an invalid path character.
QString ExtLower(const QString& path, bool* ok = nullptr);
bool Exists(const QString& path);
// What a target's frames show: its name cut to 12 columns.
QString FrameCaption(const QString& name);

}  // namespace plandock::ui
