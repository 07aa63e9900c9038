#include "journal/filter_data.h"

#include <gtest/gtest.h>

#include "journal_test_support.h"

namespace {

TEST(FilterData, NewFilterTestsNothingAndMatchesEverything) {
  const TFilterData filter;
  EXPECT_TRUE(filter.Matches(Msg(2, 0, 96)));
  EXPECT_FALSE(filter.SameAs(TFilterData()));
}

TEST(FilterData, DataMaskAndInversion) {
  const auto outputs = TFilterData::ForAll(2, 64, 3, 0);
  auto inputs = outputs;
  inputs.DataInvert = true;
  EXPECT_TRUE(outputs.Matches(Msg(2, 0, 3, {0xC1})));
  EXPECT_FALSE(outputs.Matches(Msg(2, 0, 3, {0x81})));
  EXPECT_FALSE(outputs.Matches(Msg(2, 1, 3, {0xC1})));
  EXPECT_TRUE(inputs.Matches(Msg(2, 0, 3, {0x81})));
  EXPECT_FALSE(inputs.Matches(Msg(2, 0, 3, {0xC1})));
  EXPECT_TRUE(TFilterData::ForAll(2, 0, 127, 0).Matches(Msg(2, 0, 127, {0xFF})));
}

TEST(FilterData, ListsMatchPairsExceptListedCommands) {
  const uint8_t dests[] = {0, 2};
  const uint8_t sources[] = {2, 0};
  const uint8_t commands[] = {3, 7};
  const auto system = TFilterData::ForLists(dests, sources, commands);
  EXPECT_TRUE(system.Matches(Msg(2, 0, 96)));
  EXPECT_TRUE(system.Matches(Msg(0, 2, 96)));
  EXPECT_FALSE(system.Matches(Msg(2, 0, 3)));
  EXPECT_FALSE(system.Matches(Msg(2, 0, 7)));
  EXPECT_FALSE(system.Matches(Msg(2, 1, 96)));
  EXPECT_FALSE(system.Matches(Msg(0, 0, 96)));
  // Only the command list given: no pairs, so nothing matches.
  EXPECT_FALSE(TFilterData::ForLists({}, {}, commands).Matches(Msg(2, 0, 96)));
}

TEST(FilterData, ListsKeepAtMostThirtyOneEntries) {
  std::vector<uint8_t> many(40, 5);
  const auto filter = TFilterData::ForLists(many, many, {});
  EXPECT_EQ(filter.SourceListLength, TFilterData::kMaxListLength);
  EXPECT_TRUE(filter.NoCommandList);
  EXPECT_FALSE(filter.NoSourceList);
}

TEST(FilterData, SameAsComparesOnlySharedTests) {
  const auto outputs = TFilterData::ForAll(2, 64, 3, 0);
  auto inputs = outputs;
  inputs.DataInvert = true;
  const uint8_t dests[] = {0, 2};
  const uint8_t sources[] = {2, 0};
  const uint8_t commandsA[] = {3, 7};
  const uint8_t commandsB[] = {3, 7, 9};
  const struct {
    TFilterData a, b;
    bool same;
  } cases[] = {
      {TFilterData::ForSource(20), TFilterData::ForSource(20), true},
      {TFilterData::ForSource(20), TFilterData::ForDest(20), false},
      {TFilterData::ForSource(20), TFilterData::ForSource(21), false},
      // Shared source agrees; the command is only in one of them.
      {TFilterData::ForSource(13), TFilterData::ForAll(13, 0, 53, 1), true},
      {TFilterData::ForSourceCommand(2, 19), TFilterData::ForSourceCommand(2, 121), false},
      {outputs, outputs, true},
      {outputs, inputs, false},
      {TFilterData::ForLists(dests, sources, commandsA),
       TFilterData::ForLists(dests, sources, commandsA), true},
      {TFilterData::ForLists(dests, sources, commandsA),
       TFilterData::ForLists(dests, sources, commandsB), false},
      {TFilterData::ForLists(dests, sources, commandsA), TFilterData::ForSource(2), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.a.SameAs(c.b), c.same);
    EXPECT_EQ(c.b.SameAs(c.a), c.same);
  }
}

}  // namespace
