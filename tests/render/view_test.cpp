#include "render/view.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plandock::render {
namespace {

// A 400 × 300 picture with a 10 pixel margin: the box's middle lands in the
// picture's middle, and the box touches the margin on its tighter side.
TEST(FitBox, CentresTheBoxAndFillsTheTighterSide) {
  struct Row {
    Box box;
    double scale;  // expected pixels per unit
  };
  const Row rows[] = {
      {{0, 0, 100, 50, false}, 3.8},   // wide: 380 / 100
      {{-5, 10, 5, 290, false}, 1.0},  // tall: 280 / 280
      {{0, 0, 0, 140, false}, 2.0},    // a vertical line: its height decides
      {{7, 7, 7, 7, false}, 280.0},    // one point: a unit box
      {{}, 280.0},                     // nothing drawn
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.scale);
    const ViewTransform v = FitBox(row.box, 400, 300, 10);
    EXPECT_NEAR(v.scale, row.scale, 1e-9);
    if (row.box.empty) continue;
    const Point2 mid = v.Px({(row.box.x0 + row.box.x1) / 2, (row.box.y0 + row.box.y1) / 2});
    EXPECT_NEAR(mid.x, 200, 1e-9);
    EXPECT_NEAR(mid.y, 150, 1e-9);
  }
}

TEST(ViewTransform, ZoomKeepsTheFixedPointAndPanMovesByPixels) {
  ViewTransform v = FitBox({0, 0, 100, 50, false}, 400, 300, 10);
  const Point2 at{123.5, 77.25};
  const Point2 under = v.FromPx(at);
  v.ZoomAbout(at, 3);
  const Point2 again = v.Px(under);
  EXPECT_NEAR(again.x, at.x, 1e-9);
  EXPECT_NEAR(again.y, at.y, 1e-9);
  v.ZoomAbout(at, 0);  // ignored, as is a factor that is not finite
  v.ZoomAbout(at, NAN);
  EXPECT_NEAR(v.scale, 3.8 * 3, 1e-9);
  v.Pan(-40, 15);
  const Point2 moved = v.Px(under);
  EXPECT_NEAR(moved.x, at.x - 40, 1e-9);
  EXPECT_NEAR(moved.y, at.y + 15, 1e-9);
}

}  // namespace
}  // namespace plandock::render
