// What a batch needs from the front end running it, beyond a merge job's
// needs: the progress window, its stop button and the Escape key's state.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/batch_plan.h"
#include "merge/job_host.h"
#include "merge/merge_job.h"
#include "merge/merge_settings.h"

namespace plandock {

// What the progress window shows.
struct BatchProgress {
  // S_FNAME: 0 the output path; 1..9 "【" + caption of D0..D8 + "】" + the
  // pair's slot, or empty when the slot is empty.
  std::array<std::u16string, kPairSlotCount> Names;
  int Pair = 0;   // 1-based number of the pair shown; 0 before the first
  int Count = 0;  // the number of pairs
};

// The window's lines: 0 "保存先ファイル：" + Names[0]; 1 "ベース図面　：" +
// Names[1]; 2..9 "合体ファイル：" + Names[2..9].
std::array<std::u16string, kPairSlotCount> ProgressLines(const BatchProgress& progress);
// The counter: Pair + "／" + Count.
std::u16string ProgressCounter(const BatchProgress& progress);

class BatchHost : public JobHost {
 public:
  // Shows the progress window; showing it clears an earlier stop request.
  virtual void OpenProgress(const BatchProgress& progress) = 0;
  // Shows new progress texts and repaints at once.
  virtual void ShowProgress(const BatchProgress& progress) = 0;
  virtual void CloseProgress() = 0;
  // Handles pending window events, so the window repaints and its stop
  // button can be clicked between pairs.
  virtual void ProcessEvents() {}
  // True while the Escape key is held down at this moment (sampled, not queued).
  virtual bool EscapeHeld() = 0;
  // True when the progress window's "中　断 (&A)" was clicked since it was shown.
  virtual bool StopRequested() = 0;

  // Called before a pair's job with the fields the window shows for it
  // (`settings` holds its base and destination, `entries` its file list).
  virtual void PairStarting(int pair, const BatchPair& paths, const MergeSettings& settings,
                            const std::vector<MergeEntry>& entries) {
    (void)pair, (void)paths, (void)settings, (void)entries;
  }
  // Where the running pair's job records what it did, or nothing. Asked once
  // per pair, just before its job.
  virtual MergeRecord* PairRecord() { return nullptr; }
  // Called after a pair's job with how it ended and the entries as it left them.
  virtual void PairFinished(int pair, const BatchPair& paths, MergeJobResult result,
                            const std::vector<MergeEntry>& entries) {
    (void)pair, (void)paths, (void)result, (void)entries;
  }
  // Brings the batch page to the front; front ends without pages ignore it.
  virtual void ShowBatchPage() {}
};

}  // namespace plandock
