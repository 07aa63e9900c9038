// The GSM diagnostics page against the virtual vehicle's GSM module.

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <set>

#include "gsm_bus_fixture.h"
#include "pages/gsm/diag_page.h"

namespace {

using namespace std::chrono_literals;

class GsmDiagPageTest : public TGsmBusPageTest<TGSMDiagGSMPager> {
 protected:
  static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }
  // The sub-request bytes of the status requests (command 40) the PC sent, each once: a
  // busy machine may make the link ask again for a late answer.
  std::set<uint8_t> StatusRequests() {
    std::set<uint8_t> requests;
    for (const TLanMsg& msg : vehicle->TakeSentByPc()) {
      if (msg.Dest == kGsm && msg.Command == 40 && msg.Length == 1) requests.insert(msg.Data[0]);
    }
    return requests;
  }
};

TEST_F(GsmDiagPageTest, ShowingThePagePollsTheStatusFirstWithOne) {
  WithGsm([](TVirtualGsmModule& gsm) { gsm.Status = {0xF6, 150, 0, 0, 99, 90, 129}; });
  page.PageShown();
  ASSERT_TRUE(SpinUntil([&] { return !page.PollState().isEmpty(); }, 5s));
  EXPECT_EQ(page.StatusValue(0), QStringLiteral(" -10 °C"));
  EXPECT_EQ(page.StatusValue(1), QStringLiteral("13.53 В"));
  EXPECT_EQ(page.StatusValue(2), QStringLiteral("нет сети"));
  EXPECT_FALSE(page.SignalBarVisible());
  EXPECT_EQ(page.StatusValue(3), QStringLiteral("?"));
  EXPECT_EQ(StatusRequests(), std::set<uint8_t>{1});
}

// After the first request the poll asks with 0, every 7 seconds, and only while shown.
TEST_F(GsmDiagPageTest, PollsRepeatWhileShownAndStopWhenHidden) {
  auto* timer = page.findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), TGSMDiagGSMPager::kPollInterval);
  page.PageShown();
  EXPECT_TRUE(timer->isActive());
  ASSERT_TRUE(SpinUntil([&] { return !page.PollState().isEmpty(); }, 5s));
  EXPECT_EQ(StatusRequests(), std::set<uint8_t>{1});
  QMetaObject::invokeMethod(timer, "timeout");
  std::set<uint8_t> next;
  ASSERT_TRUE(SpinUntil(
      [&] {
        next.merge(StatusRequests());
        return !next.empty();
      },
      5s));
  EXPECT_EQ(next, std::set<uint8_t>{0});
  page.PageHidden();
  EXPECT_FALSE(timer->isActive());
}

TEST_F(GsmDiagPageTest, AnUnansweredPollIsToldInThePage) {
  vehicle->SilenceModule(kGsm, true);
  page.PageShown();
  ASSERT_TRUE(SpinUntil([&] { return !page.PollState().isEmpty(); }, 10s));
  EXPECT_TRUE(page.PollState().startsWith(QStringLiteral("Модуль не ответил")));
  EXPECT_EQ(page.StatusValue(0), QString());
}

// The console switch and the polls ask on the same command: each takes its own answer.
TEST_F(GsmDiagPageTest, ConsoleSwitchTakesItsOwnAnswerBesideThePolls) {
  page.PageShown();
  Click("btConsoleOn");
  ASSERT_TRUE(SpinUntil([&] { return !page.ConsoleState().isEmpty(); }, 5s));
  EXPECT_EQ(page.ConsoleState(), QStringLiteral("АТ-команды включены"));
  ASSERT_TRUE(SpinUntil([&] { return !page.PollState().isEmpty(); }, 5s));
  EXPECT_EQ(page.StatusValue(1), QStringLiteral("13.53 В"));
  bool on = false;
  WithGsm([&on](TVirtualGsmModule& gsm) { on = gsm.ConsoleOn(); });
  EXPECT_TRUE(on);
}

TEST_F(GsmDiagPageTest, TypedKeysEchoBackIntoTheConsole) {
  for (const char16_t key : {u'A', u'T', u'\r'}) page.TypeKey(key);
  ASSERT_TRUE(SpinUntil([&] { return page.ModemOutput().contains(QStringLiteral("OK")); }, 5s));
  EXPECT_EQ(page.ModemOutput(), QStringLiteral("AT\nOK\n"));
}

// Ctrl+Z ends an SMS text at the modem: it is sent, but has no place in the input.
TEST_F(GsmDiagPageTest, CtrlZGoesToTheModemButNotIntoTheInput) {
  page.TypeKey(u'A');
  page.TypeKey(char16_t{26});
  std::vector<uint8_t> keys;
  ASSERT_TRUE(SpinUntil(
      [&] {
        for (const TLanMsg& msg : vehicle->TakeSentByPc()) {
          if (msg.Command == 43 && msg.Length == 2) keys.push_back(msg.Data[1]);
        }
        return keys.size() >= 2;
      },
      5s));
  EXPECT_EQ(keys, (std::vector<uint8_t>{'A', 26}));
  EXPECT_EQ(page.findChild<QPlainTextEdit*>(QStringLiteral("mmModemInput"))->toPlainText(),
            QStringLiteral("A"));
}

TEST_F(GsmDiagPageTest, FullConsoleGoesToALogBelowTheUsersDataFolder) {
  QDir(TGSMDiagGSMPager::LogFolder()).removeRecursively();
  page.findChild<QLineEdit*>(QStringLiteral("eLineLimit"))->setText(QStringLiteral("2"));
  for (const char16_t key : {u'A', u'T', u'\r'}) page.TypeKey(key);
  ASSERT_TRUE(
      SpinUntil([&] { return page.ModemOutput().startsWith(QStringLiteral("Logged")); }, 5s));
  const QStringList logs = QDir(TGSMDiagGSMPager::LogFolder()).entryList(QDir::Files);
  ASSERT_EQ(logs.size(), 1);
  EXPECT_TRUE(page.ModemOutput().contains(TGSMDiagGSMPager::LogFolder()));
  EXPECT_FALSE(QDir::current().exists(QStringLiteral("GSMLog")));
  QDir(TGSMDiagGSMPager::LogFolder()).removeRecursively();
}

TEST_F(GsmDiagPageTest, BalanceArrivesInPiecesAndShowsWhole) {
  Click("btBalance");
  ASSERT_TRUE(SpinUntil([&] { return !page.Balance().isEmpty(); }, 5s));
  EXPECT_EQ(page.Balance(), QStringLiteral("Balance 123.45 rub. Tariff OK"));
}

TEST_F(GsmDiagPageTest, StatusDumpReadsTheModulesFlags) {
  Click("btDump");
  ASSERT_TRUE(SpinUntil([&] { return !page.LastDump().isEmpty(); }, 5s));
  EXPECT_TRUE(page.LastDump().startsWith(QStringLiteral("Статусы GSM:\r\nСтатус = TRUE\r\n")));
  EXPECT_TRUE(page.LastDump().endsWith(QStringLiteral("NoAnsSIMCount = 0")));
}

}  // namespace
