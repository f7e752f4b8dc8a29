#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "document/jww_file.h"
#include "document/jww_fixtures.h"
#include "util/text.h"

namespace plandock {
namespace {

using test::Bytes;
using test::HeaderFields;

// A document with tables as after a read and values that every writer rule touches.
void FillRuleFixture(TJwwData& doc) {
  test::SizeTablesAsRead(doc);
  doc.Enthd.strMemo = u"line1\r\nline2";
  doc.Enthd.nMaxDrawWid = -150;
  doc.Enthd.nPrtDispOnlyNonDraw = 1;
  doc.Enthd.nPrtDpi = 0;
  doc.EntLay[0].aStrLayName = u"a^mb";
  doc.EntLay[1].aStrLayName = u"\t";
  doc.EntLay[2].aStrLayName = u"x\\ny";
  doc.EntLay[3].aStrLayName = u"\u3000\u58c1";  // full-width space kept
  doc.EntLgrp[4].aStrGLayName = u"g^m";

  doc.EntCol[0].aPrtPenColor = 5;
  doc.EntCol[1] = {-5, 0, -1, 501, 0.05};
  doc.EntCol[2] = {0x1000000, 17, 0x123456, 0, 11.0};
  doc.EntCol[3] = {0xFFFFFF, 16, 0xFFFFFF, 500, 0.5};

  doc.EntColS[5].astrUDColorName = u"\u3000";
  doc.EntColS[6].astrUDColorName = u"red";
  doc.EntColS[16].aPrtPenColor = 0x445566;
  doc.EntColS[20].aPenColor = 0x112233;
  doc.EntColS[20].aPrtPenColor = 0x445566;

  doc.EntLtpS[5] = {0x0F0F, 4, 2, 3, u"five", 3, {2.0, 1.0, 0.5}};
  doc.EntLtpS[20] = {0x0F0F, 4, 2, 3, u"twenty", 3, {2.0, 1.0, 0.5}};
  doc.EntLtpS[21] = {0, 4, 2, 3, u"", 4, {2.0, 1.0, 0.5, 0.25}};

  doc.EntMoj[0].adMojiX = -2.5;
  doc.EntMoj[0].adMojiY = 0;
  doc.EntMoj[1].adMojiX = 1e12;
  doc.EntMoj[1].adMojiD = -3;
  doc.Enthd.dMojiSizeX = -2.5;
  doc.Enthd.dMojiSizeY = 0;
}

struct IntRule {
  const char* name;
  int row;
  int32_t written;
};

TEST(JwwWriterTest, HeaderValueRulesAtVersion600) {
  TJwwData doc;
  FillRuleFixture(doc);
  const Bytes file = test::WriteToBuffer(doc, 600);
  HeaderFields f(file);

  const IntRule ints[] = {
      {"jwVer", -1, 600},
      {"reserved4", -1, 0},
      {"nMaxDrawWid", -1, -150},
      {"nPrtDispOnlyNonDraw", -1, 11},
      {"EntCol.aPenColor", 1, 0},
      {"EntCol.aPenColor", 2, 0},
      {"EntCol.aPenColor", 3, 0xFFFFFF},
      {"EntCol.anPenWidth", 1, 1},
      {"EntCol.anPenWidth", 2, 16},
      {"EntCol.anPenWidth", 3, 16},
      {"EntCol.aPrtPenColor", 0, 0xFFFFFF},
      {"EntCol.aPrtPenColor", 1, 0},
      {"EntCol.aPrtPenColor", 2, 0x123456},
      {"EntCol.anPrtPenWidth", 1, 500},
      {"EntCol.anPrtPenWidth", 2, 1},
      {"EntColS.aPrtPenColor", 16, 0x445566},
      {"EntColS.aPrtPenColor", 20, 0x112233},
      {"EntLtpS.alLType", 0, -1},
      {"EntLtpS.alLType", 5, 0x0F0F},
      {"EntLtpS.anUDLTypeSegment", 5, 3},
      {"EntLtpS.alLType", 20, static_cast<int32_t>(0xC3C3C3C3u)},
      {"EntLtpS.anTokushuSenUintDot", 20, 8},
      {"EntLtpS.anTokushuSenPich", 20, 1},
      {"EntLtpS.anPrtTokushuSenPich", 20, 8},
      {"EntLtpS.anUDLTypeSegment", 20, 2},
      {"EntLtpS.alLType", 21, -1},
      {"EntLtpS.anUDLTypeSegment", 21, 4},
  };
  for (const IntRule& r : ints) {
    SCOPED_TRACE(std::string(r.name) + "[" + std::to_string(r.row) + "]");
    EXPECT_EQ(f.I32(r.name, r.row), r.written);
  }

  EXPECT_EQ(f.Raw("reserved56"), Bytes(56, 0x20));
  EXPECT_EQ(f.F64("EntCol.adPrtTenHankei", 1), 0.1);
  EXPECT_EQ(f.F64("EntCol.adPrtTenHankei", 2), 10.0);
  EXPECT_EQ(f.F64("EntCol.adPrtTenHankei", 3), 0.5);
  EXPECT_EQ(f.F64("EntMoj.adMojiX", 0), 2.5);
  EXPECT_EQ(f.F64("EntMoj.adMojiY", 0), 1e-10);
  EXPECT_EQ(f.F64("EntMoj.adMojiX", 1), 1e10);
  EXPECT_EQ(f.F64("EntMoj.adMojiD", 1), -3.0);
  EXPECT_EQ(f.F64("dMojiSizeX"), 2.5);
  EXPECT_EQ(f.F64("dMojiSizeY"), 1e-10);

  EXPECT_EQ(f.Str("strMemo"), u"line1\r\nline2");
  EXPECT_EQ(f.Str("EntLay.aStrLayName", 0), u"ab");
  EXPECT_EQ(f.Str("EntLay.aStrLayName", 1), u" ");
  EXPECT_EQ(f.Str("EntLay.aStrLayName", 2), u"xy");
  EXPECT_EQ(f.Str("EntLay.aStrLayName", 3), u"\u3000\u58c1");
  EXPECT_EQ(f.Str("EntLay.aStrLayName", 4), u"");
  EXPECT_EQ(f.Str("EntLgrp.aStrGLayName", 4), u"g");
  EXPECT_EQ(f.Str("EntColS.astrUDColorName", 0), u"Color_0");
  EXPECT_EQ(f.Str("EntColS.astrUDColorName", 5), u"Color_5");
  EXPECT_EQ(f.Str("EntColS.astrUDColorName", 6), u"red");
  EXPECT_EQ(f.Str("EntColS.astrUDColorName", 256), u"Color_256");
  EXPECT_EQ(f.Str("EntLtpS.astrUDLTypeName", 5), u"five");
  EXPECT_EQ(f.Str("EntLtpS.astrUDLTypeName", 20), u"LType_20");
  EXPECT_EQ(f.Str("EntLtpS.astrUDLTypeName", 21), u"LType_21");
  EXPECT_EQ(f.Str("EntLtpS.astrUDLTypeName", 32), u"LType_32");

  // Pitches of line type 20 are replaced, those of 5 and 21 kept.
  std::vector<double> pitch20, pitch21;
  for (const HeaderFieldSpan& s : f.spans()) {
    if (std::string_view(s.name) != "EntLtpS.aadUDLTypePitch") continue;
    if (s.row == 20) pitch20.push_back(test::F64At(file, s.begin));
    if (s.row == 21) pitch21.push_back(test::F64At(file, s.begin));
  }
  EXPECT_EQ(pitch20, (std::vector<double>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(pitch21, (std::vector<double>{2, 1, 0.5, 0.25, 0, 0, 0, 0, 0, 0}));
}

TEST(JwwWriterTest, RulesActOnTheWrittenValuesNotOnTheDocument) {
  TJwwData doc;
  FillRuleFixture(doc);
  doc.Enthd.jwID = u"old";
  (void)test::WriteToBuffer(doc, 600);
  EXPECT_EQ(doc.Enthd.jwID, u"JwwData.");
  EXPECT_EQ(doc.EntCol[1].anPenWidth, 0);
  EXPECT_EQ(doc.EntLay[0].aStrLayName, u"a^mb");
  EXPECT_EQ(doc.EntColS[5].astrUDColorName, u"\u3000");
  EXPECT_EQ(doc.EntLtpS[20].anUDLTypeSegment, 3);
  EXPECT_EQ(doc.EntMoj[0].adMojiX, -2.5);
  EXPECT_EQ(doc.Enthd.nPrtDispOnlyNonDraw, 1);
  EXPECT_EQ(doc.Enthd.nMaxDrawWid, -150);
}

TEST(JwwWriterTest, VersionDependentHeaderValues) {
  struct Row {
    int32_t version;
    int32_t max_draw_wid;
    int32_t prt_dpi;
    int32_t max_draw_wid_written;
    int32_t packed_print_written;
  };
  const Row rows[] = {
      {420, -150, 3, -101, 1}, {421, -150, 3, -150, 1},  {420, -101, 0, -101, 1},
      {599, -150, 3, -150, 1}, {600, -150, 3, -150, 31}, {600, -150, 0, -150, 11},
      {700, -90, -2, -90, 11},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.version);
    TJwwData doc;
    test::SizeTablesAsRead(doc);
    doc.Enthd.nMaxDrawWid = r.max_draw_wid;
    doc.Enthd.nPrtDispOnlyNonDraw = 1;
    doc.Enthd.nPrtDpi = r.prt_dpi;
    const Bytes file = test::WriteToBuffer(doc, r.version);
    HeaderFields f(file);
    EXPECT_EQ(f.I32("nMaxDrawWid"), r.max_draw_wid_written);
    EXPECT_EQ(f.I32("nPrtDispOnlyNonDraw"), r.packed_print_written);
  }
}

TEST(JwwWriterTest, UnicodeOptionWritesEveryStringInUnicodeForm) {
  TJwwData doc;
  test::SizeTablesAsRead(doc);
  doc.EntLay[7].aStrLayName = u"\u58c1";
  SetFileOutOption(doc, kFileOutUnicode);
  const Bytes file = test::WriteToBuffer(doc, 700);
  HeaderFields f(file);
  EXPECT_EQ(f.Raw("EntLay.aStrLayName", 7), (Bytes{0xFF, 0xFE, 0xFF, 0x01, 0xC1, 0x58}));
  EXPECT_EQ(f.Raw("strMemo"), (Bytes{0xFF, 0xFE, 0xFF, 0x00}));
  EXPECT_EQ(f.Str("EntColS.astrUDColorName", 17), u"Color_17");
}

TEST(JwwWriterTest, SetFileOutOptionKeepsOnlyValuesUpTo63) {
  const struct { int32_t given, kept; } rows[] = {{0, 0}, {32, 32}, {63, 63}, {64, 0}, {-1, 0}};
  for (const auto& r : rows) {
    TJwwData doc;
    SetFileOutOption(doc, r.given);
    EXPECT_EQ(doc.FileOutOpt, r.kept) << r.given;
  }
}

// An unread document has no tables; it is written as if they were all zero.
TEST(JwwWriterTest, DocumentWithoutTablesIsWrittenWithFullTables) {
  TJwwData empty;
  TJwwData sized;
  test::SizeTablesAsRead(sized);
  EXPECT_EQ(test::WriteToBuffer(empty, 600), test::WriteToBuffer(sized, 600));
}

// ---- FileOut ----

// A drawing of several megabytes: lines, and texts whose strings take both
// length prefixes, so that writing it hands on many blocks.
void FillLargeDrawing(TJwwData& doc) {
  test::SizeTablesAsRead(doc);
  constexpr int kLines = 60000;
  constexpr int kTexts = 6000;
  for (int i = 0; i < kLines; ++i) {
    TEntJwwLine line;
    line.start_x = i;
    line.end_y = 0.5 * i;
    doc.EntLine.push_back(line);
    doc.EntNo.push_back({kEntLine, i});
  }
  for (int i = 0; i < kTexts; ++i) {
    TEntJwwMoji text;
    text.dSizeX = text.dSizeY = 2.5;
    text.strFontName = u"ＭＳ ゴシック";
    text.str =
        i % 3 == 0 ? std::u16string(260 + i % 40, u'\u58c1') : u"A-" + std::u16string(i % 9, u'7');
    doc.EntMoji.push_back(text);
    doc.EntNo.push_back({kEntMoji, i});
  }
  doc.RecountEntities();
}

TEST(JwwFileOutTest, WritesTheFileThatFileOutToBufferBuilds) {
  const struct {
    const char* name;
    bool large;
    int32_t option;
  } rows[] = {
      {"header only", false, 0},
      {"many blocks", true, 0},
      {"many blocks, Unicode strings", true, kFileOutUnicode},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::ScopedTempDir dir;
    TJwwData doc;
    test::SizeTablesAsRead(doc);
    if (row.large) FillLargeDrawing(doc);
    SetFileOutOption(doc, row.option);
    doc.Enthd.strMemo = u"memo";
    const auto path = dir.path() / "out.jww";
    test::WriteBytes(path, Bytes(10, 0xAA));  // an older file is replaced
    ASSERT_TRUE(FileOut(doc, path.u16string(), 600));
    const Bytes expected = test::WriteToBuffer(doc, 600);
    if (row.large) {
      ASSERT_GT(expected.size(), 3u << 20);
    }
    EXPECT_EQ(test::ReadBytes(path), expected);
  }
}

TEST(JwwFileOutTest, FailedWriteReturnsFalseAndLeavesWhatWasThere) {
  test::ScopedTempDir dir;
  TJwwData doc;
  test::SizeTablesAsRead(doc);

  // The destination's folder is a file: nothing can be created beside it.
  const auto not_a_folder = dir.path() / "plain";
  const Bytes plain_bytes(100, 0x42);
  test::WriteBytes(not_a_folder, plain_bytes);
  EXPECT_FALSE(FileOut(doc, (not_a_folder / "out.jww").u16string(), 600));
  EXPECT_EQ(test::ReadBytes(not_a_folder), plain_bytes);

  // The destination is a folder: the new file is written, but cannot take its place.
  const auto occupied = dir.path() / "occupied.jww";
  std::filesystem::create_directories(occupied / "keep");
  test::WriteBytes(occupied / "keep" / "a.jww", plain_bytes);
  EXPECT_FALSE(FileOut(doc, occupied.u16string(), 600));
  EXPECT_EQ(test::ReadBytes(occupied / "keep" / "a.jww"), plain_bytes);

  // No temporary file is left behind.
  std::vector<std::filesystem::path> left;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) left.push_back(e.path());
  EXPECT_EQ(left.size(), 2u);
}

#ifndef _WIN32
// A limit on the size of any file this process writes, for the time of a test.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_signal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    set_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    if (set_) setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_signal_);
  }
  bool set() const { return set_; }

 private:
  rlimit saved_{};
  bool set_ = false;
  void (*previous_signal_)(int) = SIG_DFL;
};

TEST(JwwFileOutTest, AFailureAfterTheFirstBlocksKeepsTheOldFileAndLeavesNoTemporaryFile) {
  test::ScopedTempDir dir;
  TJwwData doc;
  FillLargeDrawing(doc);
  const auto path = dir.path() / "out.jww";
  const Bytes old_file(100, 0x42);
  test::WriteBytes(path, old_file);
  {
    // Room for the first blocks, not for the whole drawing (over 3 MiB).
    FileSizeLimit limit(5u << 19);
    if (!limit.set()) GTEST_SKIP() << "no file size limit can be set here";
    EXPECT_FALSE(FileOut(doc, path.u16string(), 600));
  }
  EXPECT_EQ(test::ReadBytes(path), old_file);
  std::vector<std::filesystem::path> left;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) left.push_back(e.path());
  EXPECT_EQ(left, std::vector<std::filesystem::path>{path});
}
#endif  // !_WIN32

}  // namespace
}  // namespace plandock
