#include "support/support.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

std::string FileContents(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

namespace {
std::string Quote(const std::string& s) { return "\"" + s + "\""; }
}  // namespace

ProgramRun RunPlandock(const std::vector<std::string>& args, const std::filesystem::path& dir,
                       const std::string& prefix) {
  const std::filesystem::path no_input = dir / "no-input.txt";
  std::ofstream(no_input).close();
  const std::filesystem::path out = dir / "stdout.txt";
  const std::filesystem::path err = dir / "stderr.txt";
  std::string command = prefix + Quote(PLANDOCK_BINARY);
  for (const auto& a : args) command += " " + Quote(a);
  command +=
      " < " + Quote(no_input.string()) + " > " + Quote(out.string()) + " 2> " + Quote(err.string());
  const int raw = std::system(command.c_str());
  // POSIX shells report the exit code in the second byte, Windows as it is.
  const int status = raw >= 256 ? raw >> 8 : raw;
  return {status, FileContents(out), FileContents(err)};
}

}  // namespace plandock::test
