// What the benchmarks of whole jobs share: a front end that answers yes and
// never stops, and a scratch folder.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "merge/job_host.h"

namespace plandock {

// A front end that shows nothing, answers yes and never asks to stop; Host is
// JobHost or an interface derived from it.
template <class Host = JobHost>
class SilentHost : public Host {
 public:
  void ShowStatus(const std::u16string&) override {}
  MessageAnswer Ask(MessageKind, const std::u16string&, MessageButtons) override {
    return MessageAnswer::kYes;
  }
  void Beep() override {}
  bool EscapePressed() override { return false; }
  void SetMergeEnabled(bool) override {}
  void FocusBrowse(BrowseButton) override {}
};

// A folder of that name in the temporary folder, removed with its contents.
class BenchFolder {
 public:
  explicit BenchFolder(const char* name) {
    std::error_code ec;
    path_ = std::filesystem::temp_directory_path(ec) / name;
    std::filesystem::create_directories(path_, ec);
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  std::u16string Path(const std::string& name) const { return (path_ / name).u16string(); }
  std::u16string Folder() const { return (path_ / "").u16string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace plandock
