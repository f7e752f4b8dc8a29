// Arbitrary words (split at zero bytes) given to `plandock merge`: parsing
// either succeeds or gives one line of error, and the options apply.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/merge_args.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plandock;
  if (size > 1 << 16) return 0;
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  MergeRequest request;
  std::string error;
  if (!ParseArgs(args, &request, &error)) {
    if (error.empty() || error.find_first_of("\r\n") != std::string::npos) {
      fuzz::Broken("a usage error is not one line");
    }
    return 0;
  }
  MergeSettings settings;
  ApplyOptions(request, settings);
  return 0;
}
