// Shared by the merge-job scenario tests: a scripted front end and small
// drawings written into a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "document/jww_file.h"
#include "merge/job_host.h"
#include "merge/merge_job.h"
#include "support/doc_builder.h"
#include "support/support.h"

namespace plandock::test {

// Records what a job shows and answers its questions from a script.
class FakeJobHost : public JobHost {
 public:
  struct Box {
    MessageKind kind;
    std::u16string text;
    MessageButtons buttons;
  };

  void ShowStatus(const std::u16string& text) override { statuses.push_back(text); }
  MessageAnswer Ask(MessageKind kind, const std::u16string& text, MessageButtons buttons) override {
    boxes.push_back({kind, text, buttons});
    if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
    if (answers.empty()) return MessageAnswer::kYes;
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }
  bool EscapePressed() override {
    polled_after.push_back(statuses.empty() ? u"" : statuses.back());
    return escape_at_polls.count(static_cast<int>(polled_after.size())) != 0;
  }
  void SetMergeEnabled(bool enabled) override { merge_enabled.push_back(enabled); }
  void FocusBrowse(BrowseButton which) override { focus.push_back(which); }

  std::u16string LastStatus() const { return statuses.empty() ? u"" : statuses.back(); }
  int CountStatusesStartingWith(const std::u16string& prefix) const {
    int n = 0;
    for (const auto& s : statuses) n += s.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }

  // Script.
  std::deque<MessageAnswer> answers;  // for Yes/No boxes; Yes when empty
  std::set<int> escape_at_polls;      // 1-based numbers of the polls that see Escape

  // Record.
  std::vector<std::u16string> statuses;
  std::vector<Box> boxes;
  std::vector<std::u16string> polled_after;  // the status shown at each poll
  std::vector<bool> merge_enabled;
  std::vector<BrowseButton> focus;
  int beeps = 0;
};

class MergeJobTest : public ::testing::Test {
 protected:
  std::u16string PathOf(const std::string& name) const {
    return (dir_.path() / test::PathFromUtf8(name)).u16string();
  }

  // A drawing whose `lines` lines, one unit apart, lie at y = `y`, plus
  // `references` reference texts.
  std::u16string WriteDrawing(const std::string& name, int lines, double y = 0, int references = 1,
                              int32_t version = 700, bool unicode = false) {
    TJwwData doc;
    InitDrawing(doc, version);
    for (int i = 0; i < lines; ++i) Add(doc, Line(i, y, i + 0.5, y));
    for (int i = 0; i < references; ++i) {
      Add(doc, Text(u"【基準点】", 10.0 * i, 0, 10.0 * i + 5, 0, Attr(0, 0, 9)));
    }
    return Write(name, doc, unicode);
  }

  std::u16string Write(const std::string& name, TJwwData& doc, bool unicode = false) {
    const std::u16string path = PathOf(name);
    SetFileOutOption(doc, unicode ? kFileOutUnicode : 0);
    EXPECT_TRUE(FileOut(doc, path, doc.Enthd.jwVer)) << name;
    return path;
  }

  std::u16string WriteBytes(const std::string& name, const std::string& bytes) const {
    const std::u16string path = PathOf(name);
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    return path;
  }

  // Reads a written result back; fails the test when it cannot be read.
  void ReadBack(const std::u16string& path, TJwwData& doc) const {
    ASSERT_TRUE(FileIn(doc, path)) << std::filesystem::path(path);
  }

  MergeSettings Settings(const std::u16string& base, const std::u16string& destination) const {
    MergeSettings s;
    s.BasePath = base;
    s.DestinationPath = destination;
    return s;
  }

  static MergeEntry Entry(const std::u16string& path, const std::u16string& group = u"",
                          const std::u16string& layer = u"", const std::u16string& color = u"") {
    return MergeEntry{path, group, layer, color};
  }

  MergeJobResult Run(const MergeSettings& s, std::vector<MergeEntry>& entries) {
    return RunMergeJob(s, entries, host_);
  }

  ScopedTempDir dir_;
  FakeJobHost host_;
};

}  // namespace plandock::test
