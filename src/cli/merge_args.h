// The arguments of `plandock merge`, parsed without touching any file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_words.h"
#include "merge/merge_settings.h"

namespace plandock {

// One option from the command line, kept to be applied over the settings file.
struct OptionChange {
  int flag = 0;  // row of the flag table
  std::u16string value;
};

struct MergeRequest {
  bool help = false;
  bool yes = false;                   // answer Yes where the job asks
  std::u16string settings_file;       // empty: start from the defaults
  std::u16string preview;             // picture of the result to write; empty: none
  std::vector<OptionChange> changes;  // in command-line order
  std::vector<MergeEntry> entries;    // the file list, with each row's cells
  std::u16string report_file;         // --report: "-" is standard output
  std::u16string save_settings;       // --save-settings FILE
  bool quiet = false;                 // no status texts
  bool dry_run = false;
  bool out_given = false;        // --out was on the command line
  bool overwrite_given = false;  // --overwrite-base was on the command line
};

// Parses the words after "merge" (UTF-8): "--opt=value" is "--opt value",
// "--" ends the options (every later word is an ENTRY), "-h" is "--help".
// Returns false with a one-line *error on a usage error, among them a flag
// that takes a value given twice (for a cell: twice after one ENTRY);
// *request is then unspecified.
bool ParseArgs(const std::vector<std::string>& args, MergeRequest* request, std::string* error);

// Applies the options of `request` over `settings`, in command-line order.
void ApplyOptions(const MergeRequest& request, MergeSettings& settings);

// The merge options other commands that run merge jobs share: every option
// flag but --base, --out and --overwrite-base. Nothing for any other name.
std::optional<FlagShape> SharedOptionShape(std::string_view name);
// Records shared option `name` with its value (empty for a switch). Returns
// false with a one-line *error for an invalid value.
bool TakeSharedOption(std::string_view name, const std::u16string& value,
                      std::vector<OptionChange>* changes, std::string* error);
void ApplyOptionChanges(const std::vector<OptionChange>& changes, MergeSettings& settings);

// The help text of `plandock merge`: every flag and the window control it stands for.
extern const char* const kMergeUsage;
// The help lines of the shared options.
extern const char kMergeOptionsHelp[];

}  // namespace plandock
