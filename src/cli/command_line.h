// The plandock command: picks the subcommand and returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace plandock {

// args: every argument after the program name, UTF-8.
int RunCommandLine(const std::vector<std::string>& args);

}  // namespace plandock
