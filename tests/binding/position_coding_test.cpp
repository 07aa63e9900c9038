#include "binding/position_coding.h"

#include <gtest/gtest.h>

#include <cfenv>

namespace {

TEST(PositionCoding, HalvesRoundToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {
      {0.5, 0},   {1.5, 2},  {2.5, 2},   {3.5, 4},       {-0.5, 0},      {-1.5, -2},
      {-2.5, -2}, {2.49, 2}, {2.51, 3},  {166.7, 167},   {2667.2, 2667}, {16.002, 16},
      {0.0, 0},   {-0.4, 0}, {-2.6, -3}, {1000.5, 1000}, {1001.5, 1002},
  };
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(PositionCoding, TheRoundingModeOfTheProcessorDoesNotMatter) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.4), 2);
  std::fesetround(FE_DOWNWARD);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  std::fesetround(saved);
}

TEST(PositionCoding, MileageInSixMetreUnits) {
  // Kilometres 1..16 and hundreds of metres 1..10 over a count of 6-metre units.
  const TPositionCoding km{.Kind = pcScaled, .LoadFactor = 0.006, .StoreFactor = 166.7};
  const TPositionCoding m{.Kind = pcScaled, .LoadFactor = 0.06, .StoreFactor = 16.67};
  EXPECT_EQ(km.Stored(16, 0), 2667);
  EXPECT_EQ(km.Stored(1, 0), 167);
  EXPECT_EQ(km.Position(2667), 16);
  EXPECT_EQ(km.Position(1167), 7);
  EXPECT_EQ(m.Stored(10, 0), 167);
  EXPECT_EQ(m.Stored(5, 0), 83) << "83.35";
  EXPECT_EQ(m.Position(167), 10);
  for (int position = 1; position <= 16; ++position) {
    EXPECT_EQ(km.Position(km.Stored(position, 0)), position) << "a stored position loads back";
  }
  for (int position = 1; position <= 10; ++position) {
    EXPECT_EQ(m.Position(m.Stored(position, 0)), position);
  }
}

TEST(PositionCoding, EachKindBothWays) {
  constexpr int kCodes[] = {0x10, 0x20, 0x40};
  const TPositionCoding offset{.Kind = pcOffset, .Offset = 1};
  const TPositionCoding signedByte{.Kind = pcSignedByte};
  const TPositionCoding map{.Kind = pcMap, .Values = kCodes};
  const TPositionCoding doorPulse{.Kind = pcDoorPulse};
  const TPositionCoding timeByte{.Kind = pcTimeByte};
  // A period word whose top bit is a flag of its own.
  const TPositionCoding period{.Kind = pcMasked, .Mask = 0x7FFF};
  const struct {
    const TPositionCoding& Coding;
    int Stored;
    std::optional<int> Position;
  } loads[] = {
      {offset, 0, 1},
      {offset, 15, 16},
      {signedByte, 0x7F, 127},
      {signedByte, 0x80, -128},
      {signedByte, 0xF6, -10},
      {map, 0x20, 1},
      {map, 0x40, 2},
      {map, 0x30, std::nullopt},
      // Code 8 is the shortest pulse; 9..15 lie past the top, where the range clamps them.
      {doorPulse, 8, 0},
      {doorPulse, 0, 1},
      {doorPulse, 7, 8},
      {doorPulse, 9, 10},
      {doorPulse, 15, 16},
      {timeByte, 0, 0},
      {timeByte, 100, 100},
      {timeByte, 127, 127},
      {timeByte, 128, 101},
      {timeByte, 177, 150},
      {timeByte, 237, 210},
      {timeByte, 252, 225},
      {period, 0x82EE, 750},
      {period, 0x02EE, 750},
  };
  for (const auto& load : loads) {
    EXPECT_EQ(load.Coding.Position(load.Stored), load.Position)
        << static_cast<int>(load.Coding.Kind) << " stored " << load.Stored;
  }
  const struct {
    const TPositionCoding& Coding;
    int Position;
    int Stored;
  } stores[] = {
      {offset, 16, 15},     {signedByte, -10, 0xF6}, {signedByte, 127, 0x7F}, {map, 2, 0x40},
      {doorPulse, 0, 8},    {doorPulse, 1, 0},       {doorPulse, 8, 7},       {timeByte, 0, 0},
      {timeByte, 100, 100}, {timeByte, 101, 128},    {timeByte, 150, 177},    {timeByte, 225, 252},
  };
  for (const auto& store : stores) {
    EXPECT_EQ(store.Coding.Stored(store.Position, 0x33), store.Stored)
        << static_cast<int>(store.Coding.Kind) << " position " << store.Position;
  }
  EXPECT_EQ(period.Stored(850, 0x82EE), 0x8352) << "the flag stays";
  EXPECT_EQ(period.Stored(850, 0x02EE), 850);
  EXPECT_EQ(map.Stored(-1, 0x33), 0x33) << "no item: the cell keeps its value";
  EXPECT_EQ(map.Stored(3, 0x33), 0x33);
  for (int position = 0; position <= 225; ++position) {
    EXPECT_EQ(timeByte.Position(timeByte.Stored(position, 0)), position) << "time byte round trip";
  }
  for (int position = 0; position <= 8; ++position) {
    EXPECT_EQ(doorPulse.Position(doorPulse.Stored(position, 0)), position) << "pulse round trip";
  }
}

}  // namespace
