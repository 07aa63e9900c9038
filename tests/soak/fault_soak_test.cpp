#include "soak/fault_soak.h"

#include <gtest/gtest.h>

#include <vector>

#include "memory/ee_memory_item.h"

namespace {

// The soak's judgement of an area: what differs from the module, and what of it no later
// write would send.
TEST(SoakAccounting, ComparesTheImageWithTheModuleAndItsChangedMarks) {
  TEEMemoryItem area;
  area.SetSize(8);
  for (int i = 0; i < 8; ++i) {
    area.GetByte(i);
    area.SetByte(i, static_cast<uint8_t>(0x10 + i));
  }
  area.ClearChangedMarks();
  area.SetByte(2, 0x99);  // an edit not written yet
  const std::vector<uint8_t> mirror = {0x10, 0x11, 0x99, 0x13, 0x14, 0x15, 0x16, 0x17};

  struct TCase {
    const char* What;
    int At;  // the module byte that differs, or -1
    int From;
    int To;
    size_t ModuleSize;
    TImageDiff Expected;
  };
  const TCase cases[] = {
      {"module as the image", -1, 0, 8, 8, {0, 0}},
      {"a marked byte not in the module yet", 2, 0, 8, 8, {1, 0}},
      {"an unmarked byte the module holds otherwise", 5, 0, 8, 8, {1, 1}},
      {"a difference outside the range", 5, 0, 5, 8, {0, 0}},
      {"the range's last byte", 4, 2, 5, 8, {1, 1}},
      {"a module memory shorter than the area", -1, 0, 8, 6, {2, 2}},
  };
  for (const TCase& c : cases) {
    std::vector<uint8_t> module(mirror.begin(), mirror.begin() + static_cast<long>(c.ModuleSize));
    if (c.At >= 0) module[static_cast<size_t>(c.At)] ^= 0x5A;
    EXPECT_EQ(CompareWithModule(area, module, c.From, c.To), c.Expected) << c.What;
  }
}

TEST(SoakAccounting, AnyGoalFigureFailsTheSoak) {
  EXPECT_TRUE(TSoakFigures{}.GoalsMet());
  for (auto goal : {&TSoakFigures::WrongBytesAfterDone, &TSoakFigures::LostMarks,
                    &TSoakFigures::WrongBytesRead}) {
    TSoakFigures figures;
    figures.*goal = 1;
    EXPECT_FALSE(figures.GoalsMet());
  }
  for (auto goal : {&TSoakFigures::FalseDones, &TSoakFigures::NotFoundAgain}) {
    TSoakFigures figures;
    figures.*goal = 1;
    EXPECT_FALSE(figures.GoalsMet());
  }
}

// Random settings into two module kinds, one with packets of 8 bytes and one with packets of 4,
// over a line that loses, garbles and delays frames, with a module that falls silent in the
// middle of a write: no write reported done leaves a wrong byte, no changed mark is lost.
TEST(FaultSoak, NoWriteIsReportedDoneWhenItWasNotAndNoChangeIsForgotten) {
  TSoakOptions options;
  options.Seed = 7;
  options.Cycles = 12;
  options.Modules = {15, 25};
  options.MaxRunBytes = 16;
  options.SilenceEvery = 6;
  options.SilenceFor = 2;
  const TSoakFigures figures = RunFaultSoak(options);

  EXPECT_EQ(figures.WrongBytesAfterDone, 0);
  EXPECT_EQ(figures.FalseDones, 0);
  EXPECT_EQ(figures.LostMarks, 0);
  EXPECT_EQ(figures.WrongBytesRead, 0);
  EXPECT_EQ(figures.NotFoundAgain, 0);
  // The soak met what it is about: the line failed and writes were reported failed.
  EXPECT_EQ(figures.Cycles, 24);
  EXPECT_EQ(figures.Silences, 4);
  EXPECT_GT(figures.LostPackets, 0);
  EXPECT_GT(figures.NoAnswer, 0);
  EXPECT_GT(figures.WritesFailed, 0);
  EXPECT_LT(figures.WritesFailed, figures.Writes);
}

}  // namespace
