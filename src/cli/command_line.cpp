// Dispatch of the plandock subcommands.
#include "cli/command_line.h"

#include <cstdio>

#include "cli/batch_args.h"
#include "cli/batch_command.h"
#include "cli/info_command.h"
#include "cli/merge_args.h"
#include "cli/merge_command.h"
#include "cli/render_command.h"
#include "platform/code_page.h"

namespace plandock {
namespace {

constexpr char kVersion[] = "Plandock Ver.1.20\n";

constexpr char kUsage[] =
    R"usage(usage: plandock merge --base BASE --out DEST [flags] [ENTRY [--group G] [--layer L] [--color C]]...
       plandock batch --out-dir DIR [flags] --list N FILE... [--list N FILE...]...
       plandock info FILE [--json] [--ref-text T]
       plandock render FILE --out PICTURE.svg [--layer-group G]... [--width PX] [--screen]
       plandock --help | --version

Plandock merges JWW drawings into one drawing: a base plan and overlays placed
on it by reference-point texts, written in the base drawing's own version.
Every command takes -h or --help.

)usage";

}  // namespace

int RunCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if ((command == "merge" || command == "info") && !platform::Cp932Available()) {
    // Every Japanese text would be read and written as '?'.
    std::fputs(
        "plandock: this system cannot convert code page 932 (its iconv has no \"CP932\"), "
        "so the Japanese texts of drawings would be lost; install the full iconv tables\n",
        stderr);
    return 1;
  }
  if (command == "merge") return RunMergeCommand(rest);
  if (command == "batch") return RunBatchCommand(rest);
  if (command == "info") return RunInfoCommand(rest);
  if (command == "render") return RunRenderCommand(rest);
  if (command == "--help" || command == "-h") {
    std::fputs(kUsage, stdout);
    std::fputs(kMergeUsage, stdout);
    std::fputs("\n", stdout);
    std::fputs(BatchUsage().c_str(), stdout);
    std::fputs("\n", stdout);
    std::fputs(kInfoUsage, stdout);
    return 0;
  }
  if (command == "--version") {
    std::fputs(kVersion, stdout);
    return 0;
  }
  std::fprintf(stderr, "plandock: unknown command '%s' (see plandock --help)\n", command.c_str());
  return 2;
}

}  // namespace plandock
