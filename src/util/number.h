// Number, boolean and colour helpers that never fail: errors give 0, 0.0 or false.
#pragma once

#include <cstdint>
#include <string>

namespace plandock {

// Decimal, or hexadecimal after '$', 'x' or '0x' (a 32-bit pattern); 0 on any error.
int32_t TextToInt(const std::u16string& s);
std::u16string IntToText(int64_t n);
// Blanks, sign, digits, '.', exponent; '.' whatever the locale; 0.0 on any error.
double TextToFloat(const std::u16string& s);
// Fixed notation with `digits` decimals (negative counts as 0), rounded half away
// from zero, '.' as point; a value that rounds to zero has no '-'. NaN and the
// infinities give "NAN", "INF" and "-INF".
std::u16string FloatToFixed(int digits, double x);
bool TextToBool(const std::u16string& s);
std::u16string BoolToText(bool b);
// Rounds |x| to `digits` decimals (1..9; any other value means 0): mode 0
// truncates, 1 rounds up (a remainder below 1e-10 of a unit is dropped), other
// modes round half up; the sign of x is then put back. Works in long double.
double RoundDigits(int digits, int mode, double x);
bool IsFiniteDouble(double x);
int32_t MakeRGB(int r, int g, int b);
// Sets the first count bytes of buffer to the low byte of value; returns value.
int FillBytes(int value, int count, void* buffer);

}  // namespace plandock
