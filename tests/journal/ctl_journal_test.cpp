#include "app/ctl/ctl_journal.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <optional>

#include "app/ctl/ctl_codec.h"
#include "ctl_support.h"
#include "journal_test_support.h"
#include "link/adapter_frame.h"
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
  for (const char* args : {"--seconds 0", "--seconds x", "--bogus", "--seconds"}) {
    const auto r = RunCtl(RunMonitor, QString::fromLatin1(args).split(u' '));
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_FALSE(r.err.isEmpty()) << args;
  }
}

}  // namespace
