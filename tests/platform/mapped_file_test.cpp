#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "support/support.h"

namespace plandock::platform {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }

TEST(MappedFileTest, HoldsTheFileBytesAndLetsThemGoOnClose) {
  test::ScopedTempDir tmp;
  std::string content(100000, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
  WriteText(tmp.path() / "a.bin", content);
  WriteText(tmp.path() / "empty.bin", "");

  MappedFile f;
  ASSERT_EQ(f.Open((tmp.path() / "a.bin").u16string(), content.size()), MapResult::kOk);
  ASSERT_EQ(f.size(), content.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data()), f.size()), content);

  // Reopening replaces the view; an empty file is a valid, empty view.
  ASSERT_EQ(f.Open((tmp.path() / "empty.bin").u16string(), 10), MapResult::kOk);
  EXPECT_EQ(f.size(), 0u);
  f.Close();
  EXPECT_EQ(f.data(), nullptr);
}

TEST(MappedFileTest, RefusesWhatIsNotARegularFileOrTooLargeAtOnce) {
  test::ScopedTempDir tmp;
  WriteText(tmp.path() / "ten.bin", "0123456789");
  // A file far beyond the limit costs nothing to make: it is sparse.
  const fs::path huge = tmp.path() / "huge.bin";
  WriteText(huge, "");
  fs::resize_file(huge, uint64_t{1} << 33);

  struct Row {
    const char* name;
    fs::path path;
    uint64_t limit;
    MapResult expected;
  };
  std::vector<Row> rows = {
      {"at the limit", tmp.path() / "ten.bin", 10, MapResult::kOk},
      {"one byte over", tmp.path() / "ten.bin", 9, MapResult::kTooLarge},
      {"sparse 8 GiB", huge, uint64_t{1} << 32, MapResult::kTooLarge},
      {"missing", tmp.path() / "none.bin", 100, MapResult::kCannotOpen},
      {"folder", tmp.path(), 100, MapResult::kNotRegularFile},
  };
#ifndef _WIN32
  const fs::path fifo = tmp.path() / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  rows.push_back({"pipe without a writer", fifo, 100, MapResult::kNotRegularFile});
  rows.push_back({"endless device", "/dev/zero", 100, MapResult::kNotRegularFile});
#endif
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MappedFile f;
    EXPECT_EQ(f.Open(row.path.u16string(), row.limit), row.expected);
    if (row.expected != MapResult::kOk) {
      EXPECT_EQ(f.size(), 0u);
    }
  }
}

}  // namespace
}  // namespace plandock::platform
