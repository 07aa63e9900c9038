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
