#include "merge/layer_cell.h"

#include <string>

#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

std::u16string Normalised(std::u16string_view cell) {
  return UpperText(RemoveSpaces(std::u16string(cell)));
}

bool IsHexLetterCell(std::u16string_view t) { return (t[0] >= u'A' && t[0] <= u'E') || t == u"F"; }

int NumberOf(const std::u16string& t) {
  return IsHexLetterCell(t) ? TextToInt(u"$" + t) : TextToInt(t);
}

}  // namespace

int ReadLayerNumber(std::u16string_view cell) {
  const std::u16string t = Normalised(cell);
  return t.empty() ? -1 : NumberOf(t);
}

int ReadLayerCode(std::u16string_view cell) {
  const std::u16string t = Normalised(cell);
  if (t.empty()) return -1;
  const int value = NumberOf(t);
  if (IsHexLetterCell(t) || (t[0] >= u'0' && t[0] <= u'8') || t == u"9") return value;
  return value >= 1 && value <= 15 ? value : -1;
}

}  // namespace plandock
