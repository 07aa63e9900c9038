#include "sim/virtual_extension_module.h"

#include <gtest/gtest.h>

#include "sim/virtual_vehicle.h"

namespace {

TLanMsg Request(uint8_t dest, uint8_t command, std::initializer_list<uint8_t> data) {
  TLanMsg msg;
  msg.Source = 1;
  msg.Dest = dest;
  msg.Command = command;
  msg.AnswerRequested = 1;
  msg.Length = static_cast<uint8_t>(data.size());
  std::copy(data.begin(), data.end(), msg.Data.begin());
  return msg;
}

struct TVehicle {
  TVirtualVehicle vehicle{TSimOptions{}};
  TVirtualExtensionModule& Module(uint8_t address) {
    return dynamic_cast<TVirtualExtensionModule&>(*vehicle.Module(address));
  }
  // The installer presses the button: the module reports on its learning stream.
  std::vector<TLanMsg> Press(uint8_t address) {
    return vehicle.Speak(Module(address), TVirtualExtensionModule::kLearnStream);
  }
};

// Each kind of learning request: the echo, what the module broadcasts when the button is
// pressed, and where it keeps the learned flag.
struct TLearnCase {
  const char* Name;
  uint8_t Module;
  uint8_t Command;
  std::vector<uint8_t> Data;
  uint8_t ReportCommand;
  uint8_t Reported;
  int FlagAddress;
  uint8_t FlagByte;
};

class VirtualExtensionLearning : public ::testing::TestWithParam<TLearnCase> {};

TEST_P(VirtualExtensionLearning, EchoesThenReportsAndKeepsTheFlag) {
  const TLearnCase& c = GetParam();
  TVehicle car;
  TLanMsg request = Request(c.Module, c.Command, {});
  request.Length = static_cast<uint8_t>(c.Data.size());
  std::copy(c.Data.begin(), c.Data.end(), request.Data.begin());
  const auto answers = car.vehicle.Deliver(request);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_TRUE(answers[0].IsAnswer);
  EXPECT_EQ(answers[0].Data[0], c.Data[0]);
  EXPECT_TRUE(car.Module(c.Module).Learning());

  const auto reports = car.Press(c.Module);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Dest, 0);
  EXPECT_EQ(reports[0].Command, c.ReportCommand);
  EXPECT_EQ(reports[0].Data[0], c.Reported);
  EXPECT_EQ(car.Module(c.Module).Memory(kSimInt)[c.FlagAddress], c.FlagByte);
  EXPECT_TRUE(car.Press(c.Module).empty()) << "one press, one report";
}

INSTANTIATE_TEST_SUITE_P(
    Modules, VirtualExtensionLearning,
    ::testing::Values(TLearnCase{"SlaveEvent", 4, 112, {3}, 4, 3, 2, 0x08},
                      TLearnCase{"ValidatorCode", 14, 112, {0}, 4, 1, 2, 0x01},
                      TLearnCase{"ValidatorAnalog", 14, 113, {9}, 114, 1, 83, 0x02},
                      TLearnCase{"RelayCombination", 13, 112, {2}, 4, 1, 2, 0x02},
                      TLearnCase{"RelayButton", 13, 54, {17, 1}, 55, 1, 84, 0x02},
                      TLearnCase{"RelayNewCombination", 13, 54, {5, 2}, 55, 1, 51, 1},
                      TLearnCase{"ExtenderButton", 15, 54, {6, 1}, 55, 1, 54, 0x40},
                      TLearnCase{"ExtenderEvent", 15, 54, {7, 2}, 55, 1, 91, 1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(VirtualExtensionModule, RefusingModuleAnswersAnotherByteAndLearnsNothing) {
  TVehicle car;
  car.Module(4).Outcome = TLearnOutcome::Refuses;
  const auto answers = car.vehicle.Deliver(Request(4, 112, {2}));
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_NE(answers[0].Data[0], 2);
  EXPECT_FALSE(car.Module(4).Learning());
  EXPECT_TRUE(car.Press(4).empty());
}

TEST(VirtualExtensionModule, NotLearnedIsReportedAndNoFlagIsSet) {
  TVehicle car;
  car.Module(4).Outcome = TLearnOutcome::NotLearned;
  car.vehicle.Deliver(Request(4, 112, {2}));
  const auto reports = car.Press(4);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Data[0], 0xFF) << "the slave module reports no event";
  EXPECT_EQ(car.Module(4).Memory(kSimInt)[2], 0);
}

TEST(VirtualExtensionModule, StopRequestEndsLearningWithoutReport) {
  TVehicle car;
  car.vehicle.Deliver(Request(15, 54, {3, 1}));
  const auto answers = car.vehicle.Deliver(Request(15, 54, {3, 0}));
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].Data[0], 3);
  EXPECT_FALSE(car.Module(15).Learning());
  EXPECT_TRUE(car.Press(15).empty());
}

TEST(VirtualExtensionModule, SilentModuleNeitherAnswersNorLearns) {
  TVehicle car;
  car.Module(14).Silent = true;
  EXPECT_TRUE(car.vehicle.Deliver(Request(14, 112, {0})).empty());
  EXPECT_FALSE(car.Module(14).Learning());
}

}  // namespace
