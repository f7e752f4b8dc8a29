// Number, boolean and colour helpers that never fail.
#include "util/number.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "util/text.h"

namespace plandock {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Skips the leading U+0020 blanks and an optional sign; returns the index after them.
size_t SkipBlanksAndSign(const std::u16string& s, bool& negative) {
  size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  return i;
}

// Length of the hexadecimal prefix at s[i] ('$', 'x', 'X', '0x', '0X'), or 0.
size_t HexPrefixLength(const std::u16string& s, size_t i) {
  if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) return 1;
  if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) return 2;
  return 0;
}

std::u16string AsciiToText(const std::string& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

int32_t TextToInt(const std::u16string& s) {
  bool negative = false;
  size_t i = SkipBlanksAndSign(s, negative);
  const size_t prefix = HexPrefixLength(s, i);
  if (prefix > 0) {
    i += prefix;
    if (i == s.size()) return 0;
    uint32_t bits = 0;
    for (; i < s.size(); ++i) {
      const int v = HexValue(s[i]);
      // More than 32 bits of value (leading zeros are harmless) is an error.
      if (v < 0 || (bits >> 28) != 0) return 0;
      bits = (bits << 4) | static_cast<uint32_t>(v);
    }
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }
  if (i == s.size()) return 0;
  int64_t value = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return 0;
    value = value * 10 + (s[i] - u'0');
    if (value > 2147483648LL) return 0;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return 0;
  return static_cast<int32_t>(value);
}

std::u16string IntToText(int64_t n) { return AsciiToText(std::to_string(n)); }

double TextToFloat(const std::u16string& s) {
  bool negative = false;
  size_t i = SkipBlanksAndSign(s, negative);
  std::string ascii;
  size_t digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) ascii += static_cast<char>(s[i]);
  if (i < s.size() && s[i] == u'.') {
    ascii += '.';
    for (++i; i < s.size() && IsDigit(s[i]); ++i, ++digits) ascii += static_cast<char>(s[i]);
  }
  if (digits == 0) return 0.0;
  if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
    ascii += 'e';
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii += static_cast<char>(s[i++]);
    size_t exponent_digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++exponent_digits) ascii += static_cast<char>(s[i]);
    if (exponent_digits == 0) return 0.0;
  }
  if (i != s.size()) return 0.0;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (ec != std::errc() || end != ascii.data() + ascii.size()) return 0.0;
  return negative ? -value : value;
}

std::u16string FloatToFixed(int digits, double x) {
  if (std::isnan(x)) return u"NAN";
  if (std::isinf(x)) return x < 0 ? u"-INF" : u"INF";
  if (digits < 0) digits = 0;
  // Every double has at most 1074 binary fraction digits, so this precision prints
  // its exact decimal value; rounding that string is then exact too.
  const int exact_precision = digits + 1 > 1080 ? digits + 1 : 1080;
  // Room for the 309 integer digits of the largest double, the point and the fraction.
  std::string exact(static_cast<size_t>(exact_precision) + 312, '\0');
  const auto printed = std::to_chars(exact.data(), exact.data() + exact.size(), std::fabs(x),
                                     std::chars_format::fixed, exact_precision);
  exact.resize(static_cast<size_t>(printed.ptr - exact.data()));
  const size_t point = exact.find('.');
  std::string kept = exact.substr(0, point + 1 + static_cast<size_t>(digits));
  if (exact[point + 1 + static_cast<size_t>(digits)] >= '5') {
    // Half away from zero: add one unit in the last kept place to the magnitude.
    size_t k = kept.size();
    for (;;) {
      if (k == 0) {
        kept.insert(kept.begin(), '1');
        break;
      }
      --k;
      if (kept[k] == '.') continue;
      if (kept[k] != '9') {
        ++kept[k];
        break;
      }
      kept[k] = '0';
    }
  }
  if (kept.back() == '.') kept.pop_back();
  const bool nonzero = kept.find_first_not_of("0.") != std::string::npos;
  if (x < 0 && nonzero) kept.insert(kept.begin(), '-');
  return AsciiToText(kept);
}

bool TextToBool(const std::u16string& s) {
  static constexpr const char16_t* kTrue[] = {u"T",  u"TR", u"TRU", u"TRUE", u"1",
                                              u"１", u"○",  u"ON",  u"真",   u"正"};
  const std::u16string upper = UpperText(s);
  for (const char16_t* t : kTrue) {
    if (upper == t) return true;
  }
  return false;
}

std::u16string BoolToText(bool b) { return b ? u"1" : u"0"; }

double RoundDigits(int digits, int mode, double x) {
  long double scale = 1.0L;
  if (digits >= 1 && digits <= 9) {
    for (int i = 0; i < digits; ++i) scale *= 10.0L;
  }
  // Extended precision keeps values just off a rounding boundary on the right side.
  long double v = std::fabs(static_cast<long double>(x)) * scale;
  if (mode == 1) {
    v += 0.9999999999L;
  } else if (mode != 0) {
    v += 0.5L;
  }
  const double r = static_cast<double>(std::trunc(v) / scale);
  return x < 0 ? -r : r;
}

bool IsFiniteDouble(double x) { return std::isfinite(x); }

int32_t MakeRGB(int r, int g, int b) { return r + 256 * g + 65536 * b; }

int FillBytes(int value, int count, void* buffer) {
  if (count > 0) std::memset(buffer, value & 0xFF, static_cast<size_t>(count));
  return value;
}

}  // namespace plandock
