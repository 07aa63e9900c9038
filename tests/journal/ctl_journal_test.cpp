#include "app/ctl/ctl_journal.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

#include "app/ctl/ctl_codec.h"
#include "ctl_support.h"
#include "journal_test_support.h"
#include "link/adapter_frame.h"
#include "link/bus_capture.h"
#include "test_support.h"

namespace {

// The wire bytes of a message as the adapter hands it to the PC.
QString Wire(const TLanMsg& msg) {
  TBusFrame frame;
  EXPECT_TRUE(BuildFrame(msg, frame));
  // The encoded frame holds the bytes that View() points into: it must outlive the loop.
  const std::optional<TWireFrame> wire = EncodeAdapterFrame(kFrameFromBus, frame.View());
  if (!wire) {
    ADD_FAILURE() << "the message does not fit an adapter frame";
    return {};
  }
  QStringList bytes;
  for (const uint8_t b : wire->View()) {
    bytes << QStringLiteral("%1").arg(b, 2, 16, QChar(u'0'));
  }
  return bytes.join(u' ');
}

TEST(CtlDecodeJournal, DecodesInArrivalOrder) {
  const QStringList input = {Wire(Msg(2, 0, 7, {5})), Wire(Msg(2, 0, 7, {0})),
                             Wire(Msg(2, 0, 120, {23})), Wire(Msg(2, 0, 120, {23}))};
  const auto r = RunCtl(RunDecode, input);
  EXPECT_EQ(r.status, 0);
  const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_TRUE(
      lines[2].endsWith(QStringLiteral(" | Главный модуль: Количество брелоков: 3; меток: 2")))
      << lines[2].toStdString();
  EXPECT_TRUE(
      lines[3].endsWith(QStringLiteral(" | Главный модуль: Диагностика при снятии: \"23\"")))
      << lines[3].toStdString();
}

TEST(CtlMonitor, PrintsJournalLinesOfTheLiveBus) {
  const auto r = RunCtl(RunMonitor, {QStringLiteral("--seconds"), QStringLiteral("1")});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  const QRegularExpression format(QStringLiteral("^\\d{3,} \\d\\d\\.\\d\\d\\.\\d\\d \\S.*$"));
  for (const QString& line : lines)
    EXPECT_TRUE(format.match(line).hasMatch()) << line.toStdString();
}

TEST(CtlMonitor, RefusesBadArguments) {
  for (const char* args : {"--seconds 0", "--seconds x", "--bogus", "--seconds", "--save"}) {
    const auto r = RunCtl(RunMonitor, QString::fromLatin1(args).split(u' '));
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_FALSE(r.err.isEmpty()) << args;
  }
}

// What monitor --save recorded, decode --file prints again: the same journal lines.
TEST(CtlCapture, MonitorSavesACaptureThatDecodeFilePrintsAsTheMonitorDid) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bus.pcap"));
  const auto monitor = RunCtl(RunMonitor, {QStringLiteral("--seconds"), QStringLiteral("1"),
                                           QStringLiteral("--save=") + path});
  ASSERT_EQ(monitor.status, 0) << monitor.err.toStdString();
  EXPECT_TRUE(monitor.err.contains(QStringLiteral("frames saved to ") + path))
      << monitor.err.toStdString();
  const TCaptureFile capture = ReadCapture(path);
  ASSERT_TRUE(capture.Error.isEmpty()) << capture.Error.toStdString();
  EXPECT_FALSE(capture.Records.empty());

  const auto decoded = RunCtl(RunDecode, {QStringLiteral("--file"), path});
  EXPECT_EQ(decoded.status, 0) << decoded.err.toStdString();
  const auto text = [](const QString& out) {
    // The number and the message; the time is when each was stamped, which may differ by a
    // moment between the live journal and the recording.
    QStringList lines;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
      lines << line.section(u' ', 0, 0) + u' ' + line.section(u' ', 2);
    return lines;
  };
  const QStringList live = text(monitor.out);
  const QStringList recorded = text(decoded.out);
  EXPECT_FALSE(live.isEmpty());
  // Frames read in the last moment may not have reached the live journal when it stopped.
  ASSERT_GE(recorded.size(), live.size());
  EXPECT_EQ(recorded.mid(0, live.size()), live);
}

TEST(CtlCapture, DecodeFileSaysWhatIsWrongWithAFile) {
  QTemporaryDir dir;
  const QString text = dir.filePath(QStringLiteral("notes.txt"));
  QFile notes(text);
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
  notes.write("this is no capture\n");
  notes.close();
  const QString cut = dir.filePath(QStringLiteral("cut.pcap"));
  QFile file(cut);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  TBusFrame bus;
  TLanMsg armed;
  armed.Source = 2;
  armed.Command = 96;
  ASSERT_TRUE(BuildFrame(armed, bus));
  const auto wire = EncodeAdapterFrame(kFrameFromBus, bus.View());
  const TCaptureRecord record{1'700'000'000'000'000,
                              TCaptureDirection::FromAdapter,
                              {wire->View().begin(), wire->View().end()}};
  file.write(CaptureFileHeader() + CaptureRecordBytes(record) + CaptureRecordBytes(record).left(9));
  file.close();

  struct TCase {
    QStringList Args;
    int Status;
    int Lines;
  };
  const TCase cases[] = {
      {{QStringLiteral("--file"), dir.filePath(QStringLiteral("missing.pcap"))}, 2, 0},
      {{QStringLiteral("--file"), text}, 2, 0},
      {{QStringLiteral("--file")}, 2, 0},
      {{QStringLiteral("--file"), cut, QStringLiteral("extra")}, 2, 0},
      // Cut short: the line before the cut, and a failure.
      {{QStringLiteral("--file"), cut}, 1, 1},
  };
  for (const TCase& c : cases) {
    const auto r = RunCtl(RunDecode, c.Args);
    EXPECT_EQ(r.status, c.Status) << c.Args.join(u' ').toStdString();
    EXPECT_FALSE(r.err.isEmpty()) << c.Args.join(u' ').toStdString();
    EXPECT_EQ(r.out.count(u'\n'), c.Lines) << c.Args.join(u' ').toStdString();
  }
}

}  // namespace
