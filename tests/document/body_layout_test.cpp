#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/entity_io.h"

namespace plandock {
namespace {

// The one layout description against the stored sizes of every kind in the
// versions on either side of the pen-width gate.
TEST(BodyLayoutTest, FixedPartsHaveTheirStoredSizeInEachVersion) {
  struct Row {
    int32_t kind;
    size_t size_350, size_351;  // 220..350, 351 on
  };
  const Row rows[] = {
      {kEntLine, 45, 47},  {kEntEnko, 73, 75},  {kEntTen, 33, 35},      {kEntMoji, 81, 83},
      {kEntSolid, 77, 79}, {kEntBlock, 57, 59}, {kEntBlockDef, 25, 27},
  };
  for (const Row& row : rows) {
    for (int32_t version : {220, 350, 351, 420, 700}) {
      SCOPED_TRACE(testing::Message() << "kind " << row.kind << " version " << version);
      const std::vector<BodyFieldSpan> spans = BodyLayout(row.kind, version);
      ASSERT_FALSE(spans.empty());
      EXPECT_EQ(spans.back().end, version >= 351 ? row.size_351 : row.size_350);
      // The attribute block comes first, its width only from 351 on.
      EXPECT_EQ(std::string(spans[0].name), "lGroup");
      EXPECT_EQ(std::string(spans[3].name), version >= 351 ? "nPenWidth" : "nLayer");
      EXPECT_EQ(spans[6 + (version >= 351 ? 1 : 0)].begin, version >= 351 ? 15u : 13u);
      for (size_t i = 1; i < spans.size(); ++i) EXPECT_EQ(spans[i].begin, spans[i - 1].end);
    }
  }
  EXPECT_TRUE(BodyLayout(kEntSunpo, 600).empty());  // made of other parts, not one fixed part
}

}  // namespace
}  // namespace plandock
