#include "support/support.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <system_error>

namespace plandock::test {

std::filesystem::path SamplesDir() {
  if (const char* env = std::getenv("PLANDOCK_SAMPLES")) return env;
  std::filesystem::path p =
      std::filesystem::path(PLANDOCK_SOURCE_DIR) / ".." / "shared" / "samples";
  std::error_code ec;
  if (std::filesystem::is_directory(p, ec)) return std::filesystem::canonical(p, ec);
  return {};
}

ScopedTempDir::ScopedTempDir() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::error_code ec;
  path_ = std::filesystem::temp_directory_path(ec) /
          ("plandock_test_" + std::to_string(stamp) + "_" + std::to_string(counter++));
  std::filesystem::create_directories(path_, ec);
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace plandock::test
