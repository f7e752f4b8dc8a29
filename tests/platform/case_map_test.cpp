#include "platform/case_map.h"

#include <gtest/gtest.h>

#include <string>

namespace plandock::platform {
namespace {

TEST(CaseMapTest, MapsEveryCasedScriptAndKeepsTheLength) {
  struct Row {
    const char* name;
    std::u16string lower, upper;
  } rows[] = {
      {"ascii", u"abc xyz", u"ABC XYZ"},
      {"full-width latin", u"\uFF41\uFF5A", u"\uFF21\uFF3A"},
      {"greek", u"\u03B1\u03C9", u"\u0391\u03A9"},
      {"cyrillic", u"\u0436\u044F", u"\u0416\u042F"},
      {"latin with accents", u"\u00E9\u00E0", u"\u00C9\u00C0"},
      {"outside the basic plane", u"\U00010428", u"\U00010400"},
      {"uncased stays", u"漢字ｱ1", u"漢字ｱ1"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ToUpperSimple(r.lower), r.upper);
    EXPECT_EQ(ToLowerSimple(r.upper), r.lower);
  }
}

TEST(CaseMapTest, NeverChangesTheNumberOfCodeUnits) {
  // Sharp s has no single upper-case letter; a lone surrogate is left alone.
  const std::u16string s = std::u16string(u"\u00DFa") + char16_t{0xD801} + u"b";
  const std::u16string upper = ToUpperSimple(s);
  EXPECT_EQ(upper.size(), s.size());
  EXPECT_EQ(upper, std::u16string(u"\u00DFA") + char16_t{0xD801} + u"B");
  EXPECT_EQ(ToLowerSimple(u""), u"");
}

}  // namespace
}  // namespace plandock::platform
