// The GSM settings pages' live commands against the virtual vehicle's GSM module.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTimeEdit>
#include <QTimer>
#include <chrono>

#include "gsm_bus_fixture.h"
#include "pages/gsm/telematic_page.h"
#include "pages/gsm/times_page.h"
#include "pages/gsm/webasto_page.h"

namespace {

using namespace std::chrono_literals;

using GsmTimesBusTest = TGsmBusPageTest<TGSMTimesGSMPager>;

TEST_F(GsmTimesBusTest, ASetTimerIsAskedBackAndShown) {
  page.findChild<QTimeEdit*>(QStringLiteral("dtpTimer1"))->setTime(QTime(6, 45));
  auto* days = page.findChild<QListWidget*>(QStringLiteral("lbDays1"));
  days->item(0)->setCheckState(Qt::Checked);
  days->item(6)->setCheckState(Qt::Checked);
  Click("btSetTimer1");
  ASSERT_TRUE(Await([&] { return page.TimerState(0) == QStringLiteral("установлен"); }));
  std::array<uint8_t, 4> timer{};
  WithGsm([&timer](TVirtualGsmModule& gsm) { timer = gsm.Timer(0); });
  EXPECT_EQ(timer, (std::array<uint8_t, 4>{1, 6, 45, 0x41}));
  Click("btCancelTimer1");
  ASSERT_TRUE(Await([&] { return page.TimerState(0) == QStringLiteral("не установлен"); }));
}

TEST_F(GsmTimesBusTest, TheClockIsAskedOnceASecondWhileShown) {
  Click("btSynchronise");
  page.PageShown();
  ASSERT_TRUE(Await([&] { return page.ClockTime() != QStringLiteral("?"); }));
  EXPECT_EQ(page.ClockDate().left(10), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
  page.PageHidden();
  EXPECT_FALSE(page.findChild<QTimer*>()->isActive());
}

using GsmWebastoBusTest = TGsmBusPageTest<TGSMWebasto>;

TEST_F(GsmWebastoBusTest, BoilerTemperatureComesWithItsOwnStatusAnswer) {
  WithGsm([](TVirtualGsmModule& gsm) { gsm.Status[5] = 115; });
  Click("btBoilerTemperature");
  ASSERT_TRUE(SpinUntil([&] { return page.BoilerTemperature() != QStringLiteral("-"); }, 5s));
  EXPECT_EQ(page.BoilerTemperature(), QStringLiteral("65 °C"));
}

using GsmTelematicBusTest = TGsmBusPageTest<TGSMTelematic>;

TEST_F(GsmTelematicBusTest, CoordinateRequestShowsTheModulesPosition) {
  Click("btRequestCoordinate");
  ASSERT_TRUE(SpinUntil([&] { return !page.Coordinate().isEmpty(); }, 5s));
  EXPECT_EQ(page.Coordinate(), QStringLiteral("55°45.7092 037°36.5678"));
}

// The button switches GPRS the other way from what the module last reported.
TEST_F(GsmTelematicBusTest, GprsButtonSwitchesAgainstTheReportedState) {
  TLanMsg state;
  state.Source = kGsm;
  state.Dest = kBroadcastAddr;
  state.Command = 3;
  state.Length = 2;
  state.Data[1] = 0x20;
  registry.DispatchMessage(state);
  auto* button = page.findChild<QPushButton*>(QStringLiteral("btGprs"));
  EXPECT_EQ(button->text(), QStringLiteral("ВЫКЛ"));
  Click("btGprs");
  bool gprs = true;
  ASSERT_TRUE(SpinUntil(
      [&] {
        WithGsm([&gprs](TVirtualGsmModule& gsm) { gprs = gsm.Gprs(); });
        return !gprs;
      },
      5s));
  state.Data[1] = 0;
  registry.DispatchMessage(state);
  EXPECT_EQ(button->text(), QStringLiteral("ВКЛ"));
}

}  // namespace
