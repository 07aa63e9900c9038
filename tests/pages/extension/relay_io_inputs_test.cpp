#include "pages/extension/relay_io_inputs.h"

#include <gtest/gtest.h>

#include "pages/extension/slave_commands.h"

namespace {

TEST(RelayIOInputs, FactoryCommandsAreTheMenusEntries) {
  const int indexes[] = {10, 1, 2, 3, 19, 5, 6, 7};
  for (std::size_t c = 0; c < 8; ++c) {
    EXPECT_EQ(SlaveCommandIndex(TRelayIOInputs::kFactoryCommands[c]), indexes[c]) << c + 1;
  }
}

TEST(RelayIOInputs, DirectControlAndAnalogInputsTakeNoPartInCombinations) {
  TRelayIOInputs inputs;
  inputs.InputMasks.fill(0x0F);
  inputs.LearnedBits = {0xFF};
  EXPECT_TRUE(inputs.UsesInput(1, 4));
  inputs.DirectControl = true;
  for (int c = 1; c <= 8; ++c) EXPECT_FALSE(inputs.UsesInput(c, 4)) << c;
  EXPECT_FALSE(inputs.ToggleUse(1, 4));
  ASSERT_TRUE(inputs.ToggleAnalog(2));
  EXPECT_FALSE(inputs.UsesInput(1, 2));
  EXPECT_FALSE(inputs.ToggleAnalog(4)) << "input 4 reads no ladder";
  ASSERT_TRUE(inputs.ToggleUse(3, 1));
  EXPECT_FALSE(inputs.CombinationLearned(3)) << "a changed combination is learned again";
  EXPECT_TRUE(inputs.CombinationLearned(2));
}

TEST(RelayIOInputs, FactoryPolaritiesAndConverterReading) {
  TRelayIOInputs inputs;
  inputs.UpDown = {0xFA};
  EXPECT_EQ(inputs.Polarity(1), 1);
  EXPECT_EQ(inputs.Polarity(2), 0);
  EXPECT_EQ(inputs.Polarity(3), 1);
  EXPECT_EQ(inputs.Polarity(4), 0);
  EXPECT_EQ(AdcVoltageText(0), QStringLiteral("  0.00 [В]"));
  EXPECT_EQ(AdcVoltageText(255), QStringLiteral("  6.60 [В]"));
}

}  // namespace
