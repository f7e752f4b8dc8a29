// The plandock executable: hands the arguments, as UTF-8, to the command line.
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/interrupt.h"
#include "util/text.h"

#ifdef _WIN32
// The wide command line keeps Japanese paths the ANSI code page would lose.
int wmain(int argc, wchar_t** argv) {
  plandock::platform::UseUtf8Output();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg(argv[i]);
    args.push_back(plandock::TextToUtf8(std::u16string(arg.begin(), arg.end())));
  }
  return plandock::RunCommandLine(args);
}
#else
int main(int argc, char** argv) {
  plandock::platform::UseUtf8Output();
  return plandock::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
