// Shared test helpers: sample lookup and temporary folders.
#pragma once

#include <filesystem>
#include <string>

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

}  // namespace plandock::test
