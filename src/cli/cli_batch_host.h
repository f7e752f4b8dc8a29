// The batch's front end on a terminal: the merge jobs' host, one progress
// line per pair, and Ctrl+C as an Escape key that stays down.
#pragma once

#include <string>
#include <vector>

#include "app/batch_host.h"
#include "cli/cli_job_host.h"

namespace plandock {

class CliBatchHost : public BatchHost {
 public:
  explicit CliBatchHost(const CliHostOptions& options) : job_(options), out_(options.out) {}

  void ShowStatus(const std::u16string& text) override { job_.ShowStatus(text); }
  MessageAnswer Ask(MessageKind kind, const std::u16string& text, MessageButtons buttons) override {
    return job_.Ask(kind, text, buttons);
  }
  void Beep() override { job_.Beep(); }
  // A terminal cannot hold a key down: once Ctrl+C was pressed, the key
  // counts as held for the rest of the batch, so the running job and the
  // batch both stop.
  bool EscapePressed() override;
  bool EscapeHeld() override { return EscapePressed(); }
  void SetMergeEnabled(bool) override {}
  void FocusBrowse(BrowseButton) override {}

  void OpenProgress(const BatchProgress& progress) override { count_ = progress.Count; }
  void ShowProgress(const BatchProgress&) override {}
  void CloseProgress() override {}
  bool StopRequested() override { return false; }
  void PairStarting(int pair, const BatchPair& paths, const MergeSettings& settings,
                    const std::vector<MergeEntry>& entries) override;
  MergeRecord* PairRecord() override { return &record_; }
  void PairFinished(int pair, const BatchPair& paths, MergeJobResult result,
                    const std::vector<MergeEntry>& entries) override;

  // True when a pair's job passed a drawing over.
  bool PassedOver() const { return passed_over_; }

 private:
  CliJobHost job_;
  std::FILE* out_;
  int count_ = 0;
  bool interrupted_ = false;
  MergeRecord record_;  // the running pair's
  bool passed_over_ = false;
};

}  // namespace plandock
