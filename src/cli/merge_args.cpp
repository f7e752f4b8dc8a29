// The flag table of `plandock merge` and the parser driven by it.
#include "cli/merge_args.h"

#include <span>
#include <string_view>
#include <utility>

#include "util/text.h"

namespace plandock {
namespace {

using OptionSetter = bool (*)(MergeSettings&, const std::u16string&);
using EntrySetter = void (*)(MergeEntry&, const std::u16string&);
using RunSetter = void (*)(MergeRequest&, const std::u16string&);

// One flag. Exactly one setter is set: options change the settings after the
// settings file is read, entry flags a cell of the ENTRY before them, run
// flags the request itself.
struct FlagRow {
  std::string_view name;
  bool takes_value;
  OptionSetter option = nullptr;
  EntrySetter entry = nullptr;
  RunSetter run = nullptr;
};

bool SetLayerState(MergeSettings& s, const std::u16string& v) {
  if (v == u"keep") {
    s.LayerState = LayerStateAfterMerge::KeepBaseStates;
  } else if (v == u"merged") {
    s.LayerState = LayerStateAfterMerge::MergedLayersEditable;
  } else if (v == u"all") {
    s.LayerState = LayerStateAfterMerge::AllLayersEditable;
  } else {
    return false;
  }
  return true;
}

template <bool MergeSettings::*field>
bool TurnOn(MergeSettings& s, const std::u16string&) {
  s.*field = true;
  return true;
}

template <bool MergeSettings::*field>
bool TurnOff(MergeSettings& s, const std::u16string&) {
  s.*field = false;
  return true;
}

template <std::u16string MergeSettings::*field>
bool SetText(MergeSettings& s, const std::u16string& v) {
  s.*field = v;
  return true;
}

bool SetEnvironmentFile(MergeSettings& s, const std::u16string& v) {
  s.ApplyEnvironmentFile = true;
  s.EnvironmentFilePath = v;
  return true;
}

template <std::u16string MergeEntry::*cell>
void SetCell(MergeEntry& e, const std::u16string& v) {
  e.*cell = v;
}

void SetSettingsFile(MergeRequest& r, const std::u16string& v) { r.settings_file = v; }
void SetYes(MergeRequest& r, const std::u16string&) { r.yes = true; }
void SetHelp(MergeRequest& r, const std::u16string&) { r.help = true; }

using S = MergeSettings;
const FlagRow kFlags[] = {
    {"--base", true, SetText<&S::BasePath>},
    {"--out", true, SetText<&S::DestinationPath>},
    {"--overwrite-base", false, TurnOn<&S::OverwriteBase>},
    {"--ref-text", true, SetText<&S::ReferenceText>},
    {"--check-ref", false, TurnOn<&S::CheckReferenceTexts>},
    {"--warn-many-ref", false, TurnOn<&S::WarnManyReferenceTexts>},
    {"--merge-hidden", false, TurnOn<&S::MergeHiddenLayers>},
    {"--merge-display-only", false, TurnOn<&S::MergeDisplayOnlyLayers>},
    {"--real-size", false, TurnOn<&S::RealSize>},
    {"--scale-texts", false, TurnOn<&S::ScaleTexts>},
    {"--scale-points", false, TurnOn<&S::ScalePointMarkers>},
    {"--keep-aux-color", false, TurnOn<&S::KeepAuxiliaryColour>},
    {"--rotate-by-base-ref", false, TurnOn<&S::RotateByBaseReference>},
    {"--counter-rotate-by-merged-ref", false, TurnOn<&S::CounterRotateByMergedReference>},
    {"--release-dims", false, TurnOn<&S::ReleaseDimensionsAfterMerge>},
    {"--jwf", true, SetEnvironmentFile},
    {"--layer-state", true, SetLayerState},
    {"--no-backup", false, TurnOff<&S::KeepBackup>},
    {"--launch-cad", false, TurnOn<&S::LaunchCad>},
    {"--group", true, nullptr, SetCell<&MergeEntry::LayerGroup>},
    {"--layer", true, nullptr, SetCell<&MergeEntry::Layer>},
    {"--color", true, nullptr, SetCell<&MergeEntry::PenColor>},
    {"--settings", true, nullptr, nullptr, SetSettingsFile},
    {"--yes", false, nullptr, nullptr, SetYes},
    {"--help", false, nullptr, nullptr, SetHelp},
};

const FlagRow* FindFlag(std::string_view name) {
  for (const FlagRow& row : kFlags) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

bool IsFlag(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// An argument as echoed in a usage error, which must stay one line.
std::string Echo(std::string_view arg) {
  std::string out(arg);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

bool Fail(std::string* error, std::string text) {
  *error = std::move(text);
  return false;
}

// Applies one flag with its value (empty for a switch) to the request.
bool TakeFlag(const FlagRow& row, const std::u16string& value, MergeRequest* request,
              std::string* error) {
  const std::string name(row.name);
  if (row.option != nullptr) {
    MergeSettings scratch;  // tries the value now, so a bad one is a usage error
    if (!row.option(scratch, value)) {
      return Fail(error, "invalid value for " + name + ": '" + Echo(TextToUtf8(value)) + "'");
    }
    request->changes.push_back({static_cast<int>(&row - kFlags), value});
  } else if (row.entry != nullptr) {
    if (request->entries.empty()) return Fail(error, name + " must follow an ENTRY");
    row.entry(request->entries.back(), value);
  } else {
    row.run(*request, value);
  }
  return true;
}

}  // namespace

bool ParseArgs(const std::vector<std::string>& args, MergeRequest* request, std::string* error) {
  *request = MergeRequest();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!IsFlag(arg)) {
      request->entries.push_back(MergeEntry{Utf8ToText(arg), u"", u"", u""});
      continue;
    }
    const FlagRow* row = FindFlag(arg);
    if (row == nullptr) return Fail(error, "unknown flag " + Echo(arg));
    std::u16string value;
    if (row->takes_value) {
      if (i + 1 >= args.size()) return Fail(error, arg + " needs a value");
      value = Utf8ToText(args[++i]);
    }
    if (!TakeFlag(*row, value, request, error)) return false;
  }
  return true;
}

void ApplyOptions(const MergeRequest& request, MergeSettings& settings) {
  const std::span<const FlagRow> rows(kFlags);
  for (const OptionChange& change : request.changes) {
    rows[static_cast<size_t>(change.flag)].option(settings, change.value);
  }
}

const char kMergeUsage[] =
    R"usage(usage: plandock merge --base BASE --out DEST [flags] [ENTRY [--group G] [--layer L] [--color C]]...

Merges each ENTRY drawing into the drawing BASE and writes the result to DEST
in BASE's own file version. Progress goes to standard error. The exit status
is 0 when the merge ended with "完了", 2 for a usage error, 1 otherwise.

Each flag stands for a control of the window:
  --base BASE           Edit1 "ベース図面ファイル："
  --out DEST            Edit2 "保存先図面ファイル："
  --overwrite-base      CheckBox9 "ベース図面ファイルに上書き保存"
  ENTRY                 a row of the file list, column "合体ファイル名"; an empty
                        ENTRY ("") is an empty row
    --group G           its column "ﾚｲﾔｸﾞﾙｰﾌﾟ": "0".."9", "A".."F" or "10".."15";
                        empty keeps each entity's own
    --layer L           its column "レイヤ": as --group
    --color C           its column "線色": "1".."9" or "101".."356", empty keeps
  --ref-text T          Edit4 "基準点文字の内容" (default "【基準点】")
  --check-ref           CheckBox8 "合体を行う際に、指定図面ファイル内の基準点文字チェックを行う"
  --warn-many-ref       CheckBox14 "基準点文字が3個以上の場合のチェックを行う(※オフ：3つ以上も無確認で許可)"
                        (only with --check-ref)
  --merge-hidden        CheckBox1 "非表示レイヤを合体する"
  --merge-display-only  CheckBox2 "表示のみレイヤを合体する"
  --real-size           RadioButton2 "実寸" of "合体属性(&A)" (without it: RadioButton1 "図寸")
  --scale-texts         CheckBox3 "文字も倍率"
  --scale-points        CheckBox4 "点マーカも倍率"
  --keep-aux-color      CheckBox11 "線色指定で補助線色はそのままにする"
  --rotate-by-base-ref  CheckBox12 "ベース図面の基準点文字の傾きで回転"
  --counter-rotate-by-merged-ref
                        CheckBox13 "合体図面の基準点文字の傾きで逆回転"
  --release-dims        CheckBox5 "合体後に寸法図形解除"
  --jwf FILE            CheckBox6 "合体後、合体図面ファイルに環境設定ファイル適用" with Edit5 = FILE
  --layer-state keep|merged|all
                        RadioGroup1 "合体後のレイヤ状態(&L)": "ベース図面のレイヤ状態",
                        "合体ファイル指定レイヤを編集可能に", "全レイヤを編集可能に"
  --no-backup           CheckBox10 "保存先図面ファイルを上書き保存する際,直前ファイルをBAKファイルとして残す" off
  --launch-cad          CheckBox7 "合体後、Jw_cadを起動"
  --settings FILE       "設定を開く": starts from the options of a settings file; the
                        other flags, wherever they stand, override it
  --yes                 answers Yes to the questions of the reference check; without
                        it they are asked on the terminal, or answered No when
                        there is none
  --help                this text

Ctrl+C stands for the Escape key: the merge stops at its next check and writes nothing.
)usage";

}  // namespace plandock
