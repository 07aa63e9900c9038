#include "pages/main/diag_page.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QPushButton>

#include "bus_page_fixture.h"
#include "link/bus_worker.h"
#include "memory/lan_rw.h"
#include "options_page_fixture.h"
#include "pages/main/diag_texts.h"
#include "pages/main/learn_page.h"
#include "pages/main/main_board.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

std::array<uint8_t, 32> History(std::initializer_list<std::pair<int, uint16_t>> entries) {
  std::array<uint8_t, 32> bytes;
  bytes.fill(0xFF);
  for (const auto& [index, entry] : entries) {
    bytes[static_cast<std::size_t>(2 * index)] = static_cast<uint8_t>(entry >> 8);
    bytes[static_cast<std::size_t>(2 * index + 1)] = static_cast<uint8_t>(entry & 0xFF);
  }
  return bytes;
}

TEST(DiagTexts, TheRestartHistoryIsReadAsARing) {
  EXPECT_EQ(RestartHistoryLines(History({})), QStringList{QStringLiteral("История пуста")});
  std::array<uint8_t, 32> full{};
  EXPECT_EQ(RestartHistoryLines(full), QStringList{QStringLiteral("Ошибка истории")});
  EXPECT_EQ(RestartHistoryLines(History({{0, 0x1C00}, {1, 0x1780}})),
            (QStringList{QStringLiteral("1: Норм. старт;"),
                         QStringLiteral("2: WDT, 4с; переполнение стека;")}));
  const QStringList wrapped = RestartHistoryLines(History({{4, 0x1C00}, {5, 0x0540}}));
  ASSERT_EQ(wrapped.size(), 12) << "entries 4 to 15";
  EXPECT_EQ(wrapped[0], QStringLiteral("1: Норм. старт;"));
  EXPECT_EQ(wrapped[1], QStringLiteral("2: (0540); пустой стек;"));
  EXPECT_EQ(wrapped[2], QStringLiteral("3: (FFFF); переполнение стека; пустой стек;"));
}

TEST(DiagTexts, DatesCountTheirYearFromTheBoardsFirstFirmware) {
  EXPECT_EQ(DecodeDate(14, 0x62, 0x40), QDate(2024, 3, 15));
  EXPECT_EQ(DecodeDate(14, 0x62, 0x20), QDate(2009, 3, 15));
  EXPECT_EQ(DecodeDate(14, 0x02, 0x20), QDate(2019, 3, 15));
  EXPECT_EQ(DecodeDate(40, 0x62, 0x40), std::nullopt);
  EXPECT_EQ(DecodeDate(0, 0x6F, 0x40), std::nullopt) << "month 16";
  // Each counting holds sixteen years.
  const std::pair<QDate, uint8_t> roundTrips[] = {{QDate(2024, 3, 15), 0x40},
                                                  {QDate(2033, 12, 31), 0x40},
                                                  {QDate(2019, 1, 1), 0x20},
                                                  {QDate(2009, 12, 31), 0x20}};
  for (const auto& [date, minor] : roundTrips) {
    const auto [day, yearMonth] = EncodeDate(date, minor);
    EXPECT_EQ(DecodeDate(day, yearMonth, minor), date) << date.toString().toStdString();
  }
  EXPECT_FALSE(DateKnown(5, 0, 0));
  EXPECT_FALSE(DateKnown(4, 14, 0x62));
  EXPECT_TRUE(DateKnown(5, 14, 0x62));
}

TEST(DiagTexts, CountersAndReadings) {
  std::array<uint8_t, 32> counters{};
  counters[18] = 3;
  counters[5] = 5;
  EXPECT_EQ(AlarmCounterLines(counters),
            QStringList{QStringLiteral("Тревога по датчику удара  3")});
  EXPECT_EQ(TurnCurrentText(100, 5), QStringLiteral("  19.5 [A] "));
  EXPECT_EQ(TurnCurrentText(100, 3), QStringLiteral("  11.5 [A] "));
  EXPECT_EQ(BoardVoltageText(0x20), QStringLiteral("  4.79 [В]"));
  EXPECT_EQ(HistoryLine(200, true), QStringLiteral("C8"));
  EXPECT_EQ(HistoryLine(130, false), QStringLiteral("82"));
}

// The diagnostics page on the virtual vehicle's main module.
class DiagPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(adapter->IsConnected());
    rw.SetAdapter(adapter.get());
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    registry.SetRW(&rw);
    registry.BindControls(page.BoundControls(), {});
    page.AttachBus(worker);
  }
  void TearDown() override {
    worker.Stop();
    registry.SetRW(nullptr);
  }
  void Read() { registry.ReadDevice(registry.FindDevice(2), kPersistentLocations, {}); }
  uint8_t ModuleByte(int location, int index) {
    return vehicle->WithVehicle([&](TVirtualVehicle& v) {
      return v.Module(2)->Memory(location)[static_cast<std::size_t>(index)];
    });
  }
  void Click(const char* name) {
    auto* button = page.findChild<QPushButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }

  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
  TBusWorker worker{*adapter};
  TLanRW rw;
  TLanDevices registry;
  TFakePageHost host;
  TMainBoard board;
  TMainDiag page{host, board};
};

TEST_F(DiagPageTest, ClearingTheRestartHistoryWritesTheSettingsMemoryAndLeavesNothingToWrite) {
  vehicle->WithVehicle([](TVirtualVehicle& v) {
    auto& memory = v.Module(2)->Memory(kSimExt);
    memory[400] = 0x1C;
    memory[401] = 0x00;
    for (int i = 402; i < 432; ++i) memory[static_cast<std::size_t>(i)] = 0xFF;
  });
  Read();
  EXPECT_EQ(page.RestartHistory(), QStringLiteral("1: Норм. старт;"));
  vehicle->TakeSentByPc();
  Click("btClearRestarts");
  ASSERT_TRUE(
      SpinUntil([&] { return page.RestartHistory() == QStringLiteral("История пуста"); }, 5s));
  EXPECT_EQ(ModuleByte(kSimExt, 400), 0xFF);
  EXPECT_EQ(ModuleByte(kSimExt, 431), 0xFF);
  for (const TLanMsg& msg : vehicle->TakeSentByPc()) {
    EXPECT_NE(msg.Command, 80) << "nothing goes to the internal memory";
  }
  EXPECT_FALSE(registry.FindMem(2, mlExt)->IsModified());
}

TEST_F(DiagPageTest, AnInstallationDateThatIsNoDateIsKeptUntilOneIsPicked) {
  vehicle->WithVehicle([](TVirtualVehicle& v) {
    auto& memory = v.Module(2)->Memory(kSimExt);
    memory[506] = 40;  // day 41
    memory[507] = 0x62;
  });
  Read();
  auto& settings = *registry.FindMem(2, mlExt);
  EXPECT_FALSE(settings.IsModified());
  registry.WriteDevice(registry.FindDevice(2), kPersistentLocations, {});
  EXPECT_EQ(ModuleByte(kSimExt, 506), 40);
  EXPECT_EQ(ModuleByte(kSimExt, 507), 0x62);

  // The board's first firmware (05.20) counts its years from 2003.
  page.InstallationDate().setDate(QDate(2009, 3, 15));
  EXPECT_TRUE(settings.IsModified());
  registry.WriteDevice(registry.FindDevice(2), kPersistentLocations, {});
  EXPECT_EQ(ModuleByte(kSimExt, 506), 14);
  EXPECT_EQ(ModuleByte(kSimExt, 507), 0x62);
}

TEST_F(DiagPageTest, AlarmCountersAreReadFromInternalMemoryAndAMissingAnswerSaysSo) {
  vehicle->WithVehicle([](TVirtualVehicle& v) {
    auto& counters = v.Module(2)->Memory(kSimInt);
    std::fill(counters.begin() + 96, counters.begin() + 128, uint8_t{0});
    counters[96 + 18] = 3;
  });
  Click("btRequestCounters");
  ASSERT_TRUE(SpinUntil([&] { return !page.AlarmCounters().isEmpty(); }, 5s));
  EXPECT_EQ(page.AlarmCounters(), QStringLiteral("Тревога по датчику удара  3"));
  vehicle->SilenceModule(2, true);
  Click("btRequestCounters");
  EXPECT_TRUE(SpinUntil([&] { return !host.Status.isEmpty(); }, 10s));
  EXPECT_TRUE(page.AlarmCounters().isEmpty());
}

using LearnPageTest = TBusPageTest<TMainLearn>;

TEST_F(LearnPageTest, ImitationsCarryTheTransceiversCodeAndGoOnlyInProgramming) {
  host.Deliver(MakeMsg(25, 2, false, false, std::vector<uint8_t>{0x12, 0x34}, 1));
  Click("btImitate106");
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].Command, 89);
  EXPECT_FALSE(host.Status.isEmpty()) << "the refusal is said";

  const uint8_t learn[] = {2};
  adapter->SendMsg(kPcAddr, 2, false, false, learn, 114);
  SpinFor(200ms);
  vehicle->TakeSentByPc();
  Click("btImitate106");
  sent = Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].Source, 4);
  EXPECT_EQ(sent[1].Dest, 0);
  EXPECT_EQ(sent[1].Command, 106);
  EXPECT_EQ(std::vector<int>(sent[1].Data.begin(), sent[1].Data.begin() + sent[1].Length),
            (std::vector<int>{0x12, 0x34}));
}

TEST_F(LearnPageTest, TheTagRequestCountsAnswersWhileItRuns) {
  host.Deliver(MakeMsg(25, 0, false, false, std::vector<uint8_t>{}, 108));
  EXPECT_EQ(page.AnswerCount(), 0) << "not counting yet";
  Click("btTagSearchOn");
  EXPECT_EQ(page.Countdown(), QStringLiteral("0:42"));
  host.Deliver(MakeMsg(25, 0, false, false, std::vector<uint8_t>{}, 108));
  host.Deliver(MakeMsg(25, 0, false, false, std::vector<uint8_t>{0, 0, 0, 0, 0x10}, 113));
  host.Deliver(MakeMsg(25, 0, false, false, std::vector<uint8_t>{0, 0, 0, 0, 0x11}, 113));
  EXPECT_EQ(page.AnswerCount(), 2);
  Click("btTagSearchOff");
  EXPECT_EQ(page.Countdown(), QStringLiteral("0:00"));
  host.Deliver(MakeMsg(25, 0, false, false, std::vector<uint8_t>{}, 108));
  EXPECT_EQ(page.AnswerCount(), 2);
}

TEST_F(LearnPageTest, ATransceiverThatDoesNotAnswerIsSaidSo) {
  vehicle->SilenceModule(25, true);
  Click("btTagSearchOn");
  EXPECT_TRUE(SpinUntil(
      [&] { return host.Status.contains(QStringLiteral("Трансивер метки не ответил")); }, 10s));
}

}  // namespace
