#include "platform/replacing_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/interrupt.h"
#include "support/support.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace plandock::platform {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

std::string Contents(const fs::path& p) { return test::FileContents(p); }

bool WriteAndCommit(ReplacingFile& file, const std::string& s) {
  return file.Write(reinterpret_cast<const uint8_t*>(s.data()), s.size()) && file.Finish() &&
         file.Commit();
}

TEST(ReplacingFileTest, OldFileStaysUntilCommitAndADroppedOneLeavesNothing) {
  test::ScopedTempDir dir;
  const fs::path target = dir.path() / "out.jww";
  Put(target, "old");
  {
    ReplacingFile file(target.u16string());
    ASSERT_TRUE(file.ok()) << fs::path(file.error());
    ASSERT_TRUE(file.Write(reinterpret_cast<const uint8_t*>("new"), 3));
    ASSERT_TRUE(file.Finish());
    EXPECT_EQ(Contents(target), "old");
  }
  EXPECT_EQ(Contents(target), "old");
  EXPECT_EQ(ListDir(dir.path().u16string()), std::vector<std::u16string>{u"out.jww"});
  ReplacingFile file(target.u16string());
  ASSERT_TRUE(WriteAndCommit(file, "new"));
  EXPECT_TRUE(file.error().empty());
  EXPECT_EQ(Contents(target), "new");
  EXPECT_EQ(ListDir(dir.path().u16string()), std::vector<std::u16string>{u"out.jww"});
}

TEST(ReplacingFileTest, SameFileHoweverSpelled) {
  test::ScopedTempDir dir;
  fs::create_directory(dir.path() / "bk");
  Put(dir.path() / "bk" / "dest.BAK", "x");
  Put(dir.path() / "other.jww", "x");
  const std::u16string root = dir.path().u16string();
  const struct {
    std::u16string a, b;
    bool same;
  } rows[] = {
      {root + u"/bk/dest.BAK", root + u"/./bk/dest.BAK", true},
      {root + u"/bk/dest.BAK", root + u"/bk/../bk//dest.BAK", true},
      {root + u"/bk/dest.BAK", root + u"\\bk\\dest.BAK", true},
      {root + u"/bk/dest.BAK", root + u"/other.jww", false},
      {root + u"/bk/dest.BAK", root + u"/bk/missing.BAK", false},
      // Files not yet there: the normalised absolute paths.
      {root + u"/bk/new.BAK", root + u"/bk/./new.BAK", true},
      {root + u"/bk/new.BAK", root + u"/x/../bk/new.BAK", true},
      {root + u"/bk/new.BAK", root + u"/bk/new2.BAK", false},
      {u"", u"", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(fs::path(row.a).string() + " | " + fs::path(row.b).string());
    EXPECT_EQ(SameFile(row.a, row.b), row.same);
    EXPECT_EQ(SameFile(row.b, row.a), row.same);
  }
}

#ifndef _WIN32

TEST(ReplacingFileTest, SameFileThroughLinksAndFromAnotherFolder) {
  test::ScopedTempDir dir;
  const fs::path file = dir.path() / "plan.jww";
  Put(file, "x");
  fs::create_symlink("plan.jww", dir.path() / "soft.jww");
  fs::create_hard_link(file, dir.path() / "hard.jww");
  fs::create_directory_symlink(dir.path(), dir.path() / "again");
  EXPECT_TRUE(SameFile(file.u16string(), (dir.path() / "soft.jww").u16string()));
  EXPECT_TRUE(SameFile(file.u16string(), (dir.path() / "hard.jww").u16string()));
  EXPECT_TRUE(SameFile(file.u16string(), (dir.path() / "again" / "plan.jww").u16string()));
  // A file not yet there, reached through a linked folder.
  EXPECT_TRUE(SameFile((dir.path() / "new.BAK").u16string(),
                       (dir.path() / "again" / "new.BAK").u16string()));
  const fs::path cwd = fs::current_path();
  fs::current_path(dir.path());
  EXPECT_TRUE(SameFile(u"plan.jww", file.u16string()));
  EXPECT_TRUE(SameFile(u"new.BAK", (dir.path() / "new.BAK").u16string()));
  fs::current_path(cwd);
}

TEST(FileNamesTest, BytesThatAreNotUtf8RoundTrip) {
  const std::string rows[] = {
      "v\xfb.jww",         // a lone byte
      "\xe3\x81.jww",      // a sequence cut short
      "\xed\xb2\x80",      // the UTF-8 form of a surrogate
      "\xc0\xaf",          // an overlong '/'
      "\xff\xfe\x80",      // bytes that never begin anything
      "\xe5\x9b\xb3.jww",  // valid: unchanged
  };
  for (const std::string& bytes : rows) {
    SCOPED_TRACE(bytes);
    const std::u16string text = FileNameToUtf16(bytes);
    EXPECT_EQ(Utf16ToFileName(text), bytes);
    EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_EQ(text.find(u'/'), std::u16string::npos);
  }
  EXPECT_EQ(FileNameToUtf16("\xe5\x9b\xb3"), u"\u56F3");
  // The escapes belong to names only: texts still get U+FFFD.
  EXPECT_EQ(Utf8ToUtf16("v\xfb"), u"v\uFFFD");
  EXPECT_EQ(Utf16ToUtf8(FileNameToUtf16("v\xfb")), "v\xef\xbf\xbd");
}

TEST(FileNamesTest, FilesAreWrittenAndListedUnderTheirExactBytes) {
  test::ScopedTempDir dir;
  const std::string folder = dir.path().string() + "/";
  Put(folder + "v\xef\xbf\xbd.jww", "unrelated");  // the name U+FFFD would give
  const std::u16string name = PathFromNative(folder + "v\xfb.jww");
  ASSERT_TRUE(WriteFileReplacing(name, reinterpret_cast<const uint8_t*>("data"), 4));
  EXPECT_EQ(Contents(folder + "v\xfb.jww"), "data");
  EXPECT_EQ(Contents(folder + "v\xef\xbf\xbd.jww"), "unrelated");
  std::vector<uint8_t> back;
  ASSERT_TRUE(ReadWholeFile(name, back));
  EXPECT_EQ(back.size(), 4u);
  const std::vector<std::u16string> listed = ListDir(dir.path().u16string());
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(NativePath(PathFromNative(folder) + listed[0]), folder + "v\xfb.jww");
}

// Runs `body` in a child process; returns the signal that ended it, or 0.
template <class Body>
int SignalEndingChild(Body body) {
  const pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST(ReplacingFileTest, AnUnfinishedSaveIsRemovedWhenASignalEndsTheProgram) {
  const struct {
    const char* name;
    int signal;
    int times;
  } rows[] = {
      {"termination", SIGTERM, 1},
      {"hang-up", SIGHUP, 1},
      {"Ctrl+C twice", SIGINT, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::ScopedTempDir dir;
    const fs::path target = dir.path() / "out.jww";
    Put(target, "old");
    const int ended_by = SignalEndingChild([&] {
      CatchInterrupts();
      ReplacingFile file(target.u16string());
      if (!file.Write(reinterpret_cast<const uint8_t*>("new"), 3)) _exit(2);
      if (ListDir(dir.path().u16string()).size() != 2) _exit(3);  // the temporary is there
      if (row.signal == SIGINT) {
        // The first Ctrl+C is only taken note of, once.
        std::raise(SIGINT);
        if (!TakeInterrupt() || TakeInterrupt()) _exit(4);
      }
      for (int i = 0; i < row.times; ++i) std::raise(row.signal);
    });
    EXPECT_EQ(ended_by, row.signal);
    EXPECT_EQ(ListDir(dir.path().u16string()), std::vector<std::u16string>{u"out.jww"});
    EXPECT_EQ(Contents(target), "old");
  }
}

#endif  // !_WIN32

}  // namespace
}  // namespace plandock::platform
