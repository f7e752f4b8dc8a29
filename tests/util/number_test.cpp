#include "util/number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace plandock {
namespace {

TEST(NumberTest, TextToIntNeverFails) {
  struct Row {
    const char* name;
    std::u16string s;
    int32_t want;
  } rows[] = {
      {"leading blanks", u" 12", 12},
      {"trailing blank", u"12 ", 0},
      {"dollar hex", u"$1F", 31},
      {"0x hex", u"0x1f", 31},
      {"0X hex", u"0X1F", 31},
      {"x hex", u"x1f", 31},
      {"X hex", u"X10", 16},
      {"negative hex", u"-$10", -16},
      {"hex is a 32-bit pattern", u"$FFFFFFFF", -1},
      {"hex top bit", u"$80000000", INT32_MIN},
      {"hex over 32 bits", u"$100000000", 0},
      {"hex prefix alone", u"$", 0},
      {"0x alone", u"0x", 0},
      {"bad hex digit", u"$1G", 0},
      {"max", u"2147483647", INT32_MAX},
      {"one past max", u"2147483648", 0},
      {"min", u"-2147483648", INT32_MIN},
      {"one past min", u"-2147483649", 0},
      {"far too long", u"99999999999999999999", 0},
      {"plus sign", u"+7", 7},
      {"leading zeros", u"007", 7},
      {"zero", u"0", 0},
      {"empty", u"", 0},
      {"blanks only", u"   ", 0},
      {"sign only", u"-", 0},
      {"blank after sign", u"- 1", 0},
      {"tab is not a blank", u"\t1", 0},
      {"ideographic space is not a blank", u"\u30001", 0},
      {"decimal point", u"1.0", 0},
      {"full-width digit", u"\uFF11", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(TextToInt(r.s), r.want);
  }
}

TEST(NumberTest, IntToTextIsPlainDecimal) {
  EXPECT_EQ(IntToText(0), u"0");
  EXPECT_EQ(IntToText(-42), u"-42");
  EXPECT_EQ(IntToText(2147483648LL), u"2147483648");
}

TEST(NumberTest, TextToFloatNeverFails) {
  struct Row {
    const char* name;
    std::u16string s;
    double want;
  } rows[] = {
      {"exponent", u"1.5e2", 150.0},
      {"upper-case exponent with sign", u"25E-1", 2.5},
      {"comma is not a decimal point", u"1,5", 0.0},
      {"no integer part", u".5", 0.5},
      {"no fraction digits", u"5.", 5.0},
      {"leading blanks and sign", u"  -0.25", -0.25},
      {"plus sign", u"+3", 3.0},
      {"grouping", u"1,000.5", 0.0},
      {"trailing text", u"1.5m", 0.0},
      {"exponent without digits", u"1e", 0.0},
      {"point alone", u".", 0.0},
      {"empty", u"", 0.0},
      {"blanks only", u"  ", 0.0},
      {"out of range", u"1e400", 0.0},
      {"nan is not a number", u"nan", 0.0},
      {"inf is not a number", u"inf", 0.0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(TextToFloat(r.s), r.want);
  }
}

TEST(NumberTest, FloatToFixedRoundsHalfAwayFromZero) {
  struct Row {
    const char* name;
    int digits;
    double x;
    std::u16string want;
  } rows[] = {
      {"angle with four decimals", 4, 30.0, u"30.0000"},
      {"exact tie rounds away", 1, 0.25, u"0.3"},
      {"negative exact tie rounds away", 1, -0.25, u"-0.3"},
      {"integer tie", 0, 2.5, u"3"},
      {"below the tie in binary", 2, 2.675, u"2.67"},
      {"carry into a new digit", 1, 9.96, u"10.0"},
      {"tiny negative has no minus", 4, -0.00001, u"0.0000"},
      {"negative zero has no minus", 2, -0.0, u"0.00"},
      {"negative rounding to integer zero", 0, -0.4, u"0"},
      {"negative value", 3, -1.5, u"-1.500"},
      {"large value", 2, 1e21, u"1000000000000000000000.00"},
      {"negative digit count", -3, 1.6, u"2"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(FloatToFixed(r.digits, r.x), r.want);
  }
}

// A window toolkit sets the C library's locale from the environment; the texts
// must not follow it.
TEST(NumberTest, NumbersIgnoreACommaDecimalLocale) {
  const char* comma_locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"};
  struct RestoreC {
    ~RestoreC() { std::setlocale(LC_ALL, "C"); }
  } restore;
  bool set = false;
  for (const char* name : comma_locales) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      set = true;
      break;
    }
  }
  if (!set)
    GTEST_SKIP() << "no comma-decimal locale installed (scripts/setup.sh generates de_DE.UTF-8)";
  ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
  EXPECT_EQ(FloatToFixed(4, 30.25), u"30.2500");
  EXPECT_EQ(FloatToFixed(1, -0.25), u"-0.3");
  EXPECT_EQ(TextToFloat(u"1.5e2"), 150.0);
  EXPECT_EQ(TextToFloat(u"1,5"), 0.0);
  EXPECT_EQ(IntToText(-1234567), u"-1234567");
}

TEST(NumberTest, TextToBoolAcceptsTheTenTrueWords) {
  struct Row {
    const char* name;
    std::u16string s;
    bool want;
  } rows[] = {
      {"on", u"on", true},
      {"Tr", u"Tr", true},
      {"circle", u"○", true},
      {"T", u"t", true},
      {"true", u"true", true},
      {"1", u"1", true},
      {"full-width one", u"１", true},
      {"shin", u"真", true},
      {"sei", u"正", true},
      {"YES", u"YES", false},
      {"blank then 1", u" 1", false},
      {"TRUE then blank", u"TRUE ", false},
      {"0", u"0", false},
      {"false", u"false", false},
      {"empty", u"", false},
      {"TRUEX", u"TRUEX", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(TextToBool(r.s), r.want);
  }
  EXPECT_EQ(BoolToText(true), u"1");
  EXPECT_EQ(BoolToText(false), u"0");
}

TEST(NumberTest, RoundDigits) {
  struct Row {
    const char* name;
    int digits, mode;
    double x, want;
  } rows[] = {
      {"half up keeps the sign", 0, 2, -2.5, -3.0},
      {"truncate keeps the sign", 1, 0, -2.57, -2.5},
      {"round up", 0, 1, 2.001, 3.0},
      {"round up ignores below 1e-10", 0, 1, 2.00000000001, 2.0},
      {"digits 12 behaves as 0", 12, 2, 2.5, 3.0},
      {"negative digits behave as 0", -1, 0, 2.9, 2.0},
      {"eight decimals half up", 8, 2, 1.234567895, 1.23456790},
      {"positive stays positive", 2, 2, 0.004, 0.0},
      // The double nearest each of these lies just below the decimal boundary;
      // extended precision keeps it below, where double arithmetic would not.
      {"0.3 is just below three tenths", 1, 0, 0.3, 0.2},
      {"0.015 is just below the half", 2, 2, 0.015, 0.01},
      {"2.5e-8 is just below the half", 8, 2, 2.5e-8, 2e-8},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(RoundDigits(r.digits, r.mode, r.x), r.want);
  }
  EXPECT_FALSE(std::signbit(RoundDigits(2, 2, 0.004)));
}

TEST(NumberTest, FiniteColourAndFill) {
  EXPECT_TRUE(IsFiniteDouble(1e308));
  EXPECT_FALSE(IsFiniteDouble(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(IsFiniteDouble(-std::numeric_limits<double>::infinity()));

  EXPECT_EQ(MakeRGB(140, 186, 236), 0x00ECBA8C);
  EXPECT_EQ(MakeRGB(255, 0, 0), 0x000000FF);

  unsigned char buf[4] = {9, 9, 9, 9};
  EXPECT_EQ(FillBytes(0x1AB, 3, buf), 0x1AB);
  EXPECT_EQ(buf[0], 0xAB);
  EXPECT_EQ(buf[2], 0xAB);
  EXPECT_EQ(buf[3], 9);
}

}  // namespace
}  // namespace plandock
