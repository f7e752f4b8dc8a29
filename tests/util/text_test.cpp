#include "util/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandock {
namespace {

TEST(TextTest, TextPosTakesTheSoughtTextFirst) {
  struct Row {
    const char* name;
    std::u16string sub, s;
    int want;
  } rows[] = {
      {"found", u"=", u"KEY=V", 3},         {"first of several", u"ab", u"xabab", 1},
      {"at start", u"K", u"KEY", 0},        {"absent", u"x", u"abc", -1},
      {"empty sub", u"", u"abc", -1},       {"empty text", u"a", u"", -1},
      {"case-sensitive", u"A", u"abc", -1}, {"longer than text", u"abcd", u"abc", -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(TextPos(r.sub, r.s), r.want);
  }
}

TEST(TextTest, SubstringsClampTheirRange) {
  struct Row {
    const char* name;
    std::u16string got, want;
  } rows[] = {
      {"mid negative start keeps count", TextMid(u"abc", -2, 2), u"ab"},
      {"mid count past end", TextMid(u"abc", 1, 10), u"bc"},
      {"mid start at end", TextMid(u"abc", 3, 1), u""},
      {"mid negative count", TextMid(u"abc", 0, -1), u""},
      {"mid zero count", TextMid(u"abc", 1, 0), u""},
      {"from negative start", TextFrom(u"abc", -5), u"abc"},
      {"from middle", TextFrom(u"abc", 1), u"bc"},
      {"from end", TextFrom(u"abc", 3), u""},
      {"char inside", CharAt(u"abc", 2), u"c"},
      {"char of empty text", CharAt(u"", 0), u""},
      {"char negative", CharAt(u"abc", -1), u""},
      {"char past end", CharAt(u"abc", 3), u""},
      {"repeat", RepeatText(u"ab", 3), u"ababab"},
      {"repeat zero", RepeatText(u"ab", 0), u""},
      {"repeat negative", RepeatText(u"ab", -2), u""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.got, r.want);
  }
}

TEST(TextTest, RemoveSpacesDropsAsciiAndIdeographicSpacesAndControls) {
  EXPECT_EQ(RemoveSpaces(u"a b\u3000c\t"), u"abc");
  EXPECT_EQ(RemoveSpaces(u"\x01x\x1Fy\u00A0"), u"xy\u00A0");  // no-break space is kept
  EXPECT_TRUE(IsBlank(u""));
  EXPECT_TRUE(IsBlank(u" \u3000 \r\n"));
  EXPECT_FALSE(IsBlank(u" 0 "));
}

TEST(TextTest, CaseMappingCoversFullWidthAndOtherScripts) {
  EXPECT_EQ(UpperText(u"abc\uFF41\u03B1\u0436 1"), u"ABC\uFF21\u0391\u0416 1");
  EXPECT_EQ(LowerText(u"ABC\uFF21\u0391\u0416 1"), u"abc\uFF41\u03B1\u0436 1");
}

TEST(TextTest, HalfWidthRanges) {
  struct Row {
    const char* name;
    std::u16string c;
    bool want;
  } rows[] = {
      {"space", u" ", true},
      {"tilde", u"~", true},
      {"delete", u"\x7F", false},
      {"tab", u"\t", false},
      {"kana dot", u"\uFF61", true},
      {"kana last", u"\uFF9F", true},
      {"after kana", u"\uFFA0", false},
      {"full-width A", u"\uFF21", false},
      {"kanji", u"漢", false},
      {"empty", u"", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(IsHalfWidth(r.c), r.want);
  }
}

TEST(TextTest, CutToWidthCountsFullWidthAsTwoColumns) {
  struct Row {
    const char* name;
    std::u16string s;
    int start, limit;
    std::u16string prefix;
    int stop;
  } rows[] = {
      {"half-width kana then kanji", u"ｱｲｳ漢字", 0, 5, u"ｱｲｳ漢", 4},
      {"seven full-width to twelve columns", u"一二三四五六七", 0, 12, u"一二三四五六", 6},
      {"all fits", u"ab漢", 0, 4, u"ab漢", 3},
      {"from the middle", u"ab漢cd", 1, 3, u"b漢", 3},
      {"a full-width character does not fit in one column", u"漢a", 0, 1, u"", 0},
      {"start at end", u"abc", 3, 5, u"", 3},
      {"start past end", u"abc", 7, 5, u"", 7},
      {"surrogate pair is one character", u"a\U0001F600b", 0, 3, u"a\U0001F600", 3},
      {"surrogate pair is not split", u"a\U0001F600", 0, 2, u"a", 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto [prefix, stop] = CutToWidth(r.s, r.start, r.limit);
    EXPECT_EQ(prefix, r.prefix);
    EXPECT_EQ(stop, r.stop);
  }
}

TEST(TextTest, SplitCommaTextFields) {
  struct Row {
    const char* name;
    std::u16string s;
    std::vector<std::u16string> want;
  } rows[] = {
      {"commas, blanks and a quoted comma", u"a, b,,\"c,d\"", {u"a", u"b", u"", u"c,d"}},
      {"blank separates", u"x y", {u"x", u"y"}},
      {"two blanks", u"  ", {}},
      {"empty", u"", {}},
      {"trailing comma gives a final empty field", u"a,", {u"a", u""}},
      {"trailing comma after blanks", u"a , ", {u"a"}},
      {"leading comma", u",a", {u"", u"a"}},
      {"doubled quote inside quotes", u"\"say \"\"hi\"\"\",2", {u"say \"hi\"", u"2"}},
      {"quoted text followed by more text", u"\"a\"b", {u"a", u"b"}},
      {"unterminated quote takes the rest", u"1,\"a, b", {u"1", u"a, b"}},
      {"tabs and control characters are blanks",
       u"1\t2\x01"
       u"3",
       {u"1", u"2", u"3"}},
      {"quoted empty field", u"\"\",x", {u"", u"x"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::u16string> out;
    EXPECT_EQ(SplitCommaText(r.s, out), static_cast<int>(r.want.size()));
    EXPECT_EQ(out, r.want);
  }
}

TEST(TextTest, SplitCommaTextAppendsToTheCallersFields) {
  std::vector<std::u16string> out = {u"kept"};
  EXPECT_EQ(SplitCommaText(u"a,b", out), 2);
  EXPECT_EQ(out, (std::vector<std::u16string>{u"kept", u"a", u"b"}));
}

TEST(TextTest, SanitizeCadTextRemovesCodesAndControls) {
  struct Row {
    const char* name;
    std::u16string s, want;
  } rows[] = {
      {"both codes", u"A^mB\\nC", u"ABC"},
      {"upper-case codes stay", u"A^MB\\NC", u"A^MB\\NC"},
      {"only a tab", u"\t", u" "},
      {"only codes", u"^m\\n", u" "},
      {"empty stays empty", u"", u""},
      {"lone caret at end", u"a^", u"a^"},
      {"control characters", u"a\r\nb", u"ab"},
      {"overlapping code", u"^^mm", u"^m"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(SanitizeCadText(r.s), r.want);
  }
}

TEST(TextTest, Utf8ConversionReplacesInvalidBytes) {
  EXPECT_EQ(Utf8ToText("a\xE6\xBC\xA2\xF0\x9F\x98\x80"), u"a漢\U0001F600");
  EXPECT_EQ(TextToUtf8(u"a漢\U0001F600"), "a\xE6\xBC\xA2\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToText("a\xFF"
                       "b"),
            u"a\uFFFD"
            u"b");
  EXPECT_EQ(Utf8ToText("\xE6\xBC"), u"\uFFFD");        // cut-off sequence
  EXPECT_EQ(Utf8ToText("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong '/'
  EXPECT_EQ(Utf8ToText("\xED\xA0\x80"), u"\uFFFD");    // encoded surrogate
  EXPECT_EQ(TextToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace plandock
