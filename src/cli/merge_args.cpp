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
void SetReport(MergeRequest& r, const std::u16string& v) { r.report_file = v; }
void SetSaveSettings(MergeRequest& r, const std::u16string& v) { r.save_settings = v; }
void SetQuiet(MergeRequest& r, const std::u16string&) { r.quiet = true; }
void SetDryRun(MergeRequest& r, const std::u16string&) { r.dry_run = true; }

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
    {"--report", true, nullptr, nullptr, SetReport},
    {"--save-settings", true, nullptr, nullptr, SetSaveSettings},
    {"--quiet", false, nullptr, nullptr, SetQuiet},
    {"--dry-run", false, nullptr, nullptr, SetDryRun},
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
    // A cell belongs to the ENTRY before it, so each ENTRY may set it once.
    return FlagShape{row->takes_value ? 1 : 0, false, row->entry != nullptr};
  }

  bool Flag(std::string_view name, const std::vector<std::u16string>& values,
            std::string* error) override {
    const FlagRow& row = *FindFlag(name);
    const std::u16string value = values.empty() ? u"" : values[0];
    if (name == "--out") request_->out_given = true;
    if (name == "--overwrite-base") request_->overwrite_given = true;
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
in BASE's own file version. Each drawing is placed so that its reference text
(a text "【基準点】" drawn in the auxiliary colour 9) lands on the base's; a
drawing without one is placed by its origin. Progress goes to standard error
in the merge's own status texts, ending with "完了".

Each flag below is followed by the window control it stands for.
  --base BASE           the base drawing
                        (Edit1 "ベース図面ファイル：")
  --out DEST            where the merged drawing is written; an existing DEST is
                        kept as DEST.BAK (Edit2 "保存先図面ファイル：")
  --overwrite-base      write the result over BASE instead of to DEST
                        (CheckBox9 "ベース図面ファイルに上書き保存")
  ENTRY                 a drawing to merge: a row of the file list, column
                        "合体ファイル名"; an empty ENTRY ("") is an empty row
    --group G           the layer group its entities go to: "0".."9", "A".."F" or
                        "10".."15"; without it each keeps its own (column "ﾚｲﾔｸﾞﾙｰﾌﾟ")
    --layer L           the layer they go to, written as --group (column "レイヤ")
    --color C           the line colour they get: "1".."9" or "101".."356";
                        without it each keeps its own (column "線色")
)usage";

}  // namespace

const char kMergeOptionsHelp[] =
    R"usage(  --ref-text T          the content of the reference texts, default "【基準点】"
                        (Edit4 "基準点文字の内容")
  --check-ref           before merging, ask whether to go on when a drawing has no
                        reference text (CheckBox8 "合体を行う際に、指定図面ファイル内の基準点文字チェックを行う")
  --warn-many-ref       with --check-ref, also ask when a drawing has three or more
                        (CheckBox14 "基準点文字が3個以上の場合のチェックを行う(※オフ：3つ以上も無確認で許可)")
  --merge-hidden        also merge the entities of hidden layers
                        (CheckBox1 "非表示レイヤを合体する")
  --merge-display-only  also merge the entities of display-only layers
                        (CheckBox2 "表示のみレイヤを合体する")
  --real-size           keep real sizes between layer groups of different scales
                        (RadioButton2 "実寸" of "合体属性(&A)"; without it: RadioButton1
                        "図寸"): a 1:50 drawing merged onto a 1:100 group is scaled by 0.5
  --scale-texts         with --real-size, scale text sizes too (CheckBox3 "文字も倍率")
  --scale-points        with --real-size, scale point markers too
                        (CheckBox4 "点マーカも倍率")
  --keep-aux-color      --color leaves entities in the auxiliary colour as they are
                        (CheckBox11 "線色指定で補助線色はそのままにする")
  --rotate-by-base-ref  turn each drawing by the direction of the base's reference
                        text (CheckBox12 "ベース図面の基準点文字の傾きで回転")
  --counter-rotate-by-merged-ref
                        turn each drawing back by the direction of its own reference
                        text (CheckBox13 "合体図面の基準点文字の傾きで逆回転")
  --release-dims        break dimensions into their lines, texts and points after
                        merging (CheckBox5 "合体後に寸法図形解除")
  --jwf FILE            apply the environment file FILE to the result
                        (CheckBox6 "合体後、合体図面ファイルに環境設定ファイル適用" with Edit5 = FILE)
  --layer-state keep|merged|all
                        (RadioGroup1 "合体後のレイヤ状態(&L)": "ベース図面のレイヤ状態",
                        "合体ファイル指定レイヤを編集可能に", "全レイヤを編集可能に"): the
                        layer states of the result are the base's, the merged layers
                        are made editable, or every layer is
  --no-backup           do not keep an existing DEST as DEST.BAK
                        (CheckBox10 "保存先図面ファイルを上書き保存する際,直前ファイルをBAKファイルとして残す" off)
  --launch-cad          open the result in the CAD program afterwards
                        (CheckBox7 "合体後、Jw_cadを起動"); outside Windows the
                        program PLANDOCK_CAD names, else the desktop's opener
)usage";

namespace {

constexpr char kMergeTail[] =
    R"usage(  --settings FILE       start from the options of a settings file; the other flags,
                        wherever they stand, override it ("設定を開く")
  --save-settings FILE  write the options as given (settings file and flags) to
                        FILE in the settings-file format and stop without merging
                        ("設定を保存"; the window lists ".ini" files)
  --preview PICTURE.svg also writes an SVG picture of the result (with --dry-run,
                        of the result that would be written): the base in grey,
                        each merged drawing in its own colour, a legend and a
                        marker at each reference point used
  --yes                 answer Yes to the questions of --check-ref; without it they
                        are asked on the terminal, or answered No when there is none
  --report FILE         write a JSON report to FILE ("-": standard output): the
                        options, what became of each ENTRY and why, its reference
                        points, copies, targets, scale factors and entities added,
                        the result's version, size and entity counts, the time taken
  --dry-run             do everything but write: no result, no backup; prints what
                        the report would say
  --quiet               no status texts; errors and warnings are still shown
  --help, -h            this text

"--opt=value" is the same as "--opt value"; "--" ends the flags, so that every
later word is an ENTRY even when it begins with "-".

Before the merge starts, a missing --base or --out, a flag that takes a value
given twice, --overwrite-base with --out, and a --group, --layer or --color
value that names nothing are usage errors. A value written another way than
above ("a" for "A", "07" for "7") is taken as shown in a warning. Warnings also
name a --jwf file that is missing, a DEST that does not end in ".jww",
--warn-many-ref without --check-ref, --launch-cad with no CAD program, and any
drawing scaled by more than 10 or less than 0.1 with --real-size.

Exit status:
  0  the merge ended with "完了" and every ENTRY was merged
  3  the merge ended with "完了" but an ENTRY was passed over (not found, not a
     ".jww" name, listed twice, the base or DEST itself, or not a readable
     drawing); each is named on standard error with its reason
  1  the merge failed or was stopped (Ctrl+C, or No to a --check-ref question)
  2  a usage error

Ctrl+C stands for the Escape key: the merge stops at its next check and writes nothing.
)usage";

const std::string kMergeUsageText = std::string(kMergeHead) + kMergeOptionsHelp + kMergeTail;

}  // namespace

const char* const kMergeUsage = kMergeUsageText.c_str();

}  // namespace plandock
