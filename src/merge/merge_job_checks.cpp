// The checks of a job's inputs: base and destination paths, entry names and
// the layer-group, layer and colour cells of the file list.
#include <string>
#include <unordered_map>

#include "merge/layer_cell.h"
#include "merge/merge_job_internal.h"
#include "merge/merge_job_texts.h"
#include "platform/files.h"
#include "platform/replacing_file.h"
#include "util/number.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock::job {
namespace {

bool RejectInput(JobHost& host, const char16_t* text, BrowseButton focus) {
  host.Beep();
  host.Ask(MessageKind::kError, text, MessageButtons::kOk);
  host.ShowStatus(text);
  host.FocusBrowse(focus);
  return false;
}

bool IsStandardColor(int v) { return v >= 1 && v <= 9; }
bool IsExtendedColor(int v) { return v >= 101 && v <= 356; }

// Why an entry path cannot take part, judged before the duplicate test; kMerged
// when it can.
EntryOutcome PathProblem(const std::u16string& path) {
  if (IsBlank(path)) return EntryOutcome::kEmptyRow;
  if (PathExtLower(path) != u".jww") return EntryOutcome::kNotJww;
  if (!platform::FileExists(path)) return EntryOutcome::kNotFound;
  return EntryOutcome::kMerged;
}

}  // namespace

bool CheckInputs(const MergeSettings& settings, JobHost& host, std::u16string* destination) {
  if (settings.BasePath.empty()) {
    return RejectInput(host, job_text::kNoBase, BrowseButton::kBase);
  }
  if (!platform::FileExists(settings.BasePath)) {
    return RejectInput(host, job_text::kBaseMissing, BrowseButton::kBase);
  }
  if (settings.DestinationPath.empty() && !settings.OverwriteBase) {
    return RejectInput(host, job_text::kNoDestination, BrowseButton::kDestination);
  }
  *destination = settings.OverwriteBase ? settings.BasePath : settings.DestinationPath;
  return true;
}

void CleanEntryNames(std::vector<MergeEntry>& entries, const std::u16string& base_path,
                     const std::u16string& destination, std::vector<EntryOutcome>* outcomes) {
  // How many entries hold each upper-cased path, and each file however
  // spelled, right now: the duplicate test sees the list as earlier clearings
  // left it.
  std::unordered_map<std::u16string, int> holders;
  std::unordered_map<std::u16string, int> file_holders;
  std::vector<std::u16string> upper(entries.size());
  std::vector<std::u16string> file(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    upper[i] = UpperText(entries[i].Path);
    ++holders[upper[i]];
    if (PathProblem(entries[i].Path) == EntryOutcome::kMerged) {
      file[i] = platform::FileIdentity(entries[i].Path);
      ++file_holders[file[i]];
    }
  }
  const std::u16string upper_base = UpperText(base_path);
  const std::u16string upper_destination = UpperText(destination);
  const std::u16string base_file = platform::FileIdentity(base_path);
  const std::u16string destination_file = platform::FileIdentity(destination);
  if (outcomes != nullptr) outcomes->assign(entries.size(), EntryOutcome::kMerged);
  for (size_t i = 0; i < entries.size(); ++i) {
    constexpr EntryOutcome kKeep = EntryOutcome::kMerged;
    const bool usable = !file[i].empty();
    EntryOutcome why = PathProblem(entries[i].Path);
    if (why == kKeep && (holders[upper[i]] != 1 || file_holders[file[i]] != 1)) {
      why = EntryOutcome::kListedTwice;
    }
    if (why == kKeep && (upper[i] == upper_base || file[i] == base_file)) why = EntryOutcome::kBase;
    if (why == kKeep && (upper[i] == upper_destination || file[i] == destination_file)) {
      why = EntryOutcome::kDestination;
    }
    if (why == kKeep) continue;
    if (outcomes != nullptr) (*outcomes)[i] = why;
    --holders[upper[i]];
    if (usable) --file_holders[file[i]];
    entries[i].Path.clear();
  }
}

void CleanEntryCells(std::vector<MergeEntry>& entries) {
  for (MergeEntry& entry : entries) {
    for (std::u16string* cell : {&entry.LayerGroup, &entry.Layer}) {
      *cell = UpperText(RemoveSpaces(*cell));
      if (cell->empty()) continue;
      const int v = ReadLayerNumber(*cell);
      if (v < 0 || v > 15) cell->clear();
    }
    const int color = TextToInt(RemoveSpaces(entry.PenColor));
    entry.PenColor =
        IsStandardColor(color) || IsExtendedColor(color) ? IntToText(color) : std::u16string();
  }
}

}  // namespace plandock::job

namespace plandock {

MergeEntry CleanedCells(const MergeEntry& entry) {
  std::vector<MergeEntry> one = {entry};
  job::CleanEntryCells(one);
  return one[0];
}

}  // namespace plandock

namespace plandock::job {

MergeTargets ReadTargets(const MergeEntry& entry) {
  MergeTargets targets;
  targets.layer_group = ReadLayerNumber(entry.LayerGroup);
  targets.layer = ReadLayerNumber(entry.Layer);
  targets.color = entry.PenColor.empty() ? 0 : TextToInt(entry.PenColor);
  return targets;
}

}  // namespace plandock::job
