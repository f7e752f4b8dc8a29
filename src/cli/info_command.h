// The `plandock info` command: what a drawing holds.
#pragma once

#include <string>
#include <vector>

namespace plandock {

// args: the words after "info" (UTF-8). Prints to stdout, errors to stderr;
// returns the exit status (0 ok, 1 unreadable file, 2 usage error).
int RunInfoCommand(const std::vector<std::string>& args);

// The help text of `plandock info`.
extern const char kInfoUsage[];

}  // namespace plandock
