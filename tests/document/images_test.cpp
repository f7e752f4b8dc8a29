#include "document/images.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/support.h"

namespace plandock {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& p, const std::string& content) {
  std::ofstream out(p, std::ios::binary);
  out << content;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder path as the documents hold it: UTF-16 with a trailing separator.
std::u16string Folder(const fs::path& p) { return (p / "").u16string(); }

TEST(SafeImageName, KeepsOnlyTheLastNameComponent) {
  const struct {
    std::u16string in, out;
  } cases[] = {
      {u"photo.jpg", u"photo.jpg"},
      {u"図面 1.bmp.gz", u"図面 1.bmp.gz"},
      {u"../x", u"x"},
      {u"a\\..\\b", u"b"},
      {u"C:x", u"x"},
      {u"C:\\Windows\\evil.dll", u"evil.dll"},
      {u"/etc/passwd", u"passwd"},
      {u"..", u""},
      {u".", u""},
      {u"", u""},
      {u"dir/", u""},
      {u"x\\..", u""},
      {u"...", u""},
      {u".. ", u""},
      {u".hidden", u".hidden"},
      // Names that open a device on Windows, in any letter case, with an extension.
      {u"CON", u""},
      {u"nul.bmp", u""},
      {u"dir\\Aux.jpg.gz", u""},
      {u"com1.png", u""},
      {u"LPT9", u""},
      {u"prn .bmp", u""},
      {u"COM\u00B9.bmp", u""},
      {u"CONSOLE.bmp", u"CONSOLE.bmp"},
      {u"COM10.bmp", u"COM10.bmp"},
      {u"LPT.bmp", u"LPT.bmp"},
      {u"icon.bmp", u"icon.bmp"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SafeImageName(c.in), c.out) << std::string(c.in.begin(), c.in.end());
  }
}

class ImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_dir_ = tmp_.path() / "TEMP";
    merged_dir_ = tmp_.path() / "TEMP1";
    fs::create_directories(base_dir_);
    fs::create_directories(merged_dir_);
    base_.BindImageFolder = Folder(base_dir_);
    merged_.BindImageFolder = Folder(merged_dir_);
  }

  test::ScopedTempDir tmp_;
  fs::path base_dir_, merged_dir_;
  TJwwData base_, merged_;
};

TEST_F(ImagesTest, JoinCopiesNewImagesAndSkipsCollisionsAndMissingFiles) {
  WriteFile(base_dir_ / "same.png", "base");
  base_.BindImage = {{u"same.png", 4, false}};

  WriteFile(merged_dir_ / "same.png", "merged");
  WriteFile(merged_dir_ / "new.png", "new-bytes");
  WriteFile(merged_dir_ / "escape.png", "esc");
  const auto old_time = test::PastFileTime(std::chrono::hours(24 * 30));
  fs::last_write_time(merged_dir_ / "new.png", old_time);
  merged_.BindImage = {{u"same.png", 6, false},       {u"", 3, false},
                       {u"missing.png", 5, false},    {u"new.png", 9, true},
                       {u"..\\escape.png", 3, false}, {u"..", 1, false}};

  BindImageJoin(base_, merged_);

  ASSERT_EQ(base_.BindImageN(), 3);
  EXPECT_EQ(base_.BindImage[0].Fname, u"same.png");
  EXPECT_EQ(base_.BindImage[1].Fname, u"new.png");
  EXPECT_EQ(base_.BindImage[1].Fsize, 9);
  EXPECT_TRUE(base_.BindImage[1].exf);
  EXPECT_EQ(base_.BindImage[2].Fname, u"..\\escape.png");  // the entry as stored
  EXPECT_EQ(ReadFile(base_dir_ / "same.png"), "base");     // the first one stays
  EXPECT_EQ(ReadFile(base_dir_ / "new.png"), "new-bytes");
  EXPECT_EQ(fs::last_write_time(base_dir_ / "new.png"), old_time);
  EXPECT_EQ(ReadFile(base_dir_ / "escape.png"), "esc");
  EXPECT_FALSE(fs::exists(tmp_.path() / "escape.png"));
  EXPECT_FALSE(fs::exists(base_dir_ / "missing.png"));

  // A second merged drawing with an image of the same name is not joined.
  TJwwData second;
  const fs::path second_dir = tmp_.path() / "other";
  fs::create_directories(second_dir);
  second.BindImageFolder = Folder(second_dir);
  WriteFile(second_dir / "new.png", "second");
  second.BindImage = {{u"NEW.png", 6, false}, {u"new.png", 6, false}};
  BindImageJoin(base_, second);
  EXPECT_EQ(ReadFile(base_dir_ / "new.png"), "new-bytes");
  EXPECT_EQ(base_.BindImageN(), 3);
}

TEST_F(ImagesTest, DeleteFunctionsRemoveListedFilesOnlyInsideTheFolder) {
  for (const char* name : {"a.png", "b.png.gz", "b.png", "c.GZ", "c", "keep.png"}) {
    WriteFile(base_dir_ / name, "x");
  }
  WriteFile(tmp_.path() / "victim.png", "outside");
  base_.BindImage = {{u"a.png", 1, false},
                     {u"b.png.gz", 1, false},
                     {u"c.GZ", 1, false},
                     {u"..\\victim.png", 1, false},
                     {u"..", 1, false}};

  BindImageDeleteGzFile(base_);
  EXPECT_FALSE(fs::exists(base_dir_ / "b.png.gz"));
  EXPECT_FALSE(fs::exists(base_dir_ / "c.GZ"));
  EXPECT_TRUE(fs::exists(base_dir_ / "b.png"));
  EXPECT_TRUE(fs::exists(base_dir_ / "a.png"));

  BindImageDeleteNonGzFile(base_);
  EXPECT_FALSE(fs::exists(base_dir_ / "a.png"));
  EXPECT_FALSE(fs::exists(base_dir_ / "b.png"));
  EXPECT_FALSE(fs::exists(base_dir_ / "c"));
  EXPECT_TRUE(fs::exists(base_dir_ / "keep.png"));
  EXPECT_EQ(ReadFile(tmp_.path() / "victim.png"), "outside");
  EXPECT_TRUE(fs::is_directory(base_dir_));
  EXPECT_EQ(base_.BindImageN(), 5);  // the list itself is left alone
}

TEST_F(ImagesTest, JwwDataFreeDeletesTheFilesAndEmptiesTheDocument) {
  WriteFile(base_dir_ / "p.jpg", "x");
  WriteFile(base_dir_ / "q.bmp.gz", "x");
  WriteFile(base_dir_ / "q.bmp", "x");
  base_.BindImage = {{u"p.jpg", 1, false}, {u"q.bmp.gz", 1, false}};
  base_.BindImageExp = true;
  base_.EntBlockDef.resize(2);
  base_.AddEntNo(kEntLine, 0);
  base_.EntLine.resize(1);

  JwwDataFree(base_);
  EXPECT_TRUE(fs::is_empty(base_dir_));
  EXPECT_EQ(base_.BindImageN(), 0);
  EXPECT_EQ(base_.EntBlockDefN(), 0);
  EXPECT_EQ(base_.EntLineN(), 0);
  EXPECT_EQ(base_.Enthd.n1, 0);
  EXPECT_EQ(base_.BindImageFolder, Folder(base_dir_));
  EXPECT_TRUE(base_.BindImageExp);
}

TEST_F(ImagesTest, ExtractImageWritesInsideTheFolder) {
  const std::string bytes(5000, '\x7F');
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_TRUE(ExtractImage(base_, u"img.png", data, bytes.size()));
  EXPECT_EQ(ReadFile(base_dir_ / "img.png"), bytes);
  // Replaces an earlier file of that name.
  EXPECT_TRUE(ExtractImage(base_, u"img.png", data, 10));
  EXPECT_EQ(fs::file_size(base_dir_ / "img.png"), 10u);

  EXPECT_TRUE(ExtractImage(base_, u"..\\..\\evil.png", data, 3));
  EXPECT_TRUE(fs::exists(base_dir_ / "evil.png"));
  EXPECT_FALSE(fs::exists(tmp_.path() / "evil.png"));
  EXPECT_FALSE(ExtractImage(base_, u"..", data, 3));

  // A folder that does not exist: false, and nothing is left anywhere.
  TJwwData lost;
  lost.BindImageFolder = Folder(tmp_.path() / "absent");
  EXPECT_FALSE(ExtractImage(lost, u"img.png", data, 3));
  EXPECT_FALSE(fs::exists(tmp_.path() / "absent"));
}

TEST_F(ImagesTest, FileCopyKeepTimeReplacesAndKeepsTheTimes) {
  const fs::path src = tmp_.path() / "drawing.jww";
  const fs::path dst = tmp_.path() / "drawing.BAK";
  WriteFile(src, std::string(10000, 'n'));
  WriteFile(dst, "older backup");
  const auto when = test::PastFileTime(std::chrono::hours(24 * 400));
  fs::last_write_time(src, when);

  EXPECT_TRUE(FileCopyKeepTime(src.u16string(), dst.u16string()));
  EXPECT_EQ(ReadFile(dst), std::string(10000, 'n'));
  EXPECT_EQ(fs::last_write_time(dst), when);
}

TEST_F(ImagesTest, FileCopyKeepTimeErrors) {
  const fs::path dst = tmp_.path() / "copy.png";
  // Missing source or a rejected path: false, nothing created.
  EXPECT_FALSE(FileCopyKeepTime((tmp_.path() / "none.png").u16string(), dst.u16string()));
  EXPECT_FALSE(FileCopyKeepTime(u"", dst.u16string()));
  EXPECT_FALSE(FileCopyKeepTime((tmp_.path() / "a|b.png").u16string(), dst.u16string()));
  EXPECT_FALSE(fs::exists(dst));
  // A copy that fails later (no destination folder) is not reported and leaves no file.
  const fs::path src = tmp_.path() / "src.png";
  WriteFile(src, "data");
  const fs::path nowhere = tmp_.path() / "absent" / "copy.png";
  EXPECT_TRUE(FileCopyKeepTime(src.u16string(), nowhere.u16string()));
  EXPECT_FALSE(fs::exists(nowhere));
  EXPECT_FALSE(fs::exists(tmp_.path() / "absent"));
}

}  // namespace
}  // namespace plandock
