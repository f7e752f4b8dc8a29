// The record types of a JWW drawing held in memory: plain values, no behaviour.
// Field names keep the drawing format's own vocabulary; each is explained once here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plandock {

// Drawing-order entity kinds (TEntJwwNo::EntType). Stored in files: frozen.
enum EntityKind : int32_t {
  kEntNone = 0,
  kEntLine = 1,
  kEntEnko = 2,     // arc, circle, ellipse
  kEntTen = 3,      // point
  kEntMoji = 4,     // text
  kEntSunpo = 5,    // dimension
  kEntSolid = 6,    // filled polygon or circular solid
  kEntBlock = 7,    // block insertion
  kEntBlockDef = 8  // only as the kind argument of the attribute writer
};

// Layer-group and layer states.
enum LayerState : int32_t {
  kLayHidden = 0,
  kLayDisplayOnly = 1,
  kLayEditable = 2,
  kLayCurrent = 3
};

struct TEntJwwAttr {
  uint32_t lGroup = 0;     // group number shared by entities that belong together
  uint8_t nPenStyle = 0;   // line type
  uint16_t nPenColor = 0;  // 1..9 standard, 10 solid's own colour, 101..356 SXF 1..256
  uint16_t nPenWidth = 0;  // 0 in files of version 350 and below
  uint16_t nLayer = 0;     // layer 0..15 within the group
  uint16_t nGLayer = 0;    // layer group 0..15
  uint16_t sFlg = 0;       // entity flag word, carried through
};

struct TEntJwwLine {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
};

struct TEntJwwEnko {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0;  // centre
  double dHankei = 0;               // radius
  double radKaishiKaku = 0;         // start angle
  double radEnkoKaku = 0;           // swept angle
  double radKatamukiKaku = 0;       // tilt of the ellipse axis
  double dHenpeiRitsu = 0;          // flattening ratio, 1 for a circle
  uint32_t bZenEnFlg = 0;           // full circle or ellipse
};

struct TEntJwwTen {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0;
  uint32_t bKariten = 0;     // provisional point
  uint32_t nCode = 0;        // marker code (pen style 100 only)
  double radKaitenKaku = 0;  // rotation (pen style 100 only)
  double dBairitsu = 0;      // scale factor (pen style 100 only)
};

struct TEntJwwMoji {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
  uint32_t nMojiShu = 0;          // text type 1..10, 0 free size
  double dSizeX = 0, dSizeY = 0;  // character width, height (paper mm)
  double dKankaku = 0;            // character spacing
  double degKakudo = 0;           // direction in degrees
  std::u16string strFontName;
  std::u16string str;  // "^@BM..." marks an embedded image
};

struct TEntJwwSunpo {
  TEntJwwAttr att;
  TEntJwwLine Sen;                // dimension line
  TEntJwwMoji Moji;               // dimension text
  uint16_t bSxfMode = 0;          // SXF dimension: the six parts below are meaningful
  TEntJwwLine Ho1, Ho2;           // auxiliary lines
  TEntJwwTen Te1, Te2, Kt1, Kt2;  // end marks and reference points
};

// Four corners; a circular solid (nPenStyle >= 101) stores centre, radius,
// flattening, tilt, start, sweep and shape/inner radius in the same eight doubles.
struct TEntJwwSolid {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
  double DPoint2_x = 0, DPoint2_y = 0, DPoint3_x = 0, DPoint3_y = 0;
  uint32_t Color = 0;  // own RGB colour when att.nPenColor is 10
};

struct TEntJwwBlock {
  TEntJwwAttr att;
  double DPKijunTen_x = 0, DPKijunTen_y = 0;  // insertion point
  double dBairitsuX = 0, dBairitsuY = 0;      // scale factors
  double radKaitenKaku = 0;                   // rotation
  uint32_t nNumber = 0;                       // number of the inserted definition
};

struct TEntJwwNo {
  int32_t EntType = 0;  // EntityKind
  int32_t EntNo = 0;    // 0-based index in the array EntType names
};

struct TEntJwwBlockDef {
  TEntJwwAttr att;
  uint32_t nNumber = 0;   // block number
  uint32_t bRefferd = 0;  // referenced flag as stored
  uint32_t dtime = 0;     // time stamp, or 1-based file position when the file stored 64 bits
  std::u16string strName;
  std::vector<TEntJwwNo> mNo;  // drawing order inside the block; N == mNo.size()
  std::vector<TEntJwwLine> mLine;
  std::vector<TEntJwwEnko> mEnko;
  std::vector<TEntJwwTen> mTen;
  std::vector<TEntJwwMoji> mMoji;
  std::vector<TEntJwwSunpo> mSunpo;
  std::vector<TEntJwwSolid> mSolid;
  std::vector<TEntJwwBlock> mBlock;
  bool ref_flag = false;  // reached from a top-level insertion
  int32_t ref_no = -1;    // output number among reached definitions, -1 when not reached

  int32_t N() const { return static_cast<int32_t>(mNo.size()); }
  int32_t mLineN() const { return static_cast<int32_t>(mLine.size()); }
  int32_t mEnkoN() const { return static_cast<int32_t>(mEnko.size()); }
  int32_t mTenN() const { return static_cast<int32_t>(mTen.size()); }
  int32_t mMojiN() const { return static_cast<int32_t>(mMoji.size()); }
  int32_t mSunpoN() const { return static_cast<int32_t>(mSunpo.size()); }
  int32_t mSolidN() const { return static_cast<int32_t>(mSolid.size()); }
  int32_t mBlockN() const { return static_cast<int32_t>(mBlock.size()); }
};

struct TEntJwwBlockTree {
  TEntJwwAttr att;
  int32_t level = 0;    // nesting depth, 0 in the drawing
  int32_t parent = -1;  // row of the enclosing insertion
  uint32_t no = 0;      // inserted block number
  int32_t defno = -1;   // index in EntBlockDef, -1 when none
  std::u16string name;
  double x = 0, y = 0;                    // absolute insertion point
  double r1 = 0, r2 = 0, r3 = 0, r4 = 0;  // block (u,v) -> (x + r1 u + r2 v, y + r3 u + r4 v)
};

struct TEntJwwLayerGroup {
  int32_t anGLay = 0;         // state
  int32_t anWriteLay = 0;     // current write layer
  double adScale = 0;         // scale denominator (100 for 1:100)
  int32_t anGLayProtect = 0;  // non-zero protected
  std::u16string aStrGLayName;
};

struct TEntJwwLayer {
  int32_t aanLay = 0;         // state
  int32_t aanLayProtect = 0;  // non-zero protected
  std::u16string aStrLayName;
};

struct TEntJwwColorNo {
  int32_t aPenColor = 0;  // screen colour (0x00BBGGRR)
  int32_t anPenWidth = 0;
  int32_t aPrtPenColor = 0;  // print colour
  int32_t anPrtPenWidth = 0;
  double adPrtTenHankei = 0;  // printed point radius
};

struct TEntJwwColorExNo {
  int32_t aPenColor = 0;
  int32_t anPenWidth = 0;
  std::u16string astrUDColorName;  // name of a user-defined colour
  int32_t aPrtPenColor = 0;
  int32_t anPrtPenWidth = 0;
  double adPrtTenHankei = 0;
};

struct TEntJwwLineTypeNo {
  int32_t alLType = 0;              // 32-step dash pattern, MSB first
  int32_t anTokushuSenUintDot = 0;  // pattern unit in dots
  int32_t anTokushuSenPich = 0;     // screen pitch
  int32_t anPrtTokushuSenPich = 0;  // print pitch
};

struct TEntJwwRandomLineNo {
  int32_t alLType = 0;
  int32_t anRandSenWide = 0;  // screen amplitude
  int32_t anTokushuSenPich = 0;
  int32_t anPrtRandSenWide = 0;  // print amplitude
  int32_t anPrtTokushuSenPich = 0;
};

struct TEntJwwLineTypeExNo {
  int32_t alLType = 0;
  int32_t anTokushuSenUintDot = 0;
  int32_t anTokushuSenPich = 0;
  int32_t anPrtTokushuSenPich = 0;
  std::u16string astrUDLTypeName;            // name of a user-defined line type
  int32_t anUDLTypeSegment = 0;              // used segments 0..10
  std::array<double, 10> aadUDLTypePitch{};  // segment lengths; segment i (1-based) is [i - 1]
};

struct TEntJwwMojiType {
  double adMojiX = 0, adMojiY = 0, adMojiD = 0;  // width, height, spacing
  int32_t anMojiCol = 0;                         // pen colour of the type
};

struct TBindImageType {
  std::u16string Fname;  // relative to BindImageFolder
  int32_t Fsize = 0;
  bool exf = false;
};

// Arrays the format numbers 1..8 are held 0-based: element i (1-based) is [i - 1].
struct TEntJwwHeader {
  std::u16string jwID;  // "JwwData." after a read
  int32_t jwVer = 0;    // 220..700
  std::u16string strMemo;
  int32_t nZumen = 0;      // paper size code
  int32_t nWriteGLay = 0;  // current write layer group
  int32_t lnSunpou1 = 0, lnSunpou2 = 0, lnSunpou3 = 0, lnSunpou4 = 0, lnSunpou5 = 0;
  int32_t nMaxDrawWid = 0;     // maximum line width, or a mode code at -101 and below
  bool bSenHaba100 = false;    // derived: nMaxDrawWid <= -101
  int32_t nMaxDrawWidBak = 0;  // derived
  double DPPrtGenten_x = 0, DPPrtGenten_y = 0;
  double dPrtBairitsu = 1.0;
  int32_t nPrtSet = 0;
  int32_t nMemoriMode = 0;
  double dMemoriHyoujiMin = 1.0;
  double dMemoriX = 1.0, dMemoriY = 1.0;
  double DpMemoriKjTen_x = 0, DpMemoriKjTen_y = 0;
  double dKageLevel = 0, dKageIdo = 0;
  int32_t nKage9_15JiFlg = 0;
  double dKabeKageLevel = 0;
  double dTenkuuZuLevel = 0, dTenkuuZuEnkoR = 0;
  int32_t nMMTani3D = 0;
  double dBairitsu = 1.0;
  double DPGenten_x = 0, DPGenten_y = 0;
  double dHanniBairitsu = 1.0;
  double DPHanniGenten_x = 0, DPHanniGenten_y = 0;
  std::array<double, 8> dZoomJumpBairitsu{1, 1, 1, 1, 1, 1, 1, 1};
  std::array<double, 8> DPZoomJumpGenten_x{};
  std::array<double, 8> DPZoomJumpGenten_y{};
  std::array<int32_t, 8> nZoomJumpGLay{-1, -1, -1, -1, -1, -1, -1, -1};
  double dDm11 = 0, dDm12 = 0, dDm13 = 0;
  int32_t lnDm1 = 0;
  double dDm21 = 0, dDm22 = 0;
  double dMojiBG = 0;
  int32_t nMojiBG = 0;
  std::array<double, 10> adFukusenSuuchi{};  // indexed 0..9
  double dRyougawaFukusenTomeDe = 0;
  int32_t nDrawGamenTen = 0, nDrawPrtTen = 0;
  int32_t nBitMapFirstDraw = 0;
  int32_t nGyakuDraw = 0, nGyakuSearch = 0;
  int32_t nColorPrint = 0, nLayJunPrint = 0, nColJunPrint = 0;
  int32_t nPrtRenzoku = 0;
  int32_t nPrtKyoutsuuGray = 0;
  int32_t nPrtDispOnlyNonDraw = 0;
  int32_t nPrtDpi = 0;
  int32_t lnDrawTime = 0;
  int32_t nEyeInit = 0;
  int32_t dEye_H_Ichi_1 = 0, dEye_H_Ichi_2 = 0, dEye_H_Ichi_3 = 0;
  double dEye_Z_Ichi_1 = 0, dEye_Y_Ichi_1 = 0, dEye_Z_Ichi_2 = 0, dEye_Y_Ichi_2 = 0,
         dEye_V_Ichi_3 = 0;
  double dSenNagasaSnpou = 0;
  double dBoxSunpouX = 0, dBoxSunpouY = 0;
  double dEnHankeiSnpou = 0;
  int32_t nSolidNinniColor = 0;
  int32_t SolidColor = 0;
  double dMojiSizeX = 0, dMojiSizeY = 0, dMojiKankaku = 0;
  int32_t nMojiColor = 0;
  int32_t nMojiShu = 0;
  double dMojiSeiriGyouKan = 0, dMojiSeiriSuu = 0;
  int32_t nMojiKijunZureOn = 0;
  double adMojiKijunZureX0 = 0, adMojiKijunZureX1 = 0, adMojiKijunZureX2 = 0;
  double adMojiKijunZureY0 = 0, adMojiKijunZureY1 = 0, adMojiKijunZureY2 = 0;
  int32_t n1 = 0;  // derived: EntNo entries in use; kept equal to EntNo.size()
  int32_t n2 = 0;  // derived: block definitions announced in the file
};

}  // namespace plandock
