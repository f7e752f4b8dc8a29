// The flags of `plandock batch`; the merge options come from the merge command.
#include "cli/batch_args.h"

#include <string_view>
#include <utility>

#include "platform/files.h"
#include "util/text.h"

namespace plandock {
namespace {

using Values = std::vector<std::u16string>;
using Setter = bool (*)(BatchRequest&, const Values&, std::string*);

struct BatchFlag {
  std::string_view name;
  FlagShape shape;
  Setter set;
};

bool Fail(std::string* error, std::string text) {
  *error = std::move(text);
  return false;
}

// A target number in first..last, in plain ASCII digits.
bool ReadNumber(std::string_view flag, const std::u16string& text, int first, int last, int* n,
                std::string* error) {
  int value = 0;
  bool ok = !text.empty() && text.size() <= 2;
  for (const char16_t c : text) {
    ok = ok && c >= u'0' && c <= u'9';
    value = value * 10 + (c - u'0');
  }
  if (!ok || value < first || value > last) {
    return Fail(error, std::string(flag) + " needs a number from " + std::to_string(first) +
                           " to " + std::to_string(last) + ", not '" + EchoArg(TextToUtf8(text)) +
                           "'");
  }
  *n = value;
  return true;
}

bool SetOutDir(BatchRequest& r, const Values& v, std::string*) {
  r.out_dir = v[0];
  return true;
}
bool SetName(BatchRequest& r, const Values& v, std::string*) {
  r.name = v[0];
  return true;
}
bool SetLetters(BatchRequest& r, const Values&, std::string*) {
  r.letters = true;
  return true;
}
bool SetNameFrom(BatchRequest& r, const Values& v, std::string* error) {
  int n = 0;
  if (!ReadNumber("--name-from", v[0], 0, kDropTargetCount, &n, error)) return false;
  r.name_from = n;
  return true;
}
bool SetTargetName(BatchRequest& r, const Values& v, std::string* error) {
  int n = 0;
  if (!ReadNumber("--target-name", v[0], 0, kDropTargetCount - 1, &n, error)) return false;
  r.target_names.emplace_back(n, v[1]);
  return true;
}
bool SetPreset(BatchRequest& r, const Values& v, std::string* error) {
  int n = 0;
  if (!ReadNumber("--preset", v[0], 1, kDropTargetCount - 1, &n, error)) return false;
  r.presets.push_back({n, v[1], v[2], v[3]});
  return true;
}
bool AddList(BatchRequest& r, const Values& v, std::string* error) {
  int n = 0;
  if (!ReadNumber("--list", v[0], 0, kDropTargetCount - 1, &n, error)) return false;
  std::vector<std::u16string>& list = r.lists[static_cast<size_t>(n)];
  list.insert(list.end(), v.begin() + 1, v.end());
  return true;
}
bool SetDryRun(BatchRequest& r, const Values&, std::string*) {
  r.dry_run = true;
  return true;
}
bool SetSettings(BatchRequest& r, const Values& v, std::string*) {
  r.settings_file = v[0];
  return true;
}
bool SetYes(BatchRequest& r, const Values&, std::string*) {
  r.yes = true;
  return true;
}
bool SetHelp(BatchRequest& r, const Values&, std::string*) {
  r.help = true;
  return true;
}

const BatchFlag kBatchFlags[] = {
    {"--out-dir", {1}, SetOutDir},
    {"--name", {1}, SetName},
    {"--letters", {0}, SetLetters},
    {"--name-from", {1}, SetNameFrom},
    {"--target-name", {2}, SetTargetName},
    {"--preset", {4}, SetPreset},
    {"--list", {1, true}, AddList},
    {"--dry-run", {0}, SetDryRun},
    {"--settings", {1}, SetSettings},
    {"--yes", {0}, SetYes},
    {"--help", {0}, SetHelp},
};

const BatchFlag* FindBatchFlag(std::string_view name) {
  for (const BatchFlag& flag : kBatchFlags) {
    if (flag.name == name) return &flag;
  }
  return nullptr;
}

class BatchWords : public CommandWords {
 public:
  explicit BatchWords(BatchRequest* request) : request_(request) {}

  std::optional<FlagShape> Shape(std::string_view name) const override {
    if (const BatchFlag* flag = FindBatchFlag(name)) return flag->shape;
    return SharedOptionShape(name);
  }

  bool Flag(std::string_view name, const Values& values, std::string* error) override {
    if (const BatchFlag* flag = FindBatchFlag(name)) return flag->set(*request_, values, error);
    return TakeSharedOption(name, values.empty() ? u"" : values[0], &request_->changes, error);
  }

  bool Word(const std::u16string& word, std::string* error) override {
    // Built by appending: GCC 12 warns (-Wrestrict, wrongly) about "'" + string.
    std::string text = "'";
    text += EchoArg(TextToUtf8(word));
    return Fail(error, text + "' belongs to no list (put --list N before drawings)");
  }

 private:
  BatchRequest* request_;
};

bool EndsWithSeparator(const std::u16string& folder) {
  return !folder.empty() && (folder.back() == u'/' || folder.back() == u'\\');
}

constexpr char kBatchHead[] =
    R"usage(usage: plandock batch --out-dir DIR [--name TEXT] [--letters] [--name-from N]
                      [--target-name N NAME] [--preset N GROUP LAYER COLOUR]
                      [merge options] [--dry-run] --list N FILE... [--list N FILE...]...

Runs one merge per base drawing: the drawings of list 0 are the base drawings;
each is merged with the drawing at the same place in every other list (or
with the only drawing of a list that holds one), with that list's presets,
and saved in DIR. Lists are taken in an order that ignores letter case
(compared upper-cased, then as written). Progress goes to standard error:
one line per pair ("3／12 base → output") with the merge's own texts under it,
and a closing line with the pairs done and failed. A drawing a pair's merge
passed over is named with its reason, as plandock merge names it. The exit
status is 0 when every pair ended with "完了" and merged all its drawings, 3 when
every pair ended with "完了" but one passed a drawing over, 2 for a usage error,
1 otherwise (a pair failed, the batch was stopped, or a check refused it and
nothing ran). "--opt=value", "--" and -h work as for plandock merge.

Each flag stands for a control of the window's "一括指定(&M)" page:
  --out-dir DIR         Edit3 "保存先フォルダ："; a separator is added when DIR
                        has none at its end (a folder from --settings is taken
                        as it stands); without it and --settings, the current
                        folder
  --name TEXT           Edit6 "ファイル名：": the start of each output name
  --letters             ComboBox2 "(英字).JWW": TEXT + A, B, ... (with a round
                        number before the letter past 26 pairs); without it
                        "(数字).JWW": TEXT + 0, 1, ... zero-padded to the width
                        of the pair count
  --name-from N         ComboBox1 "保存先図面ファイル名：": 0 "任意ファイル名" (the
                        name above); 1 the file name of the base drawing; 2..9
                        the file name of the drawing from list 1..8 (only when
                        that list holds more than one; otherwise the name above)
  --list N FILE...      List1..List9: the drawings up to the next flag go to
                        list N (0 base drawings "ベース図面", 1..8 "合体図面");
                        repeatable
  --target-name N NAME  EditA1..EditA9 of "ドロップ先指定(&D)": the name of drop
                        target N (0..8), shown in the progress and the checks
  --preset N GROUP LAYER COLOUR
                        EditAn1, EditAn2, EditAn3 of drop target N (1..8): the
                        "ﾚｲﾔｸﾞﾙｰﾌﾟ", "レイヤ" and "線色" cells of list N's rows, as
                        for plandock merge's --group, --layer, --color ("" keeps)
  --dry-run             prints every pair (the output path and the ten slots)
                        on standard output and writes nothing
  --settings FILE       "設定を開く": starts from a settings file's options, drop
                        target names and presets, and batch fields; the other
                        flags, wherever they stand, override it
  --yes                 answers Yes to the questions of the reference check
  --help, -h            this text

Merge options, as for plandock merge (tab "設定(&S)"):
)usage";

constexpr char kBatchTail[] =
    R"usage(
Ctrl+C stands for the Escape key: the running merge stops at its next check and
writes nothing, and the batch stops before the next pair.
)usage";

}  // namespace

bool ParseBatchArgs(const std::vector<std::string>& args, BatchRequest* request,
                    std::string* error) {
  *request = BatchRequest();
  BatchWords words(request);
  return ReadCommandWords(args, words, error);
}

void ApplyBatchRequest(const BatchRequest& request, BatchPlan& plan) {
  if (request.out_dir) {
    plan.OutputFolder = *request.out_dir;
    if (!plan.OutputFolder.empty() && !EndsWithSeparator(plan.OutputFolder)) {
      plan.OutputFolder += platform::NativeSeparator();
    }
  }
  if (request.name) plan.FileName = *request.name;
  if (request.letters) plan.Numbering = BatchNumbering::kLetters;
  if (request.name_from) plan.NameChoice = *request.name_from;
  for (const auto& [n, name] : request.target_names)
    plan.Targets[static_cast<size_t>(n)].Name = name;
  for (const TargetPresets& p : request.presets) {
    DropTarget& target = plan.Targets[static_cast<size_t>(p.target)];
    target.LayerGroup = p.LayerGroup;
    target.Layer = p.Layer;
    target.PenColor = p.PenColor;
  }
  for (size_t n = 0; n < kDropTargetCount; ++n) {
    for (const std::u16string& path : request.lists[n]) plan.Lists[n].push_back(path);
  }
  SortBatchLists(plan);
}

std::string BatchUsage() { return std::string(kBatchHead) + kMergeOptionsHelp + kBatchTail; }

}  // namespace plandock
