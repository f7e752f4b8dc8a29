// Number, boolean and colour helpers that never fail: errors give 0, 0.0 or false.
#pragma once

#include <cstdint>
#include <string>

namespace plandock {

int32_t TextToInt(const std::u16string& s);
std::u16string IntToText(int64_t n);
double TextToFloat(const std::u16string& s);
// Fixed notation with `digits` decimals, rounded half away from zero, '.' as point.
std::u16string FloatToFixed(int digits, double x);
bool TextToBool(const std::u16string& s);
std::u16string BoolToText(bool b);
// mode 0 truncates, 1 rounds up, other modes round half up; the sign of x is kept.
double RoundDigits(int digits, int mode, double x);
bool IsFiniteDouble(double x);
int32_t MakeRGB(int r, int g, int b);
// Sets the first count bytes of buffer to the low byte of value; returns value.
int FillBytes(int value, int count, void* buffer);

}  // namespace plandock
