#include "cli/cli_batch_host.h"

#include "cli/merge_report.h"
#include "util/text.h"

namespace plandock {

bool CliBatchHost::EscapePressed() {
  if (job_.EscapePressed()) interrupted_ = true;
  return interrupted_;
}

void CliBatchHost::PairStarting(int pair, const BatchPair& paths, const MergeSettings&,
                                const std::vector<MergeEntry>&) {
  const std::string line = std::to_string(pair + 1) + "／" + std::to_string(count_) + " " +
                           TextToUtf8(paths[1]) + " → " + TextToUtf8(paths[0]) + "\n";
  std::fputs(line.c_str(), out_);
  std::fflush(out_);
}

void CliBatchHost::PairFinished(int, const BatchPair&, MergeJobResult result,
                                const std::vector<MergeEntry>&) {
  for (const std::string& line : PassedOverLines(record_)) {
    std::fprintf(out_, "plandock batch: %s\n", line.c_str());
  }
  for (const std::string& line : ScaleWarnings(record_)) {
    std::fprintf(out_, "plandock batch: warning: %s\n", line.c_str());
  }
  std::fflush(out_);
  if (MergeExitStatus(result, record_) == kExitPassedOver) passed_over_ = true;
}

}  // namespace plandock
