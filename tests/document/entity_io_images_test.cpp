#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/block_tree.h"
#include "document/entity_io.h"
#include "entity_io_fixture.h"
#include "support/support.h"

namespace plandock {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

std::u16string FolderOf(const fs::path& dir) { return (dir / "").u16string(); }

void WriteFile(const fs::path& p, const std::string& content) {
  std::ofstream(p, std::ios::binary) << content;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + 1);
  return s;
}

struct SectionRead {
  size_t pos = 0;
};

SectionRead ReadSection(const Bytes& b, TJwwData& doc) {
  ArchiveReader in(b.data.data(), b.data.size(), doc.MojiEncode);
  ReadImageSection(in, doc);
  return {in.pos()};
}

// Three entries: an image, an entry without a name (no data follows it) and
// an image whose stored name climbs out of the folder.
Bytes ThreeEntrySection() {
  Bytes b;
  b.I32(3);
  b.Str("a.bmp").I32(5000).Raw(Pattern(5000));
  b.Str("").I32(4);
  b.Str("../up.png").I32(3).Raw("png");
  return b;
}

TEST(ReadImageSectionTest, ExtractsEachImageInsideTheFolderOnly) {
  test::ScopedTempDir tmp;
  const fs::path folder = tmp.path() / "TEMP";
  fs::create_directories(folder);
  TJwwData doc;
  doc.BindImageFolder = FolderOf(folder);
  doc.BindImageExp = true;
  doc.BindImageExr = true;
  const Bytes section = ThreeEntrySection();
  const SectionRead r = ReadSection(section, doc);
  EXPECT_EQ(r.pos, section.size());
  ASSERT_EQ(doc.BindImageN(), 3);
  EXPECT_EQ(doc.BindImage[0].Fname, u"a.bmp");
  EXPECT_EQ(doc.BindImage[0].Fsize, 5000);
  EXPECT_EQ(doc.BindImage[1].Fsize, 4);
  EXPECT_EQ(doc.BindImage[2].Fname, u"../up.png");  // the entry keeps the stored name
  EXPECT_EQ(ReadFile(folder / "a.bmp"), Pattern(5000));
  EXPECT_EQ(ReadFile(folder / "up.png"), "png");
  EXPECT_FALSE(fs::exists(tmp.path() / "up.png"));
}

TEST(ReadImageSectionTest, FlagsDecideWhetherTheSectionIsReadAndExtracted) {
  const struct {
    const char* name;
    bool exp, exr;
    int entries;
    bool consumed;
  } rows[] = {
      {"step over", false, true, 3, true},
      {"neither flag", false, false, 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::ScopedTempDir tmp;
    TJwwData doc;
    doc.BindImageFolder = FolderOf(tmp.path());
    doc.BindImageExp = row.exp;
    doc.BindImageExr = row.exr;
    doc.BindImage.push_back({u"old.png", 1, false});
    const Bytes section = ThreeEntrySection();
    const SectionRead r = ReadSection(section, doc);
    EXPECT_EQ(doc.BindImageN(), row.entries);
    EXPECT_EQ(r.pos, row.consumed ? section.size() : 0u);
    EXPECT_TRUE(fs::is_empty(tmp.path()));
  }
}

TEST(ReadImageSectionTest, CountsAndShortDataLoseOnlyTheImages) {
  test::ScopedTempDir tmp;
  TJwwData doc;
  doc.BindImageFolder = FolderOf(tmp.path());
  doc.BindImageExp = true;
  doc.BindImageExr = true;

  Bytes negative;
  negative.I32(-5).Str("a.png").I32(1).Raw("x");
  ReadSection(negative, doc);
  EXPECT_EQ(doc.BindImageN(), 0);

  // 5 bytes at least per entry: 5000 needed. Nothing is allocated for them.
  Bytes absurd;
  absurd.I32(1000).Zeros(4000);
  ReadSection(absurd, doc);
  EXPECT_EQ(doc.BindImageN(), 0);

  // The data ends inside the second image: the whole first image is
  // extracted, the part of the second is not, and the entries past the end
  // have no name and no size.
  Bytes cut;
  cut.I32(3).Str("a.png").I32(3).Raw("abc").Str("b.png").I32(100).Raw("abc");
  ReadSection(cut, doc);
  ASSERT_EQ(doc.BindImageN(), 3);
  EXPECT_EQ(doc.BindImage[1].Fsize, 100);
  EXPECT_EQ(doc.BindImage[2].Fname, u"");
  EXPECT_EQ(doc.BindImage[2].Fsize, 0);
  EXPECT_EQ(ReadFile(tmp.path() / "a.png"), "abc");
  EXPECT_FALSE(fs::exists(tmp.path() / "b.png"));
}

TEntJwwMoji ImageText(const std::u16string& s) {
  TEntJwwMoji m;
  m.att.nPenStyle = 1;
  m.att.nPenColor = 1;
  m.str = s;
  return m;
}

Bytes WriteSection(TJwwData& doc) {
  ArchiveWriter out((doc.FileOutOpt & kFileOutUnicode) != 0);
  WriteImageSection(out, doc);
  Bytes b;
  b.data = out.buffer();
  return b;
}

class WriteImageSectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_.BindImageFolder = FolderOf(tmp_.path());
    doc_.BindImageExp = true;
    doc_.BindImageExr = true;
    for (const char* name : {"PHOTO.BMP.gz", "plan.png", "unused.png", "inner.png"}) {
      WriteFile(tmp_.path() / name, std::string(name).substr(0, 3));
    }
    doc_.BindImage = {{u"", 0, false},          {u"PHOTO.BMP.gz", 999, false},
                      {u"plan.png", 3, false},  {u"unused.png", 3, false},
                      {u"inner.png", 3, false}, {u"gone.png", 3, false}};
    // Top-level texts, then one definition that is inserted and one that is not:
    // the texts of both keep their images.
    AddText(doc_.EntMoji, doc_.EntNo, u"^@BM%temp%photo.bmp,1,2,3");
    AddText(doc_.EntMoji, doc_.EntNo, u"^@BM%temp%PHOTO.bmp,4");  // the same image again
    AddText(doc_.EntMoji, doc_.EntNo, u"^@BM%temp%gone.png,0");   // its file is missing
    AddText(doc_.EntMoji, doc_.EntNo, u"^@BM%temp%,0");           // no name: the first entry
    AddText(doc_.EntMoji, doc_.EntNo, u"^@BM%temp%unused.png");   // no comma
    AddText(doc_.EntMoji, doc_.EntNo, u"^@BMunused.png,0");       // an image outside the drawing
    TEntJwwBlock insertion;
    insertion.nNumber = 1;
    doc_.EntBlock = {insertion};
    doc_.AddEntNo(kEntBlock, 0);
    doc_.EntBlockDef.resize(2);
    doc_.EntBlockDef[0].nNumber = 1;
    AddText(doc_.EntBlockDef[0].mMoji, doc_.EntBlockDef[0].mNo, u"^@BM%temp%plan.png,0");
    doc_.EntBlockDef[1].nNumber = 2;
    AddText(doc_.EntBlockDef[1].mMoji, doc_.EntBlockDef[1].mNo, u"^@BM%temp%inner.png,0");
    doc_.Enthd.n1 = static_cast<int32_t>(doc_.EntNo.size());
    doc_.Enthd.n2 = 2;
    MakeBlockTree(doc_);
  }

  static void AddText(std::vector<TEntJwwMoji>& texts, std::vector<TEntJwwNo>& order,
                      const std::u16string& s) {
    texts.push_back(ImageText(s));
    order.push_back({kEntMoji, static_cast<int32_t>(texts.size() - 1)});
  }

  test::ScopedTempDir tmp_;
  TJwwData doc_;
};

TEST_F(WriteImageSectionTest, WritesEachImageATextNamesOnceWithItsFileBytes) {
  Bytes expected;
  expected.I32(3);
  expected.Str("PHOTO.BMP.gz").I32(3).Raw("PHO");  // the file's size, not the stored one
  expected.Str("plan.png").I32(3).Raw("pla");
  expected.Str("inner.png").I32(3).Raw("inn");
  EXPECT_EQ(WriteSection(doc_).data, expected.data);
  const bool marks[] = {false, true, true, false, true, false};
  for (size_t i = 0; i < doc_.BindImage.size(); ++i)
    EXPECT_EQ(doc_.BindImage[i].exf, marks[i]) << i;
}

TEST_F(WriteImageSectionTest, NothingIsCarriedWithoutTheImageFlags) {
  doc_.BindImageExp = false;
  doc_.BindImageExr = false;
  Bytes expected;
  expected.I32(0);
  EXPECT_EQ(WriteSection(doc_).data, expected.data);
  for (const TBindImageType& image : doc_.BindImage) EXPECT_FALSE(image.exf);
}

TEST_F(WriteImageSectionTest, ImageWrittenWithUnicodeNamesReadsBack) {
  doc_.FileOutOpt = kFileOutUnicode;
  const Bytes section = WriteSection(doc_);
  test::ScopedTempDir out;
  TJwwData back;
  back.BindImageFolder = FolderOf(out.path());
  back.BindImageExp = true;
  ReadSection(section, back);
  ASSERT_EQ(back.BindImageN(), 3);
  EXPECT_EQ(back.BindImage[1].Fname, u"plan.png");
  EXPECT_EQ(back.BindImage[1].Fsize, 3);
  EXPECT_EQ(ReadFile(out.path() / "PHOTO.BMP.gz"), "PHO");
}

// Names that share the text's name as their beginning: the entry first in list
// order wins, not the first in alphabetical order or the exact name.
TEST(WriteImageSectionMarkTest, FirstEntryInListOrderWinsAmongSharedBeginnings) {
  const std::vector<std::u16string> names = {u"b.png", u"A.PNG.gz", u"a.png", u"a.png.bak",
                                             u"AB.png"};
  const struct {
    const char16_t* text;
    int marked;  // -1: none
  } cases[] = {
      {u"^@BM%temp%a.png,0", 1},        // A.PNG.gz before the exact a.png
      {u"^@BM%temp%a,0", 1},            // all four a-names share it
      {u"^@BM%temp%a.png.b,0", 3},      // only a.png.bak
      {u"^@BM%temp%ab,0", 4},           // only AB.png
      {u"^@BM%temp%B.PNG,0", 0},        // the first entry itself
      {u"^@BM%temp%c.png,0", -1},       // no name begins so
      {u"^@BM%temp%a.png.gz.x,0", -1},  // longer than every name
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    test::ScopedTempDir tmp;
    TJwwData doc;
    doc.BindImageFolder = FolderOf(tmp.path());
    doc.BindImageExp = true;
    doc.BindImageExr = true;
    for (const std::u16string& name : names) {
      WriteFile(tmp.path() / name, "x");
      doc.BindImage.push_back({name, 1, false});
    }
    doc.EntMoji.push_back(ImageText(c.text));
    doc.AddEntNo(kEntMoji, 0);
    (void)WriteSection(doc);
    for (size_t k = 0; k < names.size(); ++k) {
      EXPECT_EQ(doc.BindImage[k].exf, static_cast<int>(k) == c.marked)
          << "case " << i << " entry " << k;
    }
  }
}

}  // namespace
}  // namespace plandock
