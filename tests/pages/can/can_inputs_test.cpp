#include "pages/can/can_inputs.h"

#include <gtest/gtest.h>

namespace {

TEST(CanInputs, StoredCodesSkipTwoFunctionsAndWrapAsBytes) {
  struct TCase {
    uint8_t Stored;
    uint8_t Kept;
    int Function;
  };
  const TCase cases[] = {
      {0, 0, 1}, {7, 7, 8}, {8, 10, 11}, {12, 14, 15}, {255, 255, 0}, {253, 255, 0}, {254, 0, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(int(c.Stored));
    TCanInputs inputs;
    inputs.Load(0, c.Stored);
    EXPECT_EQ(inputs.Kept(0), c.Kept);
    EXPECT_EQ(inputs.Function(0), c.Function);
  }
  TCanInputs inputs;
  for (const uint8_t stored : {0, 7, 8, 12, 14, 255}) {
    inputs.Load(3, stored);
    EXPECT_EQ(inputs.Stored(3), stored);
  }
}

TEST(CanInputs, AClickMovesASignalToAnAllowedFunctionOrFreesIt) {
  TCanInputs inputs;
  inputs.SetDefault(0);
  ASSERT_EQ(inputs.Function(0), 1);
  EXPECT_TRUE(inputs.Toggle(0, 7));
  EXPECT_EQ(inputs.Function(0), 15);
  EXPECT_TRUE(inputs.Toggle(0, 7));
  EXPECT_EQ(inputs.Function(0), 0);

  inputs.SetDefault(6);
  for (int column = 1; column <= TCanInputs::kColumns; ++column) {
    if (column == 9) continue;
    EXPECT_FALSE(inputs.Toggle(6, column)) << column;
    EXPECT_EQ(inputs.Function(6), 17) << "the brake light feeds only the brake light input";
  }
  EXPECT_FALSE(inputs.Toggle(TCanInputs::kSignals, 1)) << "entries without a row feed nothing";
}

TEST(CanInputs, FactoryTableAndTheStateBeforeAnyRead) {
  TCanInputs inputs;
  EXPECT_EQ(inputs.Kept(0), 255);
  EXPECT_EQ(inputs.Kept(14), 0);
  const uint8_t factory[TCanInputs::kEntries] = {
      0,   12,  12,  12,  1,   2,   14,  255, 255, 255, 255, 255, 255, 3,   255, 255,
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  for (int entry = 0; entry < TCanInputs::kEntries; ++entry) {
    inputs.SetDefault(entry);
    EXPECT_EQ(inputs.Stored(entry), factory[entry]) << entry;
  }
}

}  // namespace
