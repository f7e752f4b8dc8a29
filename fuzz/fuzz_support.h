// Shared by the fuzz targets: a private scratch folder, a small drawing to
// work on, and a front end that answers every question without a terminal.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/empty_drawing.h"
#include "merge/job_host.h"
#include "platform/files.h"

namespace plandock::fuzz {

// Stops the run with a message libFuzzer shows beside the input that broke the rule.
[[noreturn]] inline void Broken(const char* rule) {
  std::fprintf(stderr, "fuzz rule broken: %s\n", rule);
  std::abort();
}

// A folder of this process under the system temp folder, made once.
inline const std::u16string& ScratchDir() {
  static const std::u16string dir = platform::MakePrivateTempDir(u"plandock-fuzz-");
  if (dir.empty()) Broken("no scratch folder");
  return dir;
}

inline std::u16string ScratchFile(const char16_t* name) { return ScratchDir() + name; }

inline void WriteScratch(const std::u16string& path, const uint8_t* data, size_t size) {
  if (!platform::WriteFileReplacing(path, data, size)) Broken("cannot write the scratch file");
}

// A drawing with the tables a real one has, a few lines and a reference text.
inline void MakeSmallDrawing(TJwwData& doc) {
  MakeEmptyDrawing(doc, 700);
  for (int i = 0; i < 3; ++i) {
    TEntJwwLine line;
    line.start_x = i;
    line.end_x = i + 0.5;
    doc.EntLine.push_back(line);
    doc.AddEntNo(1, i);
  }
  TEntJwwMoji text;
  text.str = u"【基準点】";
  text.att.nPenColor = 9;
  doc.EntMoji.push_back(text);
  doc.AddEntNo(4, 0);
}

// Answers Yes, never sees Escape, shows nothing.
class QuietHost : public JobHost {
 public:
  void ShowStatus(const std::u16string&) override {}
  MessageAnswer Ask(MessageKind, const std::u16string&, MessageButtons buttons) override {
    return buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kYes;
  }
  void Beep() override {}
  bool EscapePressed() override { return false; }
  void SetMergeEnabled(bool) override {}
  void FocusBrowse(BrowseButton) override {}
};

}  // namespace plandock::fuzz
