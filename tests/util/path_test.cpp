#include "util/path.h"

#include <gtest/gtest.h>

#include <string>

namespace plandock {
namespace {

TEST(PathTest, FileNameAfterTheLastSeparator) {
  struct Row {
    const char* name;
    std::u16string p, want;
  } rows[] = {
      {"backslash", u"C:\\a\\b.jww", u"b.jww"}, {"slash", u"/home/a/b.jww", u"b.jww"},
      {"mixed", u"C:\\a/b\\c.jww", u"c.jww"},   {"drive only", u"C:b.jww", u"b.jww"},
      {"no separator", u"b.jww", u"b.jww"},     {"trailing separator", u"C:\\a\\", u""},
      {"invalid quote", u"C:\\a\"b", u""},      {"invalid pipe", u"a|b", u""},
      {"invalid control", u"a\tb", u""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(PathFileName(r.p), r.want);
  }
}

TEST(PathTest, ExtLowerIncludesTheDot) {
  struct Row {
    const char* name;
    std::u16string p, want;
  } rows[] = {
      {"upper-case backslash path", u"C:\\a\\B.JWW", u".jww"},
      {"slash path", u"/a/B.Jwf", u".jwf"},
      {"dot in a folder", u"C:\\DATA.D\\FILE", u""},
      {"dot in a folder, slash", u"/data.d/file", u""},
      {"trailing dot", u"b.", u"."},
      {"none", u"C:\\a\\b", u""},
      {"last dot wins", u"a.tar.GZ", u".gz"},
      {"full-width letters lower too", u"a.\uFF2A", u".\uFF4A"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    bool ok = false;
    EXPECT_EQ(PathExtLower(r.p, &ok), r.want);
    EXPECT_TRUE(ok);
  }
}

TEST(PathTest, ExtLowerReportsAnInvalidPath) {
  bool ok = true;
  EXPECT_EQ(PathExtLower(u"C:\\a<b.jww", &ok), u"");
  EXPECT_FALSE(ok);
  EXPECT_EQ(PathExtLower(u"a>b.jww"), u"");  // without `ok` it still just returns empty
  EXPECT_TRUE(PathHasInvalidChar(u"a\x1F"));
  EXPECT_FALSE(PathHasInvalidChar(u"C:\\\u56F3\u9762 1\\a.jww"));
}

TEST(PathTest, ChangeExtReplacesOrAppends) {
  struct Row {
    const char* name;
    std::u16string p, ext, want;
  } rows[] = {
      {"replace", u"C:\\a\\b.jww", u".dat", u"C:\\a\\b.dat"},
      {"dot in a folder appends", u"C:\\a.d\\b", u".dat", u"C:\\a.d\\b.dat"},
      {"upper-case folder with a dot", u"C:\\DATA.D\\FILE", u".dat", u"C:\\DATA.D\\FILE.dat"},
      {"slash path", u"/opt/x.y/plandock", u".dat", u"/opt/x.y/plandock.dat"},
      {"slash path with extension", u"/opt/x/plandock.exe", u".dat", u"/opt/x/plandock.dat"},
      {"dot before a drive colon", u"a.b:c", u".dat", u"a.b:c.dat"},
      {"trailing dot", u"b.", u".bak", u"b.bak"},
      {"empty ext removes", u"b.jww", u"", u"b"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(PathChangeExt(r.p, r.ext), r.want);
  }
}

}  // namespace
}  // namespace plandock
