// The flag table of `plandock merge` and the parser driven by it.
#include "cli/merge_args.h"

#include <span>
#include <string_view>
#include <utility>

#include "cli/command_words.h"
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
void SetPreview(MergeRequest& r, const std::u16string& v) { r.preview = v; }
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
    {"--preview", true, nullptr, nullptr, SetPreview},
    {"--yes", false, nullptr, nullptr, SetYes},
    {"--help", false, nullptr, nullptr, SetHelp},
};

const FlagRow* FindFlag(std::string_view name) {
  for (const FlagRow& row : kFlags) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// Options that only make sense for a single merge; the others are shared
// with every command that runs merge jobs.
bool MergeOnly(std::string_view name) {
  return name == "--base" || name == "--out" || name == "--overwrite-base";
}

bool Fail(std::string* error, std::string text) {
  *error = std::move(text);
  return false;
}

// Records an option row with its value; a bad value is a usage error now.
bool TakeOption(const FlagRow& row, const std::u16string& value, std::vector<OptionChange>* changes,
                std::string* error) {
  MergeSettings scratch;
  if (!row.option(scratch, value)) {
    return Fail(error, "invalid value for " + std::string(row.name) + ": '" +
                           EchoArg(TextToUtf8(value)) + "'");
  }
  changes->push_back({static_cast<int>(&row - kFlags), value});
  return true;
}

class MergeWords : public CommandWords {
 public:
  explicit MergeWords(MergeRequest* request) : request_(request) {}

  std::optional<FlagShape> Shape(std::string_view name) const override {
    const FlagRow* row = FindFlag(name);
    if (row == nullptr) return std::nullopt;
    return FlagShape{row->takes_value ? 1 : 0};
  }

  bool Flag(std::string_view name, const std::vector<std::u16string>& values,
            std::string* error) override {
    const FlagRow& row = *FindFlag(name);
    const std::u16string value = values.empty() ? u"" : values[0];
    if (row.option != nullptr) return TakeOption(row, value, &request_->changes, error);
    if (row.entry != nullptr) {
      if (request_->entries.empty())
        return Fail(error, std::string(name) + " must follow an ENTRY");
      row.entry(request_->entries.back(), value);
    } else {
      row.run(*request_, value);
    }
    return true;
  }

  bool Word(const std::u16string& word, std::string*) override {
    request_->entries.push_back(MergeEntry{word, u"", u"", u""});
    return true;
  }

 private:
  MergeRequest* request_;
};

}  // namespace

bool ParseArgs(const std::vector<std::string>& args, MergeRequest* request, std::string* error) {
  *request = MergeRequest();
  MergeWords words(request);
  return ReadCommandWords(args, words, error);
}

std::optional<FlagShape> SharedOptionShape(std::string_view name) {
  const FlagRow* row = FindFlag(name);
  if (row == nullptr || row->option == nullptr || MergeOnly(name)) return std::nullopt;
  return FlagShape{row->takes_value ? 1 : 0};
}

bool TakeSharedOption(std::string_view name, const std::u16string& value,
                      std::vector<OptionChange>* changes, std::string* error) {
  return TakeOption(*FindFlag(name), value, changes, error);
}

void ApplyOptionChanges(const std::vector<OptionChange>& changes, MergeSettings& settings) {
  const std::span<const FlagRow> rows(kFlags);
  for (const OptionChange& change : changes) {
    rows[static_cast<size_t>(change.flag)].option(settings, change.value);
  }
}

void ApplyOptions(const MergeRequest& request, MergeSettings& settings) {
  ApplyOptionChanges(request.changes, settings);
}

namespace {

constexpr char kMergeHead[] =
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
)usage";

}  // namespace

const char kMergeOptionsHelp[] =
    R"usage(  --ref-text T          Edit4 "基準点文字の内容" (default "【基準点】")
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
)usage";

namespace {

constexpr char kMergeTail[] =
    R"usage(  --settings FILE       "設定を開く": starts from the options of a settings file; the
                        other flags, wherever they stand, override it
  --preview PICTURE.svg also writes an SVG picture of the result: the base in
                        grey, each merged drawing in its own colour, a legend
                        and a marker at each reference point used
  --yes                 answers Yes to the questions of the reference check; without
                        it they are asked on the terminal, or answered No when
                        there is none
  --help                this text

Ctrl+C stands for the Escape key: the merge stops at its next check and writes nothing.
)usage";

const std::string kMergeUsageText = std::string(kMergeHead) + kMergeOptionsHelp + kMergeTail;

}  // namespace

const char* const kMergeUsage = kMergeUsageText.c_str();

}  // namespace plandock
