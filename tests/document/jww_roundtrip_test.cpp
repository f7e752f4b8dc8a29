#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/jww_file.h"
#include "document/jww_fixtures.h"

namespace plandock {
namespace {

using test::Bytes;
using test::HeaderFields;

// ---- Each version stores what its gates allow ----

// Stored sizes of the header groups, from the file layout.
constexpr size_t kAlwaysStoredBytes = 3668;  // every fixed group present in all versions
constexpr size_t kSkyViewBytes = 16;
constexpr size_t kEyeBytes = 20 + 40;
constexpr size_t kDimBytes = 32;
constexpr size_t kSolidColorBytes = 8;
constexpr size_t kFourZoomJumpBytes = 4 * 24;
constexpr size_t kEightZoomJumpBytes = 8 * 28 + 56;
constexpr size_t kSxfBytesPerOneByteName = 257 * 8 + 257 * (2 + 16) + 33 * 16 + 33 * (2 + 4 + 80);

void FillGatedFixture(TJwwData& doc) {
  test::SizeTablesAsRead(doc);
  TEntJwwHeader& h = doc.Enthd;
  h.strMemo = u"m";
  h.nZumen = 3;
  h.dKabeKageLevel = 2.5;
  h.adMojiKijunZureY2 = 0.75;
  doc.EntLay[0].aStrLayName = u"L";
  doc.EntMoj[9].anMojiCol = 7;
  h.nMaxDrawWid = -450;
  h.nPrtDispOnlyNonDraw = 1;
  h.nPrtDpi = 2;
  h.dTenkuuZuLevel = 11.5;
  h.dTenkuuZuEnkoR = 12.5;
  for (int i = 0; i < 8; ++i) {
    h.dZoomJumpBairitsu[i] = 2 + i;
    h.DPZoomJumpGenten_x[i] = 10 + i;
    h.DPZoomJumpGenten_y[i] = 20 + i;
    h.nZoomJumpGLay[i] = i;
  }
  h.dDm11 = 1.25, h.dDm12 = 2.25, h.dDm13 = 3.25, h.lnDm1 = 7;
  h.dDm21 = 4.25, h.dDm22 = 5.25, h.dMojiBG = 3.5, h.nMojiBG = 4;
  h.lnDrawTime = 3600, h.nEyeInit = 1;
  h.dEye_H_Ichi_1 = 5, h.dEye_H_Ichi_2 = 6, h.dEye_H_Ichi_3 = 7;
  h.dEye_Z_Ichi_1 = 1.5, h.dEye_Y_Ichi_1 = 2.5, h.dEye_Z_Ichi_2 = 3.5, h.dEye_Y_Ichi_2 = 4.5;
  h.dEye_V_Ichi_3 = 5.5;
  h.dSenNagasaSnpou = 100.5, h.dBoxSunpouX = 200.5, h.dBoxSunpouY = 300.5;
  h.dEnHankeiSnpou = 400.5;
  h.nSolidNinniColor = 1, h.SolidColor = 0x00FF00;
  for (TEntJwwColorExNo& c : doc.EntColS) c.astrUDColorName = u"n";
  for (TEntJwwLineTypeExNo& lt : doc.EntLtpS) {
    lt.astrUDLTypeName = u"n";
    lt.anUDLTypeSegment = 2;
    lt.alLType = 1;
  }
  doc.EntColS[3].aPenColor = 0x010203;
  doc.EntColS[3].anPrtPenWidth = 5;
  doc.EntLtpS[18].aadUDLTypePitch = {4, 3};
  TEntJwwLine line;
  line.att = {0, 1, 1, 5, 0, 0, 0};
  line.end_x = 10;
  doc.EntLine.push_back(line);
  doc.AddEntNo(kEntLine, 0);
}

struct GateRow {
  int32_t version;
  bool eye, dim, solid, eight_jumps, sky, pen_width, sxf, wide_line_mode, print_dpi, images;
};

// Straight from the version table of the file layout.
constexpr GateRow kGateRows[] = {
    // ver  eye    dim    solid  jumps8 sky    penw   sxf    wide   dpi    images
    {220, false, false, false, false, false, false, false, false, false, false},
    {223, true, false, false, false, false, false, false, false, false, false},
    {225, true, true, false, false, false, false, false, false, false, false},
    {230, true, true, true, false, false, false, false, false, false, false},
    {231, true, true, true, true, false, false, false, false, false, false},
    {300, true, true, true, true, true, false, false, false, false, false},
    {350, true, true, true, true, true, false, false, false, false, false},
    {351, true, true, true, true, true, true, false, false, false, false},
    {420, true, true, true, true, true, true, true, false, false, false},
    {600, true, true, true, true, true, true, true, true, true, false},
    {700, true, true, true, true, true, true, true, true, true, true},
};

size_t ExpectedFileSize(const GateRow& r) {
  size_t n = kAlwaysStoredBytes + 2 /* memo "m" */ + 256 + 16 + 1 /* names, one of them "L" */;
  n += r.eye ? kEyeBytes : 0;
  n += r.dim ? kDimBytes : 0;
  n += r.solid ? kSolidColorBytes : 0;
  n += r.eight_jumps ? kEightZoomJumpBytes : kFourZoomJumpBytes;
  n += r.sky ? kSkyViewBytes : 0;
  n += r.sxf ? kSxfBytesPerOneByteName : 0;
  // Entity list: count, "CDataSen" declaration, the line; block list count; image count.
  n += 2 + (2 + 2 + 2 + 8) + (r.pen_width ? 47 : 45) + 2 + (r.images ? 4 : 0);
  return n;
}

TEST(JwwRoundTripTest, EachGateVersionKeepsExactlyTheFieldsItStores) {
  TJwwData src;
  FillGatedFixture(src);
  for (const GateRow& r : kGateRows) {
    SCOPED_TRACE(r.version);
    const Bytes file = test::WriteToBuffer(src, r.version);
    EXPECT_EQ(file.size(), ExpectedFileSize(r));
    TJwwData doc;
    doc.BindImageExr = true;
    size_t end = 0;
    ASSERT_TRUE(FileInMemory(doc, file.data(), file.size(), nullptr, &end));
    EXPECT_EQ(end, file.size());
    const TEntJwwHeader& h = doc.Enthd;
    const TEntJwwHeader fresh;

    EXPECT_EQ(h.jwVer, r.version);
    EXPECT_EQ(h.strMemo, u"m");
    EXPECT_EQ(h.nZumen, 3);
    EXPECT_EQ(h.dKabeKageLevel, 2.5);
    EXPECT_EQ(h.adMojiKijunZureY2, 0.75);
    EXPECT_EQ(doc.EntLay[0].aStrLayName, u"L");
    EXPECT_EQ(doc.EntMoj[9].anMojiCol, 7);
    for (int i = 0; i < 8; ++i) {
      const bool stored = i < 4 || r.eight_jumps;
      EXPECT_EQ(h.dZoomJumpBairitsu[i], stored ? 2 + i : 1.0) << i;
      EXPECT_EQ(h.DPZoomJumpGenten_x[i], stored ? 10 + i : 0.0) << i;
      EXPECT_EQ(h.DPZoomJumpGenten_y[i], stored ? 20 + i : 0.0) << i;
      EXPECT_EQ(h.nZoomJumpGLay[i], r.eight_jumps ? i : -1) << i;
    }
    const TEntJwwHeader& jumps = r.eight_jumps ? src.Enthd : fresh;
    EXPECT_EQ(h.dDm11, jumps.dDm11);
    EXPECT_EQ(h.dDm12, jumps.dDm12);
    EXPECT_EQ(h.dDm13, jumps.dDm13);
    EXPECT_EQ(h.lnDm1, jumps.lnDm1);
    EXPECT_EQ(h.dDm21, jumps.dDm21);
    EXPECT_EQ(h.dDm22, jumps.dDm22);
    EXPECT_EQ(h.dMojiBG, jumps.dMojiBG);
    EXPECT_EQ(h.nMojiBG, jumps.nMojiBG);

    const TEntJwwHeader& sky = r.sky ? src.Enthd : fresh;
    EXPECT_EQ(h.dTenkuuZuLevel, sky.dTenkuuZuLevel);
    EXPECT_EQ(h.dTenkuuZuEnkoR, sky.dTenkuuZuEnkoR);

    const TEntJwwHeader& eye = r.eye ? src.Enthd : fresh;
    EXPECT_EQ(h.lnDrawTime, eye.lnDrawTime);
    EXPECT_EQ(h.nEyeInit, eye.nEyeInit);
    EXPECT_EQ(h.dEye_H_Ichi_1, eye.dEye_H_Ichi_1);
    EXPECT_EQ(h.dEye_H_Ichi_2, eye.dEye_H_Ichi_2);
    EXPECT_EQ(h.dEye_H_Ichi_3, eye.dEye_H_Ichi_3);
    EXPECT_EQ(h.dEye_Z_Ichi_1, eye.dEye_Z_Ichi_1);
    EXPECT_EQ(h.dEye_Y_Ichi_1, eye.dEye_Y_Ichi_1);
    EXPECT_EQ(h.dEye_Z_Ichi_2, eye.dEye_Z_Ichi_2);
    EXPECT_EQ(h.dEye_Y_Ichi_2, eye.dEye_Y_Ichi_2);
    EXPECT_EQ(h.dEye_V_Ichi_3, eye.dEye_V_Ichi_3);

    const TEntJwwHeader& dim = r.dim ? src.Enthd : fresh;
    EXPECT_EQ(h.dSenNagasaSnpou, dim.dSenNagasaSnpou);
    EXPECT_EQ(h.dBoxSunpouX, dim.dBoxSunpouX);
    EXPECT_EQ(h.dBoxSunpouY, dim.dBoxSunpouY);
    EXPECT_EQ(h.dEnHankeiSnpou, dim.dEnHankeiSnpou);

    const TEntJwwHeader& solid = r.solid ? src.Enthd : fresh;
    EXPECT_EQ(h.nSolidNinniColor, solid.nSolidNinniColor);
    EXPECT_EQ(h.SolidColor, solid.SolidColor);

    EXPECT_EQ(doc.EntColS[3].aPenColor, r.sxf ? 0x010203 : 0);
    EXPECT_EQ(doc.EntColS[3].anPrtPenWidth, r.sxf ? 5 : 0);
    EXPECT_EQ(doc.EntColS[200].astrUDColorName, r.sxf ? u"n" : u"");
    EXPECT_EQ(doc.EntLtpS[18].aadUDLTypePitch[1], r.sxf ? 3.0 : 0.0);
    EXPECT_EQ(doc.EntLtpS[18].anUDLTypeSegment, r.sxf ? 2 : 0);

    EXPECT_EQ(h.nMaxDrawWid, r.wide_line_mode ? -450 : -101);
    EXPECT_TRUE(h.bSenHaba100);
    EXPECT_EQ(h.nMaxDrawWidBak, r.wide_line_mode ? -50 : -100);
    EXPECT_EQ(h.nPrtDpi, r.print_dpi ? 2 : 0);
    EXPECT_EQ(h.nPrtDispOnlyNonDraw, 1);

    ASSERT_EQ(doc.EntLine.size(), 1u);
    EXPECT_EQ(doc.EntLine[0].att.nPenWidth, r.pen_width ? 5 : 0);
    EXPECT_EQ(doc.EntLine[0].end_x, 10.0);
  }
}

// ---- Real drawings come back byte for byte ----

// What the writer stores in place of a field of a real drawing, for the few
// fields where it deliberately differs.
struct Replacement {
  std::optional<int32_t> i32;
  std::optional<double> f64;
  std::optional<std::u16string> text;
};

bool IsUserRow(int row) { return row == 0 || row >= 17; }

std::u16string Decimal(int n) {
  const std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

std::optional<Replacement> KnownReplacement(const HeaderFieldSpan& s, int pitch_index,
                                            const TJwwData& read) {
  const std::string_view name = s.name;
  if (name == "EntColS.astrUDColorName" && IsUserRow(s.row) &&
      read.EntColS[s.row].astrUDColorName.empty()) {
    return Replacement{{}, {}, u"Color_" + Decimal(s.row)};
  }
  if (name.substr(0, 8) != "EntLtpS.") return std::nullopt;
  const TEntJwwLineTypeExNo& lt = read.EntLtpS[s.row];
  if (s.row >= 17 && lt.anUDLTypeSegment == 0) {
    if (name == "EntLtpS.alLType") return Replacement{static_cast<int32_t>(0xC3C3C3C3u), {}, {}};
    if (name == "EntLtpS.anTokushuSenUintDot") return Replacement{8, {}, {}};
    if (name == "EntLtpS.anTokushuSenPich") return Replacement{1, {}, {}};
    if (name == "EntLtpS.anPrtTokushuSenPich") return Replacement{8, {}, {}};
    if (name == "EntLtpS.anUDLTypeSegment") return Replacement{2, {}, {}};
    if (name == "EntLtpS.aadUDLTypePitch") return Replacement{{}, pitch_index < 2 ? 1.0 : 0.0, {}};
    if (name == "EntLtpS.astrUDLTypeName") {
      return Replacement{{}, {}, u"LType_" + Decimal(s.row)};
    }
  }
  if (s.row == 0 && name == "EntLtpS.alLType" && lt.alLType == 0) return Replacement{-1, {}, {}};
  if (s.row == 0 && name == "EntLtpS.astrUDLTypeName" && lt.astrUDLTypeName.empty()) {
    return Replacement{{}, {}, u"LType_0"};
  }
  return std::nullopt;
}

Bytes Slice(const Bytes& file, const HeaderFieldSpan& s) {
  return Bytes(file.begin() + static_cast<std::ptrdiff_t>(s.begin),
               file.begin() + static_cast<std::ptrdiff_t>(s.end));
}

void ExpectSameExceptKnownFields(const Bytes& original, const Bytes& written,
                                 const TJwwData& read) {
  HeaderFields o(original);
  HeaderFields w(written);
  ASSERT_FALSE(o.spans().empty());
  ASSERT_EQ(o.spans().size(), w.spans().size());
  int pitch_index = 0;
  int pitch_row = -1;
  for (size_t i = 0; i < o.spans().size(); ++i) {
    const HeaderFieldSpan& so = o.spans()[i];
    const HeaderFieldSpan& sw = w.spans()[i];
    ASSERT_EQ(std::string_view(so.name), std::string_view(sw.name));
    ASSERT_EQ(so.row, sw.row);
    SCOPED_TRACE(std::string(so.name) + "[" + std::to_string(so.row) + "]");
    if (std::string_view(so.name) == "EntLtpS.aadUDLTypePitch") {
      pitch_index = so.row == pitch_row ? pitch_index + 1 : 0;
      pitch_row = so.row;
    }
    const Bytes bo = Slice(original, so);
    const Bytes bw = Slice(written, sw);
    const std::string_view name = so.name;
    if (name == "reserved56") {
      EXPECT_EQ(bw, Bytes(56, 0x20));
    } else if (name == "reserved4") {
      EXPECT_EQ(bw, Bytes(4, 0));
    } else if (auto r = KnownReplacement(so, pitch_index, read)) {
      if (r->i32) {
        EXPECT_EQ(test::I32At(written, sw.begin), *r->i32);
      }
      if (r->f64) {
        EXPECT_EQ(test::F64At(written, sw.begin), *r->f64);
      }
      if (r->text) {
        EXPECT_EQ(w.Str(so.name, so.row), *r->text);
        EXPECT_EQ(bw.at(0) == 0xFF, bo.at(0) == 0xFF) << "string form changed";
      }
    } else {
      EXPECT_EQ(bw, bo);
    }
  }
  // After the header everything is reproduced exactly.
  const size_t oe = o.HeaderEnd();
  const size_t we = w.HeaderEnd();
  ASSERT_EQ(original.size() - oe, written.size() - we);
  for (size_t k = 0; oe + k < original.size(); ++k) {
    if (original[oe + k] != written[we + k]) {
      ADD_FAILURE() << "first difference after the header at original offset " << oe + k;
      break;
    }
  }
}

TEST(JwwRoundTripTest, SamplesAreRewrittenByteForByteInTheirOwnVersion) {
  const auto samples = test::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "sample drawings folder not found";
  for (const auto& path : samples) {
    SCOPED_TRACE(test::Utf8Of(path.filename()));
    test::ScopedTempDir images;
    const Bytes original = test::ReadBytes(path);
    TJwwData doc;
    doc.BindImageFolder = (images.path() / "").u16string();
    doc.BindImageExp = true;
    doc.BindImageExr = true;
    ASSERT_TRUE(FileInMemory(doc, original.data(), original.size()));
    SetFileOutOption(doc, doc.MojiEncode ? kFileOutUnicode : 0);
    const Bytes written = test::WriteToBuffer(doc, doc.Enthd.jwVer);
    ExpectSameExceptKnownFields(original, written, doc);
  }
}

// A writer that changed a value the masks do not cover must be caught.
TEST(JwwRoundTripTest, ComparisonCatchesAChangedHeaderValue) {
  const auto samples = test::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "sample drawings folder not found";
  const Bytes original = test::ReadBytes(samples.front());
  TJwwData doc;
  ASSERT_TRUE(FileInMemory(doc, original.data(), original.size()));
  SetFileOutOption(doc, doc.MojiEncode ? kFileOutUnicode : 0);
  doc.EntLtpS[5].anTokushuSenPich += 1;
  const Bytes written = test::WriteToBuffer(doc, doc.Enthd.jwVer);
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    ExpectSameExceptKnownFields(original, written, doc);
  }
  EXPECT_EQ(failures.size(), 1);
}

}  // namespace
}  // namespace plandock
