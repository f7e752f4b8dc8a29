#include "document/archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/entity_io.h"

namespace plandock {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes Repeat(uint8_t b, size_t n) { return Bytes(n, b); }

Bytes Written(const TJwwData& doc, const std::u16string& text) {
  ArchiveWriter w((doc.FileOutOpt & kFileOutUnicode) != 0);
  w.WriteMfcString(text);
  return w.buffer();
}

// "日本語" in code page 932.
const Bytes kNihongoCp932 = {0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA};

// --- Byte form -------------------------------------------------------------

TEST(ArchiveString, ByteForm254HasOneBytePrefix) {
  TJwwData doc;
  const std::u16string text(254, u'a');
  const Bytes stored = Concat({{0xFE}, Repeat('a', 254)});
  EXPECT_EQ(Written(doc, text), stored);

  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), text);
  EXPECT_EQ(r.last_got(), 255u);
  EXPECT_TRUE(r.at_end());
  EXPECT_FALSE(doc.MojiEncode);
}

TEST(ArchiveString, ByteForm255HasWordPrefix) {
  TJwwData doc;
  const std::u16string text(255, u'b');
  const Bytes stored = Concat({{0xFF, 0xFF, 0x00}, Repeat('b', 255)});
  EXPECT_EQ(Written(doc, text), stored);

  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), text);
  EXPECT_EQ(r.last_got(), 258u);
  EXPECT_TRUE(r.at_end());
}

TEST(ArchiveString, EmptyByteForm) {
  TJwwData doc;
  EXPECT_EQ(Written(doc, u""), Bytes({0x00}));
  const Bytes stored = {0x00, 0x42};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"");
  EXPECT_EQ(r.last_got(), 1u);
  EXPECT_EQ(r.pos(), 1u);
  EXPECT_FALSE(doc.MojiEncode);
}

TEST(ArchiveString, StoredZeroByteEndsTheText) {
  TJwwData doc;
  const Bytes stored = {0x05, 'a', 'b', 0x00, 'c', 'd', 0x07};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"ab");
  EXPECT_EQ(r.last_got(), 6u);
  EXPECT_EQ(r.U8(), 0x07);  // the whole stored length was consumed
}

TEST(ArchiveString, JapaneseInCp932) {
  TJwwData doc;
  const Bytes stored = Concat({{0x06}, kNihongoCp932});
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"日本語");
  EXPECT_EQ(Written(doc, u"日本語"), stored);
  EXPECT_EQ(AnsiBytesToText(std::string("A\x93\xFA", 3)), u"A日");
  // A zero byte after a double-byte character still ends the text.
  EXPECT_EQ(AnsiBytesToText(std::string("\x93\xFA\0\x96\x7B", 5)), u"日");
}

TEST(ArchiveString, MixedLongJapaneseCrossesThePrefixBoundary) {
  TJwwData doc;
  // 127 two-byte characters = 254 bytes, one more = 256 bytes.
  std::u16string t254(127, u'図');
  std::u16string t256(128, u'図');
  EXPECT_EQ(Written(doc, t254)[0], 0xFE);
  Bytes w = Written(doc, t256);
  EXPECT_EQ(Bytes(w.begin(), w.begin() + 3), Bytes({0xFF, 0x00, 0x01}));
  EXPECT_EQ(w.size(), 3u + 256u);
  ArchiveReader r(w.data(), w.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), t256);
}

TEST(ArchiveString, CleanStringDropsControlCharacters) {
  TJwwData doc;
  const Bytes stored = {0x06, 'a', '\t', 'b', '\r', '\n', 'c',
                        0x06, 'a', '\t', 'b', '\r', '\n', 'c'};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"a\tb\r\nc");
  EXPECT_EQ(r.ReadCleanString(), u"abc");
  EXPECT_EQ(r.last_got(), 7u);
  // Japanese text with a control character.
  const Bytes jp = Concat({{0x07}, {0x93, 0xFA, 0x09, 0x96, 0x7B, 0x8C, 0xEA}});
  ArchiveReader rj(jp.data(), jp.size(), doc.MojiEncode);
  EXPECT_EQ(rj.ReadCleanString(), u"日本語");
}

// --- Unicode form ----------------------------------------------------------

Bytes Utf16(const std::u16string& s) {
  Bytes out;
  for (char16_t c : s) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

TEST(ArchiveString, Unicode254And255Units) {
  TJwwData doc;
  doc.FileOutOpt = kFileOutUnicode;
  const std::u16string t254(254, u'字');
  const std::u16string t255(255, u'字');
  const Bytes s254 = Concat({{0xFF, 0xFE, 0xFF, 0xFE}, Utf16(t254)});
  const Bytes s255 = Concat({{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}, Utf16(t255)});
  EXPECT_EQ(Written(doc, t254), s254);
  EXPECT_EQ(Written(doc, t255), s255);

  TJwwData rd;
  ArchiveReader r(s254.data(), s254.size(), rd.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), t254);
  EXPECT_EQ(r.last_got(), 4u + 508u);
  EXPECT_TRUE(rd.MojiEncode);
  ArchiveReader r2(s255.data(), s255.size(), rd.MojiEncode);
  EXPECT_EQ(r2.ReadMfcString(), t255);
  EXPECT_EQ(r2.last_got(), 6u + 510u);
}

TEST(ArchiveString, EmptyUnicodeFormSetsMojiEncode) {
  TJwwData doc;
  doc.FileOutOpt = kFileOutUnicode;
  EXPECT_EQ(Written(doc, u""), Bytes({0xFF, 0xFE, 0xFF, 0x00}));
  TJwwData rd;
  const Bytes stored = {0xFF, 0xFE, 0xFF, 0x00};
  ArchiveReader r(stored.data(), stored.size(), rd.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"");
  EXPECT_EQ(r.last_got(), 4u);
  EXPECT_TRUE(rd.MojiEncode);
}

TEST(ArchiveString, UnicodeZeroUnitAndControlCharacters) {
  TJwwData doc;
  const Bytes stored = Concat({{0xFF, 0xFE, 0xFF, 0x04}, Utf16(u"a\tb"), {0x00, 0x00}});
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadCleanString(), u"ab");
  ArchiveReader r2(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r2.ReadMfcString(), u"a\tb");
  EXPECT_TRUE(r2.at_end());
  ArchiveWriter w(true);
  w.WriteMfcString(u"A字");
  EXPECT_EQ(w.buffer(), Bytes({0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 0x57, 0x5B}));
}

TEST(ArchiveString, ByteFormWithWordLengthThatIsNotTheMarker) {
  TJwwData doc;
  const Bytes stored = Concat({{0xFF, 0x03, 0x00}, {'x', 'y', 'z'}});
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"xyz");
  EXPECT_FALSE(doc.MojiEncode);
}

TEST(ArchiveString, RoundTripBothForms) {
  for (int32_t opt : {0, kFileOutUnicode}) {
    TJwwData doc;
    doc.FileOutOpt = opt;
    ArchiveWriter w((doc.FileOutOpt & kFileOutUnicode) != 0);
    const std::vector<std::u16string> texts = {
        u"", u"abc", u"日本語テキスト", std::u16string(300, u'x'), std::u16string(200, u'漢')};
    for (const auto& t : texts) w.WriteMfcString(t);
    TJwwData rd;
    ArchiveReader r(w.buffer().data(), w.buffer().size(), rd.MojiEncode);
    for (const auto& t : texts) EXPECT_EQ(r.ReadMfcString(), t);
    EXPECT_TRUE(r.at_end());
    EXPECT_EQ(rd.MojiEncode, opt != 0);
  }
}

// --- Short reads -------------------------------------------------------------

TEST(ArchiveShortRead, StringLongerThanTheBufferDeliversWhatIsThere) {
  TJwwData doc;
  const Bytes stored = {200, 'a', 'b', 'c'};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"abc");
  EXPECT_EQ(r.last_got(), 4u);
  EXPECT_TRUE(r.at_end());

  const Bytes uni = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0, 'b'};
  ArchiveReader ru(uni.data(), uni.size(), doc.MojiEncode);
  EXPECT_EQ(ru.ReadMfcString(), u"a");
  EXPECT_EQ(ru.last_got(), 9u);
  EXPECT_TRUE(ru.at_end());
}

TEST(ArchiveShortRead, ReadsAtTheEndDeliverNothing) {
  TJwwData doc;
  const Bytes stored = {0xFF};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadMfcString(), u"");
  EXPECT_EQ(r.last_got(), 1u);
  EXPECT_EQ(r.ReadMfcString(), u"");
  EXPECT_EQ(r.last_got(), 0u);
  EXPECT_EQ(r.ReadObjectCount(), 0);
  EXPECT_EQ(r.last_got(), 0u);
  ArchiveReader::ClassTag tag = r.ReadClassTag();
  EXPECT_FALSE(tag.is_new);
  EXPECT_EQ(r.last_got(), 0u);
  EXPECT_EQ(r.U32(), 0u);
  EXPECT_EQ(r.last_got(), 0u);
  EXPECT_EQ(r.load_index, 1u);
}

TEST(ArchiveShortRead, PartialValueAndTag) {
  TJwwData doc;
  const Bytes stored = {0x01, 0x00, 0x00, 0x00, 0x05};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.U32(), 1u);
  EXPECT_EQ(r.U16(), 5u);  // the missing byte counts as zero
  EXPECT_EQ(r.last_got(), 1u);

  const Bytes decl = {0xFF, 0xFF, 0x5E, 0x01, 0x08, 0x00, 'C', 'D', 'a'};
  ArchiveReader rd(decl.data(), decl.size(), doc.MojiEncode);
  ArchiveReader::ClassTag tag = rd.ReadClassTag();
  EXPECT_TRUE(tag.is_new);
  EXPECT_EQ(tag.name, "CDa");
  EXPECT_EQ(rd.last_got(), 9u);
  EXPECT_TRUE(rd.at_end());
}

// --- Counts ----------------------------------------------------------------

TEST(ArchiveCount, ShortAndLongForms) {
  TJwwData doc;
  const Bytes stored = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  EXPECT_EQ(r.ReadObjectCount(), 0x1234);
  EXPECT_EQ(r.last_got(), 2u);
  EXPECT_EQ(r.ReadObjectCount(), 0xFFFE);
  EXPECT_EQ(r.ReadObjectCount(), 0x12345);
  EXPECT_EQ(r.last_got(), 6u);
  EXPECT_TRUE(r.at_end());

  ArchiveWriter w((doc.FileOutOpt & kFileOutUnicode) != 0);
  w.WriteObjectCount(0);
  w.WriteObjectCount(0xFFFE);
  w.WriteObjectCount(0xFFFF);
  w.WriteObjectCount(0x12345);
  EXPECT_EQ(w.buffer(), Bytes({0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF,
                               0xFF, 0x45, 0x23, 0x01, 0x00}));
}

// --- Class tags --------------------------------------------------------------

TEST(ArchiveClassTag, DeclarationReferenceBigAndUndeclared) {
  TJwwData doc;
  const Bytes stored = Concat({{0xFF, 0xFF, 0x5E, 0x01, 0x08, 0x00},
                               {'C', 'D', 'a', 't', 'a', 'S', 'e', 'n'},
                               {0x01, 0x80},                          // reference to 1
                               {0x03, 0x80},                          // reference to 3
                               {0xFF, 0x7F, 0x03, 0x00, 0x00, 0x80},  // big reference to 3
                               {0xFF, 0x7F, 0x40, 0x42, 0x0F, 0x00},  // big, bit 31 clear
                               {0x09, 0x80}});                        // undeclared 9
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  auto t = r.ReadClassTag();
  EXPECT_TRUE(t.is_new);
  EXPECT_EQ(t.name, "CDataSen");
  EXPECT_EQ(t.index, 1u);
  EXPECT_EQ(r.load_index, 2u);
  EXPECT_EQ(r.last_got(), 14u);
  EXPECT_EQ(AnsiBytesToText(t.name), u"CDataSen");

  t = r.ReadClassTag();
  EXPECT_FALSE(t.is_new);
  EXPECT_EQ(t.index, 1u);
  EXPECT_EQ(r.last_got(), 2u);
  t = r.ReadClassTag();
  EXPECT_EQ(t.index, 3u);
  t = r.ReadClassTag();
  EXPECT_FALSE(t.is_new);
  EXPECT_EQ(t.index, 3u);
  EXPECT_EQ(r.last_got(), 6u);
  t = r.ReadClassTag();
  EXPECT_EQ(t.index, 1000000u);
  t = r.ReadClassTag();
  EXPECT_FALSE(t.is_new);
  EXPECT_EQ(t.index, 9u);  // names no declared class: the reader's resolution finds none
  EXPECT_EQ(r.load_index, 2u);
  EXPECT_TRUE(r.at_end());
}

TEST(ArchiveClassTag, DeclarationTakesTheRunningIndex) {
  TJwwData doc;
  const Bytes stored = {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 'A'};
  ArchiveReader r(stored.data(), stored.size(), doc.MojiEncode);
  r.load_index = 40000;
  auto t = r.ReadClassTag();
  EXPECT_EQ(t.index, 40000u);
  EXPECT_EQ(r.load_index, 40001u);
}

TEST(ArchiveClassTag, Writer) {
  TJwwData doc;
  ArchiveWriter w((doc.FileOutOpt & kFileOutUnicode) != 0);
  w.WriteNewClass(600, "CDataSen");
  w.WriteClassRef(3);
  w.WriteClassRef(32766);
  w.WriteClassRef(32767);
  EXPECT_EQ(w.buffer(), Concat({{0xFF, 0xFF, 0x58, 0x02, 0x08, 0x00},
                                {'C', 'D', 'a', 't', 'a', 'S', 'e', 'n'},
                                {0x03, 0x80},
                                {0xFE, 0xFF},
                                {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}}));
  // What the writer writes, the reader reads back.
  ArchiveReader r(w.buffer().data(), w.buffer().size(), doc.MojiEncode);
  EXPECT_TRUE(r.ReadClassTag().is_new);
  EXPECT_EQ(r.ReadClassTag().index, 3u);
  EXPECT_EQ(r.ReadClassTag().index, 32766u);
  EXPECT_EQ(r.ReadClassTag().index, 32767u);
}

// --- Attribute value rules --------------------------------------------------

struct AttrCase {
  int version;
  int kind;
  int style, color, width, layer, glayer;
  int want_style, want_color, want_width, want_layer, want_glayer;
};

TEST(ArchiveAttr, WriteValueRules) {
  const AttrCase cases[] = {
      // version, kind, in: style color width layer glayer, out: same
      {351, 1, 1, 105, 0, 0, 0, 1, 4, 0, 0, 0},    // SXF colour 105 -> 4 below 420
      {600, 1, 1, 105, 0, 0, 0, 1, 105, 0, 0, 0},  // kept from 420 on
      {419, 1, 1, 101, 0, 0, 0, 1, 2, 0, 0, 0},
      {419, 1, 1, 116, 0, 0, 0, 1, 2, 0, 0, 0},
      {419, 1, 1, 117, 0, 0, 0, 1, 1, 0, 0, 0},
      {419, 1, 1, 356, 0, 0, 0, 1, 1, 0, 0, 0},
      {420, 1, 1, 356, 0, 0, 0, 1, 356, 0, 0, 0},
      {420, 1, 1, 357, 0, 0, 0, 1, 1, 0, 0, 0},  // out of range -> 1
      {600, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 1, 1, 10, 0, 0, 0, 1, 1, 0, 0, 0},  // 10 only for solids
      {600, 1, 1, 100, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 6, 1, 10, 0, 0, 0, 1, 10, 0, 0, 0},
      {600, 6, 1, 11, 0, 0, 0, 1, 1, 0, 0, 0},
      {351, 6, 1, 113, 0, 0, 0, 1, 6, 0, 0, 0},  // solids: SXF colours mapped too
      {351, 5, 1, 110, 0, 0, 0, 1, 8, 0, 0, 0},
      {351, 4, 1, 107, 0, 0, 0, 1, 1, 0, 0, 0},
      {351, 3, 1, 111, 0, 0, 0, 1, 4, 0, 0, 0},
      {351, 2, 1, 114, 0, 0, 0, 1, 5, 0, 0, 0},
      // SXF pen styles of lines and arcs below 420
      {419, 1, 31, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {419, 1, 32, 1, 0, 0, 0, 4, 1, 0, 0, 0},
      {419, 2, 37, 1, 0, 0, 0, 2, 1, 0, 0, 0},
      {419, 1, 44, 1, 0, 0, 0, 17, 1, 0, 0, 0},
      {419, 2, 45, 1, 0, 0, 0, 17, 1, 0, 0, 0},
      {419, 1, 46, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {419, 1, 62, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {420, 1, 45, 1, 0, 0, 0, 45, 1, 0, 0, 0},
      {420, 1, 62, 1, 0, 0, 0, 62, 1, 0, 0, 0},
      // style ranges of lines and arcs
      {600, 1, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 1, 10, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 2, 19, 1, 0, 0, 0, 19, 1, 0, 0, 0},
      {600, 2, 20, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 1, 30, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 1, 63, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 1, 11, 1, 0, 0, 0, 11, 1, 0, 0, 0},
      // points
      {600, 3, 100, 1, 0, 0, 0, 100, 1, 0, 0, 0},
      {351, 3, 100, 1, 0, 0, 0, 100, 1, 0, 0, 0},
      {600, 3, 2, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {419, 3, 31, 1, 0, 0, 0, 1, 1, 0, 0, 0},  // no SXF style map for points
      // texts
      {600, 4, 9, 1, 0, 0, 0, 9, 1, 0, 0, 0},
      {600, 4, 10, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      {600, 4, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0},
      // dimensions and solids: no style rule
      {600, 5, 77, 1, 0, 0, 0, 77, 1, 0, 0, 0},
      {419, 6, 31, 1, 0, 0, 0, 31, 1, 0, 0, 0},
      {600, 6, 101, 5, 0, 0, 0, 101, 5, 0, 0, 0},  // circular solid style kept
      // kinds 7 and 8: no style or colour rule
      {351, 7, 0, 105, 0, 0, 0, 0, 105, 0, 0, 0},
      {600, 7, 200, 999, 0, 0, 0, 200, 999, 0, 0, 0},
      {351, 8, 33, 0, 0, 0, 0, 33, 0, 0, 0, 0},
      // layers and widths, every kind
      {600, 7, 1, 1, 30000, 15, 15, 1, 1, 30000, 15, 15},
      {600, 8, 1, 1, 30001, 16, 16, 1, 1, 0, 0, 0},
      {600, 1, 1, 1, 65535, 100, 65535, 1, 1, 0, 0, 0},
      {600, 4, 1, 1, 100, 7, 3, 1, 1, 100, 7, 3},
  };
  for (const AttrCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.version << " kind " << c.kind << " style "
                                    << c.style << " colour " << c.color);
    TJwwData doc;
    TEntJwwAttr a;
    a.lGroup = 7;
    a.nPenStyle = static_cast<uint8_t>(c.style);
    a.nPenColor = static_cast<uint16_t>(c.color);
    a.nPenWidth = static_cast<uint16_t>(c.width);
    a.nLayer = static_cast<uint16_t>(c.layer);
    a.nGLayer = static_cast<uint16_t>(c.glayer);
    a.sFlg = 0xABCD;
    const TEntJwwAttr got = AttrForWrite(c.version, a, c.kind);
    EXPECT_EQ(got.lGroup, 7u);
    EXPECT_EQ(got.nPenStyle, c.want_style);
    EXPECT_EQ(got.nPenColor, c.want_color);
    EXPECT_EQ(got.nPenWidth, c.want_width);
    EXPECT_EQ(got.nLayer, c.want_layer);
    EXPECT_EQ(got.nGLayer, c.want_glayer);
    EXPECT_EQ(got.sFlg, 0xABCD);
  }
}

TEST(ArchiveAttr, SxfColourTableBelow420) {
  const int want[16] = {2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};
  for (int i = 0; i < 16; ++i) {
    TEntJwwAttr a;
    a.nPenStyle = 1;
    a.nPenColor = static_cast<uint16_t>(101 + i);
    EXPECT_EQ(AttrForWrite(400, a, kEntEnko).nPenColor, want[i]) << "colour " << 101 + i;
  }
}

TEST(ArchiveAttr, SxfStyleTableBelow420) {
  const int want[15] = {1, 4, 3, 6, 8, 8, 2, 5, 7, 6, 6, 8, 8, 17, 17};
  for (int i = 0; i < 15; ++i) {
    TEntJwwAttr a;
    a.nPenStyle = static_cast<uint8_t>(31 + i);
    a.nPenColor = 1;
    EXPECT_EQ(AttrForWrite(300, a, kEntLine).nPenStyle, want[i]) << "style " << 31 + i;
  }
}

TEST(ArchiveAttr, CopyAttrCopiesAllFields) {
  TEntJwwAttr a{1, 2, 3, 4, 5, 6, 7};
  TEntJwwAttr b;
  CopyAttr(a, b);
  EXPECT_EQ(b.lGroup, 1u);
  EXPECT_EQ(b.sFlg, 7);
  EXPECT_EQ(b.nPenWidth, 4);
}

// --- Larger streams ------------------------------------------------------------

TEST(ArchiveStream, ManyStringsAndValuesReadBack) {
  TJwwData doc;
  ArchiveWriter w(false);
  const int n = 20000;
  for (int i = 0; i < n; ++i) {
    w.U32(static_cast<uint32_t>(i));
    w.WriteMfcString(i % 7 == 0 ? u"文字列" : u"Some ASCII text 123");
    w.F64(i * 0.5);
  }
  ArchiveReader r(w.buffer().data(), w.buffer().size(), doc.MojiEncode);
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(r.U32(), static_cast<uint32_t>(i));
    ASSERT_EQ(r.ReadCleanString(), i % 7 == 0 ? u"文字列" : u"Some ASCII text 123");
    ASSERT_EQ(r.F64(), i * 0.5);
  }
  EXPECT_TRUE(r.at_end());
}

// Keeps the blocks it is handed; refuses the one numbered `refuse` and counts
// any handed on after that.
class BlockSink final : public ArchiveSink {
 public:
  explicit BlockSink(size_t refuse = SIZE_MAX) : refuse_(refuse) {}
  bool Take(const uint8_t* data, size_t size) override {
    if (refused_) ++after_refusal;
    if (blocks.size() == refuse_) {
      refused_ = true;
      blocks.emplace_back();
      return false;
    }
    blocks.emplace_back(data, data + size);
    return true;
  }
  std::vector<Bytes> blocks;
  int after_refusal = 0;

 private:
  size_t refuse_;
  bool refused_ = false;
};

// A piece larger than a block, as an embedded image is.
const Bytes kImage(5000, 0x5A);

// Values, both string forms and a large piece, with a block check after each
// object as the object writer makes it.
void WriteObjects(ArchiveWriter& w) {
  for (int i = 0; i < 3000; ++i) {
    w.U32(static_cast<uint32_t>(i));
    w.WriteMfcString(i % 5 == 0 ? std::u16string(300, u'\u58c1') : u"text");
    w.F64(i * 0.25);
    if (i == 1500) w.Blob(kImage.data(), kImage.size());
    w.BlockMayBeFull();
  }
}

TEST(ArchiveSink, BlocksHandedOnAreTheBytesWrittenInMemory) {
  for (const bool unicode : {false, true}) {
    SCOPED_TRACE(unicode ? "Unicode strings" : "byte strings");
    ArchiveWriter memory(unicode);
    WriteObjects(memory);
    BlockSink sink;
    ArchiveWriter blocks(unicode, sink, 4096);
    WriteObjects(blocks);
    ASSERT_TRUE(blocks.Finish());
    ASSERT_GT(sink.blocks.size(), 10u);
    EXPECT_EQ(std::count(sink.blocks.begin(), sink.blocks.end(), kImage), 1)
        << "the large piece is handed on as it is";
    Bytes joined;
    for (size_t i = 0; i < sink.blocks.size(); ++i) {
      // Only the last block and the one a large piece cuts short are smaller.
      if (i + 1 < sink.blocks.size() && sink.blocks[i + 1] != kImage) {
        EXPECT_GE(sink.blocks[i].size(), 4096u) << "block " << i;
      }
      joined.insert(joined.end(), sink.blocks[i].begin(), sink.blocks[i].end());
    }
    EXPECT_EQ(joined, memory.buffer());
  }
}

TEST(ArchiveSink, ARefusedLaterBlockFailsAndNothingIsHandedOnAfterIt) {
  BlockSink sink(/*refuse=*/3);
  ArchiveWriter w(false, sink, 4096);
  WriteObjects(w);
  EXPECT_TRUE(w.failed());
  EXPECT_FALSE(w.Finish());
  EXPECT_EQ(sink.blocks.size(), 4u);
  EXPECT_EQ(sink.after_refusal, 0);
}

}  // namespace
}  // namespace plandock
