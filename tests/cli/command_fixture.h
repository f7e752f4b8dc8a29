// Runs the built plandock program in a temporary folder for the command's
// end-to-end tests: exit status, standard error and output, the files left.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "document/jww_file.h"
#include "support/doc_builder.h"
#include "support/support.h"

namespace plandock::test {

namespace fs = std::filesystem;

inline std::string Contents(const fs::path& p) { return FileContents(p); }
inline std::string Quote(const std::string& s) { return "\"" + s + "\""; }

class MergeCommand : public ::testing::Test {
 protected:
  using Outcome = ProgramRun;

  // Runs plandock with `args`; its streams go through a folder of its own, so
  // the temporary folder holds only what the test and the program put there.
  Outcome Run(const std::vector<std::string>& args, const RunSetting& setting = {}) {
    return RunPlandock(args, io_.path(), setting);
  }

  // Every file of the temporary folder with its contents.
  std::vector<std::pair<std::string, std::string>> Listing() const {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& e : fs::recursive_directory_iterator(dir_.path())) {
      files.emplace_back(Utf8Of(e.path()), e.is_regular_file() ? Contents(e.path()) : "");
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  std::string Drawing(const std::string& name, int lines, int references = 1) {
    TJwwData doc;
    InitDrawing(doc, 600);
    for (int i = 0; i < lines; ++i) Add(doc, Line(i, 0, i + 0.5, 0));
    for (int i = 0; i < references; ++i) {
      Add(doc, Text(u"【基準点】", 0, 0, 5, 0, Attr(0, 0, 9)));
    }
    const fs::path path = dir_.path() / PathFromUtf8(name);
    EXPECT_TRUE(FileOut(doc, path.u16string(), 600));
    return Utf8Of(path);
  }

  std::string PathOf(const std::string& name) const {
    return Utf8Of(dir_.path() / PathFromUtf8(name));
  }

  int LinesIn(const std::string& path) {
    TJwwData doc;
    EXPECT_TRUE(FileIn(doc, PathFromUtf8(path).u16string())) << path;
    return doc.EntLineN();
  }

  ScopedTempDir dir_;
  ScopedTempDir io_;
};

}  // namespace plandock::test
