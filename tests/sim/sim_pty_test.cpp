// vardex-sim end to end: the program on a pseudo-terminal, the link on the tty port.

#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>

#include "link/adapter.h"
#include "link/tty_port.h"

namespace {

class SimProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start(QStringLiteral(VARDEX_SIM_PATH), {QStringLiteral("nolink")});
    ASSERT_TRUE(program.waitForStarted(5000));
    ASSERT_TRUE(program.waitForReadyRead(5000));
    path = QString::fromLocal8Bit(program.readLine()).trimmed();
    ASSERT_TRUE(path.startsWith(u"/dev/")) << path.toStdString();
    adapter =
        std::make_unique<TAdapter>([](const QString&) { return std::make_unique<TTtyPort>(); });
    adapter->SetDescription(path);
    ASSERT_TRUE(adapter->IsConnected());
  }
  void TearDown() override {
    adapter.reset();
    if (program.state() != QProcess::NotRunning) {
      ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
      program.waitForFinished(5000);
    }
  }

  QProcess program;
  QString path;
  std::unique_ptr<TAdapter> adapter;
};

TEST_F(SimProgramTest, AnswersAMemoryReadOverThePseudoTerminal) {
  // The first feature byte of the main module's settings: set at the factory.
  const uint8_t request[] = {8, 0x00, 0x01};
  const auto answer = adapter->GetAnswer(1, 2, request, 88);
  ASSERT_TRUE(answer.Answered);
  EXPECT_EQ(answer.Length, 8);
  EXPECT_EQ(answer.Data[0], 0xFF);
}

TEST_F(SimProgramTest, KeepsTheVehicleAcrossConnectionsAndStopsOnTerm) {
  const uint8_t write[] = {0x10, 0x02, 0xA5, 0x0D, 0x40};
  ASSERT_TRUE(adapter->GetAnswer(1, 2, write, 81).Answered);
  adapter->Disconnect();
  ASSERT_TRUE(adapter->Connect());
  const uint8_t read[] = {3, 0x10, 0x02};
  const auto answer = adapter->GetAnswer(1, 2, read, 88);
  ASSERT_TRUE(answer.Answered);
  EXPECT_EQ(answer.Data[0], 0xA5);
  EXPECT_EQ(answer.Data[1], 0x0D);
  EXPECT_EQ(answer.Data[2], 0x40);

  adapter.reset();
  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(5000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace

namespace {

// A run that ends with a request unanswered leaves its answer on the line; the next run on the
// same port must never take it for the answer to its own request. Every answer of this
// simulator comes 300 ms late.
TEST(SimProgramRuns, AnAnswerToAnEarlierRunNeverReachesTheNextOne) {
  QProcess program;
  program.start(QStringLiteral(VARDEX_SIM_PATH), {QStringLiteral("nolink,late=1:300")});
  ASSERT_TRUE(program.waitForStarted(5000));
  ASSERT_TRUE(program.waitForReadyRead(5000));
  const QString path = QString::fromLocal8Bit(program.readLine()).trimmed();
  const auto connect = [&path] {
    auto adapter = std::make_unique<TAdapter>(
        [](const QString&) { return std::make_unique<TTtyPort>(std::chrono::milliseconds(800)); });
    adapter->SetAnswerWait([](uint8_t) { return std::chrono::milliseconds(1000); });
    adapter->SetDescription(path);
    return adapter;
  };
  {
    auto first = connect();
    ASSERT_TRUE(first->IsConnected());
    const uint8_t here[] = {0x00, 0x00, 1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t there[] = {0x70, 0x00, 11, 12, 13, 14, 15, 16, 17, 18};
    ASSERT_TRUE(first->GetAnswer(1, 2, here, 81).Answered);
    ASSERT_TRUE(first->GetAnswer(1, 2, there, 81).Answered);
    // The run ends while its read of address 112 is still on its way.
    const uint8_t readThere[] = {8, 0x70, 0x00};
    first->SendMsg(1, 2, false, true, readThere, 88);
  }
  auto next = connect();
  ASSERT_TRUE(next->IsConnected());
  const uint8_t readHere[] = {8, 0x00, 0x00};
  const auto answer = next->GetAnswer(1, 2, readHere, 88);
  ASSERT_TRUE(answer.Answered);
  EXPECT_EQ(std::vector<uint8_t>(answer.Data.begin(), answer.Data.begin() + 8),
            (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));

  next.reset();
  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  program.waitForFinished(5000);
}

}  // namespace
