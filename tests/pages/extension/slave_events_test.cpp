#include "pages/extension/slave_events.h"

#include <gtest/gtest.h>

namespace {

void Factory(TSlaveEvents& events) {
  events.UpDown = TSlaveEvents::kFactoryUpDown;
  events.Masks = TSlaveEvents::kFactoryMasks;
  events.Commands = TSlaveEvents::kFactoryCommands;
}

TEST(SlaveEvents, PolaritiesAreStoredAsTheModuleReadsThem) {
  TSlaveEvents events;
  Factory(events);
  events.TogglePolarity(2);
  events.TogglePolarity(5);
  events.TogglePolarity(1);  // fixed
  EXPECT_EQ(events.UpDown[0], 0xF6);
  EXPECT_EQ(events.Polarity(2), 1);
  EXPECT_EQ(events.Polarity(3), 0);
}

TEST(SlaveEvents, FactoryEventsCarryTwoCommands) {
  TSlaveEvents events;
  Factory(events);
  EXPECT_TRUE(events.HasCommand(1));
  EXPECT_TRUE(events.HasCommand(2));
  for (int event = 3; event <= 8; ++event) EXPECT_FALSE(events.HasCommand(event)) << event;
  EXPECT_FALSE(events.Enabled(1));
}

TEST(SlaveEvents, SourceExistsFromFirmwareWord0x0510) {
  const struct {
    uint8_t High;
    uint8_t Low;
    bool OnEventsPage;
    bool OnGraphs;
  } cases[] = {{0, 0, true, false},
               {0x05, 0x0F, false, false},
               {0x05, 0x10, true, true},
               {0x02, 0x07, false, false},
               {0x06, 0x00, true, true}};
  for (const auto& c : cases) {
    TSlaveEvents events;
    events.Version = {c.High, c.Low};
    events.Sources = {0xFF};
    EXPECT_EQ(events.HasSourceFeature(true), c.OnEventsPage) << +c.High << ' ' << +c.Low;
    EXPECT_EQ(events.SequenceSource(1, false), c.OnGraphs) << +c.High << ' ' << +c.Low;
  }
}

TEST(SlaveEvents, TimeRecordingPicturesFollowLevelPolarityAndMask) {
  TSlaveEvents events;
  Factory(events);
  // Event 1, time column 2: input 1 (polarity 1) high in samples 0 and 1, input 3 (polarity
  // 0) low in sample 7 only.
  events.Recordings[0][6 + 0] = 0x03;
  events.Recordings[0][6 + 2] = 0x7F;
  events.ToggleMask(1, 3);
  EXPECT_EQ(events.Pictures(1, 1, 2), (std::array<int, 8>{1, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(events.Pictures(1, 3, 2), (std::array<int, 8>{0, 0, 0, 0, 0, 0, 0, 2}))
      << "active but not counted";
}

TEST(SlaveEvents, SequencePicturesShowTheTaughtSteps) {
  TSlaveEvents events;
  Factory(events);
  events.Version = {0x05, 0x20};
  events.Sources = {0x02};  // event 2 taught as an order
  events.SequenceLengths[1] = 2;
  events.Sequences[1][0] = 0x10;  // step 1: input 1 high
  events.Sequences[1][1] = 0x00;
  events.ToggleMask(2, 1);
  events.ToggleMask(2, 1);
  EXPECT_EQ(events.Pictures(2, 1, 1)[0], 3);
  EXPECT_EQ(events.Pictures(2, 1, 2)[0], 0);
  EXPECT_EQ(events.Pictures(2, 1, 3)[0], 2) << "beyond the taught steps";
  events.ToggleMask(2, 1);
  EXPECT_EQ(events.Pictures(2, 1, 1)[0], 2) << "an active step of an input not counted";
}

}  // namespace
