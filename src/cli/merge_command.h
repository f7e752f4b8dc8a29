// The `plandock merge` command: one merge job from the command line.
#pragma once

#include <string>
#include <vector>

namespace plandock {

// args: the words after "merge" (UTF-8). Returns the exit status: 0 when the
// job ended with "完了" and merged every ENTRY, 3 when it ended so but passed
// an ENTRY over, 2 on a usage error, 1 otherwise.
int RunMergeCommand(const std::vector<std::string>& args);

}  // namespace plandock
