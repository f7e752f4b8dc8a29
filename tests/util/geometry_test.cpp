#include "util/geometry.h"

#include <gtest/gtest.h>

#include <numbers>

namespace plandock {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(GeometryTest, VectorAngleLiesInZeroToTwoPi) {
  struct Row {
    const char* name;
    double dx, dy, want;
  } rows[] = {
      {"zero vector", 0, 0, 0},
      {"below the zero threshold", 1e-15, -1e-15, 0},
      {"east", 1, 0, 0},
      {"north", 0, 1, kPi / 2},
      {"west", -1, 0, kPi},
      {"south", 0, -1, 3 * kPi / 2},
      {"south-east", 1, -1, 7 * kPi / 4},
      {"short but above the threshold", 0, -2e-14, 3 * kPi / 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_DOUBLE_EQ(VectorAngle(r.dx, r.dy), r.want);
  }
  const double a = VectorAngle(1, -1e-300);
  EXPECT_GE(a, 0.0);
  EXPECT_LT(a, 2 * kPi);
}

TEST(GeometryTest, DistanceAndSamePoint) {
  EXPECT_DOUBLE_EQ(PointDistance(1, 1, 4, 5), 5.0);
  EXPECT_TRUE(SamePoint(0, 0, 1e-12, -1e-12));  // the tolerance itself counts as the same
  EXPECT_FALSE(SamePoint(1, 2, 1 + 3e-12, 2));
  EXPECT_FALSE(SamePoint(1, 2, 1, 2 + 3e-12));
}

TEST(GeometryTest, RotateTurnsCounterClockwiseAboutTheCentre) {
  // (3, 1) turned a quarter turn about (1, 1) lands on (1, 3).
  EXPECT_NEAR(RotateX(3, 1, 1, 1, kPi / 2), 1.0, 1e-12);
  EXPECT_NEAR(RotateY(3, 1, 1, 1, kPi / 2), 3.0, 1e-12);
  EXPECT_NEAR(RotateX(3, 1, 1, 1, kPi), -1.0, 1e-12);
  EXPECT_NEAR(RotateY(3, 1, 1, 1, kPi), 1.0, 1e-12);
}

}  // namespace
}  // namespace plandock
