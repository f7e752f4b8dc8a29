// The terminal front end: what it prints and how it answers questions.
#include "cli/cli_job_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace plandock {
namespace {

// A stream in a temporary file, read back as text.
class TempStream {
 public:
  explicit TempStream(const std::string& contents = "") : file_(std::tmpfile()) {
    std::fputs(contents.c_str(), file_);
    std::rewind(file_);
  }
  ~TempStream() { std::fclose(file_); }
  std::FILE* get() const { return file_; }
  std::string Text() const {
    std::fflush(file_);
    std::rewind(file_);
    std::string text;
    for (int c; (c = std::fgetc(file_)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
  }

 private:
  std::FILE* file_;
};

MessageAnswer AskOnce(bool yes, bool interactive, const std::string& typed) {
  TempStream in(typed);
  TempStream out;
  CliJobHost host({yes, interactive, false, in.get(), out.get()});
  return host.Ask(MessageKind::kWarning, u"続行しますか？", MessageButtons::kYesNo);
}

TEST(CliJobHost, AnswersQuestions) {
  const struct {
    const char* name;
    bool yes;
    bool interactive;
    std::string typed;
    MessageAnswer answer;
  } rows[] = {
      {"--yes without a terminal", true, false, "", MessageAnswer::kYes},
      {"no terminal, no --yes", false, false, "y\n", MessageAnswer::kNo},
      {"typed y", false, true, "y\n", MessageAnswer::kYes},
      {"typed YES with CR", false, true, " YES\r\n", MessageAnswer::kYes},
      {"typed n", false, true, "n\n", MessageAnswer::kNo},
      {"typed something else", false, true, "sure\n", MessageAnswer::kNo},
      {"end of input", false, true, "", MessageAnswer::kNo},
      {"--yes on a terminal asks nothing", true, true, "n\n", MessageAnswer::kYes},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(AskOnce(row.yes, row.interactive, row.typed), row.answer);
  }
}

TEST(CliJobHost, PrintsStatusesAndBoxesAsUtf8LinesOnce) {
  TempStream out;
  CliJobHost host({false, false, false, stdin, out.get()});
  host.ShowStatus(u"ベース図面ファイルが存在しません。");
  EXPECT_EQ(
      host.Ask(MessageKind::kError, u"ベース図面ファイルが存在しません。", MessageButtons::kOk),
      MessageAnswer::kOk);
  host.Ask(MessageKind::kInformation, u"一行目\r\n二行目", MessageButtons::kOk);
  host.Beep();
  // A rejected input shows its box first, then the same text as status.
  host.Ask(MessageKind::kError, u"ベース図面ファイルを指定して下さい。", MessageButtons::kOk);
  host.ShowStatus(u"ベース図面ファイルを指定して下さい。");
  host.ShowStatus(u"完了");
  host.ShowStatus(u"完了");
  EXPECT_EQ(out.Text(),
            "ベース図面ファイルが存在しません。\n"
            "一行目\n二行目\n"
            "ベース図面ファイルを指定して下さい。\n"
            "完了\n完了\n");
}

}  // namespace
}  // namespace plandock
