#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace plandock::platform {
namespace {

// Characters whose code page 932 form differs between tables or has no form at
// all; both platform halves must agree on every row.
TEST(CodePageTest, EncodesAwkwardCharacters) {
  struct Row {
    const char* name;
    std::u16string text;
    std::string bytes;
  } rows[] = {
      {"ascii", u"A\\~", "A\\~"},
      {"fullwidth tilde", u"\uFF5E", "\x81\x60"},
      {"wave dash as its look-alike", u"\u301C", "\x81\x60"},
      {"approximately equal: the JIS row, not the NEC row", u"\u2252", "\x81\xE0"},
      {"identical to: the JIS row, not the NEC row", u"\u2261", "\x81\xDF"},
      {"circled one: NEC row", u"\u2460", "\x87\x40"},
      {"roman numeral one: NEC row, not IBM", u"\u2160", "\x87\x54"},
      {"small roman numeral one: IBM row", u"\u2170", "\xFA\x40"},
      {"IBM kanji: IBM row, not NEC-selected", u"\u7E8A", "\xFA\x5C"},
      {"not sign: the JIS row", u"\uFFE2", "\x81\xCA"},
      {"half-width katakana", u"\uFF71\uFF9F", "\xB1\xDF"},
      {"hiragana and kanji", u"\u3042\u6F22", "\x82\xA0\x8A\xBF"},
      {"yen sign as backslash", u"\u00A5", "\\"},
      {"e acute has no form", u"\u00E9", "?"},
      {"emoji is one character", u"a\U0001F600b", "a?b"},
      {"lone high surrogate", std::u16string(u"a") + char16_t{0xD800} + u"b", "a?b"},
      {"lone low surrogate at end", std::u16string(u"a") + char16_t{0xDC00}, "a?"},
      {"private use maps to user rows", u"\uE000", "\xF0\x40"},
      {"empty", u"", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(Utf16ToCp932(r.text), r.bytes);
  }
}

TEST(CodePageTest, DecodesDuplicatedRowsAndInvalidBytes) {
  struct Row {
    const char* name;
    std::string bytes;
    std::u16string text;
  } rows[] = {
      {"ascii keeps backslash and tilde", "A\\~", u"A\\~"},
      {"tilde row", "\x81\x60", u"\uFF5E"},
      {"NEC approximately equal", "\x87\x90", u"\u2252"},
      {"NEC-selected IBM kanji", "\xED\x40", u"\u7E8A"},
      {"IBM kanji", "\xFA\x5C", u"\u7E8A"},
      {"half-width katakana", "\xB1", u"\uFF71"},
      {"unassigned double byte",
       "a\x85\x40"
       "b",
       u"a\uFFFD"
       u"b"},
      {"lead byte cut off at end", "a\x81", u"a\uFFFD"},
      {"lead byte before a non-trail byte", "\x81 b", u"\uFFFD b"},
      {"single bytes of the Windows table", "\x80\xA0\xFD", u"\u0080\uF8F0\uF8F1"},
      {"zero byte is a character", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(Cp932ToUtf16(r.bytes), r.text);
  }
}

TEST(CodePageTest, JapaneseTextRoundTrips) {
  const std::u16string text = u"基準点\u3000ｶﾞｲﾄﾞ①～ーＡ";
  EXPECT_EQ(Cp932ToUtf16(Utf16ToCp932(text)), text);
  EXPECT_EQ(AnsiToUtf16(Utf16ToCp932(text), 932), text);
}

// Settings and environment files without a byte-order mark are read in the
// system's code page, which need not be 932: what is invalid there must not
// cost the rest of the text.
TEST(CodePageTest, AnsiTextDecodesInTheGivenCodePageAndReplacesWhatItLacks) {
  struct Row {
    const char* name;
    unsigned code_page;
    std::string bytes;
    std::u16string text;
  } rows[] = {
      {"Japanese", 932, "\x8A\xEE\x8F\x80", u"基準"},
      {"Japanese, lead byte cut off", 932, "a\x81", u"a\uFFFD"},
      {"Chinese", 936, "\xC4\xE3\xBA\xC3", u"你好"},
      {"Chinese, lead byte cut off", 936, "ab\x81", u"ab\uFFFD"},
      {"Chinese, lead byte before a blank", 936, "x\x81 y", u"x\uFFFD y"},
      {"Korean", 949, "\xC7\xD1=1", u"한=1"},
      {"Western", 1252, "caf\xE9", u"café"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(AnsiToUtf16(r.bytes, r.code_page), r.text);
  }
}

TEST(CodePageTest, Utf8RoundTripsAndReplacesInvalidInput) {
  const std::u16string text = u"a\u00E9漢\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("\x80"), u"\uFFFD");
}

}  // namespace
}  // namespace plandock::platform
