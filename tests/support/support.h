// Shared test helpers: sample lookup and temporary folders.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plandock::test {

// The folder of real drawings beside the project, or an empty path when absent.
std::filesystem::path SamplesDir();

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

// Runs plandock with `args` (each quoted), with no terminal on standard input;
// its streams go through files in `dir`. `prefix` goes before the program in
// the shell's command ("NAME=value ", "cd FOLDER && ").
ProgramRun RunPlandock(const std::vector<std::string>& args, const std::filesystem::path& dir,
                       const std::string& prefix = "");

}  // namespace plandock::test
