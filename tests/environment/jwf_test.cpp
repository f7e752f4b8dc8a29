#include "environment/jwf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "support/support.h"
#include "util/text.h"

namespace plandock {
namespace {

// A document with the tables of a read drawing, every value distinct enough
// that an unwanted change shows.
void FillTables(TJwwData& doc, int32_t version) {
  doc.Enthd.jwVer = version;
  doc.Enthd.nMaxDrawWid = 1;
  doc.Enthd.nMaxDrawWidBak = 1;
  doc.Enthd.nPrtSet = 123;
  doc.Enthd.nBitMapFirstDraw = 1;
  doc.Enthd.nGyakuDraw = 1;
  doc.Enthd.nGyakuSearch = 1;
  doc.Enthd.nDrawGamenTen = 1;
  doc.Enthd.nDrawPrtTen = 1;
  doc.Enthd.nPrtDpi = 0;
  doc.Enthd.nMojiBG = 0;
  doc.Enthd.dMojiBG = 0.5;
  doc.EntLgrp.assign(16, {});
  doc.EntLay.assign(256, {});
  for (int g = 0; g < 16; ++g) {
    doc.EntLgrp[g].aStrGLayName = u"G" + std::u16string(1, u"0123456789ABCDEF"[g]);
    for (int l = 0; l < 16; ++l) {
      doc.EntLay[16 * g + l].aStrLayName = u"L" + std::u16string(1, u"0123456789ABCDEF"[l]);
    }
  }
  doc.EntCol.assign(10, {});
  for (int k = 0; k < 10; ++k) {
    doc.EntCol[k] = {100 + k, 1, 200 + k, 1, 0.5};
  }
  doc.EntLtp1.assign(8, {1, 1, 1, 1});
  doc.EntLtp2.assign(5, {1, 1, 1, 1, 1});
  doc.EntLtp3.assign(4, {1, 1, 1, 1});
}

// Every field an environment file can change, as one text.
std::string Fingerprint(const TJwwData& d) {
  std::ostringstream o;
  const TEntJwwHeader& h = d.Enthd;
  o << h.nMaxDrawWid << ' ' << h.bSenHaba100 << ' ' << h.nMaxDrawWidBak << ' ' << h.nPrtSet << ' '
    << h.nBitMapFirstDraw << ' ' << h.nGyakuDraw << ' ' << h.nGyakuSearch << ' ' << h.nDrawGamenTen
    << ' ' << h.nDrawPrtTen << ' ' << h.nPrtDpi << ' ' << h.nMojiBG << ' ' << h.dMojiBG << '|';
  for (const auto& c : d.EntCol) {
    o << c.aPenColor << ',' << c.anPenWidth << ',' << c.aPrtPenColor << ',' << c.anPrtPenWidth
      << ',' << c.adPrtTenHankei << ';';
  }
  for (const auto& t : d.EntLtp1) {
    o << t.alLType << ',' << t.anTokushuSenUintDot << ',' << t.anTokushuSenPich << ','
      << t.anPrtTokushuSenPich << ';';
  }
  for (const auto& t : d.EntLtp2) {
    o << t.alLType << ',' << t.anRandSenWide << ',' << t.anTokushuSenPich << ','
      << t.anPrtRandSenWide << ',' << t.anPrtTokushuSenPich << ';';
  }
  for (const auto& t : d.EntLtp3) {
    o << t.alLType << ',' << t.anTokushuSenUintDot << ',' << t.anTokushuSenPich << ','
      << t.anPrtTokushuSenPich << ';';
  }
  for (const auto& g : d.EntLgrp) o << std::u16string_view(g.aStrGLayName).size() << ';';
  std::u16string names;
  for (const auto& g : d.EntLgrp) names += g.aStrGLayName + u"|";
  for (const auto& l : d.EntLay) names += l.aStrLayName + u"|";
  for (char16_t c : names) o << static_cast<int>(c) << '.';
  return o.str();
}

void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// One entry line and what it does; `expect` runs on the document afterwards,
// or, when empty, the document must be unchanged.
struct KeyCase {
  const char* name;
  int32_t version;
  std::u16string text;
  std::function<void(TJwwData&)> setup;
  std::function<void(const TJwwData&)> expect;
};

TEST(ApplyJwfText, EveryKeyFamily) {
  const KeyCase cases[] = {
      // S_COMM_2: maximum line width, line-width mode, print setting.
      {"line-width mode on 700", 700, u"S_COMM_2=0,-100",
       [](TJwwData& d) { d.Enthd.nMaxDrawWidBak = 35; },
       [](const TJwwData& d) {
         EXPECT_TRUE(d.Enthd.bSenHaba100);
         EXPECT_EQ(d.Enthd.nMaxDrawWid, -235);
         EXPECT_EQ(d.Enthd.nMaxDrawWidBak, 35);
       }},
      {"line-width mode on 700, stored width 0", 700, u"S_COMM_2=0,-100",
       [](TJwwData& d) { d.Enthd.nMaxDrawWidBak = 0; },
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nMaxDrawWid, -400); }},
      {"line-width mode on 700, stored width -7", 700, u"S_COMM_2=0,-100",
       [](TJwwData& d) { d.Enthd.nMaxDrawWidBak = -7; },
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nMaxDrawWid, -407); }},
      {"line-width mode on 351", 351, u"S_COMM_2=0,-100",
       [](TJwwData& d) { d.Enthd.nMaxDrawWidBak = 35; },
       [](const TJwwData& d) {
         EXPECT_TRUE(d.Enthd.bSenHaba100);
         EXPECT_EQ(d.Enthd.nMaxDrawWid, -101);
         EXPECT_EQ(d.Enthd.nMaxDrawWidBak, 35);
       }},
      {"width 0 becomes 100", 700, u"S_COMM_2=0,0", [](TJwwData& d) { d.Enthd.bSenHaba100 = true; },
       [](const TJwwData& d) {
         EXPECT_FALSE(d.Enthd.bSenHaba100);
         EXPECT_EQ(d.Enthd.nMaxDrawWid, 100);
         EXPECT_EQ(d.Enthd.nMaxDrawWidBak, 100);
       }},
      {"width -101 becomes 100", 700, u"S_COMM_2=0,-101", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nMaxDrawWid, 100); }},
      {"width 101 becomes 100", 700, u"S_COMM_2=0,101", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nMaxDrawWid, 100); }},
      {"width -5 kept", 700, u"S_COMM_2=0,-5", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nMaxDrawWid, -5);
         EXPECT_EQ(d.Enthd.nMaxDrawWidBak, -5);
       }},
      {"damaged width becomes 100", 700, u"S_COMM_2=0,wide", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nMaxDrawWid, 100); }},
      {"print tens digit", 300, u"S_COMM_2=0,5,3", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nMaxDrawWid, 5);
         EXPECT_EQ(d.Enthd.nPrtSet, 33);
       }},
      {"print setting needs version 300", 299, u"S_COMM_2=0,5,3", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nMaxDrawWid, 5);
         EXPECT_EQ(d.Enthd.nPrtSet, 123);
       }},
      {"print digit 0 ignored", 700, u"S_COMM_2=0,5,0", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nPrtSet, 123); }},
      {"print digit 10 ignored", 700, u"S_COMM_2=0,5,10", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nPrtSet, 123); }},
      {"S_COMM_2 with one field", 700, u"S_COMM_2=7", nullptr, nullptr},
      // S_COMM_3: images drawn first.
      {"bitmap first 152", 700, u"S_COMM_3=0,0,0,0,0,0,0,0,152", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nBitMapFirstDraw, 52); }},
      {"bitmap first 60", 700, u"S_COMM_3=0,0,0,0,0,0,0,0,60", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nBitMapFirstDraw, 60); }},
      {"bitmap first 73 ignored", 700, u"S_COMM_3=0,0,0,0,0,0,0,0,73", nullptr, nullptr},
      {"bitmap first 3 ignored", 700, u"S_COMM_3=0,0,0,0,0,0,0,0,3", nullptr, nullptr},
      {"bitmap first -2 ignored", 700, u"S_COMM_3=0,0,0,0,0,0,0,0,-2", nullptr, nullptr},
      {"bitmap first needs 9 fields", 700, u"S_COMM_3=0,0,0,0,0,0,0,52", nullptr, nullptr},
      // S_COMM_4: reverse order.
      {"reverse draw and search", 700, u"S_COMM_4=9,9,0,0", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nGyakuDraw, 0);
         EXPECT_EQ(d.Enthd.nGyakuSearch, 0);
       }},
      {"reverse draw only", 700, u"S_COMM_4=9,9,0", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nGyakuDraw, 0);
         EXPECT_EQ(d.Enthd.nGyakuSearch, 1);
       }},
      {"reverse values 2 ignored", 700, u"S_COMM_4=9,9,2,2", nullptr, nullptr},
      // S_COMM_5: points on screen and in print.
      {"points drawn", 700, u"S_COMM_5=9,9,9,9,9,9,0,0", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nDrawGamenTen, 0);
         EXPECT_EQ(d.Enthd.nDrawPrtTen, 0);
       }},
      {"points on screen only", 700, u"S_COMM_5=9,9,9,9,9,9,0", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nDrawGamenTen, 0);
         EXPECT_EQ(d.Enthd.nDrawPrtTen, 1);
       }},
      {"points values -1 ignored", 700, u"S_COMM_5=9,9,9,9,9,9,-1,-1", nullptr, nullptr},
      // P_DPI.
      {"dpi 300", 600, u"P_DPI=300", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nPrtDpi, 1); }},
      {"dpi 600, key in lower case", 600, u"p_dpi=600", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nPrtDpi, 2); }},
      {"dpi 450 ignored", 700, u"P_DPI=450", nullptr, nullptr},
      {"dpi needs version 600", 599, u"P_DPI=600", nullptr, nullptr},
      // MSET: text background.
      {"text background 12", 420, u"MSET=0,0,0,0,0,0,12", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nMojiBG, 13);
         EXPECT_EQ(d.Enthd.dMojiBG, 0.5);
       }},
      {"text background 0", 700, u"MSET=0,0,0,0,0,0,0", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.nMojiBG, 1); }},
      {"text background needs version 420", 351, u"MSET=0,0,0,0,0,0,12,2.5", nullptr, nullptr},
      {"text background 20 and 3 ignored", 700, u"MSET=0,0,0,0,0,0,20\nMSET=0,0,0,0,0,0,3",
       nullptr, nullptr},
      {"text background size", 700, u"MSET=0,0,0,0,0,0,99,2.5", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nMojiBG, 0);
         EXPECT_EQ(d.Enthd.dMojiBG, 2.5);
       }},
      {"text background size -1", 700, u"MSET=0,0,0,0,0,0,99,-1", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.Enthd.dMojiBG, -1.0); }},
      {"text background size 10.5 ignored", 700, u"MSET=0,0,0,0,0,0,99,10.5", nullptr, nullptr},
      // LTYPE_0: pattern line types 2..9.
      {"line type 9 print pitch fixed", 700, u"LTYPE_09=FF00FF00,1,2,7", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLtp1[7].alLType, static_cast<int32_t>(0xFF00FF00u));
         EXPECT_EQ(d.EntLtp1[7].anTokushuSenUintDot, 1);
         EXPECT_EQ(d.EntLtp1[7].anTokushuSenPich, 2);
         EXPECT_EQ(d.EntLtp1[7].anPrtTokushuSenPich, 10);
       }},
      {"line type 2", 700, u"LTYPE_02=f0f0,3,4,5", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLtp1[0].alLType, 0xF0F0);
         EXPECT_EQ(d.EntLtp1[0].anTokushuSenUintDot, 3);
         EXPECT_EQ(d.EntLtp1[0].anTokushuSenPich, 4);
         EXPECT_EQ(d.EntLtp1[0].anPrtTokushuSenPich, 5);
       }},
      {"line type empty fields kept", 700, u"LTYPE_05=,7", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLtp1[3].alLType, 1);
         EXPECT_EQ(d.EntLtp1[3].anTokushuSenUintDot, 7);
         EXPECT_EQ(d.EntLtp1[3].anTokushuSenPich, 1);
       }},
      {"line type characters after the selector", 700, u"LTYPE_03XYZ=FF", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.EntLtp1[1].alLType, 0xFF); }},
      {"line type 1 ignored", 700, u"LTYPE_01=FF,1,2,3", nullptr, nullptr},
      {"line type A ignored", 700, u"LTYPE_0A=FF,1,2,3", nullptr, nullptr},
      {"line type without selector", 700, u"LTYPE_0=FF,1,2,3", nullptr, nullptr},
      // LTYPE_R: random lines 1..5.
      {"random line 1", 700, u"LTYPE_R1=AAAA,2,3,4,5", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLtp2[0].alLType, 0xAAAA);
         EXPECT_EQ(d.EntLtp2[0].anRandSenWide, 2);
         EXPECT_EQ(d.EntLtp2[0].anTokushuSenPich, 3);
         EXPECT_EQ(d.EntLtp2[0].anPrtRandSenWide, 4);
         EXPECT_EQ(d.EntLtp2[0].anPrtTokushuSenPich, 5);
       }},
      {"random line 5", 700, u"LTYPE_R5=,,,,9", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLtp2[4].alLType, 1);
         EXPECT_EQ(d.EntLtp2[4].anPrtTokushuSenPich, 9);
       }},
      {"random line 6 ignored", 700, u"LTYPE_R6=AAAA,2,3,4,5", nullptr, nullptr},
      {"random line 0 ignored", 700, u"LTYPE_R0=AAAA,2,3,4,5", nullptr, nullptr},
      // LTYPE_L: double-pitch line types 1..4.
      {"double pitch 4", 700, u"LTYPE_L4=FFFF0000,2,3,4", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLtp3[3].alLType, static_cast<int32_t>(0xFFFF0000u));
         EXPECT_EQ(d.EntLtp3[3].anTokushuSenUintDot, 2);
         EXPECT_EQ(d.EntLtp3[3].anTokushuSenPich, 3);
         EXPECT_EQ(d.EntLtp3[3].anPrtTokushuSenPich, 4);
       }},
      {"double pitch 5 ignored", 700, u"LTYPE_L5=FF,2,3,4", nullptr, nullptr},
      // LCOLLOR_: screen colours.
      {"screen colour G", 700, u"LCOLLOR_G=255,0,300,2", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntCol[9].aPenColor, 0x0000FF);
         EXPECT_EQ(d.EntCol[9].anPenWidth, 2);
         EXPECT_EQ(d.EntCol[9].aPrtPenColor, 209);
       }},
      {"screen colour B is the background", 700, u"LCOLLOR_B=1,2,3", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntCol[0].aPenColor, 0x030201);
         EXPECT_EQ(d.EntCol[0].anPenWidth, 1);
       }},
      {"screen colour 8, width 0 kept", 700, u"lcollor_8=0,255,-1,0", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntCol[8].aPenColor, 0x00FF00);
         EXPECT_EQ(d.EntCol[8].anPenWidth, 1);
       }},
      {"screen colour needs 3 fields", 700, u"LCOLLOR_1=1,2", nullptr, nullptr},
      {"screen colour 9 ignored", 700, u"LCOLLOR_9=1,2,3,4", nullptr, nullptr},
      {"screen colour 0 ignored", 700, u"LCOLLOR_0=1,2,3,4", nullptr, nullptr},
      // PCOLLOR_: print colours.
      {"print colour B ignored", 700, u"PCOLLOR_B=1,2,3,4,5", nullptr, nullptr},
      {"print colour 1, small radius raised", 700, u"PCOLLOR_1=0,0,0,1,0.05", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntCol[1].aPrtPenColor, 0);
         EXPECT_EQ(d.EntCol[1].anPrtPenWidth, 1);
         EXPECT_DOUBLE_EQ(d.EntCol[1].adPrtTenHankei, 0.1);
         EXPECT_EQ(d.EntCol[1].aPenColor, 101);
       }},
      {"print colour radius 20 lowered", 700, u"PCOLLOR_2=1,1,1,3,20", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntCol[2].aPrtPenColor, 0x010101);
         EXPECT_EQ(d.EntCol[2].anPrtPenWidth, 3);
         EXPECT_EQ(d.EntCol[2].adPrtTenHankei, 10.0);
       }},
      {"print colour radius 0 and -1 kept", 700, u"PCOLLOR_G=1,1,1,0,0\nPCOLLOR_G=1,1,1,-3,-1",
       nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntCol[9].aPrtPenColor, 0x010101);
         EXPECT_EQ(d.EntCol[9].anPrtPenWidth, 1);
         EXPECT_EQ(d.EntCol[9].adPrtTenHankei, 0.5);
       }},
      {"print colour radius 2.5", 700, u"PCOLLOR_3=1,1,1,0,2.5", nullptr,
       [](const TJwwData& d) { EXPECT_EQ(d.EntCol[3].adPrtTenHankei, 2.5); }},
      // LAYNAM_: one group's names.
      {"layer names of group F", 700, u"LAYNAM_f=Top,a,,c", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLgrp[15].aStrGLayName, u"Top");
         EXPECT_EQ(d.EntLay[240].aStrLayName, u"a");
         EXPECT_EQ(d.EntLay[241].aStrLayName, u"L1");
         EXPECT_EQ(d.EntLay[242].aStrLayName, u"c");
         EXPECT_EQ(d.EntLay[243].aStrLayName, u"L3");
         EXPECT_EQ(d.EntLgrp[14].aStrGLayName, u"GE");
       }},
      {"layer names keep '=' and quotes", 700, u"LAYNAM_1=a=b,\"x y\"", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.EntLgrp[1].aStrGLayName, u"a=b");
         EXPECT_EQ(d.EntLay[16].aStrLayName, u"xy");
       }},
      {"layer names selector G ignored", 700, u"LAYNAM_G=x,y", nullptr, nullptr},
      {"layer names without selector", 700, u"LAYNAM_=x,y", nullptr, nullptr},
      // Not listed, or not entries.
      {"unlisted key", 700, u"S_COMM_1=1,2,3,4,5,6,7,8,9", nullptr, nullptr},
      {"key with prefix only", 700, u"S_COMM_22=0,5", nullptr, nullptr},
      {"no '='", 700, u"S_COMM_2 0,5", nullptr, nullptr},
      {"empty value", 700, u"S_COMM_2=", nullptr, nullptr},
      {"blank value", 700, u"S_COMM_2=  \t", nullptr, nullptr},
      {"empty key", 700, u"=0,5", nullptr, nullptr},
      {"empty fields read as 0", 700, u"S_COMM_4=,,,", nullptr,
       [](const TJwwData& d) {
         EXPECT_EQ(d.Enthd.nGyakuDraw, 0);
         EXPECT_EQ(d.Enthd.nGyakuSearch, 0);
       }},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    TJwwData doc;
    FillTables(doc, c.version);
    if (c.setup) c.setup(doc);
    const std::string before = Fingerprint(doc);
    ApplyJwfText(doc, c.text);
    if (c.expect) {
      c.expect(doc);
      EXPECT_NE(Fingerprint(doc), before);
    } else {
      EXPECT_EQ(Fingerprint(doc), before);
    }
  }
}

TEST(ApplyJwfText, BlanksAroundKeysAndValuesAreTrimmed) {
  TJwwData doc;
  FillTables(doc, 700);
  ApplyJwfText(doc, u"\t s_comm_4 \t=  0 0 0 0 \t");
  EXPECT_EQ(doc.Enthd.nGyakuDraw, 0);
  EXPECT_EQ(doc.Enthd.nGyakuSearch, 0);
}

TEST(ApplyJwfText, LaterLinesOverrideFieldByField) {
  TJwwData doc;
  FillTables(doc, 700);
  ApplyJwfText(doc, u"LTYPE_R2=F,2,3,4,5\r\nLTYPE_R2=,,7\rLTYPE_R2=,,,8\n");
  EXPECT_EQ(doc.EntLtp2[1].alLType, 0xF);
  EXPECT_EQ(doc.EntLtp2[1].anRandSenWide, 2);
  EXPECT_EQ(doc.EntLtp2[1].anTokushuSenPich, 7);
  EXPECT_EQ(doc.EntLtp2[1].anPrtRandSenWide, 8);
  EXPECT_EQ(doc.EntLtp2[1].anPrtTokushuSenPich, 5);
}

TEST(ApplyJwfText, EndMarkStopsReading) {
  const char16_t* ends[] = {u"END", u"End", u"end", u"ENDE", u"  \tend of file", u"END=1"};
  for (const char16_t* end : ends) {
    SCOPED_TRACE(TextToUtf8(end));
    TJwwData doc;
    FillTables(doc, 700);
    ApplyJwfText(doc, std::u16string(u"S_COMM_4=0,0,0\n") + end + u"\nS_COMM_4=0,0,1,0\n");
    EXPECT_EQ(doc.Enthd.nGyakuDraw, 0);
    EXPECT_EQ(doc.Enthd.nGyakuSearch, 1);
  }
}

TEST(ApplyJwfText, CommentsAreIgnored) {
  TJwwData doc;
  FillTables(doc, 700);
  const std::string before = Fingerprint(doc);
  ApplyJwfText(doc, u"#S_COMM_4=0,0,0,0\n   # END\n\t#LAYNAM_0=x\nEN\n\n");
  EXPECT_EQ(Fingerprint(doc), before);
  ApplyJwfText(doc, u"# END\nS_COMM_4=0,0,0,0");
  EXPECT_EQ(doc.Enthd.nGyakuDraw, 0);
}

TEST(ApplyJwfText, LayerNamesWithBlanksAndEmptyFields) {
  TJwwData doc;
  FillTables(doc, 700);
  ApplyJwfText(doc, u"LAYNAM_2=通り 芯,壁,,建　具");
  EXPECT_EQ(doc.EntLgrp[2].aStrGLayName, u"通り芯");
  EXPECT_EQ(doc.EntLay[32].aStrLayName, u"壁");
  EXPECT_EQ(doc.EntLay[33].aStrLayName, u"L1");
  EXPECT_EQ(doc.EntLay[34].aStrLayName, u"建具");
  for (int l = 3; l < 16; ++l) EXPECT_EQ(doc.EntLay[32 + l].aStrLayName.size(), 2u) << l;
}

TEST(ApplyJwfText, ClearNamesSwitch) {
  TJwwData doc;
  FillTables(doc, 700);
  ApplyJwfText(doc, u"LAYNAM_N=1\nLAYNAM_2=通り 芯,壁,,建具");
  EXPECT_EQ(doc.EntLgrp[2].aStrGLayName, u"通り芯");
  EXPECT_EQ(doc.EntLay[32].aStrLayName, u"壁");
  EXPECT_EQ(doc.EntLay[33].aStrLayName, u"");
  EXPECT_EQ(doc.EntLay[34].aStrLayName, u"建具");
  for (int l = 3; l < 16; ++l) EXPECT_EQ(doc.EntLay[32 + l].aStrLayName, u"") << l;
  EXPECT_EQ(doc.EntLay[48].aStrLayName, u"L0");  // other groups untouched

  // An empty group name clears the group's name too; "LAYNAM_N" with another
  // value turns the switch off again.
  ApplyJwfText(doc, u"LAYNAM_N=1\nLAYNAM_3=,x\nLAYNAM_N=2\nLAYNAM_4=,y");
  EXPECT_EQ(doc.EntLgrp[3].aStrGLayName, u"");
  EXPECT_EQ(doc.EntLay[49].aStrLayName, u"");
  EXPECT_EQ(doc.EntLgrp[4].aStrGLayName, u"G4");
  EXPECT_EQ(doc.EntLay[65].aStrLayName, u"L1");
}

TEST(ApplyJwfText, ClearNamesSwitchStartsOffForEveryFile) {
  TJwwData doc;
  FillTables(doc, 700);
  ApplyJwfText(doc, u"LAYNAM_N=1");
  ApplyJwfText(doc, u"LAYNAM_5=,x");
  EXPECT_EQ(doc.EntLgrp[5].aStrGLayName, u"G5");
  EXPECT_EQ(doc.EntLay[80].aStrLayName, u"x");
  EXPECT_EQ(doc.EntLay[81].aStrLayName, u"L1");
}

TEST(ApplyJwfText, ProtectedGroupsAndLayersKeepTheirNames) {
  TJwwData doc;
  FillTables(doc, 700);
  doc.EntLgrp[6].anGLayProtect = 1;
  doc.EntLay[7 * 16 + 1].aanLayProtect = 2;
  ApplyJwfText(doc, u"LAYNAM_N=1\nLAYNAM_6=g,a,b\nLAYNAM_7=g,a,b,c");
  EXPECT_EQ(doc.EntLgrp[6].aStrGLayName, u"G6");
  for (int l = 0; l < 16; ++l) EXPECT_EQ(doc.EntLay[96 + l].aStrLayName.size(), 2u) << l;
  EXPECT_EQ(doc.EntLgrp[7].aStrGLayName, u"g");
  EXPECT_EQ(doc.EntLay[112].aStrLayName, u"a");
  EXPECT_EQ(doc.EntLay[113].aStrLayName, u"L1");
  EXPECT_EQ(doc.EntLay[114].aStrLayName, u"c");
  EXPECT_EQ(doc.EntLay[115].aStrLayName, u"");
}

TEST(ApplyJwfText, DocumentWithoutTablesIsSafe) {
  TJwwData doc;  // only initialised: every table empty
  doc.Enthd.jwVer = 700;
  ApplyJwfText(doc,
               u"LAYNAM_N=1\nLAYNAM_0=a,b\nLCOLLOR_G=1,2,3,4\nPCOLLOR_1=1,2,3,4,5\n"
               u"LTYPE_02=F\nLTYPE_R1=F\nLTYPE_L1=F\nS_COMM_4=0,0,1,1");
  EXPECT_TRUE(doc.EntLgrp.empty());
  EXPECT_TRUE(doc.EntCol.empty());
  EXPECT_EQ(doc.Enthd.nGyakuDraw, 1);
}

TEST(ApplyJwfText, AbsurdValuesAreHarmless) {
  TJwwData doc;
  FillTables(doc, 700);
  doc.Enthd.nMaxDrawWidBak = INT32_MAX;
  doc.Enthd.nPrtSet = -123;
  ApplyJwfText(doc,
               u"S_COMM_2=0,-100,9\nS_COMM_3=0,0,0,0,0,0,0,0,-2147483648\n"
               u"MSET=0,0,0,0,0,0,99999999999,1e3\nLCOLLOR_1=99999999999,-5,$FF\n"
               u"LTYPE_02=FFFFFFFFFF,x,$10\nPCOLLOR_1=0,0,0,0,nan\n");
  EXPECT_TRUE(doc.Enthd.bSenHaba100);
  EXPECT_EQ(doc.Enthd.nMaxDrawWid, 2147483449);  // -(INT32_MAX + 200) wrapped, no overflow trap
  EXPECT_EQ(doc.Enthd.nPrtSet, 87);              // -3 + 10 * 9
  EXPECT_EQ(doc.Enthd.nBitMapFirstDraw, 1);
  EXPECT_EQ(doc.Enthd.nMojiBG, 1);  // an unreadable f6 is 0, which is valid
  EXPECT_EQ(doc.Enthd.dMojiBG, 0.5);
  EXPECT_EQ(doc.EntCol[1].aPenColor, 0xFF0000);
  EXPECT_EQ(doc.EntLtp1[0].alLType, 0);  // nine hex digits do not read
  EXPECT_EQ(doc.EntLtp1[0].anTokushuSenUintDot, 0);
  EXPECT_EQ(doc.EntLtp1[0].anTokushuSenPich, 16);
  EXPECT_EQ(doc.EntCol[1].adPrtTenHankei, 0.5);
}

TEST(ApplyJwfText, VeryLongLinesAndManyFields) {
  TJwwData doc;
  FillTables(doc, 700);
  // Far more than 100 fields, within the entry length: the first ones count.
  std::u16string many = u"S_COMM_4=9,9,0,0";
  for (int i = 0; i < 2000; ++i) many += u",7";
  // Over the entry length: skipped as damaged, reading goes on.
  std::u16string huge = u"LAYNAM_0=" + std::u16string(kMaxJwfEntryLength, u',');
  std::u16string huge_end = u"LTYPE_R1=F" + std::u16string(kMaxJwfEntryLength, u' ') + u",5";
  ApplyJwfText(doc, many + u"\n" + huge + u"\n" + huge_end + u"\nS_COMM_5=0,0,0,0,0,0,0,0");
  EXPECT_EQ(doc.Enthd.nGyakuDraw, 0);
  EXPECT_EQ(doc.Enthd.nGyakuSearch, 0);
  EXPECT_EQ(doc.EntLgrp[0].aStrGLayName, u"G0");
  EXPECT_EQ(doc.EntLtp2[0].alLType, 1);
  EXPECT_EQ(doc.Enthd.nDrawPrtTen, 0);
}

// Files: decoding, missing files and size limits.
class ApplyJwfFile : public ::testing::Test {
 protected:
  void SetUp() override { FillTables(doc_, 700); }
  std::u16string Write(const std::string& bytes, const char* name = "env.jwf") {
    const std::filesystem::path p = dir_.path() / name;
    WriteBytes(p, bytes);
    return p.u16string();
  }
  test::ScopedTempDir dir_;
  TJwwData doc_;
};

// "LAYNAM_0=設計,表ソ\r\nS_COMM_4=0,0,0,0\r\n" in several encodings.
TEST_F(ApplyJwfFile, ByteOrderMarksAndCodePage932) {
  const std::string utf8 =
      "LAYNAM_0=\xE8\xA8\xAD\xE8\xA8\x88,\xE8\xA1\xA8\xE3\x82\xBD\r\nS_COMM_4=0,0,0,0\r\n";
  std::u16string text = u"LAYNAM_0=設計,表ソ\r\nS_COMM_4=0,0,0,0\r\n";
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : text) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  // Shift-JIS: 設 90DD, 計 8C76, 表 955C and ソ 835C (trail bytes equal to '\').
  const std::string sjis = "LAYNAM_0=\x90\xDD\x8C\x76,\x95\x5C\x83\x5C\r\nS_COMM_4=0,0,0,0\r\n";
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8},
      {"UTF-16LE with mark", le},
      {"UTF-16BE with mark", be},
      {"code page 932 without mark", sjis},
      {"UTF-16LE with an odd last byte", le + "\x41"},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    TJwwData doc;
    FillTables(doc, 700);
    ApplyJwf(doc, Write(f.bytes));
    EXPECT_EQ(doc.EntLgrp[0].aStrGLayName, u"設計");
    EXPECT_EQ(doc.EntLay[0].aStrLayName, u"表ソ");
    EXPECT_EQ(doc.Enthd.nGyakuDraw, 0);
  }
}

TEST_F(ApplyJwfFile, MissingOrUnreadableFileChangesNothing) {
  const std::string before = Fingerprint(doc_);
  ApplyJwf(doc_, (dir_.path() / "missing.jwf").u16string());
  EXPECT_EQ(Fingerprint(doc_), before);
  ApplyJwf(doc_, dir_.path().u16string());  // a folder
  EXPECT_EQ(Fingerprint(doc_), before);
  ApplyJwf(doc_, u"");
  EXPECT_EQ(Fingerprint(doc_), before);
  ApplyJwf(doc_, Write(""));
  EXPECT_EQ(Fingerprint(doc_), before);
}

TEST_F(ApplyJwfFile, BinaryGarbageIsHarmless) {
  std::string bytes;
  uint32_t x = 12345;
  for (int i = 0; i < 200000; ++i) {
    x = x * 1103515245u + 12345u;
    bytes += static_cast<char>(x >> 24);
  }
  for (const std::string& prefix : {std::string(), std::string("\xFF\xFE"), std::string("\xFE\xFF"),
                                    std::string("\xEF\xBB\xBF")}) {
    TJwwData doc;
    FillTables(doc, 700);
    ApplyJwf(doc, Write(prefix + bytes));
  }
}

TEST_F(ApplyJwfFile, OnlyTheFirstMegabytesAreRead) {
  std::string bytes = "S_COMM_4=0,0,0,0\r\n";
  const std::string comment = "# " + std::string(1000, 'x') + "\r\n";
  while (bytes.size() < kMaxJwfBytes) bytes += comment;
  bytes += "S_COMM_5=0,0,0,0,0,0,0,0\r\n";
  ApplyJwf(doc_, Write(bytes));
  EXPECT_EQ(doc_.Enthd.nGyakuDraw, 0);
  EXPECT_EQ(doc_.Enthd.nDrawGamenTen, 1);
}

TEST_F(ApplyJwfFile, LastLineCutAtTheLimitIsDropped) {
  // The limit falls inside the last entry: it must not apply half a line.
  // Cut after 14 bytes of the entry, "S_COMM_4=9,9,0" would set nGyakuDraw.
  std::string bytes(kMaxJwfBytes - 15, '#');
  bytes += "\nS_COMM_4=9,9,0,0\n";
  ASSERT_GT(bytes.size(), kMaxJwfBytes);
  ApplyJwf(doc_, Write(bytes));
  EXPECT_EQ(doc_.Enthd.nGyakuDraw, 1);
}

}  // namespace
}  // namespace plandock
