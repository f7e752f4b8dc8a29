// Real drawings merged into a second copy of themselves: with every layer let
// through and no reference text, each copy lands where it was drawn.
#include <gtest/gtest.h>

#include <unordered_set>

#include "document/block_tree.h"
#include "document/jww_file.h"
#include "merge/block_merge_internal.h"
#include "merge/merge_drawing_internal.h"
#include "support/support.h"
#include "util/text.h"

namespace plandock {
namespace {

std::u16string Path(const std::filesystem::path& p) { return p.u16string(); }

TEST(MergeSamplesTest, DrawingMergedOntoItself) {
  const std::filesystem::path samples = test::SamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings beside the project";
  test::ScopedTempDir dir;
  for (const char* name : {"block_regressions__2blocks.jww", "block_regressions__3blocks.jww",
                           "木造平面例.jww", "Test1.jww"}) {
    SCOPED_TRACE(name);
    const std::u16string path = Path(samples / test::PathFromUtf8(name));
    TJwwData base, merged;
    ASSERT_TRUE(FileIn(base, path));
    ASSERT_TRUE(FileIn(merged, path));
    MergeSettings options;
    options.ReferenceText = u"";
    options.MergeHiddenLayers = true;
    options.MergeDisplayOnlyLayers = true;
    uint32_t largest = 0;
    for (const TEntJwwBlockDef& def : merged.EntBlockDef) largest = std::max(largest, def.nNumber);
    MergeDrawing(base, merged, {}, options);

    EXPECT_EQ(base.EntLineN(), 2 * merged.EntLineN());
    EXPECT_EQ(base.EntEnkoN(), 2 * merged.EntEnkoN());
    EXPECT_EQ(base.EntSolidN(), 2 * merged.EntSolidN());
    EXPECT_EQ(base.EntBlockN(), 2 * merged.EntBlockN());
    EXPECT_EQ(base.EntBlockDefN(), 2 * merged.EntBlockDefN());
    for (int i = 0; i < merged.EntLineN(); ++i) {
      const TEntJwwLine& a = merged.EntLine[i];
      const TEntJwwLine& b = base.EntLine[merged.EntLineN() + i];
      ASSERT_EQ(b.start_x, a.start_x) << i;
      ASSERT_EQ(b.end_y, a.end_y) << i;
      ASSERT_EQ(b.att.lGroup, 0u) << i;
    }
    for (int i = 0; i < merged.EntBlockN(); ++i) {
      const uint32_t n = merged.EntBlock[i].nNumber;
      const bool defined = std::any_of(merged.EntBlockDef.begin(), merged.EntBlockDef.end(),
                                       [n](const TEntJwwBlockDef& d) { return d.nNumber == n; });
      EXPECT_EQ(base.EntBlock[merged.EntBlockN() + i].nNumber, defined ? n + largest + 1 : 0) << i;
    }
    std::unordered_set<std::u16string> heads;
    for (const TEntJwwBlockDef& def : base.EntBlockDef) heads.insert(BlockNameHead(def.strName));
    EXPECT_EQ(heads.size(), base.EntBlockDef.size());

    // The result writes and reads back whole.
    MakeBlockTree(base);
    const std::u16string out = Path(dir.path() / "merged.jww");
    ASSERT_TRUE(FileOut(base, out, base.Enthd.jwVer));
    TJwwData back;
    ASSERT_TRUE(FileIn(back, out));
    EXPECT_EQ(back.EntLineN(), base.EntLineN());
    EXPECT_EQ(back.EntBlockN(), base.EntBlockN());
  }
}

}  // namespace
}  // namespace plandock
