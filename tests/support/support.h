// Shared test helpers: sample lookup and temporary folders.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace plandock::test {

// The folder of real drawings beside the project, or an empty path when absent.
std::filesystem::path SamplesDir();

// Paths from and to UTF-8 whatever the system's narrow encoding is.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& p);

// A file time `age` ago in whole seconds, which every platform stores exactly.
std::filesystem::file_time_type PastFileTime(std::chrono::hours age);

// Runs `command` (UTF-8) through the system's command shell; the program's exit status.
int RunShellCommand(const std::string& command);

// A fresh temporary folder removed with its contents at destruction.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The bytes of a file; empty when it cannot be read.
std::string FileContents(const std::filesystem::path& p);

// What a run of the built plandock program left.
struct ProgramRun {
  int exit_status;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Where the program runs: its working folder (the test's own when empty) and
// variables set in its environment. Set in this process around the run, so
// no shell syntax is needed and every platform runs it alike.
struct RunSetting {
  std::filesystem::path folder = {};
  std::vector<std::pair<std::string, std::string>> environment = {};
};

// Runs plandock with `args` (each quoted), with no terminal on standard input;
// its streams go through files in `dir`.
ProgramRun RunPlandock(const std::vector<std::string>& args, const std::filesystem::path& dir,
                       const RunSetting& setting = {});

}  // namespace plandock::test
