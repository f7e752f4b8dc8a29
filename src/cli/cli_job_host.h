// The merge job's front end on a terminal: status texts and message boxes go
// to standard error, questions are asked on standard input, Ctrl+C is Escape.
#pragma once

#include <cstdio>
#include <string>

#include "merge/job_host.h"

namespace plandock {

struct CliHostOptions {
  bool assume_yes = false;   // --yes: every question is answered Yes
  bool interactive = false;  // questions can be asked on `in`
  bool beep = false;         // `out` is a terminal that can ring
  std::FILE* in = stdin;
  std::FILE* out = stderr;
  bool quiet = false;  // status texts are kept, not printed
};

class CliJobHost : public JobHost {
 public:
  explicit CliJobHost(const CliHostOptions& options) : options_(options) {}
  // Options for the process's own console, Ctrl+C caught from now on.
  static CliHostOptions ConsoleOptions(bool assume_yes);

  // The last status text shown (printed or not).
  const std::u16string& LastStatus() const { return last_status_; }

  void ShowStatus(const std::u16string& text) override;
  MessageAnswer Ask(MessageKind kind, const std::u16string& text, MessageButtons buttons) override;
  void Beep() override;
  bool EscapePressed() override;
  void SetMergeEnabled(bool) override {}
  void FocusBrowse(BrowseButton) override {}

 private:
  void PrintLine(const std::u16string& text);
  MessageAnswer AskYesNo();

  CliHostOptions options_;
  // The last line printed and whether a box printed it: a status and a box of
  // the same text, in either order, are printed once.
  std::u16string last_line_;
  bool last_was_box_ = false;
  std::u16string last_status_;
};

}  // namespace plandock
