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
  MergeJobRecord* record = nullptr;
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
    added.entry = k - 1;
    added.layer_group = targets.layer_group;
    added.first = docs.JWW.EntNo.size();
    if (state.record) {
      for (const ReferencePoint& p :
           CollectReferencePoints(docs.JWW, settings.ReferenceText, false)) {
        added.reference_points.push_back({p.x, p.y});
      }
    }
    MergeDrawing(docs.JWW, docs.JWW1, targets, settings);
    added.end = docs.JWW.EntNo.size();
    if (state.record) state.record->merged.push_back(std::move(added));
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
bool Save(const MergeSettings& settings, const std::vector<MergeEntry>& entries, JobHost& host,
          TJwwData& doc, JobState& state) {
  platform::RemoveStaleSaveFiles(state.destination);
  host.ShowStatus(job_text::kSaving);
  MakeBlockTree(doc);
  if (doc.MojiEncode) state.unicode = true;
  SetFileOutOption(doc, state.unicode ? kFileOutUnicode : 0);
  platform::ReplacingFile file(state.destination);
  if (FileOutTo(doc, file, doc.Enthd.jwVer)) {
    BackUp(settings, entries, host, state.destination);
    if (file.Commit()) return true;
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
  if (!state.interrupted && state.record && state.record->before_save) {
    state.record->before_save(docs.JWW);
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
  if (settings.LaunchCad) platform::StartCad(state.destination);
  return result;
}

}  // namespace

MergeJobResult RunMergeJob(const MergeSettings& settings, std::vector<MergeEntry>& entries,
                           JobHost& host, MergeDocuments& docs, MergeJobRecord* record) {
  host.ShowFilesPage();
  JobState state;
  state.record = record;
  if (!job::CheckInputs(settings, host, &state.destination)) {
    return MergeJobResult::kInputRejected;
  }
  host.ShowStatus(job_text::kCheckingNames);
  job::CleanEntryNames(entries, settings.BasePath, state.destination);
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
                           JobHost& host, MergeJobRecord* record) {
  const std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  return RunMergeJob(settings, entries, host, *docs, record);
}

}  // namespace plandock
