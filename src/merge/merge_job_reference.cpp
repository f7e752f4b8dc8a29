// The reference check: which drawings lack a reference text, or hold three or
// more, and whether the user wants to merge them all the same.
#include <string>

#include "merge/merge_drawing_internal.h"
#include "merge/merge_job_internal.h"
#include "merge/merge_job_texts.h"
#include "util/text.h"

namespace plandock::job {
namespace {

// Longer lists are cut after this many names, and the scan stops there.
constexpr int kMaxListed = 15;

// Names of drawings in one of the two boxes, each on a line of its own.
struct DrawingList {
  std::u16string text;
  int count = 0;

  // Adds a name; false once the list is full and has been cut.
  bool Add(const char16_t* label, const std::u16string& path) {
    text += u"\r\n";
    text += label;
    text += path;
    if (++count <= kMaxListed) return true;
    text += u"\r\n";
    text += job_text::kListCut;
    return false;
  }
};

bool UserGoesOn(JobHost& host, const char16_t* question, const DrawingList& list) {
  if (list.text.empty()) return true;
  const MessageAnswer answer =
      host.Ask(MessageKind::kWarning, question + list.text, MessageButtons::kYesNo);
  if (answer == MessageAnswer::kYes) return true;
  host.Ask(MessageKind::kInformation, job_text::kCancelled, MessageButtons::kOk);
  return false;
}

}  // namespace

ReferenceCheck CheckReferenceTexts(const MergeSettings& settings,
                                   const std::vector<MergeEntry>& entries, JobHost& host,
                                   MergeDocuments& docs) {
  const std::u16string& reference = settings.ReferenceText;
  host.ShowStatus(job_text::kCheckingReferences);
  EmptyDocument(docs.JWW, false);

  DrawingList not_drawn;
  DrawingList many;
  host.ShowStatus(job_text::kCheckingReferenceOf + settings.BasePath);
  if (CountReferenceTexts(docs.JWW, settings.BasePath, reference) == 0) {
    not_drawn.Add(job_text::kBaseLabel, settings.BasePath);
  }
  for (const MergeEntry& entry : entries) {
    if (host.EscapePressed()) {
      host.ShowStatus(job_text::kInterruptedBeforeMerge);
      EmptyDocument(docs.JWW, true);
      return ReferenceCheck::kInterrupted;
    }
    if (entry.Path.empty()) continue;
    host.ShowStatus(job_text::kCheckingReferenceOf + entry.Path);
    const int n = CountReferenceTexts(docs.JWW, entry.Path, reference);
    if (n == 0 && !not_drawn.Add(job_text::kMergedLabel, entry.Path)) break;
    if (n >= 3 && settings.WarnManyReferenceTexts &&
        !many.Add(job_text::kMergedLabel, entry.Path)) {
      break;
    }
  }

  if (!UserGoesOn(host, job_text::kAskNotDrawn, not_drawn) ||
      !UserGoesOn(host, job_text::kAskMany, many)) {
    EmptyDocument(docs.JWW, true);
    return ReferenceCheck::kCancelled;
  }
  return ReferenceCheck::kGoOn;
}

}  // namespace plandock::job
