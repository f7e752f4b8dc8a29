#include "merge/layer_cell.h"

#include <gtest/gtest.h>

#include <string>

namespace plandock {
namespace {

// The job reads a cell that is no number as 0; the window and the after-merge
// rules keep instead, unless the cell begins like a number.
TEST(LayerCellTest, JobAndWindowReadings) {
  struct Case {
    std::u16string cell;
    int number;
    int code;
  };
  const Case cases[] = {
      {u"", -1, -1},     {u" \u3000", -1, -1}, {u"a", 10, 10},   {u"F", 15, 15},
      {u"AB", 171, 171}, {u"FA", 0, -1},       {u"10", 10, 10},  {u"9", 9, 9},
      {u"95", 95, -1},   {u"0G", 0, 0},        {u"G", 0, -1},    {u"+5", 5, 5},
      {u"$7", 7, 7},     {u"-0", 0, -1},       {u"x10", 16, -1}, {u" b ", 11, 11},
  };
  for (const Case& c : cases) {
    const std::string name(c.cell.begin(), c.cell.end());
    EXPECT_EQ(ReadLayerNumber(c.cell), c.number) << name;
    EXPECT_EQ(ReadLayerCode(c.cell), c.code) << name;
  }
}

}  // namespace
}  // namespace plandock
