// The keys of an environment file and the document fields they change.
#include <cstdint>
#include <string_view>

#include "environment/jwf.h"
#include "environment/jwf_internal.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock::jwf_internal {

namespace {

// Fields of a layer-name entry: the group name and the 16 layer names.
constexpr int kLayerNameFields = 17;

// The selector character of a prefix key, or 0 when the key is too short.
char16_t SelectorAt(const std::u16string& key, std::size_t pos) {
  return pos < key.size() ? key[pos] : u'\0';
}

bool StartsWith(const std::u16string& key, std::u16string_view prefix) {
  return std::u16string_view(key).substr(0, prefix.size()) == prefix;
}

// 0..15 for '0'..'9' and 'A'..'F', -1 otherwise.
int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

int DigitIn(char16_t c, char16_t lo, char16_t hi) { return c >= lo && c <= hi ? c - u'0' : -1; }

int32_t HexField(const std::u16string& f) { return TextToInt(u"$" + f); }

int ColorComponent(int32_t v) { return v >= 0 && v <= 255 ? static_cast<int>(v) : 0; }

template <class T>
T* Row(std::vector<T>& table, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < table.size() ? &table[row] : nullptr;
}

}  // namespace

const std::u16string& EntryApplier::Field(int i) const {
  static const std::u16string kEmpty;
  return i >= 0 && i < n_ ? fields_[i] : kEmpty;
}

int32_t EntryApplier::IntField(int i) const { return TextToInt(Field(i)); }

void EntryApplier::SetFields(const std::u16string& value, int max_fields) {
  fields_.clear();
  SplitCommaText(value, fields_);
  if (fields_.size() > static_cast<std::size_t>(max_fields)) fields_.resize(max_fields);
  n_ = static_cast<int>(fields_.size());
}

void EntryApplier::Apply(const std::u16string& key, const std::u16string& value) {
  SetFields(value, kJwfFieldSlots);
  if (n_ == 0) return;
  if (key == u"S_COMM_2") {
    SComm2();
  } else if (key == u"S_COMM_3") {
    SComm3();
  } else if (key == u"S_COMM_4") {
    SComm4();
  } else if (key == u"S_COMM_5") {
    SComm5();
  } else if (key == u"P_DPI") {
    PrinterDpi();
  } else if (key == u"MSET") {
    TextBackground();
  } else if (StartsWith(key, u"LTYPE_0")) {
    PatternLineType(SelectorAt(key, 7));
  } else if (StartsWith(key, u"LTYPE_R")) {
    RandomLineType(SelectorAt(key, 7));
  } else if (StartsWith(key, u"LTYPE_L")) {
    DoublePitchLineType(SelectorAt(key, 7));
  } else if (StartsWith(key, u"LAYNAM_")) {
    LayerNames(SelectorAt(key, 7), value);
  } else if (StartsWith(key, u"LCOLLOR_")) {
    ScreenColor(SelectorAt(key, 8));
  } else if (StartsWith(key, u"PCOLLOR_")) {
    PrintColor(SelectorAt(key, 8));
  }
}

// Maximum line width, or the line-width mode; then the print setting's tens digit.
void EntryApplier::SComm2() {
  TEntJwwHeader& h = doc_.Enthd;
  if (n_ < 2) return;
  int32_t w = IntField(1);
  if (w == -100) {
    h.bSenHaba100 = true;
    if (h.jwVer < 600) {
      h.nMaxDrawWid = -101;
    } else {
      // Widened so that a damaged stored width wraps instead of overflowing.
      const int64_t b = h.nMaxDrawWidBak;
      h.nMaxDrawWid = static_cast<int32_t>(b > 0 ? -(b + 200) : -(-b + 400));
    }
  } else {
    if (w == 0 || w < -100 || w > 100) w = 100;
    h.bSenHaba100 = false;
    h.nMaxDrawWid = w;
    h.nMaxDrawWidBak = w;
  }
  if (h.jwVer >= 300 && n_ >= 3) {
    const int32_t p = IntField(2);
    if (p >= 1 && p <= 9) h.nPrtSet = h.nPrtSet % 10 + 10 * p;
  }
}

// Images drawn first: a tens digit 0..6 and a units digit 0..2.
void EntryApplier::SComm3() {
  if (n_ < 9) return;
  const int32_t v = IntField(8);
  const int32_t t = (v / 10) % 10, u = v % 10;
  if (t >= 0 && t <= 6 && u >= 0 && u <= 2) doc_.Enthd.nBitMapFirstDraw = 10 * t + u;
}

// Reverse drawing and search order.
void EntryApplier::SComm4() {
  if (n_ >= 3) {
    const int32_t v = IntField(2);
    if (v == 0 || v == 1) doc_.Enthd.nGyakuDraw = v;
  }
  if (n_ >= 4) {
    const int32_t v = IntField(3);
    if (v == 0 || v == 1) doc_.Enthd.nGyakuSearch = v;
  }
}

// Points drawn on screen and in print.
void EntryApplier::SComm5() {
  if (n_ >= 7) {
    const int32_t v = IntField(6);
    if (v == 0 || v == 1) doc_.Enthd.nDrawGamenTen = v;
  }
  if (n_ >= 8) {
    const int32_t v = IntField(7);
    if (v == 0 || v == 1) doc_.Enthd.nDrawPrtTen = v;
  }
}

void EntryApplier::PrinterDpi() {
  if (doc_.Enthd.jwVer < 600) return;
  const int32_t dpi = IntField(0);
  if (dpi == 300) doc_.Enthd.nPrtDpi = 1;
  if (dpi == 600) doc_.Enthd.nPrtDpi = 2;
}

// Text background mode and size; stored by format 4.20 and later only.
void EntryApplier::TextBackground() {
  TEntJwwHeader& h = doc_.Enthd;
  if (h.jwVer < 420) return;
  if (n_ >= 7) {
    const int32_t v = IntField(6);
    const int32_t t = (v / 10) % 10, u = v % 10;
    if ((t == 0 || t == 1) && u >= 0 && u <= 2) h.nMojiBG = 10 * t + u + 1;
  }
  if (n_ >= 8) {
    const double d = TextToFloat(Field(7));
    if (d >= -1 && d <= 10) h.dMojiBG = d;
  }
}

// Pattern line types 2..9.
void EntryApplier::PatternLineType(char16_t selector) {
  const int number = DigitIn(selector, u'2', u'9');
  TEntJwwLineTypeNo* row = Row(doc_.EntLtp1, number - 2);
  if (number < 0 || row == nullptr) return;
  if (!Field(0).empty()) row->alLType = HexField(Field(0));
  if (!Field(1).empty()) row->anTokushuSenUintDot = IntField(1);
  if (!Field(2).empty()) row->anTokushuSenPich = IntField(2);
  // The print pitch of line type 9 is fixed, whatever the file says.
  if (!Field(3).empty()) row->anPrtTokushuSenPich = number == 9 ? 10 : IntField(3);
}

// Random lines 1..5.
void EntryApplier::RandomLineType(char16_t selector) {
  const int number = DigitIn(selector, u'1', u'5');
  TEntJwwRandomLineNo* row = Row(doc_.EntLtp2, number - 1);
  if (number < 0 || row == nullptr) return;
  if (!Field(0).empty()) row->alLType = HexField(Field(0));
  if (!Field(1).empty()) row->anRandSenWide = IntField(1);
  if (!Field(2).empty()) row->anTokushuSenPich = IntField(2);
  if (!Field(3).empty()) row->anPrtRandSenWide = IntField(3);
  if (!Field(4).empty()) row->anPrtTokushuSenPich = IntField(4);
}

// Double-pitch line types 1..4.
void EntryApplier::DoublePitchLineType(char16_t selector) {
  const int number = DigitIn(selector, u'1', u'4');
  TEntJwwLineTypeNo* row = Row(doc_.EntLtp3, number - 1);
  if (number < 0 || row == nullptr) return;
  if (!Field(0).empty()) row->alLType = HexField(Field(0));
  if (!Field(1).empty()) row->anTokushuSenUintDot = IntField(1);
  if (!Field(2).empty()) row->anTokushuSenPich = IntField(2);
  if (!Field(3).empty()) row->anPrtTokushuSenPich = IntField(3);
}

// The clear-names switch ("N"), or the names of one layer group and its layers.
void EntryApplier::LayerNames(char16_t selector, const std::u16string& value) {
  if (selector == u'N') {
    clear_names_ = IntField(0) == 1;
    return;
  }
  const int g = HexDigit(selector);
  TEntJwwLayerGroup* group = Row(doc_.EntLgrp, g);
  if (g < 0 || group == nullptr || group->anGLayProtect != 0) return;
  SetFields(RemoveSpaces(value), kLayerNameFields);
  if (!Field(0).empty() || clear_names_) group->aStrGLayName = Field(0);
  for (int l = 0; l < 16; ++l) {
    const std::u16string& name = Field(l + 1);
    TEntJwwLayer* layer = Row(doc_.EntLay, 16 * g + l);
    if (layer == nullptr || layer->aanLayProtect != 0) continue;
    if (!name.empty() || clear_names_) layer->aStrLayName = name;
  }
}

// Screen colours: "B" the background, "1".."8" the pens, "G" the auxiliary colour.
void EntryApplier::ScreenColor(char16_t selector) {
  int k = DigitIn(selector, u'1', u'8');
  if (selector == u'B') k = 0;
  if (selector == u'G') k = 9;
  TEntJwwColorNo* row = Row(doc_.EntCol, k);
  if (k < 0 || row == nullptr || n_ < 3) return;
  row->aPenColor = MakeRGB(ColorComponent(IntField(0)), ColorComponent(IntField(1)),
                           ColorComponent(IntField(2)));
  if (n_ >= 4 && IntField(3) > 0) row->anPenWidth = IntField(3);
}

// Print colours: "1".."8" the pens, "G" the auxiliary colour; no background.
void EntryApplier::PrintColor(char16_t selector) {
  int k = DigitIn(selector, u'1', u'8');
  if (selector == u'G') k = 9;
  TEntJwwColorNo* row = Row(doc_.EntCol, k);
  if (k < 0 || row == nullptr || n_ < 3) return;
  row->aPrtPenColor = MakeRGB(ColorComponent(IntField(0)), ColorComponent(IntField(1)),
                              ColorComponent(IntField(2)));
  if (n_ >= 4 && IntField(3) > 0) row->anPrtPenWidth = IntField(3);
  if (n_ >= 5) {
    double d = TextToFloat(Field(4));
    if (d > 0) {
      if (d < 0.1) d = 0.1;
      if (d > 10) d = 10;
      row->adPrtTenHankei = d;
    }
  }
}

}  // namespace plandock::jwf_internal
