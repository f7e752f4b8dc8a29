#include "cli/cli_batch_host.h"

#include "cli/merge_command.h"
#include "util/text.h"

namespace plandock {

bool CliBatchHost::EscapePressed() {
  if (job_.EscapePressed()) interrupted_ = true;
  return interrupted_;
}

void CliBatchHost::PairStarting(int pair, const BatchPair& paths, const MergeSettings&,
                                const std::vector<MergeEntry>& entries) {
  before_ = entries;
  const std::string line = std::to_string(pair + 1) + "／" + std::to_string(count_) + " " +
                           TextToUtf8(paths[1]) + " → " + TextToUtf8(paths[0]) + "\n";
  std::fputs(line.c_str(), out_);
  std::fflush(out_);
}

void CliBatchHost::PairFinished(int, const BatchPair&, MergeJobResult,
                                const std::vector<MergeEntry>& entries) {
  ReportEntryChanges(before_, entries);
}

}  // namespace plandock
