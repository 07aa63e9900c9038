#include "binding/scaled_coding.h"

#include <gtest/gtest.h>

#include <cfenv>

namespace {

TEST(ScaledCoding, HalvesRoundToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {
      {0.5, 0},   {1.5, 2},  {2.5, 2},   {3.5, 4},       {-0.5, 0},      {-1.5, -2},
      {-2.5, -2}, {2.49, 2}, {2.51, 3},  {166.7, 167},   {2667.2, 2667}, {16.002, 16},
      {0.0, 0},   {-0.4, 0}, {-2.6, -3}, {1000.5, 1000}, {1001.5, 1002},
  };
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(ScaledCoding, TheRoundingModeOfTheProcessorDoesNotMatter) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.4), 2);
  std::fesetround(FE_DOWNWARD);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  std::fesetround(saved);
}

TEST(ScaledCoding, MileageInSixMetreUnits) {
  // Kilometres 1..16 and hundreds of metres 1..10 over a count of 6-metre units.
  const TScaledCodingRow km{.Name = "tbKm", .LoadFactor = 0.006, .StoreFactor = 166.7};
  const TScaledCodingRow m{.Name = "tbM", .LoadFactor = 0.06, .StoreFactor = 16.67};
  EXPECT_EQ(km.Stored(16), 2667);
  EXPECT_EQ(km.Stored(1), 167);
  EXPECT_EQ(km.Position(2667), 16);
  EXPECT_EQ(km.Position(1167), 7);
  EXPECT_EQ(m.Stored(10), 167);
  EXPECT_EQ(m.Stored(5), 83) << "83.35";
  EXPECT_EQ(m.Position(167), 10);
  for (int position = 1; position <= 16; ++position) {
    EXPECT_EQ(km.Position(km.Stored(position)), position) << "a stored position loads back";
  }
  for (int position = 1; position <= 10; ++position) {
    EXPECT_EQ(m.Position(m.Stored(position)), position);
  }
}

}  // namespace
