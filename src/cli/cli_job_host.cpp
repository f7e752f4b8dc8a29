// The terminal front end of a merge job.
#include "cli/cli_job_host.h"

#include <string>

#include "platform/interrupt.h"
#include "util/text.h"

namespace plandock {
namespace {

// Message texts break lines with CR LF, as the window's boxes do.
std::string ForTerminal(const std::u16string& text) {
  std::string out = TextToUtf8(text);
  std::string::size_type at = 0;
  while ((at = out.find("\r\n", at)) != std::string::npos) out.erase(at, 1);
  return out;
}

bool ReadLine(std::FILE* in, std::string* line) {
  line->clear();
  int c;
  while ((c = std::fgetc(in)) != EOF && c != '\n') line->push_back(static_cast<char>(c));
  return c != EOF || !line->empty();
}

// "y" or "yes" in any letter case, blanks and a CR around it allowed.
bool IsYes(const std::string& line) {
  std::string word;
  for (const char c : line) {
    if (c == ' ' || c == '\t' || c == '\r') continue;
    word.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return word == "y" || word == "yes";
}

}  // namespace

CliHostOptions CliJobHost::ConsoleOptions(bool assume_yes) {
  platform::CatchInterrupts();
  CliHostOptions options;
  options.assume_yes = assume_yes;
  options.interactive = platform::IsTerminal(platform::ConsoleStream::kInput);
  options.beep = platform::IsTerminal(platform::ConsoleStream::kError);
  return options;
}

void CliJobHost::PrintLine(const std::u16string& text) {
  std::fputs(ForTerminal(text).c_str(), options_.out);
  std::fputc('\n', options_.out);
  std::fflush(options_.out);
}

void CliJobHost::ShowStatus(const std::u16string& text) {
  last_status_ = text;
  if (options_.quiet) return;
  if (!(last_was_box_ && text == last_line_)) PrintLine(text);
  last_line_ = text;
  last_was_box_ = false;
}

MessageAnswer CliJobHost::Ask(MessageKind, const std::u16string& text, MessageButtons buttons) {
  if (last_was_box_ || text != last_line_) PrintLine(text);
  last_line_ = text;
  last_was_box_ = true;
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  return AskYesNo();
}

MessageAnswer CliJobHost::AskYesNo() {
  std::FILE* out = options_.out;
  if (options_.assume_yes) {
    std::fputs("[y/n] y (--yes)\n", out);
    std::fflush(out);
    return MessageAnswer::kYes;
  }
  if (!options_.interactive) {
    std::fputs("[y/n] n (no terminal to ask; --yes answers y)\n", out);
    std::fflush(out);
    return MessageAnswer::kNo;
  }
  std::fputs("[y/n] ", out);
  std::fflush(out);
  std::string line;
  if (!ReadLine(options_.in, &line)) return MessageAnswer::kNo;
  return IsYes(line) ? MessageAnswer::kYes : MessageAnswer::kNo;
}

void CliJobHost::Beep() {
  if (!options_.beep) return;
  std::fputc('\a', options_.out);
  std::fflush(options_.out);
}

bool CliJobHost::EscapePressed() { return platform::TakeInterrupt(); }

}  // namespace plandock
