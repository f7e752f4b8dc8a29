#include "document/header_io.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

enum class StrKind {
  kMemo,   // kept as stored: the one string that may hold a line break
  kClean,  // control characters dropped on reading, cleaned on writing
};

// The header record and the tables the header stores, held apart from the
// document so that the writer can apply its value rules to a copy.
struct HeaderTables {
  TEntJwwHeader Enthd;
  std::vector<TEntJwwLayerGroup> EntLgrp;
  std::vector<TEntJwwLayer> EntLay;
  std::vector<TEntJwwColorNo> EntCol;
  std::vector<TEntJwwLineTypeNo> EntLtp1;
  std::vector<TEntJwwRandomLineNo> EntLtp2;
  std::vector<TEntJwwLineTypeNo> EntLtp3;
  std::vector<TEntJwwColorExNo> EntColS;
  std::vector<TEntJwwLineTypeExNo> EntLtpS;
  std::vector<TEntJwwMojiType> EntMoj;
};

void SizeTables(HeaderTables& t) {
  t.EntLgrp.resize(kLayerGroupCount);
  t.EntLay.resize(kLayerGroupCount * kLayersPerGroup);
  t.EntCol.resize(kPenColorCount);
  t.EntLtp1.resize(kLineTypeCount);
  t.EntLtp2.resize(kRandomLineCount);
  t.EntLtp3.resize(kDoublePitchCount);
  t.EntColS.resize(kSxfColorCount);
  t.EntLtpS.resize(kSxfLineTypeCount);
  t.EntMoj.resize(kTextTypeCount);
}

// The stored layout after magic and version, in file order. Every version
// gate of the header lives here and nowhere else.
template <class V>
void WalkHeaderFields(V& v, HeaderTables& t, int32_t ver) {
  TEntJwwHeader& h = t.Enthd;
  v.Str(h.strMemo, StrKind::kMemo, "strMemo", -1);
  v.I32(h.nZumen, "nZumen", -1);
  v.I32(h.nWriteGLay, "nWriteGLay", -1);
  for (int g = 0; g < kLayerGroupCount; ++g) {
    TEntJwwLayerGroup& grp = t.EntLgrp[g];
    v.I32(grp.anGLay, "EntLgrp.anGLay", g);
    v.I32(grp.anWriteLay, "EntLgrp.anWriteLay", g);
    v.F64(grp.adScale, "EntLgrp.adScale", g);
    v.I32(grp.anGLayProtect, "EntLgrp.anGLayProtect", g);
    for (int l = 0; l < kLayersPerGroup; ++l) {
      const int row = g * kLayersPerGroup + l;
      v.I32(t.EntLay[row].aanLay, "EntLay.aanLay", row);
      v.I32(t.EntLay[row].aanLayProtect, "EntLay.aanLayProtect", row);
    }
  }
  v.Reserved(56, 0x20, "reserved56");
  v.I32(h.lnSunpou1, "lnSunpou1", -1);
  v.I32(h.lnSunpou2, "lnSunpou2", -1);
  v.I32(h.lnSunpou3, "lnSunpou3", -1);
  v.I32(h.lnSunpou4, "lnSunpou4", -1);
  v.I32(h.lnSunpou5, "lnSunpou5", -1);
  v.Reserved(4, 0x00, "reserved4");
  v.I32(h.nMaxDrawWid, "nMaxDrawWid", -1);
  v.F64(h.DPPrtGenten_x, "DPPrtGenten_x", -1);
  v.F64(h.DPPrtGenten_y, "DPPrtGenten_y", -1);
  v.F64(h.dPrtBairitsu, "dPrtBairitsu", -1);
  v.I32(h.nPrtSet, "nPrtSet", -1);
  v.I32(h.nMemoriMode, "nMemoriMode", -1);
  v.F64(h.dMemoriHyoujiMin, "dMemoriHyoujiMin", -1);
  v.F64(h.dMemoriX, "dMemoriX", -1);
  v.F64(h.dMemoriY, "dMemoriY", -1);
  v.F64(h.DpMemoriKjTen_x, "DpMemoriKjTen_x", -1);
  v.F64(h.DpMemoriKjTen_y, "DpMemoriKjTen_y", -1);
  for (int row = 0; row < kLayerGroupCount * kLayersPerGroup; ++row) {
    v.Str(t.EntLay[row].aStrLayName, StrKind::kClean, "EntLay.aStrLayName", row);
  }
  for (int g = 0; g < kLayerGroupCount; ++g) {
    v.Str(t.EntLgrp[g].aStrGLayName, StrKind::kClean, "EntLgrp.aStrGLayName", g);
  }
  v.F64(h.dKageLevel, "dKageLevel", -1);
  v.F64(h.dKageIdo, "dKageIdo", -1);
  v.I32(h.nKage9_15JiFlg, "nKage9_15JiFlg", -1);
  v.F64(h.dKabeKageLevel, "dKabeKageLevel", -1);
  if (ver >= kSinceSkyView) {
    v.F64(h.dTenkuuZuLevel, "dTenkuuZuLevel", -1);
    v.F64(h.dTenkuuZuEnkoR, "dTenkuuZuEnkoR", -1);
  }
  v.I32(h.nMMTani3D, "nMMTani3D", -1);
  v.F64(h.dBairitsu, "dBairitsu", -1);
  v.F64(h.DPGenten_x, "DPGenten_x", -1);
  v.F64(h.DPGenten_y, "DPGenten_y", -1);
  v.F64(h.dHanniBairitsu, "dHanniBairitsu", -1);
  v.F64(h.DPHanniGenten_x, "DPHanniGenten_x", -1);
  v.F64(h.DPHanniGenten_y, "DPHanniGenten_y", -1);
  const bool eight_jumps = ver >= kSinceEightZoomJumps;
  for (int i = 0; i < (eight_jumps ? 8 : 4); ++i) {
    v.F64(h.dZoomJumpBairitsu[i], "dZoomJumpBairitsu", i);
    v.F64(h.DPZoomJumpGenten_x[i], "DPZoomJumpGenten_x", i);
    v.F64(h.DPZoomJumpGenten_y[i], "DPZoomJumpGenten_y", i);
    if (eight_jumps) v.I32(h.nZoomJumpGLay[i], "nZoomJumpGLay", i);
  }
  if (eight_jumps) {
    v.F64(h.dDm11, "dDm11", -1);
    v.F64(h.dDm12, "dDm12", -1);
    v.F64(h.dDm13, "dDm13", -1);
    v.I32(h.lnDm1, "lnDm1", -1);
    v.F64(h.dDm21, "dDm21", -1);
    v.F64(h.dDm22, "dDm22", -1);
    v.F64(h.dMojiBG, "dMojiBG", -1);
    v.I32(h.nMojiBG, "nMojiBG", -1);
  }
  for (int i = 0; i < 10; ++i) v.F64(h.adFukusenSuuchi[i], "adFukusenSuuchi", i);
  v.F64(h.dRyougawaFukusenTomeDe, "dRyougawaFukusenTomeDe", -1);
  for (int i = 0; i < kPenColorCount; ++i) {
    v.I32(t.EntCol[i].aPenColor, "EntCol.aPenColor", i);
    v.I32(t.EntCol[i].anPenWidth, "EntCol.anPenWidth", i);
  }
  for (int i = 0; i < kPenColorCount; ++i) {
    v.I32(t.EntCol[i].aPrtPenColor, "EntCol.aPrtPenColor", i);
    v.I32(t.EntCol[i].anPrtPenWidth, "EntCol.anPrtPenWidth", i);
    v.F64(t.EntCol[i].adPrtTenHankei, "EntCol.adPrtTenHankei", i);
  }
  for (int i = 0; i < kLineTypeCount; ++i) {
    v.I32(t.EntLtp1[i].alLType, "EntLtp1.alLType", i);
    v.I32(t.EntLtp1[i].anTokushuSenUintDot, "EntLtp1.anTokushuSenUintDot", i);
    v.I32(t.EntLtp1[i].anTokushuSenPich, "EntLtp1.anTokushuSenPich", i);
    v.I32(t.EntLtp1[i].anPrtTokushuSenPich, "EntLtp1.anPrtTokushuSenPich", i);
  }
  for (int i = 0; i < kRandomLineCount; ++i) {
    v.I32(t.EntLtp2[i].alLType, "EntLtp2.alLType", i);
    v.I32(t.EntLtp2[i].anRandSenWide, "EntLtp2.anRandSenWide", i);
    v.I32(t.EntLtp2[i].anTokushuSenPich, "EntLtp2.anTokushuSenPich", i);
    v.I32(t.EntLtp2[i].anPrtRandSenWide, "EntLtp2.anPrtRandSenWide", i);
    v.I32(t.EntLtp2[i].anPrtTokushuSenPich, "EntLtp2.anPrtTokushuSenPich", i);
  }
  for (int i = 0; i < kDoublePitchCount; ++i) {
    v.I32(t.EntLtp3[i].alLType, "EntLtp3.alLType", i);
    v.I32(t.EntLtp3[i].anTokushuSenUintDot, "EntLtp3.anTokushuSenUintDot", i);
    v.I32(t.EntLtp3[i].anTokushuSenPich, "EntLtp3.anTokushuSenPich", i);
    v.I32(t.EntLtp3[i].anPrtTokushuSenPich, "EntLtp3.anPrtTokushuSenPich", i);
  }
  v.I32(h.nDrawGamenTen, "nDrawGamenTen", -1);
  v.I32(h.nDrawPrtTen, "nDrawPrtTen", -1);
  v.I32(h.nBitMapFirstDraw, "nBitMapFirstDraw", -1);
  v.I32(h.nGyakuDraw, "nGyakuDraw", -1);
  v.I32(h.nGyakuSearch, "nGyakuSearch", -1);
  v.I32(h.nColorPrint, "nColorPrint", -1);
  v.I32(h.nLayJunPrint, "nLayJunPrint", -1);
  v.I32(h.nColJunPrint, "nColJunPrint", -1);
  v.I32(h.nPrtRenzoku, "nPrtRenzoku", -1);
  v.I32(h.nPrtKyoutsuuGray, "nPrtKyoutsuuGray", -1);
  // Holds the packed print value (nPrtDpi in the tens) while in the file.
  v.I32(h.nPrtDispOnlyNonDraw, "nPrtDispOnlyNonDraw", -1);
  if (ver >= kSinceEyeSettings) {
    v.I32(h.lnDrawTime, "lnDrawTime", -1);
    v.I32(h.nEyeInit, "nEyeInit", -1);
    v.I32(h.dEye_H_Ichi_1, "dEye_H_Ichi_1", -1);
    v.I32(h.dEye_H_Ichi_2, "dEye_H_Ichi_2", -1);
    v.I32(h.dEye_H_Ichi_3, "dEye_H_Ichi_3", -1);
    v.F64(h.dEye_Z_Ichi_1, "dEye_Z_Ichi_1", -1);
    v.F64(h.dEye_Y_Ichi_1, "dEye_Y_Ichi_1", -1);
    v.F64(h.dEye_Z_Ichi_2, "dEye_Z_Ichi_2", -1);
    v.F64(h.dEye_Y_Ichi_2, "dEye_Y_Ichi_2", -1);
    v.F64(h.dEye_V_Ichi_3, "dEye_V_Ichi_3", -1);
  }
  if (ver >= kSinceDimSettings) {
    v.F64(h.dSenNagasaSnpou, "dSenNagasaSnpou", -1);
    v.F64(h.dBoxSunpouX, "dBoxSunpouX", -1);
    v.F64(h.dBoxSunpouY, "dBoxSunpouY", -1);
    v.F64(h.dEnHankeiSnpou, "dEnHankeiSnpou", -1);
  }
  if (ver >= kSinceSolidColor) {
    v.I32(h.nSolidNinniColor, "nSolidNinniColor", -1);
    v.I32(h.SolidColor, "SolidColor", -1);
  }
  if (ver >= kSinceSxfTables) {
    for (int i = 0; i < kSxfColorCount; ++i) {
      v.I32(t.EntColS[i].aPenColor, "EntColS.aPenColor", i);
      v.I32(t.EntColS[i].anPenWidth, "EntColS.anPenWidth", i);
    }
    for (int i = 0; i < kSxfColorCount; ++i) {
      TEntJwwColorExNo& c = t.EntColS[i];
      v.Str(c.astrUDColorName, StrKind::kClean, "EntColS.astrUDColorName", i);
      v.I32(c.aPrtPenColor, "EntColS.aPrtPenColor", i);
      v.I32(c.anPrtPenWidth, "EntColS.anPrtPenWidth", i);
      v.F64(c.adPrtTenHankei, "EntColS.adPrtTenHankei", i);
    }
    for (int i = 0; i < kSxfLineTypeCount; ++i) {
      TEntJwwLineTypeExNo& lt = t.EntLtpS[i];
      v.I32(lt.alLType, "EntLtpS.alLType", i);
      v.I32(lt.anTokushuSenUintDot, "EntLtpS.anTokushuSenUintDot", i);
      v.I32(lt.anTokushuSenPich, "EntLtpS.anTokushuSenPich", i);
      v.I32(lt.anPrtTokushuSenPich, "EntLtpS.anPrtTokushuSenPich", i);
    }
    for (int i = 0; i < kSxfLineTypeCount; ++i) {
      TEntJwwLineTypeExNo& lt = t.EntLtpS[i];
      v.Str(lt.astrUDLTypeName, StrKind::kClean, "EntLtpS.astrUDLTypeName", i);
      v.I32(lt.anUDLTypeSegment, "EntLtpS.anUDLTypeSegment", i);
      for (double& pitch : lt.aadUDLTypePitch) v.F64(pitch, "EntLtpS.aadUDLTypePitch", i);
    }
  }
  for (int i = 0; i < kTextTypeCount; ++i) {
    v.F64(t.EntMoj[i].adMojiX, "EntMoj.adMojiX", i);
    v.F64(t.EntMoj[i].adMojiY, "EntMoj.adMojiY", i);
    v.F64(t.EntMoj[i].adMojiD, "EntMoj.adMojiD", i);
    v.I32(t.EntMoj[i].anMojiCol, "EntMoj.anMojiCol", i);
  }
  v.F64(h.dMojiSizeX, "dMojiSizeX", -1);
  v.F64(h.dMojiSizeY, "dMojiSizeY", -1);
  v.F64(h.dMojiKankaku, "dMojiKankaku", -1);
  v.I32(h.nMojiColor, "nMojiColor", -1);
  v.I32(h.nMojiShu, "nMojiShu", -1);
  v.F64(h.dMojiSeiriGyouKan, "dMojiSeiriGyouKan", -1);
  v.F64(h.dMojiSeiriSuu, "dMojiSeiriSuu", -1);
  v.I32(h.nMojiKijunZureOn, "nMojiKijunZureOn", -1);
  v.F64(h.adMojiKijunZureX0, "adMojiKijunZureX0", -1);
  v.F64(h.adMojiKijunZureX1, "adMojiKijunZureX1", -1);
  v.F64(h.adMojiKijunZureX2, "adMojiKijunZureX2", -1);
  v.F64(h.adMojiKijunZureY0, "adMojiKijunZureY0", -1);
  v.F64(h.adMojiKijunZureY1, "adMojiKijunZureY1", -1);
  v.F64(h.adMojiKijunZureY2, "adMojiKijunZureY2", -1);  // must stay the last field
}

class FieldReader {
 public:
  explicit FieldReader(ArchiveReader& in) : in_(in) {}
  void I32(int32_t& v, const char*, int) { v = in_.I32(); }
  void F64(double& v, const char*, int) { v = in_.F64(); }
  void Str(std::u16string& s, StrKind kind, const char*, int) {
    s = kind == StrKind::kMemo ? in_.ReadMfcString() : in_.ReadCleanString();
  }
  void Reserved(size_t n, uint8_t, const char*) { in_.Skip(n); }

 private:
  ArchiveReader& in_;
};

class FieldWriter {
 public:
  explicit FieldWriter(ArchiveWriter& out) : out_(out) {}
  void I32(int32_t v, const char*, int) { out_.I32(v); }
  void F64(double v, const char*, int) { out_.F64(v); }
  void Str(const std::u16string& s, StrKind, const char*, int) { out_.WriteMfcString(s); }
  void Reserved(size_t n, uint8_t fill, const char*) {
    out_.buffer().insert(out_.buffer().end(), n, fill);
  }

 private:
  ArchiveWriter& out_;
};

class SpanRecorder {
 public:
  explicit SpanRecorder(ArchiveReader& in) : in_(in), reader_(in) {}
  void I32(int32_t& v, const char* name, int row) {
    const size_t begin = in_.pos();
    reader_.I32(v, name, row);
    Add(name, row, begin);
  }
  void F64(double& v, const char* name, int row) {
    const size_t begin = in_.pos();
    reader_.F64(v, name, row);
    Add(name, row, begin);
  }
  void Str(std::u16string& s, StrKind kind, const char* name, int row) {
    const size_t begin = in_.pos();
    reader_.Str(s, kind, name, row);
    Add(name, row, begin);
  }
  void Reserved(size_t n, uint8_t fill, const char* name) {
    const size_t begin = in_.pos();
    reader_.Reserved(n, fill, name);
    Add(name, -1, begin);
  }
  void Add(const char* name, int row, size_t begin) { spans.push_back({name, row, begin, in_.pos()}); }

  std::vector<HeaderFieldSpan> spans;

 private:
  ArchiveReader& in_;
  FieldReader reader_;
};

bool Fail(ReadFailure* why, ReadFailure reason) {
  if (why != nullptr) *why = reason;
  return false;
}

// Line-width mode codes carry the width they stand for.
int32_t DecodeMaxDrawWidth(int32_t w) {
  if (w > -101) return w;
  if (w >= -500 && w <= -401) return 400 + w;  // 400 - |w|
  if (w >= -300 && w <= -201) return -w - 200;  // |w| - 200
  return -100;
}

void DeriveAfterRead(HeaderTables& t) {
  TEntJwwHeader& h = t.Enthd;
  h.bSenHaba100 = h.nMaxDrawWid <= -101;
  h.nMaxDrawWidBak = DecodeMaxDrawWidth(h.nMaxDrawWid);
  const int32_t packed = h.nPrtDispOnlyNonDraw;
  h.nPrtDpi = packed / 10;
  h.nPrtDispOnlyNonDraw = packed % 10;
  auto size_or = [](double& x, double fallback) {
    if (!IsFiniteDouble(x)) x = fallback;
  };
  for (TEntJwwMojiType& m : t.EntMoj) {
    size_or(m.adMojiX, 3.0);
    size_or(m.adMojiY, 3.0);
    size_or(m.adMojiD, 0.0);
  }
  size_or(h.dMojiSizeX, 3.0);
  size_or(h.dMojiSizeY, 3.0);
  size_or(h.dMojiKankaku, 0.0);
}

bool ReadInto(ArchiveReader& in, HeaderTables& t, ReadFailure* why) {
  t.Enthd.jwID = AnsiBytesToText(in.Bytes(8));
  if (t.Enthd.jwID != u"JwwData.") return Fail(why, ReadFailure::kHeader);
  t.Enthd.jwVer = in.I32();
  if (t.Enthd.jwVer < kMinReadVersion || t.Enthd.jwVer > kMaxReadVersion) {
    return Fail(why, ReadFailure::kVersion);
  }
  FieldReader reader(in);
  WalkHeaderFields(reader, t, t.Enthd.jwVer);
  const bool last_field_arrived = in.last_got() > 0;
  DeriveAfterRead(t);
  if (!last_field_arrived) return Fail(why, ReadFailure::kIo);
  return true;
}

void MoveInto(HeaderTables& t, TJwwData& doc) {
  doc.Enthd = std::move(t.Enthd);
  doc.EntLgrp = std::move(t.EntLgrp);
  doc.EntLay = std::move(t.EntLay);
  doc.EntCol = std::move(t.EntCol);
  doc.EntLtp1 = std::move(t.EntLtp1);
  doc.EntLtp2 = std::move(t.EntLtp2);
  doc.EntLtp3 = std::move(t.EntLtp3);
  doc.EntColS = std::move(t.EntColS);
  doc.EntLtpS = std::move(t.EntLtpS);
  doc.EntMoj = std::move(t.EntMoj);
}

HeaderTables CopyOf(const TJwwData& doc) {
  HeaderTables t{doc.Enthd,   doc.EntLgrp, doc.EntLay,  doc.EntCol,  doc.EntLtp1,
                 doc.EntLtp2, doc.EntLtp3, doc.EntColS, doc.EntLtpS, doc.EntMoj};
  SizeTables(t);
  return t;
}

// ---- Writer value rules, each applied to the copy that is written ----

std::u16string CleanName(const std::u16string& s) {
  return s.empty() ? s : SanitizeCadText(s);
}

// A name that cleaning leaves blank is replaced by its prefix and row number.
std::u16string CleanOrNumberedName(const std::u16string& s, const char16_t* prefix, int row) {
  std::u16string clean = CleanName(s);
  if (IsBlank(clean)) return prefix + IntToText(row);
  return clean;
}

int32_t RgbOrZero(int32_t c) { return c < 0 || c > 0xFFFFFF ? 0 : c; }

template <class T>
T Clamp(T x, T lo, T hi) {
  if (x < lo) return lo;
  if (x > hi) return hi;
  return x;  // also NaN, which no comparison moves
}

double TextSizeForWrite(double x) { return Clamp(std::fabs(x), 1e-10, 1e10); }

void ApplyLineWidthRule(TEntJwwHeader& h, int32_t ver) {
  if (ver <= kLastNarrowLineWidthMode && h.nMaxDrawWid < -101) h.nMaxDrawWid = -101;
}

void PackPrintValue(TEntJwwHeader& h, int32_t ver) {
  if (ver < kSincePrintDpi) return;
  const int64_t tens = h.nPrtDpi > 0 ? int64_t{10} * h.nPrtDpi : 10;
  h.nPrtDispOnlyNonDraw = static_cast<int32_t>(h.nPrtDispOnlyNonDraw + tens);
}

void CleanLayerNames(HeaderTables& t) {
  for (TEntJwwLayer& l : t.EntLay) l.aStrLayName = CleanName(l.aStrLayName);
  for (TEntJwwLayerGroup& g : t.EntLgrp) g.aStrGLayName = CleanName(g.aStrGLayName);
}

void ApplyPenColorRules(HeaderTables& t) {
  for (TEntJwwColorNo& c : t.EntCol) {
    c.aPenColor = RgbOrZero(c.aPenColor);
    c.anPenWidth = Clamp(c.anPenWidth, 1, 16);
    c.aPrtPenColor = RgbOrZero(c.aPrtPenColor);
    c.anPrtPenWidth = Clamp(c.anPrtPenWidth, 1, 500);
    c.adPrtTenHankei = Clamp(c.adPrtTenHankei, 0.1, 10.0);
  }
  t.EntCol[0].aPrtPenColor = 0xFFFFFF;  // the background prints white
}

// SXF colours 17 and up are user-defined: they print in their screen colour.
constexpr int kFirstUserSxfColor = 17;
constexpr int kFirstUserSxfLineType = 17;

void ApplySxfColorRules(HeaderTables& t) {
  for (int i = 0; i < kSxfColorCount; ++i) {
    TEntJwwColorExNo& c = t.EntColS[i];
    c.astrUDColorName = CleanOrNumberedName(c.astrUDColorName, u"Color_", i);
    if (i >= kFirstUserSxfColor) c.aPrtPenColor = c.aPenColor;
  }
}

bool IsUsableSegmentCount(int32_t n) { return n == 2 || n == 4 || n == 6 || n == 8; }

// A user-defined line type without a usable dash pattern gets a plain
// two-segment pattern, so the CAD program can draw it.
void ReplaceUnusableLineType(TEntJwwLineTypeExNo& lt, int row) {
  lt.alLType = static_cast<int32_t>(0xC3C3C3C3u);
  lt.anTokushuSenUintDot = 8;
  lt.anTokushuSenPich = 1;
  lt.anPrtTokushuSenPich = 8;
  lt.astrUDLTypeName = u"LType_" + IntToText(row);
  lt.anUDLTypeSegment = 2;
  lt.aadUDLTypePitch = {1.0, 1.0, 0, 0, 0, 0, 0, 0, 0, 0};
}

void ApplySxfLineTypeRules(HeaderTables& t) {
  for (int i = 0; i < kSxfLineTypeCount; ++i) {
    TEntJwwLineTypeExNo& lt = t.EntLtpS[i];
    if (i >= kFirstUserSxfLineType && !IsUsableSegmentCount(lt.anUDLTypeSegment)) {
      ReplaceUnusableLineType(lt, i);
    }
    if (lt.alLType == 0) lt.alLType = -1;
    lt.astrUDLTypeName = CleanOrNumberedName(lt.astrUDLTypeName, u"LType_", i);
  }
}

void ClampTextSizes(HeaderTables& t) {
  for (TEntJwwMojiType& m : t.EntMoj) {
    m.adMojiX = TextSizeForWrite(m.adMojiX);
    m.adMojiY = TextSizeForWrite(m.adMojiY);
  }
  t.Enthd.dMojiSizeX = TextSizeForWrite(t.Enthd.dMojiSizeX);
  t.Enthd.dMojiSizeY = TextSizeForWrite(t.Enthd.dMojiSizeY);
}

HeaderTables PrepareForWrite(const TJwwData& doc, int32_t ver) {
  HeaderTables t = CopyOf(doc);
  ApplyLineWidthRule(t.Enthd, ver);
  PackPrintValue(t.Enthd, ver);
  CleanLayerNames(t);
  ApplyPenColorRules(t);
  if (ver >= kSinceSxfTables) {
    ApplySxfColorRules(t);
    ApplySxfLineTypeRules(t);
  }
  ClampTextSizes(t);
  return t;
}

}  // namespace

bool ReadHeader(ArchiveReader& in, TJwwData& doc, ReadFailure* why) {
  HeaderTables t;
  t.Enthd = doc.Enthd;
  SizeTables(t);
  const bool ok = ReadInto(in, t, why);
  MoveInto(t, doc);
  return ok;
}

void WriteHeader(ArchiveWriter& out, const TJwwData& doc, int32_t version) {
  HeaderTables t = PrepareForWrite(doc, version);
  out.Bytes(kJwwMagic, 8);
  out.I32(version);
  FieldWriter writer(out);
  WalkHeaderFields(writer, t, version);
}

std::vector<HeaderFieldSpan> HeaderLayout(const uint8_t* data, size_t size) {
  TJwwData scratch;
  ArchiveReader in(data, size, scratch);
  HeaderTables t;
  SizeTables(t);
  SpanRecorder rec(in);
  t.Enthd.jwID = AnsiBytesToText(in.Bytes(8));
  rec.Add("jwID", -1, 0);
  if (t.Enthd.jwID != u"JwwData.") return {};
  rec.I32(t.Enthd.jwVer, "jwVer", -1);
  if (t.Enthd.jwVer < kMinReadVersion || t.Enthd.jwVer > kMaxReadVersion) return {};
  WalkHeaderFields(rec, t, t.Enthd.jwVer);
  return std::move(rec.spans);
}

}  // namespace plandock
