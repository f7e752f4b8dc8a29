#include "drawing_generator.h"

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "document/block_tree.h"
#include "document/empty_drawing.h"

namespace plandock {
namespace {

// SplitMix64: the standard distributions differ between libraries, and the
// same seed must give the same drawing everywhere.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(0x9E3779B97F4A7C15ull ^ seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  double Uniform(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
  }
  bool Percent(int p) { return Below(100) < p; }
  template <class T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  uint64_t state_;
};

constexpr double kPi = std::numbers::pi;
constexpr double kModule = 455;  // half of the 910 mm planning grid
constexpr double kPlanWidth = 60000, kPlanDepth = 40000;
constexpr int kBlockDefCount = 8;

const char16_t* const kGroupNames[16] = {u"1階平面図",   u"2階平面図", u"3階平面図", u"配置図",
                                         u"立面図 南",   u"立面図 北", u"断面図",    u"矩計図",
                                         u"設備 給排水", u"設備 電気", u"外構",      u"Site plan",
                                         u"Structure",   u"Notes",     u"作業用",    u""};
const char16_t* const kLayerNames[16] = {
    u"通り芯", u"壁",     u"柱",   u"建具", u"寸法", u"文字",  u"家具", u"設備",
    u"ハッチ", u"補助線", u"Grid", u"Dims", u"Text", u"Hatch", u"仮",   u"その他"};
const char16_t* const kJapaneseTexts[] = {u"洋室",
                                          u"和室 6帖",
                                          u"キッチン",
                                          u"玄関",
                                          u"浴室",
                                          u"便所",
                                          u"収納",
                                          u"廊下",
                                          u"リビング・ダイニング 12.5帖",
                                          u"押入",
                                          u"バルコニー",
                                          u"階段",
                                          u"1階平面図 S=1:100",
                                          u"ＵＢ 1616",
                                          u"洗面脱衣室",
                                          u"クローゼット",
                                          u"ホール",
                                          u"駐車場"};
const char16_t* const kAsciiTexts[] = {u"W=1800", u"GL+300",  u"A-101", u"FL", u"D1",
                                       u"SD-2",   u"CH=2400", u"X1",    u"Y3", u"AW-3 1690x1170"};
const char16_t* const kFonts[] = {u"ＭＳ ゴシック", u"ＭＳ 明朝", u"ＭＳ Ｐゴシック", u"Arial"};
const char16_t* const kSxfColorNames[17] = {
    u"",           u"black",     u"red",      u"green",     u"blue",    u"yellow",
    u"magenta",    u"cyan",      u"white",    u"deeppink",  u"brown",   u"orange",
    u"lightgreen", u"lightblue", u"lavender", u"lightgray", u"darkgray"};
const char16_t* const kSxfLineTypeNames[17] = {u"",
                                               u"continuous",
                                               u"dashed",
                                               u"dashed spaced",
                                               u"long dashed dotted",
                                               u"long dashed double-dotted",
                                               u"long dashed triplicate-dotted",
                                               u"dotted",
                                               u"chain",
                                               u"chain double dash",
                                               u"dashed dotted",
                                               u"double-dashed dotted",
                                               u"dashed double-dotted",
                                               u"double-dashed double-dotted",
                                               u"dashed triplicate-dotted",
                                               u"double-dashed triplicate-dotted",
                                               u"dashed 2"};

double Snap(double v) { return std::round(v / kModule) * kModule; }

std::u16string Number(int64_t n) {
  std::string ascii = std::to_string(n);
  return std::u16string(ascii.begin(), ascii.end());
}

TEntJwwAttr MakeAttr(Rng& rng) {
  TEntJwwAttr a;
  a.lGroup = rng.Percent(90) ? 0 : static_cast<uint32_t>(rng.Below(500));
  a.nPenStyle = static_cast<uint8_t>(rng.Percent(80)   ? 1
                                     : rng.Percent(85) ? 2 + rng.Below(8)
                                                       : 31 + rng.Below(16));
  a.nPenColor = static_cast<uint16_t>(rng.Percent(95) ? 1 + rng.Below(9) : 101 + rng.Below(16));
  a.nPenWidth = static_cast<uint16_t>(rng.Percent(90) ? 0 : 1 + rng.Below(16));
  a.nGLayer = static_cast<uint16_t>(rng.Percent(70) ? 0 : rng.Below(16));
  a.nLayer = static_cast<uint16_t>(rng.Below(16));
  return a;
}

TEntJwwLine MakeLine(Rng& rng, double x0, double y0, double reach) {
  TEntJwwLine l;
  l.att = MakeAttr(rng);
  l.start_x = Snap(x0 + rng.Uniform(0, reach));
  l.start_y = Snap(y0 + rng.Uniform(0, reach));
  double len = Snap(rng.Uniform(kModule, reach / 4 + kModule));
  switch (rng.Below(10)) {
    case 0:  // diagonal: roofs, stairs, hatching
      l.end_x = l.start_x + len * 0.6;
      l.end_y = l.start_y + len * 0.8;
      break;
    case 1:
    case 2:
    case 3:
    case 4:
      l.end_x = l.start_x + len;
      l.end_y = l.start_y;
      break;
    default:
      l.end_x = l.start_x;
      l.end_y = l.start_y + len;
  }
  return l;
}

TEntJwwEnko MakeArc(Rng& rng, double x0, double y0, double reach) {
  TEntJwwEnko e;
  e.att = MakeAttr(rng);
  e.start_x = Snap(x0 + rng.Uniform(0, reach));
  e.start_y = Snap(y0 + rng.Uniform(0, reach));
  e.dHankei = rng.Percent(50) ? 800 : rng.Uniform(50, 3000);
  e.dHenpeiRitsu = 1;
  int shape = rng.Below(10);
  if (shape < 4) {  // circle
    e.radEnkoKaku = 2 * kPi;
    e.bZenEnFlg = 1;
  } else if (shape < 9) {  // door swing and other arcs
    e.radKaishiKaku = rng.Below(4) * kPi / 2;
    e.radEnkoKaku = rng.Percent(70) ? kPi / 2 : rng.Uniform(0.1, kPi);
  } else {  // ellipse
    e.radEnkoKaku = 2 * kPi;
    e.bZenEnFlg = 1;
    e.dHenpeiRitsu = rng.Uniform(0.3, 0.9);
    e.radKatamukiKaku = rng.Uniform(0, kPi);
  }
  return e;
}

TEntJwwTen MakePoint(Rng& rng, double x, double y) {
  TEntJwwTen t;
  t.att = MakeAttr(rng);
  t.att.nPenStyle = 1;
  t.start_x = x;
  t.start_y = y;
  t.bKariten = rng.Percent(20) ? 1 : 0;
  if (rng.Percent(5)) {  // marker point
    t.att.nPenStyle = 100;
    t.nCode = static_cast<uint32_t>(1 + rng.Below(20));
    t.radKaitenKaku = rng.Below(4) * kPi / 2;
    t.dBairitsu = 1;
  }
  return t;
}

TEntJwwMoji MakeText(Rng& rng, const TJwwData& doc, double x, double y, std::u16string str) {
  TEntJwwMoji m;
  m.att = MakeAttr(rng);
  m.att.nPenStyle = 1;
  m.start_x = x;
  m.start_y = y;
  m.nMojiShu = static_cast<uint32_t>(rng.Percent(90) ? 1 + rng.Below(10) : 0);
  if (m.nMojiShu > 0) {
    const TEntJwwMojiType& type = doc.EntMoj[m.nMojiShu - 1];
    m.dSizeX = type.adMojiX;
    m.dSizeY = type.adMojiY;
    m.dKankaku = type.adMojiD;
  } else {
    m.dSizeX = m.dSizeY = rng.Uniform(1.5, 12);
  }
  m.degKakudo = rng.Percent(85) ? 0 : 90;
  double paper_len = static_cast<double>(str.size()) * (m.dSizeX + m.dKankaku);
  double len = paper_len * doc.EntLgrp[m.att.nGLayer].adScale;
  m.end_x = x + (m.degKakudo == 0 ? len : 0);
  m.end_y = y + (m.degKakudo == 0 ? 0 : len);
  m.strFontName = rng.Pick(kFonts);
  m.str = std::move(str);
  return m;
}

std::u16string RandomText(Rng& rng) {
  if (rng.Percent(60)) return rng.Pick(kJapaneseTexts);
  if (rng.Percent(50)) return rng.Pick(kAsciiTexts);
  return Number(rng.Below(20000));
}

TEntJwwSunpo MakeDimension(Rng& rng, const TJwwData& doc, double x, double y) {
  TEntJwwSunpo s;
  s.att = MakeAttr(rng);
  bool horizontal = rng.Percent(50);
  double len = kModule * (1 + rng.Below(16));
  double ex = horizontal ? x + len : x, ey = horizontal ? y : y + len;
  s.Sen.att = s.att;
  s.Sen.start_x = x;
  s.Sen.start_y = y;
  s.Sen.end_x = ex;
  s.Sen.end_y = ey;
  s.Moji = MakeText(rng, doc, (x + ex) / 2, (y + ey) / 2, Number(static_cast<int64_t>(len)));
  s.Moji.att.nGLayer = s.att.nGLayer;
  s.Moji.att.nLayer = s.att.nLayer;
  s.Moji.degKakudo = horizontal ? 0 : 90;
  if (doc.Enthd.jwVer >= 420 && rng.Percent(50)) {
    s.bSxfMode = 1;
    double off = horizontal ? -600 : 600;
    s.Ho1 = s.Sen;
    s.Ho1.end_x = horizontal ? x : x + off;
    s.Ho1.end_y = horizontal ? y + off : y;
    s.Ho2 = s.Ho1;
    s.Ho2.start_x = ex;
    s.Ho2.start_y = ey;
    s.Ho2.end_x = horizontal ? ex : ex + off;
    s.Ho2.end_y = horizontal ? ey + off : ey;
  }
  // End marks and reference points exist in every dimension, used or not.
  for (auto [p, px, py, kari] : {std::tuple{&s.Te1, x, y, 0u}, std::tuple{&s.Te2, ex, ey, 0u},
                                 std::tuple{&s.Kt1, x, y, 1u}, std::tuple{&s.Kt2, ex, ey, 1u}}) {
    p->att = s.att;
    p->att.nPenStyle = s.bSxfMode ? 100 : 0;
    p->start_x = s.bSxfMode ? px : 0;
    p->start_y = s.bSxfMode ? py : 0;
    p->bKariten = s.bSxfMode ? kari : 0;
    if (s.bSxfMode) {
      p->nCode = 3;
      p->dBairitsu = 1;
    }
  }
  return s;
}

TEntJwwSolid MakeSolid(Rng& rng, double x, double y) {
  TEntJwwSolid s;
  s.att = MakeAttr(rng);
  s.att.nPenStyle = 1;
  if (rng.Percent(30)) {
    s.att.nPenColor = 10;
    s.Color = static_cast<uint32_t>(rng.Below(0x1000000));
  }
  double w = kModule * (1 + rng.Below(4)), h = kModule * (1 + rng.Below(4));
  s.start_x = x;
  s.start_y = y;
  s.end_x = x + w;
  s.end_y = y;
  s.DPoint2_x = x + w;
  s.DPoint2_y = y + h;
  s.DPoint3_x = x;
  s.DPoint3_y = y + h;
  return s;
}

TEntJwwBlock MakeInsertion(Rng& rng, double x, double y, uint32_t number) {
  TEntJwwBlock b;
  b.att = MakeAttr(rng);
  b.att.nPenStyle = 1;
  b.DPKijunTen_x = x;
  b.DPKijunTen_y = y;
  b.dBairitsuX = b.dBairitsuY = rng.Percent(90) ? 1 : rng.Pick({0.5, 2.0});
  if (rng.Percent(5)) b.dBairitsuX = -b.dBairitsuX;  // mirrored door
  b.radKaitenKaku = rng.Below(4) * kPi / 2;
  b.nNumber = number;
  return b;
}

template <class T>
void AddTo(TEntJwwBlockDef& def, std::vector<T>& v, EntityKind kind, T rec) {
  def.mNo.push_back({kind, static_cast<int32_t>(v.size())});
  v.push_back(std::move(rec));
}

// Definitions are numbered by position, which is also how the writer
// renumbers them, so a written drawing reads back with the same numbers.
void MakeBlockDefs(Rng& rng, TJwwData& doc) {
  const char16_t* const names[kBlockDefCount] = {
      u"片開きドア W800",  u"引違い窓 W1690", u"洋便器",     u"洗面台 W750",
      u"キッチン I型2550", u"柱 105角",       u"通り芯記号", u"ユニットバス 1616"};
  for (int i = 0; i < kBlockDefCount; ++i) {
    TEntJwwBlockDef def;
    def.att = MakeAttr(rng);
    def.nNumber = static_cast<uint32_t>(i);
    def.dtime = 0x60000000u + static_cast<uint32_t>(rng.Below(0x1000000));
    def.strName = names[i];
    int lines = 4 + rng.Below(24);
    for (int k = 0; k < lines; ++k)
      AddTo(def, def.mLine, kEntLine, MakeLine(rng, -500, -500, 1000));
    for (int k = rng.Below(3); k > 0; --k)
      AddTo(def, def.mEnko, kEntEnko, MakeArc(rng, -400, -400, 800));
    if (rng.Percent(50)) AddTo(def, def.mTen, kEntTen, MakePoint(rng, 0, 0));
    if (i == 4 || i == 6)
      AddTo(def, def.mMoji, kEntMoji, MakeText(rng, doc, 0, 0, i == 4 ? u"K" : u"X1"));
    if (i == 5) AddTo(def, def.mSolid, kEntSolid, MakeSolid(rng, -52.5, -52.5));
    if (i == 7) {
      AddTo(def, def.mSunpo, kEntSunpo, MakeDimension(rng, doc, 0, -300));
      AddTo(def, def.mBlock, kEntBlock, MakeInsertion(rng, 1200, 300, 3));  // nested wash basin
    }
    doc.EntBlockDef.push_back(std::move(def));
  }
  doc.Enthd.n2 = doc.EntBlockDefN();
}

void FillLayers(Rng& rng, TJwwData& doc) {
  for (int g = 0; g < 16; ++g) {
    TEntJwwLayerGroup& grp = doc.EntLgrp[g];
    grp.anGLay = g == 0 ? kLayCurrent : g < 12 ? kLayEditable : kLayDisplayOnly;
    grp.anWriteLay = rng.Below(16);
    grp.adScale = g == 3 ? 200 : g == 7 ? 20 : 100;
    grp.anGLayProtect = g == 14 ? 1 : 0;
    grp.aStrGLayName = kGroupNames[g];
    for (int l = 0; l < 16; ++l) {
      TEntJwwLayer& lay = doc.EntLay[g * 16 + l];
      lay.aanLay = l == grp.anWriteLay ? kLayCurrent : l == 14 ? kLayHidden : kLayEditable;
      lay.aanLayProtect = l == 9 ? 1 : 0;
      lay.aStrLayName = kLayerNames[l];
    }
  }
}

void FillPensAndLineTypes(TJwwData& doc) {
  const int32_t screen[10] = {0xFFFFFF, 0x000000, 0x0000FF, 0x00C000, 0xFF0000,
                              0xFF00FF, 0xC0C000, 0x00A0A0, 0x808080, 0x0080FF};
  for (int i = 0; i < 10; ++i) {
    doc.EntCol[i] = {screen[i], 1 + i % 3, i == 0 ? 0xFFFFFF : 0x000000, 1 + 2 * i, 0.3};
  }
  const int32_t patterns[8] = {static_cast<int32_t>(0xFFFF0000), static_cast<int32_t>(0xFF00FF00),
                               static_cast<int32_t>(0xF0F0F0F0), static_cast<int32_t>(0xFFF0FFF0),
                               static_cast<int32_t>(0xFF18FF18), static_cast<int32_t>(0xFCCCFCCC),
                               static_cast<int32_t>(0xCCCCCCCC), static_cast<int32_t>(0xAAAAAAAA)};
  for (int i = 0; i < 8; ++i) doc.EntLtp1[i] = {patterns[i], 16 + 2 * i, 1, 1};
  for (int i = 0; i < 5; ++i) doc.EntLtp2[i] = {patterns[i], 2 + i, 1, 4 + i, 1};
  for (int i = 0; i < 4; ++i) doc.EntLtp3[i] = {patterns[i], 32, 2, 2};
}

void FillSxfTables(Rng& rng, TJwwData& doc) {
  for (int i = 0; i < 257; ++i) {
    TEntJwwColorExNo& c = doc.EntColS[i];
    c.aPenColor = rng.Below(0x1000000);
    c.anPenWidth = 1;
    c.astrUDColorName = i <= 16 ? kSxfColorNames[i] : u"UserColor_" + Number(i);
    c.aPrtPenColor = c.aPenColor;
    c.anPrtPenWidth = 1 + rng.Below(10);
    c.adPrtTenHankei = 0.3;
  }
  doc.EntColS[0].astrUDColorName = u"Color_0";
  for (int i = 0; i < 33; ++i) {
    TEntJwwLineTypeExNo& t = doc.EntLtpS[i];
    t.alLType = i == 1 ? -1 : static_cast<int32_t>(0xF0F0F0F0u >> (i % 4));
    t.anTokushuSenUintDot = 8 + i % 8;
    t.anTokushuSenPich = 1;
    t.anPrtTokushuSenPich = 1 + i % 3;
    t.astrUDLTypeName = i == 0    ? u"LType_0"
                        : i <= 16 ? kSxfLineTypeNames[i]
                                  : u"UserLine_" + Number(i);
    t.anUDLTypeSegment = 2 * (1 + i % 4);
    for (int k = 0; k < t.anUDLTypeSegment; ++k) t.aadUDLTypePitch[k] = k % 2 ? 1.0 : 3.0 + i % 5;
  }
}

void FillTextTypes(TJwwData& doc) {
  const double sizes[10] = {2, 2.5, 3, 3.5, 4, 5, 6, 7, 8, 10};
  for (int i = 0; i < 10; ++i) doc.EntMoj[i] = {sizes[i], sizes[i], i < 5 ? 0.0 : 0.5, 1 + i % 9};
}

void FillHeader(TEntJwwHeader& h, int32_t version) {
  h.jwID = u"JwwData.";
  h.jwVer = version;
  h.strMemo = u"ベンチマーク用の合成図面\r\nsynthetic plan";
  h.nZumen = 3;
  h.lnSunpou1 = 1;
  h.lnSunpou2 = 0;
  h.lnSunpou3 = 2;
  h.lnSunpou4 = 1;
  h.lnSunpou5 = 0;
  h.nMaxDrawWid = 2;
  h.nMaxDrawWidBak = 2;
  h.nPrtSet = 1;
  h.dMemoriX = h.dMemoriY = 910;
  h.dTenkuuZuLevel = 10000;
  h.dTenkuuZuEnkoR = 1000;
  h.nMMTani3D = 1;
  for (int i = 0; i < 8; ++i) {
    h.dZoomJumpBairitsu[i] = 1 + i;
    h.DPZoomJumpGenten_x[i] = 1000.0 * i;
    h.DPZoomJumpGenten_y[i] = 500.0 * i;
    h.nZoomJumpGLay[i] = i % 2 ? -1 : i;
  }
  for (int i = 0; i < 10; ++i) h.adFukusenSuuchi[i] = 50.0 * (i + 1);
  h.dRyougawaFukusenTomeDe = 0;
  h.nDrawGamenTen = 1;
  h.nDrawPrtTen = 1;
  h.nColorPrint = 1;
  h.nPrtDpi = 1;
  h.nPrtDispOnlyNonDraw = 1;
  h.lnDrawTime = 3600;
  h.dSenNagasaSnpou = 1;
  h.dBoxSunpouX = h.dBoxSunpouY = 1000;
  h.dEnHankeiSnpou = 1;
  h.nSolidNinniColor = 1;
  h.SolidColor = 0xC0C0C0;
  h.dMojiSizeX = h.dMojiSizeY = 3;
  h.dMojiKankaku = 0;
  h.nMojiColor = 1;
  h.nMojiShu = 3;
  h.dMojiSeiriGyouKan = 1.5;
  h.dMojiSeiriSuu = 10;
}

void AddEntity(Rng& rng, TJwwData& doc, int& insertions) {
  double x = rng.Uniform(0, kPlanWidth), y = rng.Uniform(0, kPlanDepth);
  int pick = rng.Below(100);
  if (pick < 60) {
    doc.AddEntNo(kEntLine, doc.EntLineN());
    doc.EntLine.push_back(MakeLine(rng, x, y, 8000));
  } else if (pick < 75) {
    doc.AddEntNo(kEntMoji, doc.EntMojiN());
    doc.EntMoji.push_back(MakeText(rng, doc, Snap(x), Snap(y), RandomText(rng)));
  } else if (pick < 85) {
    doc.AddEntNo(kEntEnko, doc.EntEnkoN());
    doc.EntEnko.push_back(MakeArc(rng, x, y, 4000));
  } else if (pick < 91) {
    doc.AddEntNo(kEntTen, doc.EntTenN());
    doc.EntTen.push_back(MakePoint(rng, Snap(x), Snap(y)));
  } else if (pick < 94) {
    doc.AddEntNo(kEntSunpo, doc.EntSunpoN());
    doc.EntSunpo.push_back(MakeDimension(rng, doc, Snap(x), Snap(y)));
  } else if (pick < 97) {
    doc.AddEntNo(kEntSolid, doc.EntSolidN());
    doc.EntSolid.push_back(MakeSolid(rng, Snap(x), Snap(y)));
  } else {
    // The first insertions reach every definition, so all of them are written.
    int def = insertions < kBlockDefCount ? insertions : rng.Below(kBlockDefCount);
    ++insertions;
    doc.AddEntNo(kEntBlock, doc.EntBlockN());
    doc.EntBlock.push_back(MakeInsertion(rng, Snap(x), Snap(y), static_cast<uint32_t>(def)));
  }
}

}  // namespace

void MakeLargeDrawing(TJwwData& doc, int entity_count, uint32_t seed, int32_t version) {
  MakeEmptyDrawing(doc, version);
  Rng rng(seed);
  FillHeader(doc.Enthd, version);
  FillLayers(rng, doc);
  FillPensAndLineTypes(doc);
  FillSxfTables(rng, doc);
  FillTextTypes(doc);
  MakeBlockDefs(rng, doc);

  size_t n = entity_count > 0 ? static_cast<size_t>(entity_count) : 0;
  doc.EntNo.reserve(n);
  doc.EntLine.reserve(n * 62 / 100);
  doc.EntMoji.reserve(n * 16 / 100);
  doc.EntEnko.reserve(n * 11 / 100);
  int insertions = 0;
  for (size_t i = 0; i < n; ++i) AddEntity(rng, doc, insertions);
  MakeBlockTree(doc);
}

}  // namespace plandock
