#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "document/entity_io.h"
#include "entity_io_fixture.h"

namespace plandock {
namespace {

using test::Bytes;
using test::ListRead;
using test::ReadLists;

// Bytes after the lists that the reader must leave alone.
constexpr std::string_view kTrailer = "END";

// One object of class `name` with the given body, as the only object of an entity list.
Bytes SingleObjectList(std::string_view name, const Bytes& body) {
  Bytes b;
  b.U16(1).NewClass(name).Append(body).Raw(kTrailer);
  return b;
}

Bytes AttrOf(bool wide, uint8_t style = 2, uint16_t color = 3) {
  Bytes b;
  b.Attr(wide, 0x01020304, style, color, 44, 5, 6, 0x0708);
  return b;
}

void ExpectAttr(const TEntJwwAttr& a, bool wide, uint8_t style = 2, uint16_t color = 3) {
  EXPECT_EQ(a.lGroup, 0x01020304u);
  EXPECT_EQ(a.nPenStyle, style);
  EXPECT_EQ(a.nPenColor, color);
  EXPECT_EQ(a.nPenWidth, wide ? 44 : 0);
  EXPECT_EQ(a.nLayer, 5);
  EXPECT_EQ(a.nGLayer, 6);
  EXPECT_EQ(a.sFlg, 0x0708);
}

struct BodyRow {
  const char* name;
  int32_t version;
  std::string_view class_name;
  size_t fixed_size;  // the stored fixed part, attribute block included
  std::function<Bytes(bool wide)> body;
  std::function<void(const TJwwData&, bool wide)> check;
};

TEST(ReadEntityListTest, EachBodyHasItsStoredSizeAndFieldOffsets) {
  auto line = [](bool w) {
    Bytes b = AttrOf(w);
    b.F64(1.5).F64(2.5).F64(3.5).F64(4.5);
    return b;
  };
  auto check_line = [](const TJwwData& d, bool w) {
    ASSERT_EQ(d.EntLineN(), 1);
    ExpectAttr(d.EntLine[0].att, w);
    EXPECT_EQ(d.EntLine[0].start_x, 1.5);
    EXPECT_EQ(d.EntLine[0].end_y, 4.5);
  };
  auto arc = [](bool w) {
    Bytes b = AttrOf(w);
    b.F64(1).F64(2).F64(3).F64(4).F64(5).F64(6).F64(7).U32(1);
    return b;
  };
  auto check_arc = [](const TJwwData& d, bool w) {
    ASSERT_EQ(d.EntEnkoN(), 1);
    ExpectAttr(d.EntEnko[0].att, w);
    EXPECT_EQ(d.EntEnko[0].dHankei, 3);
    EXPECT_EQ(d.EntEnko[0].dHenpeiRitsu, 7);
    EXPECT_EQ(d.EntEnko[0].bZenEnFlg, 1u);
  };
  auto point = [](bool w) {
    Bytes b = AttrOf(w, 1);
    b.F64(8).F64(9).U32(1);
    return b;
  };
  auto check_point = [](const TJwwData& d, bool w) {
    ASSERT_EQ(d.EntTenN(), 1);
    ExpectAttr(d.EntTen[0].att, w, 1);
    EXPECT_EQ(d.EntTen[0].start_y, 9);
    EXPECT_EQ(d.EntTen[0].bKariten, 1u);
    EXPECT_EQ(d.EntTen[0].nCode, 0u);
  };
  auto text = [](bool w) {
    Bytes b = AttrOf(w);
    b.F64(1).F64(2).F64(3).F64(4).U32(5).F64(2.5).F64(3.5).F64(0.5).F64(90);
    return b;
  };
  auto text_with_strings = [text](bool w) {
    Bytes b = text(w);
    b.Str("MS").Str("ab\tc");
    return b;
  };
  auto check_text = [](const TJwwData& d, bool w) {
    ASSERT_EQ(d.EntMojiN(), 1);
    const TEntJwwMoji& m = d.EntMoji[0];
    ExpectAttr(m.att, w);
    EXPECT_EQ(m.end_y, 4);
    EXPECT_EQ(m.nMojiShu, 5u);
    EXPECT_EQ(m.dSizeX, 2.5);
    EXPECT_EQ(m.dSizeY, 3.5);
    EXPECT_EQ(m.dKankaku, 0.5);
    EXPECT_EQ(m.degKakudo, 90);
    EXPECT_EQ(m.strFontName, u"MS");
    EXPECT_EQ(m.str, u"abc");  // control characters dropped
  };
  auto solid = [](bool w) {
    Bytes b = AttrOf(w);
    b.F64(1).F64(2).F64(3).F64(4).F64(5).F64(6).F64(7).F64(8);
    return b;
  };
  auto check_solid = [](const TJwwData& d, bool w) {
    ASSERT_EQ(d.EntSolidN(), 1);
    ExpectAttr(d.EntSolid[0].att, w);
    EXPECT_EQ(d.EntSolid[0].DPoint3_y, 8);
    EXPECT_EQ(d.EntSolid[0].Color, 0u);
  };
  auto block = [](bool w) {
    Bytes b = AttrOf(w);
    b.F64(1).F64(2).F64(3).F64(4).F64(5).U32(77);
    return b;
  };
  auto check_block = [](const TJwwData& d, bool w) {
    ASSERT_EQ(d.EntBlockN(), 1);
    ExpectAttr(d.EntBlock[0].att, w);
    EXPECT_EQ(d.EntBlock[0].radKaitenKaku, 5);
    EXPECT_EQ(d.EntBlock[0].nNumber, 77u);
  };

  const BodyRow rows[] = {
      {"line 351", 351, "CDataSen", 47, line, check_line},
      {"line 350", 350, "CDataSen", 45, line, check_line},
      {"arc 351", 351, "CDataEnko", 75, arc, check_arc},
      {"arc 350", 350, "CDataEnko", 73, arc, check_arc},
      {"point 351", 351, "CDataTen", 35, point, check_point},
      {"point 350", 350, "CDataTen", 33, point, check_point},
      {"text 351", 351, "CDataMoji", 83, text, check_text},
      {"text 350", 350, "CDataMoji", 81, text, check_text},
      {"solid 351", 351, "CDataSolid", 79, solid, check_solid},
      {"solid 350", 350, "CDataSolid", 77, solid, check_solid},
      {"block 351", 351, "CDataBlock", 59, block, check_block},
      {"block 350", 350, "CDataBlock", 57, block, check_block},
  };
  for (const BodyRow& row : rows) {
    SCOPED_TRACE(row.name);
    const bool wide = row.version >= 351;
    ASSERT_EQ(row.body(wide).size(), row.fixed_size);  // the fixture matches the layout
    Bytes body = row.class_name == "CDataMoji" ? text_with_strings(wide) : row.body(wide);
    const Bytes file = SingleObjectList(row.class_name, body);
    TJwwData doc;
    const ListRead r = ReadLists(file, row.version, doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.pos, file.size() - kTrailer.size());
    ASSERT_EQ(doc.EntNo.size(), 1u);
    EXPECT_EQ(doc.EntNo[0].EntNo, 0);
    row.check(doc, wide);
  }
}

TEST(ReadEntityListTest, PointWithPenStyle100CarriesTwentyMoreBytes) {
  Bytes body = AttrOf(true, 100);
  body.F64(1).F64(2).U32(0).U32(7).F64(0.25).F64(2.0);
  ASSERT_EQ(body.size(), 55u);
  const Bytes file = SingleObjectList("CDataTen", body);
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.pos, file.size() - kTrailer.size());
  ASSERT_EQ(doc.EntTenN(), 1);
  EXPECT_EQ(doc.EntTen[0].nCode, 7u);
  EXPECT_EQ(doc.EntTen[0].radKaitenKaku, 0.25);
  EXPECT_EQ(doc.EntTen[0].dBairitsu, 2.0);
}

TEST(ReadEntityListTest, SolidWithOwnColourCarriesFourMoreBytes) {
  Bytes body = AttrOf(true, 1, 10);
  body.F64(1).F64(2).F64(3).F64(4).F64(5).F64(6).F64(7).F64(8).U32(0x00FF8040);
  ASSERT_EQ(body.size(), 79u + 4u);
  const Bytes file = SingleObjectList("CDataSolid", body);
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.pos, file.size() - kTrailer.size());
  ASSERT_EQ(doc.EntSolidN(), 1);
  EXPECT_EQ(doc.EntSolid[0].Color, 0x00FF8040u);
}

TEST(ReadEntityListTest, TextSizesThatAreNotFiniteAreRepaired) {
  Bytes body = AttrOf(true);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  body.F64(0).F64(0).F64(0).F64(0).U32(0).F64(nan).F64(inf).F64(nan).F64(0).Str("").Str("x");
  TJwwData doc;
  ASSERT_TRUE(ReadLists(SingleObjectList("CDataMoji", body), 600, doc).ok);
  ASSERT_EQ(doc.EntMojiN(), 1);
  EXPECT_EQ(doc.EntMoji[0].dSizeX, 3.0);
  EXPECT_EQ(doc.EntMoji[0].dSizeY, 3.0);
  EXPECT_EQ(doc.EntMoji[0].dKankaku, 0.0);
}

// Sen and Moji of a dimension, after its own attribute block.
Bytes DimensionCore(bool wide) {
  Bytes b = AttrOf(wide, 1, 2);
  b.Append(AttrOf(wide, 1, 2)).F64(0).F64(0).F64(100).F64(0);
  b.Append(AttrOf(wide, 1, 2)).F64(50).F64(1).F64(60).F64(1).U32(0).F64(2).F64(2).F64(0).F64(0);
  b.Str("").Str("100");
  return b;
}

TEST(ReadEntityListTest, DimensionBefore420EndsAfterItsTextAndGetsDefaultParts) {
  const Bytes body = DimensionCore(true);
  ASSERT_EQ(body.size(), 15u + 47u + 83u + 1u + 4u);
  const Bytes file = SingleObjectList("CDataSunpou", body);
  TJwwData doc;
  const ListRead r = ReadLists(file, 351, doc);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.pos, file.size() - kTrailer.size());
  ASSERT_EQ(doc.EntSunpoN(), 1);
  const TEntJwwSunpo& s = doc.EntSunpo[0];
  EXPECT_EQ(s.Sen.end_x, 100);
  EXPECT_EQ(s.Moji.str, u"100");
  EXPECT_EQ(s.bSxfMode, 0);
  ExpectAttr(s.Ho1.att, true, 1, 2);
  ExpectAttr(s.Ho2.att, true, 1, 2);
  EXPECT_EQ(s.Ho1.end_x, 0);
  for (const TEntJwwTen* t : {&s.Te1, &s.Te2, &s.Kt1, &s.Kt2}) {
    ExpectAttr(t->att, true, 0, 2);
    EXPECT_EQ(t->start_x, 0);
    EXPECT_EQ(t->bKariten, 0u);
  }
}

TEST(ReadEntityListTest, DimensionFrom420CarriesItsSxfParts) {
  Bytes body = DimensionCore(true);
  body.U16(0);  // bSxfMode 0: the parts are stored all the same
  body.Append(AttrOf(true)).F64(1).F64(2).F64(3).F64(4);
  body.Append(AttrOf(true)).F64(5).F64(6).F64(7).F64(8);
  body.Append(AttrOf(true, 1)).F64(9).F64(10).U32(0);
  body.Append(AttrOf(true, 100)).F64(11).F64(12).U32(0).U32(3).F64(0.5).F64(1.5);
  body.Append(AttrOf(true, 1)).F64(13).F64(14).U32(1);
  body.Append(AttrOf(true, 1)).F64(15).F64(16).U32(1);
  ASSERT_EQ(body.size(), 15u + 47u + 83u + 5u + 2u + 2 * 47u + 4 * 35u + 20u);
  const Bytes file = SingleObjectList("CDataSunpou", body);
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.pos, file.size() - kTrailer.size());
  ASSERT_EQ(doc.EntSunpoN(), 1);
  const TEntJwwSunpo& s = doc.EntSunpo[0];
  EXPECT_EQ(s.Ho2.end_y, 8);
  EXPECT_EQ(s.Te2.nCode, 3u);
  EXPECT_EQ(s.Te2.dBairitsu, 1.5);
  EXPECT_EQ(s.Kt2.start_y, 16);
  EXPECT_EQ(s.Kt2.bKariten, 1u);
}

Bytes LineBody(double x) {
  Bytes b = AttrOf(true);
  b.F64(x).F64(0).F64(0).F64(0);
  return b;
}

TEST(ReadEntityListTest, DeclarationReferenceAndBigReferenceResolveToTheSameClass) {
  Bytes file;
  file.U16(3);
  file.NewClass("CDataSen").Append(LineBody(1));  // class 1, object 2
  file.Ref(1).Append(LineBody(2));                // object 3
  file.BigRef(1).Append(LineBody(3));             // object 4
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(doc.EntLineN(), 3);
  EXPECT_EQ(doc.EntLine[2].start_x, 3);
  EXPECT_EQ(doc.EntNo[2].EntType, kEntLine);
  EXPECT_EQ(doc.EntNo[2].EntNo, 2);
  EXPECT_EQ(r.load_index, 5u);
  EXPECT_EQ(r.pos, file.size());
}

TEST(ReadEntityListTest, IndexAdvancesOverEveryObjectSoLaterClassesResolve) {
  Bytes file;
  file.U16(3);
  file.NewClass("CDataSen").Append(LineBody(1));  // class 1, object 2
  Bytes point = AttrOf(true, 1);
  point.F64(0).F64(0).U32(0);
  file.NewClass("CDataTen").Append(point);  // class 3, object 4
  file.Ref(3).Append(point);                // object 5
  TJwwData doc;
  ASSERT_TRUE(ReadLists(file, 600, doc).ok);
  EXPECT_EQ(doc.EntLineN(), 1);
  EXPECT_EQ(doc.EntTenN(), 2);
}

TEST(ReadEntityListTest, ReferenceToIndexZeroNamesNoClassAndIsNotCounted) {
  Bytes file;
  file.U16(1);
  file.Ref(0);  // 0x8000: while classes are undeclared their index is 0, yet this names none
  file.NewClass("CDataSen").Append(LineBody(1));
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(doc.EntNo.size(), 1u);
  EXPECT_EQ(doc.EntNo[0].EntType, kEntLine);
  EXPECT_EQ(doc.EntLineN(), 1);
  EXPECT_EQ(r.pos, file.size());
}

TEST(ReadEntityListTest, ReferenceToNoEntityClassReadsNoBody) {
  TJwwData doc;
  // A second, unannounced tag that names index 7 (nothing) is read as a tag and then
  // the list ends for want of data, since the count says one object.
  Bytes two;
  two.U16(2).NewClass("CDataSen").Append(LineBody(1)).Ref(7);
  const ListRead r = ReadLists(two, 600, doc);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.why, ReadFailure::kIo);
  EXPECT_EQ(doc.EntLineN(), 1);
}

TEST(ReadEntityListTest, UndeclarableClassNamesFailTheRead) {
  const struct {
    const char* name;
    std::string name_bytes;
  } rows[] = {
      {"unknown", "CDataKukan"},
      {"block-definition class", "CDataList"},
      {"case differs", "cdatasen"},
      {"too long for the scratch buffer", "CDataSen" + std::string(2040, 'x')},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Bytes file;
    file.U16(1).NewClass(row.name_bytes).Append(LineBody(1));
    TJwwData doc;
    const ListRead r = ReadLists(file, 600, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.why, ReadFailure::kIo);
    EXPECT_EQ(doc.EntLineN(), 0);
  }
}

TEST(ReadEntityListTest, ClassNameEndsAtItsFirstZeroByte) {
  Bytes file;
  file.U16(1).NewClass(std::string("CDataSen\0zz", 11)).Append(LineBody(1));
  TJwwData doc;
  ASSERT_TRUE(ReadLists(file, 600, doc).ok);
  EXPECT_EQ(doc.EntLineN(), 1);
}

TEST(ReadEntityListTest, CountsTheRestOfTheFileCannotHoldFailAtOnce) {
  struct Row {
    const char* name;
    Bytes file;
  };
  Bytes entity_long;
  entity_long.U16(0xFFFF).U32(0x7FFFFFFF).Zeros(64);
  Bytes entity_negative;
  entity_negative.U16(0xFFFF).U32(0xFFFFFFFF).Zeros(64);
  Bytes entity_short;
  entity_short.U16(3).NewClass("CDataSen");  // 3 objects need 6 bytes and 12 remain
  Bytes entity_three;
  entity_three.U16(4).Zeros(7);  // 4 objects need 8 bytes and only 7 remain
  const Row rows[] = {
      {"long-form entity count", entity_long},
      {"negative entity count", entity_negative},
      {"entity count above half the rest", entity_three},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TJwwData doc;
    const ListRead r = ReadLists(row.file, 600, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.why, ReadFailure::kIo);
    EXPECT_TRUE(doc.EntNo.empty());
  }
  TJwwData doc;
  const ListRead fits = ReadLists(entity_short, 600, doc);
  EXPECT_FALSE(fits.ok);            // it fails later, for want of bodies and tags,
  EXPECT_EQ(doc.EntNo.size(), 3u);  // but the count itself was accepted
}

TEST(ReadBlockDefListTest, AbsurdDefinitionAndMemberCountsFail) {
  Bytes defs;
  defs.U16(0).U16(0xFFFF).U32(1000).Zeros(100);
  TJwwData doc;
  ListRead r = ReadLists(defs, 600, doc, /*defs=*/true);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.why, ReadFailure::kIo);
  EXPECT_TRUE(doc.EntBlockDef.empty());

  Bytes members;
  members.U16(0).U16(1).NewClass("CDataList").Append(AttrOf(true)).U32(1).U32(0).U32(0).Str("B");
  members.U16(0xFFFF).U32(100000).Zeros(10);
  r = ReadLists(members, 600, doc, /*defs=*/true);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.why, ReadFailure::kIo);
  ASSERT_EQ(doc.EntBlockDef.size(), 1u);
  EXPECT_TRUE(doc.EntBlockDef[0].mNo.empty());
}

TEST(ReadEntityListTest, BodyCutShortKeepsTheBytesThereAndZeroesTheRest) {
  const Bytes whole = LineBody(0);
  Bytes file;
  file.U16(1).NewClass("CDataSen");
  // The attribute block and two bytes of start_x: 0x1122 in its low bytes.
  file.data.insert(file.data.end(), whole.data.begin(), whole.data.begin() + 15);
  file.U8(0x22).U8(0x11);
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(doc.EntLineN(), 1);
  uint64_t bits;
  std::memcpy(&bits, &doc.EntLine[0].start_x, sizeof bits);
  EXPECT_EQ(bits, 0x1122u);
  EXPECT_EQ(doc.EntLine[0].end_y, 0);
}

TEST(ReadEntityListTest, BodyWithNoByteIsLeftOutButCounted) {
  Bytes file;
  file.U16(1).NewClass("CDataSen");
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  ASSERT_TRUE(r.ok);  // the list is complete; the next list will find no count
  EXPECT_EQ(doc.EntLineN(), 0);
  ASSERT_EQ(doc.EntNo.size(), 1u);
  EXPECT_EQ(doc.EntNo[0].EntType, kEntNone);
  EXPECT_EQ(r.load_index, 3u);

  TJwwData doc2;
  const ListRead with_defs = ReadLists(file, 600, doc2, /*defs=*/true);
  EXPECT_FALSE(with_defs.ok);
  EXPECT_EQ(with_defs.why, ReadFailure::kIo);
}

TEST(ReadEntityListTest, DimensionWithoutItsTextIsLeftOut) {
  Bytes file;
  file.U16(1).NewClass("CDataSunpou").Append(AttrOf(true)).Append(LineBody(1));
  TJwwData doc;
  ASSERT_TRUE(ReadLists(file, 600, doc).ok);
  EXPECT_EQ(doc.EntSunpoN(), 0);
  EXPECT_EQ(doc.EntNo[0].EntType, kEntNone);
}

TEST(ReadEntityListTest, DimensionFrom420WithoutItsLastPointIsLeftOut) {
  Bytes file;
  file.U16(1).NewClass("CDataSunpou").Append(DimensionCore(true)).U16(1);
  file.Append(LineBody(1)).Append(LineBody(2));
  for (int i = 0; i < 3; ++i) file.Append(AttrOf(true, 1)).F64(0).F64(0).U32(0);
  TJwwData doc;
  ASSERT_TRUE(ReadLists(file, 600, doc).ok);
  EXPECT_EQ(doc.EntSunpoN(), 0);
}

TEST(ReadEntityListTest, ListEndingWhereATagIsExpectedFails) {
  Bytes file;
  file.U16(2).NewClass("CDataSen").Append(LineBody(1));
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.why, ReadFailure::kIo);
  EXPECT_EQ(doc.EntLineN(), 1);
  EXPECT_EQ(doc.EntNo.size(), 2u);
}

TEST(ReadEntityListTest, EmptyDataHasNoCount) {
  Bytes file;
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.why, ReadFailure::kIo);
}

Bytes DefinitionHeader(uint32_t number, uint32_t dtime) {
  Bytes b = AttrOf(true);
  b.U32(number).U32(1).U32(dtime);
  return b;
}

TEST(ReadBlockDefListTest, LongTimeIsSkippedAndReplacedByThePosition) {
  Bytes file;
  file.U16(1).NewClass("CDataSen").Append(LineBody(1));  // class 1, object 2
  file.U16(2);
  file.NewClass("CDataList");                                    // class 3
  file.Append(DefinitionHeader(5, 0x12345678)).Str("A").U16(1);  // definition 4
  file.Ref(1).Append(LineBody(7));                               // object 5
  file.Ref(3);
  file.Append(DefinitionHeader(6, 0x80000001)).U32(0xAAAAAAAA).U32(0xBBBBBBBB);
  file.Str("B").U16(1);      // definition 6
  file.NewClass("CDataSen")  // a fresh declaration inside a definition: class 7
      .Append(LineBody(8));
  file.Raw(kTrailer);
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc, /*defs=*/true);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.pos, file.size() - kTrailer.size());
  EXPECT_EQ(doc.Enthd.n2, 2);
  ASSERT_EQ(doc.EntBlockDef.size(), 2u);
  const TEntJwwBlockDef& a = doc.EntBlockDef[0];
  const TEntJwwBlockDef& b = doc.EntBlockDef[1];
  EXPECT_EQ(a.nNumber, 5u);
  EXPECT_EQ(a.dtime, 0x12345678u);
  EXPECT_EQ(a.strName, u"A");
  ASSERT_EQ(a.mLineN(), 1);
  EXPECT_EQ(a.mLine[0].start_x, 7);
  EXPECT_EQ(b.dtime, 2u);
  EXPECT_EQ(b.strName, u"B");
  ASSERT_EQ(b.mLineN(), 1);
  EXPECT_EQ(b.mLine[0].start_x, 8);
  ASSERT_EQ(b.mNo.size(), 1u);
  EXPECT_EQ(b.mNo[0].EntType, kEntLine);
  EXPECT_EQ(r.load_index, 9u);
}

TEST(ReadBlockDefListTest, DefinitionsBefore351HaveA25ByteHeader) {
  Bytes file;
  file.U16(0).U16(1).NewClass("CDataList");
  Bytes header = AttrOf(false);
  header.U32(9).U32(0).U32(3);
  ASSERT_EQ(header.size(), 25u);
  file.Append(header).Str("N").U16(0).Raw(kTrailer);
  TJwwData doc;
  const ListRead r = ReadLists(file, 350, doc, /*defs=*/true);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.pos, file.size() - kTrailer.size());
  ASSERT_EQ(doc.EntBlockDef.size(), 1u);
  EXPECT_EQ(doc.EntBlockDef[0].nNumber, 9u);
  EXPECT_EQ(doc.EntBlockDef[0].att.nPenWidth, 0);
}

TEST(ReadBlockDefListTest, DefinitionEndingBeforeItsHeaderFails) {
  Bytes file;
  file.U16(0).U16(1).NewClass("CDataList");
  TJwwData doc;
  const ListRead r = ReadLists(file, 600, doc, /*defs=*/true);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.why, ReadFailure::kIo);
}

}  // namespace
}  // namespace plandock
