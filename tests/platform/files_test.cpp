#include "platform/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace plandock::platform {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const std::string& s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

std::vector<uint8_t> ReadAll(const std::u16string& p) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(ReadWholeFile(p, out));
  return out;
}

bool Write(const std::u16string& p, const std::string& s) {
  return WriteFileReplacing(p, reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

class FilesTest : public ::testing::Test {
 protected:
  // A path inside the test folder, joined with a backslash to show it is accepted.
  std::u16string At(const std::u16string& name) const {
    return dir_.path().u16string() + u"\\" + name;
  }
  std::u16string Dir() const { return dir_.path().u16string(); }

  test::ScopedTempDir dir_;
};

TEST_F(FilesTest, WriteFileReplacingCreatesAndReplaces) {
  const std::u16string p = At(u"\u56F3\u9762.jww");
  ASSERT_TRUE(Write(p, "first"));
  EXPECT_EQ(ReadAll(p), Bytes("first"));
  ASSERT_TRUE(Write(p, "second, longer"));
  EXPECT_EQ(ReadAll(p), Bytes("second, longer"));
  ASSERT_TRUE(Write(p, ""));
  EXPECT_TRUE(ReadAll(p).empty());
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(ListDir(Dir()), std::vector<std::u16string>{u"\u56F3\u9762.jww"});
}

TEST_F(FilesTest, WriteFileReplacingFailsWithoutTouchingAnything) {
  EXPECT_FALSE(Write(At(u"missing\\out.jww"), "data"));
  EXPECT_FALSE(DirExists(At(u"missing")));

  // A folder in the way: the rename fails, the folder and its file stay as they
  // were and the temporary is removed.
  const std::u16string folder = At(u"taken.jww");
  CreateDirs(folder);
  ASSERT_TRUE(Write(folder + u"/inner.txt", "keep"));
  EXPECT_FALSE(Write(folder, "data"));
  EXPECT_TRUE(DirExists(folder));
  EXPECT_EQ(ReadAll(folder + u"/inner.txt"), Bytes("keep"));
  EXPECT_EQ(ListDir(Dir()), std::vector<std::u16string>{u"taken.jww"});
  EXPECT_EQ(ListDir(folder), std::vector<std::u16string>{u"inner.txt"});
}

TEST_F(FilesTest, CopyFileKeepTimesCopiesBytesAndWriteTime) {
  const std::u16string from = At(u"a.bmp");
  const std::u16string to = At(u"b.bmp");
  const std::string data("\x00\x01\xFFimage", 8);
  ASSERT_TRUE(Write(from, data));
  const auto stamp = test::PastFileTime(std::chrono::hours(24 * 400));
  fs::last_write_time(test::PathFromUtf8(NativePath(from)), stamp);
  ASSERT_TRUE(Write(to, "older copy"));

  ASSERT_TRUE(CopyFileKeepTimes(from, to));
  EXPECT_EQ(ReadAll(to), Bytes(data));
  EXPECT_EQ(fs::last_write_time(test::PathFromUtf8(NativePath(to))), stamp);
  EXPECT_EQ(ListDir(Dir()), (std::vector<std::u16string>{u"a.bmp", u"b.bmp"}));
}

#ifdef _WIN32
bool FileTimes(const std::u16string& p, FILETIME times[3], bool set) {
  const std::wstring w(p.begin(), p.end());
  const HANDLE h = CreateFileW(w.c_str(), set ? FILE_WRITE_ATTRIBUTES : GENERIC_READ,
                               FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const BOOL ok = set ? SetFileTime(h, &times[0], &times[1], &times[2])
                      : GetFileTime(h, &times[0], &times[1], &times[2]);
  CloseHandle(h);
  return ok != 0;
}
#endif

TEST_F(FilesTest, CopyFileKeepTimesKeepsAllThreeTimesOnWindows) {
#ifndef _WIN32
  GTEST_SKIP() << "Windows only: POSIX cannot set a creation time";
#else
  const std::u16string from = At(u"\u56F3\u9762.jww");
  const std::u16string to = At(u"\u56F3\u9762.BAK");
  ASSERT_TRUE(Write(from, "drawing"));
  ASSERT_TRUE(Write(to, "older backup"));
  // Three different moments years ago, whole seconds apart.
  FILETIME set[3];
  for (int i = 0; i < 3; ++i) {
    const ULONGLONG ticks = 126000000000000000ULL + static_cast<ULONGLONG>(i) * 864000000000ULL;
    set[i] = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  }
  ASSERT_TRUE(FileTimes(from, set, true));

  ASSERT_TRUE(CopyFileKeepTimes(from, to));
  FILETIME got[3];
  ASSERT_TRUE(FileTimes(to, got, false));
  EXPECT_EQ(CompareFileTime(&got[2], &set[2]), 0) << "last write";
  FILETIME kept[3];
  ASSERT_TRUE(FileTimes(from, kept, false));
  // Under Wine the Linux file system moves an old access time forward on reads by
  // itself (the source's own shows it), so there the copy's cannot be compared.
  if (CompareFileTime(&kept[1], &set[1]) == 0) {
    EXPECT_EQ(CompareFileTime(&got[1], &set[1]), 0) << "last access";
  }
  if (CompareFileTime(&kept[0], &set[0]) != 0) {
    GTEST_SKIP() << "creation time not checked: this file system does not keep one that is set "
                    "(Wine on Linux)";
  }
  EXPECT_EQ(CompareFileTime(&got[0], &set[0]), 0) << "creation";
#endif
}

// The CAD program may be saving a drawing while it is read: other writers
// are shut out, so a half-written file is refused rather than read.
TEST_F(FilesTest, FileOpenForWritingElsewhereIsNotRead) {
#ifndef _WIN32
  GTEST_SKIP() << "Windows only: POSIX has no share modes that shut writers out";
#else
  const std::u16string p = At(u"saving.jww");
  ASSERT_TRUE(Write(p, "half"));
  std::vector<uint8_t> out = {1};
  {
    std::ofstream writer(fs::path(p), std::ios::binary | std::ios::app);
    ASSERT_TRUE(writer);
    EXPECT_FALSE(ReadWholeFile(p, out));
    EXPECT_TRUE(out.empty());
  }
  EXPECT_EQ(ReadAll(p), Bytes("half"));
#endif
}

TEST_F(FilesTest, CopyFileKeepTimesFailures) {
  const std::u16string to = At(u"b.bmp");
  ASSERT_TRUE(Write(to, "keep"));
  EXPECT_FALSE(CopyFileKeepTimes(At(u"missing.bmp"), to));
  EXPECT_EQ(ReadAll(to), Bytes("keep"));
  EXPECT_FALSE(CopyFileKeepTimes(to, At(u"missing\\b.bmp")));
  EXPECT_FALSE(CopyFileKeepTimes(Dir(), At(u"c.bmp")));
  EXPECT_FALSE(FileExists(At(u"c.bmp")));
}

TEST_F(FilesTest, ExistenceDeletionAndFolders) {
  const std::u16string file = At(u"f.txt");
  const std::u16string sub = At(u"x\\y/z");
  ASSERT_TRUE(Write(file, "x"));
  CreateDirs(sub);

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirExists(file));
  EXPECT_TRUE(DirExists(sub));
  EXPECT_FALSE(FileExists(sub));
  EXPECT_FALSE(FileExists(At(u"none")));

  EXPECT_FALSE(DeleteFileAt(sub));  // a folder is not a file
  EXPECT_TRUE(DeleteFileAt(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFileAt(file));  // already gone

  EXPECT_FALSE(DeleteEmptyDir(At(u"x")));  // holds y
  EXPECT_TRUE(DirExists(At(u"x")));
  EXPECT_TRUE(DeleteEmptyDir(sub));
  EXPECT_FALSE(DirExists(sub));
  EXPECT_FALSE(DeleteEmptyDir(sub));  // no longer there
  ASSERT_TRUE(Write(file, "x"));
  EXPECT_FALSE(DeleteEmptyDir(file));  // not a folder
  EXPECT_TRUE(FileExists(file));
}

TEST_F(FilesTest, ReadAndListFailures) {
  std::vector<uint8_t> out = {1, 2};
  EXPECT_FALSE(ReadWholeFile(At(u"none"), out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(ReadWholeFile(Dir(), out));
  EXPECT_TRUE(ListDir(At(u"none")).empty());
  ASSERT_TRUE(Write(At(u"b"), ""));
  ASSERT_TRUE(Write(At(u"a"), ""));
  EXPECT_TRUE(ListDir(At(u"a")).empty());  // a file is not a folder
  EXPECT_EQ(ListDir(Dir()), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(FilesGlobalTest, ProgramFolderAndPrivateTempDir) {
  const std::u16string program = ProgramFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(program.back(), NativeSeparator());
  EXPECT_TRUE(DirExists(program));

  const std::u16string temp = MakePrivateTempDir(u"plandock_files_test_");
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), NativeSeparator());
  EXPECT_TRUE(DirExists(temp));
  EXPECT_NE(temp.find(u"plandock_files_test_"), std::u16string::npos);
  const std::u16string other = MakePrivateTempDir(u"plandock_files_test_");
  EXPECT_NE(other, temp);
  EXPECT_TRUE(DeleteEmptyDir(temp));
  EXPECT_TRUE(DeleteEmptyDir(other));
  EXPECT_FALSE(DirExists(temp));
}

}  // namespace
}  // namespace plandock::platform
