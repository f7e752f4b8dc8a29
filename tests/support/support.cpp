#include "support/support.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <cstdio>
#else
#include <sys/wait.h>
#endif

#include "util/text.h"

namespace plandock::test {

std::filesystem::path SamplesDir() {
  if (const char* env = std::getenv("PLANDOCK_SAMPLES")) return env;
  std::filesystem::path p =
      std::filesystem::path(PLANDOCK_SOURCE_DIR) / ".." / "shared" / "samples";
  std::error_code ec;
  if (std::filesystem::is_directory(p, ec)) return std::filesystem::canonical(p, ec);
  return {};
}

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

std::filesystem::file_time_type PastFileTime(std::chrono::hours age) {
  return std::chrono::floor<std::chrono::seconds>(std::filesystem::file_time_type::clock::now() -
                                                  age);
}

int RunShellCommand(const std::string& command) {
#ifdef _WIN32
  // The wide call keeps non-ANSI file names; cmd.exe drops the outer quotes.
  const std::u16string wide = u"\"" + Utf8ToText(command) + u"\"";
  return _wsystem(std::wstring(wide.begin(), wide.end()).c_str());
#else
  const int raw = std::system(command.c_str());
  return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
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
      " < " + Quote(Utf8Of(no_input)) + " > " + Quote(Utf8Of(out)) + " 2> " + Quote(Utf8Of(err));
  const int status = RunShellCommand(command);
  return {status, FileContents(out), FileContents(err)};
}

}  // namespace plandock::test
