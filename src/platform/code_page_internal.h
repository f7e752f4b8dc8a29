// Code page 932 single bytes that not every system table holds (glibc's iconv
// table and Wine's lack them), mapped by both halves so results agree.
#pragma once

#include <cstdint>

namespace plandock::platform::internal {

// The character of single byte b, or 0 when b is not one of them.
constexpr char16_t Cp932ExtraSingleByte(uint8_t b) {
  switch (b) {
    case 0x80:
      return 0x0080;
    case 0xA0:
      return 0xF8F0;
    case 0xFD:
      return 0xF8F1;
    case 0xFE:
      return 0xF8F2;
    case 0xFF:
      return 0xF8F3;
    default:
      return 0;
  }
}

// The single byte of c, or -1 when c is not one of them.
constexpr int Cp932ExtraEncoding(char16_t c) {
  for (int b : {0x80, 0xA0, 0xFD, 0xFE, 0xFF}) {
    if (Cp932ExtraSingleByte(static_cast<uint8_t>(b)) == c) return b;
  }
  return -1;
}

}  // namespace plandock::platform::internal
