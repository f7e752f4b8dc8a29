#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "document/block_tree.h"
#include "document/entity_io.h"
#include "entity_io_fixture.h"

namespace plandock {
namespace {

using test::Bytes;
using test::ListRead;
using test::ReadLists;

TEntJwwAttr Attr(uint8_t style, uint16_t color) {
  TEntJwwAttr a;
  a.lGroup = 9;
  a.nPenStyle = style;
  a.nPenColor = color;
  a.nPenWidth = 2;
  a.nLayer = 3;
  a.nGLayer = 4;
  a.sFlg = 0x10;
  return a;
}

// The stored form of Attr(style, color) at version 351 and later.
Bytes StoredAttr(uint8_t style, uint16_t color) {
  Bytes b;
  b.Attr(true, 9, style, color, 2, 3, 4, 0x10);
  return b;
}

TEntJwwLine Line(double x) {
  TEntJwwLine l;
  l.att = Attr(1, 2);
  l.start_x = x;
  l.end_x = x + 1;
  return l;
}

Bytes StoredLine(double x) {
  Bytes b = StoredAttr(1, 2);
  b.F64(x).F64(0).F64(x + 1).F64(0);
  return b;
}

struct Written {
  Bytes bytes;
  uint32_t load_index = 0;
};

Written WriteLists(TJwwData& doc, int32_t version) {
  ArchiveWriter out((doc.FileOutOpt & kFileOutUnicode) != 0);
  ArchiveClasses classes;
  uint32_t load_index = 1;
  WriteEntityList(out, doc, version, classes, load_index);
  WriteBlockDefList(out, doc, version, classes, load_index);
  Written w;
  w.bytes.data = out.buffer();
  w.load_index = load_index;
  return w;
}

TEST(WriteEntityListTest, SmallDocumentIsWrittenByteForByte) {
  TJwwData doc;
  doc.Enthd.jwVer = 600;
  doc.EntLine = {Line(1), Line(2)};
  TEntJwwBlock insertion;
  insertion.att = Attr(1, 1);
  insertion.dBairitsuX = insertion.dBairitsuY = 1;
  insertion.nNumber = 7;
  doc.EntBlock = {insertion};
  doc.AddEntNo(kEntLine, 0);
  doc.AddEntNo(kEntNone, 0);  // names nothing
  doc.AddEntNo(kEntLine, 1);
  doc.AddEntNo(kEntLine, 5);  // beyond the array
  doc.AddEntNo(9, 0);         // no such kind
  doc.AddEntNo(kEntBlock, 0);
  TEntJwwBlockDef def;
  def.att = Attr(1, 1);
  def.nNumber = 7;
  def.bRefferd = 1;
  def.dtime = 0x80000003;  // always stored in 4 bytes
  def.strName = u"B";
  def.mLine = {Line(3)};
  def.mNo = {{kEntLine, 0}};
  doc.EntBlockDef = {def};
  doc.Enthd.n2 = 1;
  MakeBlockTree(doc);

  Bytes expected;
  expected.U16(3);
  expected.NewClass("CDataSen", 600).Append(StoredLine(1));       // class 1, object 2
  expected.Ref(1).Append(StoredLine(2));                          // object 3
  expected.NewClass("CDataBlock", 600).Append(StoredAttr(1, 1));  // class 4, object 5
  expected.F64(0).F64(0).F64(1).F64(1).F64(0).U32(0);             // renumbered as the first written
  expected.U16(1);
  expected.NewClass("CDataList", 600).Append(StoredAttr(1, 1));  // class 6
  expected.U32(0).U32(1).U32(0x80000003).Str("B").U16(1);        // definition 7
  expected.Ref(1).Append(StoredLine(3));                         // object 8

  const Written w = WriteLists(doc, 600);
  EXPECT_EQ(w.bytes.data, expected.data);
  EXPECT_EQ(w.load_index, 9u);
}

TEST(WriteEntityListTest, AttributeBlockHoldsTheWidthFrom351On) {
  for (int32_t version : {220, 350, 351, 700}) {
    SCOPED_TRACE(version);
    TJwwData doc;
    doc.Enthd.jwVer = version;
    doc.EntLine = {Line(1)};
    doc.AddEntNo(kEntLine, 0);
    Bytes expected;
    expected.U16(1).NewClass("CDataSen", static_cast<uint16_t>(version));
    expected.Attr(version >= 351, 9, 1, 2, 2, 3, 4, 0x10).F64(1).F64(0).F64(2).F64(0);
    expected.U16(0);
    EXPECT_EQ(WriteLists(doc, version).bytes.data, expected.data);
  }
}

TEST(WriteEntityListTest, EmptyDocumentWritesTwoZeroCounts) {
  TJwwData doc;
  const Written w = WriteLists(doc, 600);
  EXPECT_EQ(w.bytes.data, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(WriteEntityListTest, ClassDeclaredPastIndex32766IsReferredToByTheBigTag) {
  TJwwData doc;
  doc.EntLine.assign(33000, Line(0));
  for (int i = 0; i < 33000; ++i) doc.AddEntNo(kEntLine, i);
  TEntJwwTen point;
  point.att = Attr(1, 1);
  doc.EntTen = {point, point};
  doc.AddEntNo(kEntTen, 0);
  doc.AddEntNo(kEntTen, 1);
  const Written w = WriteLists(doc, 600);

  // Lines take the indexes 2..33001; the point class is declared at 33002.
  Bytes tail;
  tail.BigRef(33002).Append(StoredAttr(1, 1)).F64(0).F64(0).U32(0).U16(0);
  ASSERT_GT(w.bytes.size(), tail.size());
  EXPECT_EQ(std::vector<uint8_t>(w.bytes.data.end() - static_cast<std::ptrdiff_t>(tail.size()),
                                 w.bytes.data.end()),
            tail.data);
  TJwwData back;
  ASSERT_TRUE(ReadLists(w.bytes, 600, back, true).ok);
  EXPECT_EQ(back.EntLineN(), 33000);
  EXPECT_EQ(back.EntTenN(), 2);
}

TEST(WriteEntityListTest, ValuesAreWrittenByTheirRules) {
  TJwwData doc;
  TEntJwwMoji text;
  text.att = Attr(1, 2);
  text.dSizeX = -2.5;
  text.dSizeY = 0;
  text.strFontName = u"\t";  // only a control character: written as one space
  text.str = u"a^mb\\nc";
  doc.EntMoji = {text};
  TEntJwwTen plain;
  plain.att = Attr(1, 1);
  plain.nCode = 5;  // not stored without pen style 100
  TEntJwwSolid solid;
  solid.att = Attr(1, 3);
  solid.Color = 0x123456;  // not stored without pen colour 10
  doc.EntTen = {plain};
  doc.EntSolid = {solid};
  doc.AddEntNo(kEntMoji, 0);
  doc.AddEntNo(kEntTen, 0);
  doc.AddEntNo(kEntSolid, 0);

  Bytes expected;
  expected.U16(3);
  expected.NewClass("CDataMoji", 600).Append(StoredAttr(1, 2));
  expected.F64(0).F64(0).F64(0).F64(0).U32(0).F64(2.5).F64(1e-10).F64(0).F64(0);
  expected.Str(" ").Str("abc");
  expected.NewClass("CDataTen", 600).Append(StoredAttr(1, 1)).F64(0).F64(0).U32(0);
  expected.NewClass("CDataSolid", 600).Append(StoredAttr(1, 3)).Zeros(64);
  expected.U16(0);
  EXPECT_EQ(WriteLists(doc, 600).bytes.data, expected.data);
}

TEntJwwTen Point(double x, uint8_t style = 1) {
  TEntJwwTen t;
  t.att = Attr(style, 1);
  t.start_x = x;
  if (style == 100) {
    t.nCode = 4;
    t.radKaitenKaku = 0.5;
    t.dBairitsu = 2;
  }
  return t;
}

TEntJwwMoji Text(const std::u16string& s) {
  TEntJwwMoji m;
  m.att = Attr(1, 2);
  m.start_x = 1;
  m.end_x = 20;
  m.nMojiShu = 3;
  m.dSizeX = 2.5;
  m.dSizeY = 2.5;
  m.dKankaku = 0.5;
  m.degKakudo = 30;
  m.strFontName = u"ＭＳ ゴシック";
  m.str = s;
  return m;
}

TEntJwwSunpo Dimension(uint16_t sxf) {
  TEntJwwSunpo s;
  s.att = Attr(1, 5);
  s.Sen = Line(10);
  s.Moji = Text(u"1,000");
  s.bSxfMode = sxf;
  s.Ho1 = Line(11);
  s.Ho2 = Line(12);
  s.Te1 = Point(13, 100);
  s.Te2 = Point(14);
  s.Kt1 = Point(15);
  s.Kt2 = Point(16);
  return s;
}

TEST(WriteEntityListTest, SxfDimensionOfANewerDrawingSplitsIntoSevenObjectsBefore420) {
  TJwwData doc;
  doc.Enthd.jwVer = 600;
  doc.EntSunpo = {Dimension(1), Dimension(0)};
  doc.AddEntNo(kEntSunpo, 0);
  doc.AddEntNo(kEntSunpo, 1);
  const Written w = WriteLists(doc, 351);
  EXPECT_EQ(w.bytes.data[0], 8);  // 7 for the split dimension, 1 for the plain one

  TJwwData back;
  ASSERT_TRUE(ReadLists(w.bytes, 351, back, true).ok);
  const std::vector<int32_t> kinds = {kEntSunpo, kEntLine, kEntLine, kEntTen,
                                      kEntTen,   kEntTen,  kEntTen,  kEntSunpo};
  ASSERT_EQ(back.EntNo.size(), kinds.size());
  for (size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(back.EntNo[i].EntType, kinds[i]) << i;
  ASSERT_EQ(back.EntLineN(), 2);
  EXPECT_EQ(back.EntLine[1].start_x, 12);
  ASSERT_EQ(back.EntTenN(), 4);
  EXPECT_EQ(back.EntTen[0].nCode, 4u);  // pen style 100 keeps its extra fields
  EXPECT_EQ(back.EntTen[1].bKariten, 0u);
  EXPECT_EQ(back.EntTen[2].bKariten, 1u);  // reference points become provisional
  EXPECT_EQ(back.EntTen[3].bKariten, 1u);
  EXPECT_EQ(back.EntSunpo[1].Moji.str, u"1,000");

  // A drawing that is itself older has no SXF parts to split: they are dropped.
  doc.Enthd.jwVer = 351;
  EXPECT_EQ(WriteLists(doc, 351).bytes.data[0], 2);
}

TEST(WriteBlockDefListTest, OnlyReachedDefinitionsAreWrittenAndRenumbered) {
  TJwwData doc;
  TEntJwwBlock top;
  top.nNumber = 10;
  top.dBairitsuX = top.dBairitsuY = 1;
  doc.EntBlock = {top};
  doc.AddEntNo(kEntBlock, 0);
  TEntJwwBlockDef d10, d11, d12;
  d10.nNumber = 10;
  d10.strName = u"outer";
  TEntJwwBlock nested = top;
  nested.nNumber = 12;
  d10.mBlock = {nested};
  d10.mNo = {{kEntBlock, 0}};
  d11.nNumber = 11;
  d11.strName = u"unused";
  d12.nNumber = 12;
  d12.strName = u"inner";
  d12.mLine = {Line(1)};
  d12.mNo = {{kEntLine, 0}};
  doc.EntBlockDef = {d10, d11, d12};
  doc.Enthd.n2 = 3;
  MakeBlockTree(doc);

  TJwwData back;
  ASSERT_TRUE(ReadLists(WriteLists(doc, 600).bytes, 600, back, true).ok);
  ASSERT_EQ(back.EntBlockDef.size(), 2u);
  EXPECT_EQ(back.EntBlockDef[0].strName, u"outer");
  EXPECT_EQ(back.EntBlockDef[0].nNumber, 0u);
  EXPECT_EQ(back.EntBlockDef[0].mBlock[0].nNumber, 1u);
  EXPECT_EQ(back.EntBlockDef[1].strName, u"inner");
  EXPECT_EQ(back.EntBlockDef[1].nNumber, 1u);
  EXPECT_EQ(back.EntBlock[0].nNumber, 0u);
}

// Inside a definition the split counts and numbers like the entity list: the
// member count holds 7 for the dimension, the class declared for its lines is
// referred to by a later member, and the definition takes its own index after
// its count.
TEST(WriteBlockDefListTest, SplitDimensionInADefinitionCountsSevenMembers) {
  TJwwData doc;
  doc.Enthd.jwVer = 600;
  TEntJwwBlock insertion;
  insertion.att = Attr(1, 1);
  insertion.dBairitsuX = insertion.dBairitsuY = 1;
  insertion.nNumber = 5;
  doc.EntBlock = {insertion};
  doc.AddEntNo(kEntBlock, 0);
  TEntJwwBlockDef def;
  def.att = Attr(1, 1);
  def.nNumber = 5;
  def.bRefferd = 1;
  def.dtime = 7;
  def.strName = u"D";
  TEntJwwSunpo dim = Dimension(1);
  dim.Moji.strFontName = u"Mincho";
  def.mSunpo = {dim};
  def.mLine = {Line(20)};
  def.mNo = {{kEntSunpo, 0}, {kEntLine, 0}};
  doc.EntBlockDef = {def};
  doc.Enthd.n2 = 1;
  MakeBlockTree(doc);

  auto stored_point = [](double x, uint8_t style, uint32_t kariten) {
    Bytes b = StoredAttr(style, 1);
    b.F64(x).F64(0).U32(kariten);
    if (style == 100) b.U32(4).F64(0.5).F64(2);
    return b;
  };
  Bytes expected;
  expected.U16(1);
  expected.NewClass("CDataBlock", 351).Append(StoredAttr(1, 1));  // class 1, object 2
  expected.F64(0).F64(0).F64(1).F64(1).F64(0).U32(0);
  expected.U16(1);
  expected.NewClass("CDataList", 351).Append(StoredAttr(1, 1));    // class 3
  expected.U32(0).U32(1).U32(7).Str("D").U16(8);                   // definition 4
  expected.NewClass("CDataSunpou", 351).Append(StoredAttr(1, 5));  // class 5, object 6
  expected.Append(StoredLine(10)).Append(StoredAttr(1, 2));
  expected.F64(1).F64(0).F64(20).F64(0).U32(3).F64(2.5).F64(2.5).F64(0.5).F64(30);
  expected.Str("Mincho").Str("1,000");
  expected.NewClass("CDataSen", 351).Append(StoredLine(11));            // class 7, object 8
  expected.Ref(7).Append(StoredLine(12));                               // object 9
  expected.NewClass("CDataTen", 351).Append(stored_point(13, 100, 0));  // class 10, object 11
  expected.Ref(10).Append(stored_point(14, 1, 0));                      // object 12
  expected.Ref(10).Append(stored_point(15, 1, 1));                      // object 13
  expected.Ref(10).Append(stored_point(16, 1, 1));                      // object 14
  expected.Ref(7).Append(StoredLine(20));                               // object 15

  const Written w = WriteLists(doc, 351);
  EXPECT_EQ(w.bytes.data, expected.data);
  EXPECT_EQ(w.load_index, 16u);
}

// ---------------------------------------------------------------------------
// Round trip of every kind

auto Key(const TEntJwwAttr& a) {
  return std::make_tuple(a.lGroup, a.nPenStyle, a.nPenColor, a.nPenWidth, a.nLayer, a.nGLayer,
                         a.sFlg);
}
auto Key(const TEntJwwLine& e) {
  return std::make_tuple(Key(e.att), e.start_x, e.start_y, e.end_x, e.end_y);
}
auto Key(const TEntJwwEnko& e) {
  return std::make_tuple(Key(e.att), e.start_x, e.start_y, e.dHankei, e.radKaishiKaku,
                         e.radEnkoKaku, e.radKatamukiKaku, e.dHenpeiRitsu, e.bZenEnFlg);
}
auto Key(const TEntJwwTen& e) {
  return std::make_tuple(Key(e.att), e.start_x, e.start_y, e.bKariten, e.nCode, e.radKaitenKaku,
                         e.dBairitsu);
}
auto Key(const TEntJwwMoji& e) {
  return std::make_tuple(Key(e.att), e.start_x, e.start_y, e.end_x, e.end_y, e.nMojiShu, e.dSizeX,
                         e.dSizeY, e.dKankaku, e.degKakudo, e.strFontName, e.str);
}
auto Key(const TEntJwwSunpo& e) {
  return std::make_tuple(Key(e.att), Key(e.Sen), Key(e.Moji), e.bSxfMode, Key(e.Ho1), Key(e.Ho2),
                         Key(e.Te1), Key(e.Te2), Key(e.Kt1), Key(e.Kt2));
}
auto Key(const TEntJwwSolid& e) {
  return std::make_tuple(Key(e.att), e.start_x, e.start_y, e.end_x, e.end_y, e.DPoint2_x,
                         e.DPoint2_y, e.DPoint3_x, e.DPoint3_y, e.Color);
}
auto Key(const TEntJwwBlock& e) {
  return std::make_tuple(Key(e.att), e.DPKijunTen_x, e.DPKijunTen_y, e.dBairitsuX, e.dBairitsuY,
                         e.radKaitenKaku, e.nNumber);
}

// The drawing order of a document or definition, each entry resolved to its record.
struct Drawing {
  const std::vector<TEntJwwNo>& no;
  const std::vector<TEntJwwLine>& line;
  const std::vector<TEntJwwEnko>& enko;
  const std::vector<TEntJwwTen>& ten;
  const std::vector<TEntJwwMoji>& moji;
  const std::vector<TEntJwwSunpo>& sunpo;
  const std::vector<TEntJwwSolid>& solid;
  const std::vector<TEntJwwBlock>& block;
};
Drawing Of(const TJwwData& d) {
  return {d.EntNo, d.EntLine, d.EntEnko, d.EntTen, d.EntMoji, d.EntSunpo, d.EntSolid, d.EntBlock};
}
Drawing Of(const TEntJwwBlockDef& d) {
  return {d.mNo, d.mLine, d.mEnko, d.mTen, d.mMoji, d.mSunpo, d.mSolid, d.mBlock};
}

template <class V>
bool SameAt(const V& a, int32_t i, const V& b, int32_t j) {
  return Key(a.at(static_cast<size_t>(i))) == Key(b.at(static_cast<size_t>(j)));
}

// Same kinds in the same order, each with the same stored values; the indexes
// may differ, since reading numbers the records in file order.
void ExpectSameDrawing(const Drawing& a, const Drawing& b) {
  ASSERT_EQ(a.no.size(), b.no.size());
  for (size_t k = 0; k < a.no.size(); ++k) {
    SCOPED_TRACE("entry " + std::to_string(k));
    const TEntJwwNo& x = a.no[k];
    const TEntJwwNo& y = b.no[k];
    ASSERT_EQ(x.EntType, y.EntType);
    switch (x.EntType) {
      case kEntLine:
        EXPECT_TRUE(SameAt(a.line, x.EntNo, b.line, y.EntNo));
        break;
      case kEntEnko:
        EXPECT_TRUE(SameAt(a.enko, x.EntNo, b.enko, y.EntNo));
        break;
      case kEntTen:
        EXPECT_TRUE(SameAt(a.ten, x.EntNo, b.ten, y.EntNo));
        break;
      case kEntMoji:
        EXPECT_TRUE(SameAt(a.moji, x.EntNo, b.moji, y.EntNo));
        break;
      case kEntSunpo:
        EXPECT_TRUE(SameAt(a.sunpo, x.EntNo, b.sunpo, y.EntNo));
        break;
      case kEntSolid:
        EXPECT_TRUE(SameAt(a.solid, x.EntNo, b.solid, y.EntNo));
        break;
      case kEntBlock:
        EXPECT_TRUE(SameAt(a.block, x.EntNo, b.block, y.EntNo));
        break;
      default:
        ADD_FAILURE() << "kind " << x.EntType;
    }
  }
  EXPECT_EQ(a.line.size(), b.line.size());
  EXPECT_EQ(a.ten.size(), b.ten.size());
  EXPECT_EQ(a.moji.size(), b.moji.size());
  EXPECT_EQ(a.solid.size(), b.solid.size());
}

// One of every kind, in the arrays of `c` (the document's or a definition's).
template <class Lines, class Arcs, class Points, class Texts, class Dims, class Solids,
          class Blocks, class Order>
void FillEveryKind(Lines& line, Arcs& enko, Points& ten, Texts& moji, Dims& sunpo, Solids& solid,
                   Blocks& block, Order& no, uint32_t block_number) {
  TEntJwwLine sxf_line = Line(1);
  sxf_line.att = Attr(31, 105);  // SXF style and colour, kept from 420 on
  line.push_back(sxf_line);
  TEntJwwEnko arc;
  arc.att = Attr(16, 356);
  arc.start_x = 5;
  arc.dHankei = 2;
  arc.radEnkoKaku = 6.25;
  arc.dHenpeiRitsu = 1;
  arc.bZenEnFlg = 1;
  enko.push_back(arc);
  ten.push_back(Point(7, 100));
  ten.push_back(Point(8));
  moji.push_back(Text(u"^@BM%temp%photo.jpg,0,0"));
  moji.push_back(Text(u"平面図 1/100"));
  sunpo.push_back(Dimension(1));
  TEntJwwSolid own;
  own.att = Attr(1, 10);
  own.end_y = 3;
  own.Color = 0x00336699;
  TEntJwwSolid circle;
  circle.att = Attr(101, 3);
  circle.end_x = 5;
  circle.DPoint3_x = 6.28;
  circle.DPoint3_y = 100;
  solid.push_back(own);
  solid.push_back(circle);
  TEntJwwBlock b;
  b.att = Attr(1, 1);
  b.DPKijunTen_x = 100;
  b.dBairitsuX = 2;
  b.dBairitsuY = 0.5;
  b.radKaitenKaku = 1.5;
  b.nNumber = block_number;
  block.push_back(b);
  no = {{kEntSunpo, 0}, {kEntLine, 0},  {kEntTen, 1},   {kEntEnko, 0}, {kEntMoji, 0},
        {kEntTen, 0},   {kEntSolid, 1}, {kEntBlock, 0}, {kEntMoji, 1}, {kEntSolid, 0}};
}

TEST(EntityListRoundTripTest, EveryKindReadsBackAsWritten) {
  for (int32_t version : {600, 700}) {
    for (int32_t option : {0, kFileOutUnicode}) {
      SCOPED_TRACE("version " + std::to_string(version) + " option " + std::to_string(option));
      TJwwData doc;
      doc.Enthd.jwVer = version;
      doc.FileOutOpt = option;
      FillEveryKind(doc.EntLine, doc.EntEnko, doc.EntTen, doc.EntMoji, doc.EntSunpo, doc.EntSolid,
                    doc.EntBlock, doc.EntNo, 0);
      doc.Enthd.n1 = static_cast<int32_t>(doc.EntNo.size());
      // Definition 0 is inserted at top level and inserts definition 1 in turn.
      doc.EntBlockDef.resize(2);
      for (uint32_t k = 0; k < 2; ++k) {
        TEntJwwBlockDef& d = doc.EntBlockDef[k];
        d.att = Attr(1, 1);
        d.nNumber = k;
        d.bRefferd = 1;
        d.dtime = 1000 + k;
        d.strName = u"部品" + std::u16string(1, static_cast<char16_t>(u'A' + k));
        FillEveryKind(d.mLine, d.mEnko, d.mTen, d.mMoji, d.mSunpo, d.mSolid, d.mBlock, d.mNo, 1);
      }
      doc.EntBlockDef[1].mBlock.clear();  // no cycle: definition 1 inserts nothing
      std::erase_if(doc.EntBlockDef[1].mNo,
                    [](const TEntJwwNo& e) { return e.EntType == kEntBlock; });
      doc.Enthd.n2 = 2;
      MakeBlockTree(doc);
      ASSERT_EQ(doc.EntBlockNum, 2);

      const Written w = WriteLists(doc, version);
      TJwwData back;
      const ListRead r = ReadLists(w.bytes, version, back, true);
      ASSERT_TRUE(r.ok);
      EXPECT_EQ(r.pos, w.bytes.size());
      EXPECT_EQ(r.load_index, w.load_index);
      EXPECT_EQ(back.MojiEncode, option != 0);
      ExpectSameDrawing(Of(back), Of(doc));
      ASSERT_EQ(back.EntBlockDef.size(), 2u);
      for (size_t k = 0; k < 2; ++k) {
        const TEntJwwBlockDef& a = back.EntBlockDef[k];
        const TEntJwwBlockDef& b = doc.EntBlockDef[k];
        EXPECT_TRUE(Key(a.att) == Key(b.att));
        EXPECT_EQ(a.nNumber, b.nNumber);
        EXPECT_EQ(a.bRefferd, b.bRefferd);
        EXPECT_EQ(a.dtime, b.dtime);
        EXPECT_EQ(a.strName, b.strName);
        ExpectSameDrawing(Of(a), Of(b));
      }
    }
  }
}

}  // namespace
}  // namespace plandock
