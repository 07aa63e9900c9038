// What the port description may name, and that nothing else is ever opened as a port.

#include "app/port_provider.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "link/tty_port.h"

namespace {

TEST(PortDescription, OnlyCharacterDevicesAndTheProgramsOwnDescriptionsPass) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  QFile(file).open(QIODevice::WriteOnly);
  struct TCase {
    QString Description;
    bool Refused;
  };
  const TCase cases[] = {
      {QStringLiteral("/dev/null"), false},             // a character device
      {dir.filePath(QStringLiteral("absent")), false},  // fails later, as a port that won't open
      {QStringLiteral("Vardex USB adapter"), false},    // a USB description
      {QStringLiteral("sim:nolink,late=0.05:1500"), false},
      {file, true},
      {dir.path(), true},
      {QStringLiteral("sim:late=2"), true},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(!TPortProvider::DescriptionError(c.Description).isEmpty(), c.Refused)
        << c.Description.toStdString();
  }
}

// A regular file given as the port is never written, whether the link or vardexctl is asked.
TEST(PortDescription, ARegularFileIsNeverWritten) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("notes.txt"));
  const QByteArray content = "keep these bytes as they are\n";
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  TTtyPort port(std::chrono::milliseconds(0));
  EXPECT_NE(port.Open(path), kPortOk);

  TAdapter adapter([](const QString&) { return std::make_unique<TTtyPort>(); });
  adapter.SetDescription(path);
  EXPECT_FALSE(adapter.IsConnected());
  const uint8_t request[] = {8, 0, 0};
  EXPECT_FALSE(adapter.GetAnswer(1, 2, request, 88).Answered);

  QProcess ctl;
  ctl.start(QStringLiteral(VARDEXCTL_PATH),
            {QStringLiteral("--port"), path, QStringLiteral("scan")});
  ASSERT_TRUE(ctl.waitForFinished(10000));
  EXPECT_EQ(ctl.exitCode(), 2);
  EXPECT_TRUE(ctl.readAllStandardError().contains("not a character device"));

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), content);
}

}  // namespace
