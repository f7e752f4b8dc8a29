// The `plandock batch` command: the batch mode from the command line.
#pragma once

#include <string>
#include <vector>

namespace plandock {

// args: the words after "batch" (UTF-8). Returns the exit status: 0 when
// every pair ended with "完了", 2 on a usage error, 1 otherwise.
int RunBatchCommand(const std::vector<std::string>& args);

}  // namespace plandock
