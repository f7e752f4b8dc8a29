#include "support/support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

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

// Sets `name` to `value`, or removes it when there is none.
void SetVariable(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  _putenv_s(name.c_str(), value ? value->c_str() : "");  // an empty value removes it
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

// A RunSetting applied to this process for its lifetime; a child started
// meanwhile inherits it.
class AppliedSetting {
 public:
  explicit AppliedSetting(const RunSetting& setting) {
    for (const auto& [name, value] : setting.environment) {
      const char* old = std::getenv(name.c_str());
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      SetVariable(name, value);
    }
    if (!setting.folder.empty()) {
      std::error_code ec;
      folder_ = std::filesystem::current_path(ec);
      std::filesystem::current_path(setting.folder, ec);
      if (ec) ADD_FAILURE() << "cannot work in " << setting.folder << ": " << ec.message();
    }
  }
  ~AppliedSetting() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) SetVariable(it->first, it->second);
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::current_path(folder_, ec);
  }
  AppliedSetting(const AppliedSetting&) = delete;
  AppliedSetting& operator=(const AppliedSetting&) = delete;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
  std::filesystem::path folder_;
};

}  // namespace

ProgramRun RunPlandock(const std::vector<std::string>& args, const std::filesystem::path& dir,
                       const RunSetting& setting) {
  const std::filesystem::path no_input = dir / "no-input.txt";
  std::ofstream(no_input).close();
  const std::filesystem::path out = dir / "stdout.txt";
  const std::filesystem::path err = dir / "stderr.txt";
  std::string command = Quote(PLANDOCK_BINARY);
  for (const auto& a : args) command += " " + Quote(a);
  command +=
      " < " + Quote(Utf8Of(no_input)) + " > " + Quote(Utf8Of(out)) + " 2> " + Quote(Utf8Of(err));
  const AppliedSetting applied(setting);
  const int status = RunShellCommand(command);
  return {status, FileContents(out), FileContents(err)};
}

}  // namespace plandock::test
