#include "sim/virtual_gsm_module.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include "sim/virtual_vehicle.h"

namespace {

constexpr uint8_t kGsm = 3;

TLanMsg Request(uint8_t command, std::vector<uint8_t> data, bool answer = true) {
  TLanMsg m;
  m.Source = 1;
  m.Dest = kGsm;
  m.Command = command;
  m.AnswerRequested = answer ? 1 : 0;
  m.Length = static_cast<uint8_t>(data.size());
  std::copy(data.begin(), data.end(), m.Data.begin());
  return m;
}

std::vector<uint8_t> DataOf(const TLanMsg& msg) {
  return {msg.Data.begin(), msg.Data.begin() + msg.Length};
}

// Each sub-request of command 40 gets the answer of its own kind: the status record for the
// polls, the dump record for the dump, its own byte back for the switches.
TEST(VirtualGsmModule, ModemCommandsAnswerAfterTheirSubRequest) {
  TVirtualVehicle vehicle(TSimOptions{});
  auto& gsm = *dynamic_cast<TVirtualGsmModule*>(vehicle.Module(kGsm));
  struct TCase {
    uint8_t Sub;
    std::size_t Length;
  };
  const TCase cases[] = {{0, 7}, {1, 7}, {2, 7}, {8, 7}, {3, 1}, {4, 1}, {9, 1}, {10, 1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Sub);
    const auto replies = vehicle.Deliver(Request(40, {c.Sub}));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].Command, 40);
    EXPECT_EQ(replies[0].Length, c.Length);
    if (c.Length == 1) {
      EXPECT_EQ(replies[0].Data[0], c.Sub);
    }
  }
  EXPECT_EQ(DataOf(vehicle.Deliver(Request(40, {0}))[0]),
            std::vector<uint8_t>(gsm.Status.begin(), gsm.Status.end()));
  EXPECT_TRUE(vehicle.Deliver(Request(40, {5}, false)).empty());
  EXPECT_TRUE(gsm.Heating());
}

TEST(VirtualGsmModule, ConsoleEchoesAndAnswersACommandLine) {
  TVirtualVehicle vehicle(TSimOptions{});
  QByteArray echoed;
  for (const char key : QByteArrayLiteral("AT\r")) {
    if (key == 0) break;
    for (const TLanMsg& msg : vehicle.Deliver(Request(43, {1, static_cast<uint8_t>(key)}, false))) {
      EXPECT_EQ(msg.Command, 43);
      echoed.append(reinterpret_cast<const char*>(msg.Data.data()), msg.Length);
    }
  }
  EXPECT_EQ(echoed, QByteArrayLiteral("AT\r\r\nOK\r\n"));
}

TEST(VirtualGsmModule, BalanceComesInPiecesOfTenCharacters) {
  TVirtualVehicle vehicle(TSimOptions{});
  const auto pieces = vehicle.Deliver(Request(70, {}, false));
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].Data[1], 12);
  EXPECT_EQ(pieces[1].Data[1], 12);
  EXPECT_EQ(pieces[2].Data[1], 11);
}

TEST(VirtualGsmModule, ClockKeepsTheTimeItWasSetTo) {
  TVirtualVehicle vehicle(TSimOptions{});
  EXPECT_TRUE(vehicle.Deliver(Request(44, {10, 20, 30, 24, 2, 29}, false)).empty());
  const auto replies = vehicle.Deliver(Request(44, {}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].Length, 7);
  EXPECT_EQ(replies[0].Data[0], 10);
  EXPECT_EQ(replies[0].Data[3], 24);
  EXPECT_EQ(replies[0].Data[5], 29);
  EXPECT_EQ(replies[0].Data[6], 4);  // 29 February 2024 was a Thursday
}

}  // namespace
