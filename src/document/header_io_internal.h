// The stored layout of the header and tables, shared by the reader, the
// writer and the layout report of header_io.cpp and by the writer's value
// rules. Not for use outside this folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/header_io.h"
#include "document/layout_internal.h"

namespace plandock::header_io {

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

// Gives every table the fixed length a drawing stores; new rows are zero.
inline void SizeTables(HeaderTables& t) {
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
  if (ver >= layout::kSinceSkyView) {
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
  const bool eight_jumps = ver >= layout::kSinceEightZoomJumps;
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
  if (ver >= layout::kSinceEyeSettings) {
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
  if (ver >= layout::kSinceDimSettings) {
    v.F64(h.dSenNagasaSnpou, "dSenNagasaSnpou", -1);
    v.F64(h.dBoxSunpouX, "dBoxSunpouX", -1);
    v.F64(h.dBoxSunpouY, "dBoxSunpouY", -1);
    v.F64(h.dEnHankeiSnpou, "dEnHankeiSnpou", -1);
  }
  if (ver >= layout::kSinceSolidColor) {
    v.I32(h.nSolidNinniColor, "nSolidNinniColor", -1);
    v.I32(h.SolidColor, "SolidColor", -1);
  }
  if (ver >= layout::kSinceSxf) {
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

// A copy of the document's header and tables with the writer's value rules
// applied for `version`; the tables have their fixed lengths.
HeaderTables PrepareForWrite(const TJwwData& doc, int32_t version);

}  // namespace plandock::header_io
