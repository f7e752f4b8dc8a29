// The merge job from its first check to its last status text.
#include "merge/merge_job.h"

#include "document/block_tree.h"
#include "document/images.h"
#include "document/jww_file.h"
#include "environment/jwf.h"
#include "merge/merge_drawing_internal.h"
#include "merge/merge_job_internal.h"
#include "merge/merge_job_texts.h"
#include "merge/placement_internal.h"
#include "merge/post_merge_internal.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/replacing_file.h"
#include "util/number.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock {
namespace {

using job::EmptyDocument;

// What one running job knows besides its inputs.
struct JobState {
  std::u16string destination;
  bool unicode = false;      // a drawing read used Unicode strings
  bool interrupted = false;  // Escape was seen
  bool dry_run = false;
  MergeRecord* record = nullptr;      // what became of each row, when asked
  MergeJobRecord* preview = nullptr;  // where each drawing landed, when asked
};

std::u16string Progress(const char16_t* what, size_t k, size_t n, const std::u16string& path) {
  return what + IntToText(static_cast<int64_t>(k)) + u"/" + IntToText(static_cast<int64_t>(n)) +
         u")" + path;
}

// Reads the base drawing into JWW; false when it cannot be read.
bool ReadBase(const MergeSettings& settings, JobHost& host, MergeDocuments& docs, JobState& state) {
  EmptyDocument(docs.JWW, true);
  host.SetMergeEnabled(false);
  host.ShowStatus(job_text::kReadingBase);
  if (!FileIn(docs.JWW, settings.BasePath)) {
    EmptyDocument(docs.JWW, true);
    host.SetMergeEnabled(true);
    host.ShowStatus(job_text::kBaseUnreadable);
    return false;
  }
  if (docs.JWW.MojiEncode) state.unicode = true;
  if (state.record != nullptr) job::RecordBase(docs.JWW, settings, *state.record);
  return true;
}

void MergeEntries(const MergeSettings& settings, std::vector<MergeEntry>& entries, JobHost& host,
                  MergeDocuments& docs, JobState& state) {
  const size_t n = entries.size();
  for (size_t k = 1; k <= n; ++k) {
    MergeEntry& entry = entries[k - 1];
    if (host.EscapePressed()) {
      state.interrupted = true;
      break;
    }
    if (entry.Path.empty()) continue;
    const std::u16string path = entry.Path;
    host.ShowStatus(Progress(job_text::kReadingMerged, k, n, path));
    EmptyDocument(docs.JWW1, true);
    if (!FileIn(docs.JWW1, path)) {
      entry.Path = job_text::kErrorFile + path;
      if (state.record != nullptr) state.record->entries[k - 1].outcome = EntryOutcome::kUnreadable;
      continue;
    }
    BindImageJoin(docs.JWW, docs.JWW1);
    if (docs.JWW1.MojiEncode) state.unicode = true;
    if (host.EscapePressed()) {
      state.interrupted = true;
      break;
    }
    const MergeTargets targets = job::ReadTargets(entry);
    host.ShowStatus(Progress(job_text::kMerging, k, n, path));
    MergedEntryRecord added;
    if (state.preview) {
      added.entry = k - 1;
      added.layer_group = targets.layer_group;
      added.first = docs.JWW.EntNo.size();
      for (const ReferencePoint& p :
           CollectReferencePoints(docs.JWW, settings.ReferenceText, false)) {
        added.reference_points.push_back({p.x, p.y});
      }
    }
    if (state.record == nullptr) {
      MergeDrawing(docs.JWW, docs.JWW1, targets, settings);
    } else {
      const job::DocumentTotals before = job::Totals(docs.JWW);
      PlacementSummary placed;
      MergeDrawing(docs.JWW, docs.JWW1, targets, settings, &placed);
      job::RecordMerged(docs.JWW1, settings, targets, placed, before, job::Totals(docs.JWW),
                        state.record->entries[k - 1]);
    }
    if (state.preview) {
      added.end = docs.JWW.EntNo.size();
      state.preview->merged.push_back(std::move(added));
    }
  }
  EmptyDocument(docs.JWW1, true);
}

bool UsableJwf(const MergeSettings& settings) {
  const std::u16string& path = settings.EnvironmentFilePath;
  return settings.ApplyEnvironmentFile && !path.empty() && PathExtLower(path) == u".jwf" &&
         platform::FileExists(path);
}

// Escape here stops only the save: every operation still runs.
void AfterMerge(const MergeSettings& settings, const std::vector<MergeEntry>& entries,
                JobHost& host, TJwwData& doc, JobState& state) {
  if (host.EscapePressed()) state.interrupted = true;
  if (settings.ReleaseDimensionsAfterMerge) {
    host.ShowStatus(job_text::kReleasingDimensions);
    ReleaseDimensions(doc);
  }
  if (host.EscapePressed()) state.interrupted = true;
  if (UsableJwf(settings)) {
    host.ShowStatus(job_text::kApplyingJwf);
    ApplyJwf(doc, settings.EnvironmentFilePath);
  }
  if (host.EscapePressed()) state.interrupted = true;
  if (settings.LayerState == LayerStateAfterMerge::MergedLayersEditable) {
    MakeMergedLayersEditable(doc, entries);
  } else if (settings.LayerState == LayerStateAfterMerge::AllLayersEditable) {
    MakeAllLayersEditable(doc);
  }
}

// Whether the backup would overwrite a drawing of this job: the base, the
// destination itself or a merged drawing, however their paths are spelled.
bool BackupIsInput(const std::u16string& backup, const MergeSettings& settings,
                   const std::vector<MergeEntry>& entries, const std::u16string& destination) {
  if (platform::SameFile(backup, settings.BasePath) || platform::SameFile(backup, destination)) {
    return true;
  }
  for (const MergeEntry& entry : entries) {
    if (!entry.Path.empty() && platform::SameFile(backup, entry.Path)) return true;
  }
  return false;
}

// Copies the previous destination to its ".BAK" file. A failed backup is not
// reported: the save matters more.
void BackUp(const MergeSettings& settings, const std::vector<MergeEntry>& entries, JobHost& host,
            const std::u16string& destination) {
  if (!settings.KeepBackup || platform::KindOf(destination) == platform::PathKind::kMissing) return;
  const std::u16string backup = PathChangeExt(destination, u".BAK");
  if (BackupIsInput(backup, settings, entries, destination)) return;
  host.ShowStatus(job_text::kBackingUp);
  FileCopyKeepTime(destination, backup);
}

// Writes the result; false (after telling the user why) when it could not be
// written. The backup is made only once the new drawing is written in full, so
// a failed save leaves the destination and the previous backup as they were.
// A dry run writes nothing, but measures the result it would have written.
bool Save(const MergeSettings& settings, const std::vector<MergeEntry>& entries, JobHost& host,
          TJwwData& doc, JobState& state) {
  if (!state.dry_run) {
    platform::RemoveStaleSaveFiles(state.destination);
    host.ShowStatus(job_text::kSaving);
  }
  MakeBlockTree(doc);
  if (doc.MojiEncode) state.unicode = true;
  SetFileOutOption(doc, state.unicode ? kFileOutUnicode : 0);
  if (state.dry_run) {
    if (state.record != nullptr) {
      std::vector<uint8_t> bytes;
      FileOutToBuffer(doc, doc.Enthd.jwVer, bytes);
      job::RecordResult(doc, bytes.size(), *state.record);
    }
    return true;
  }
  platform::ReplacingFile file(state.destination);
  if (FileOutTo(doc, file, doc.Enthd.jwVer)) {
    BackUp(settings, entries, host, state.destination);
    if (file.Commit()) {
      if (state.record != nullptr) {
        const int64_t size = platform::FileSizeOf(state.destination);
        job::RecordResult(doc, size < 0 ? 0 : static_cast<uint64_t>(size), *state.record);
      }
      return true;
    }
  }
  const std::u16string text = job_text::kSaveFailed + state.destination + u": " + file.error();
  host.ShowStatus(text);
  host.Ask(MessageKind::kError, text, MessageButtons::kOk);
  return false;
}

// Reads, merges and saves once the inputs have been checked.
MergeJobResult MergeAndSave(const MergeSettings& settings, std::vector<MergeEntry>& entries,
                            JobHost& host, MergeDocuments& docs, JobState& state) {
  if (!ReadBase(settings, host, docs, state)) return MergeJobResult::kBaseUnreadable;
  MergeEntries(settings, entries, host, docs, state);
  if (!state.interrupted) AfterMerge(settings, entries, host, docs.JWW, state);
  if (!state.interrupted && state.preview && state.preview->before_save) {
    state.preview->before_save(docs.JWW);
  }
  const bool saved = !state.interrupted && Save(settings, entries, host, docs.JWW, state);

  EmptyDocument(docs.JWW, true);
  host.SetMergeEnabled(true);
  MergeJobResult result = MergeJobResult::kCompleted;
  if (state.interrupted) {
    host.ShowStatus(job_text::kInterrupted);
    result = MergeJobResult::kInterrupted;
  } else if (saved) {
    host.ShowStatus(job_text::kDone);
  } else {
    result = MergeJobResult::kSaveFailed;  // its message stays in the status line
  }
  // A CAD program that does not start leaves the saved result and the status as they are.
  if (settings.LaunchCad && !state.dry_run) (void)platform::StartCad(state.destination);
  return result;
}

}  // namespace

MergeJobResult RunMergeJob(const MergeSettings& settings, std::vector<MergeEntry>& entries,
                           JobHost& host, MergeDocuments& docs, const MergeRun& run) {
  host.ShowFilesPage();
  JobState state;
  state.dry_run = run.dry_run;
  state.record = run.record;
  state.preview = run.preview;
  if (state.record != nullptr) {
    *state.record = MergeRecord();
    state.record->entries.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) state.record->entries[i].path = entries[i].Path;
  }
  if (!job::CheckInputs(settings, host, &state.destination)) {
    return MergeJobResult::kInputRejected;
  }
  host.ShowStatus(job_text::kCheckingNames);
  std::vector<EntryOutcome> outcomes;
  job::CleanEntryNames(entries, settings.BasePath, state.destination,
                       state.record != nullptr ? &outcomes : nullptr);
  if (state.record != nullptr) {
    for (size_t i = 0; i < outcomes.size(); ++i) {
      // Rows that stay are only reached by the merge loop.
      if (outcomes[i] != EntryOutcome::kMerged) state.record->entries[i].outcome = outcomes[i];
    }
  }
  host.ShowStatus(job_text::kCheckingTargets);
  job::CleanEntryCells(entries);

  if (!IsBlank(settings.ReferenceText) && settings.CheckReferenceTexts) {
    switch (job::CheckReferenceTexts(settings, entries, host, docs)) {
      case job::ReferenceCheck::kInterrupted:
        return MergeJobResult::kInterrupted;
      case job::ReferenceCheck::kCancelled:
        return MergeJobResult::kCancelled;
      case job::ReferenceCheck::kGoOn:
        break;
    }
  }
  return MergeAndSave(settings, entries, host, docs, state);
}

MergeJobResult RunMergeJob(const MergeSettings& settings, std::vector<MergeEntry>& entries,
                           JobHost& host, const MergeRun& run) {
  const std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  return RunMergeJob(settings, entries, host, *docs, run);
}

}  // namespace plandock
