#include <gtest/gtest.h>

#include <fstream>

#include "document/jww_file.h"
#include "merge/merge_drawing_internal.h"
#include "support/doc_builder.h"
#include "support/support.h"
#include "util/text.h"

namespace plandock {
namespace {

const std::u16string kRef = u"【基準点】";

std::u16string Path(const std::filesystem::path& p) { return p.u16string(); }

TEST(CountReferenceTextsTest, CountsWrittenDrawingsAndReadsNothingAsZero) {
  test::ScopedTempDir dir;
  for (int drawn : {0, 1, 2, 3, 4}) {
    SCOPED_TRACE(drawn);
    TJwwData doc;
    test::InitDrawing(doc);
    test::Add(doc, test::Text(kRef, 0, 0, 5, 0, test::Attr(0, 0, 1)));  // not auxiliary
    test::Add(doc, test::Text(kRef + u" ", 0, 0, 5, 0, test::Attr(0, 0, 9)));
    for (int i = 0; i < drawn; ++i) {
      test::Add(doc, test::Text(kRef, i, 0, i + 5, 0, test::Attr(i % 16, 0, 9)));
    }
    const std::u16string path = Path(dir.path() / ("ref" + std::to_string(drawn) + ".jww"));
    ASSERT_TRUE(FileOut(doc, path, 700));
    TJwwData reader;
    EXPECT_EQ(CountReferenceTexts(reader, path, kRef), std::min(drawn, 3));
  }
  const std::filesystem::path junk = dir.path() / "junk.jww";
  std::ofstream(junk) << "not a drawing";
  TJwwData reader;
  EXPECT_EQ(CountReferenceTexts(reader, Path(junk), kRef), 0);
  EXPECT_EQ(CountReferenceTexts(reader, Path(dir.path() / "missing.jww"), kRef), 0);
}

}  // namespace
}  // namespace plandock
