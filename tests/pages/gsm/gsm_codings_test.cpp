#include "pages/gsm/gsm_codings.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const char* text, std::size_t size) {
  std::vector<uint8_t> bytes(size, 0);
  for (std::size_t i = 0; text[i] != 0 && i < size; ++i) bytes[i] = static_cast<uint8_t>(text[i]);
  return bytes;
}

TEST(GsmTextCells, NumbersReadFromTheirBytesAndWriteBack) {
  struct TCase {
    std::vector<uint8_t> Stored;
    bool EmptyWhenFirstZero;
    const char* Text;
  };
  std::vector<uint8_t> firstZero = Bytes(
      "\0"
      "2345",
      14);
  firstZero[1] = '2';
  const TCase cases[] = {
      {Bytes("79161234567890", 14), true, "79161234567890"},
      {Bytes("791612345", 14), true, "791612345"},
      // A subscriber number that starts with a zero byte is no number at all ...
      {firstZero, true, ""},
      // ... while the SMS centre keeps what follows it.
      {firstZero, false, "2"},
      {Bytes("*100#", 8), true, "*100#"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(CellText(c.Stored, c.EmptyWhenFirstZero), QString::fromLatin1(c.Text));
  }
  // A number of 14 digits fills both cells; a shorter one leaves zeros behind it.
  const QString full = QStringLiteral("79161234567890");
  EXPECT_EQ(CellByte(full, 10), '7');
  EXPECT_EQ(CellByte(full, 11), '8');
  EXPECT_EQ(CellByte(full, 13), '0');
  const QString nine = QStringLiteral("791612345");
  EXPECT_EQ(CellByte(nine, 8), '5');
  EXPECT_EQ(CellByte(nine, 9), 0);
  EXPECT_EQ(CellByte(nine, 13), 0);
}

TEST(GsmTextCells, MainPinShowsOnlyDigitsOneToNine) {
  EXPECT_EQ(MainPinOf(std::array<uint8_t, 4>{'1', '9', '5', '3'}).Text, QStringLiteral("1953"));
  EXPECT_FALSE(MainPinOf(std::array<uint8_t, 4>{'1', '9', '5', '3'}).Rewritten);
  const TMainPin zeros = MainPinOf(std::array<uint8_t, 4>{0, 0, 0, 0});
  EXPECT_EQ(zeros.Text, QStringLiteral("0000"));
  EXPECT_TRUE(zeros.Rewritten);
  // A "0" the module holds is written back as it is: nothing to offer.
  EXPECT_FALSE(MainPinOf(std::array<uint8_t, 4>{'0', '1', '0', '2'}).Rewritten);
}

TEST(GsmCodings, TimerStatesOutsideTheKnownTwoAreNamedNotRead) {
  EXPECT_EQ(TimerStateText(0), QStringLiteral("не установлен"));
  EXPECT_EQ(TimerStateText(1), QStringLiteral("установлен"));
  EXPECT_EQ(TimerStateText(2), QStringLiteral("неизвестно (2)"));
  EXPECT_EQ(TimerStateText(200), QStringLiteral("неизвестно (200)"));
}

TEST(GsmCodings, RunningEngineVoltageRoundTrips) {
  EXPECT_EQ(RunningVoltageByte(4), 149);
  EXPECT_EQ(RunningVoltagePosition(149), 4);
  for (int position = 0; position <= 19; ++position) {
    SCOPED_TRACE(position);
    EXPECT_EQ(RunningVoltagePosition(RunningVoltageByte(position)), position);
  }
  EXPECT_EQ(RunningVoltagePosition(138), std::nullopt);
  EXPECT_EQ(RunningVoltagePosition(0), std::nullopt);
}

TEST(GsmCodings, TankVolumeRefusesWhatTheByteCannotHold) {
  EXPECT_EQ(TankVolumeOf(QStringLiteral("60")), 60);
  EXPECT_EQ(TankVolumeOf(QStringLiteral("255")), 255);
  EXPECT_EQ(TankVolumeOf(QString()), 0);
  EXPECT_EQ(TankVolumeOf(QStringLiteral("256")), std::nullopt);
  EXPECT_EQ(TankVolumeOf(QStringLiteral("300")), std::nullopt);
  EXPECT_EQ(TankVolumeOf(QStringLiteral("99999999")), std::nullopt);
}

TEST(GsmCodings, StatusRecordReadings) {
  EXPECT_EQ(CabinTemperatureText(0xF6), QStringLiteral(" -10 °C"));
  EXPECT_EQ(CabinTemperatureText(127), QStringLiteral("?"));
  EXPECT_EQ(EngineTemperatureText(129), QStringLiteral("?"));
  EXPECT_EQ(EngineTemperatureText(90), QStringLiteral(" 90 °C"));
  EXPECT_EQ(SupplyVoltageText(150), QStringLiteral("13.53 В"));
  EXPECT_EQ(BoilerTemperatureText(40), QStringLiteral("-10 °C"));
  EXPECT_EQ(SignalLevel(255), 0);
  EXPECT_EQ(SignalLevel(31), 31);
}

TEST(GsmCodings, CoordinatesInDegreesAndMinutes) {
  const std::array<uint8_t, 10> latitude = {1, '5', '5', '4', '5', '7', '0', '9', '2', 0};
  const std::array<uint8_t, 10> longitude = {2, '0', '3', '7', '3', '6', '5', '6', '7', '8'};
  const std::array<uint8_t, 10> zeros = {1, '5', 0, '4', '5', '7', '0', '9', '2', 0};
  EXPECT_EQ(CoordinateText(latitude), QStringLiteral("55°45.7092"));
  EXPECT_EQ(CoordinateText(longitude), QStringLiteral("037°36.5678"));
  EXPECT_EQ(CoordinateText(zeros), QStringLiteral("50°45.7092"));
  EXPECT_EQ(CoordinateText(std::array<uint8_t, 10>{}), QString());
}

// Pieces of 12 bytes carry ten characters and announce more; a shorter one ends the answer.
TEST(GsmCodings, BalanceShowsOnlyOnceTheLastPieceArrives) {
  TBalancePieces pieces;
  const auto feed = [&pieces](std::vector<uint8_t> piece) {
    std::optional<QString> shown;
    for (std::size_t i = 0; i < piece.size(); ++i) {
      if (auto text = pieces.Take(static_cast<int>(i), piece[i])) shown = text;
    }
    return shown;
  };
  EXPECT_EQ(feed({0, 12, 'B', 'a', 'l', 'a', 'n', 'c', 'e', ' ', '1', '2'}), std::nullopt);
  EXPECT_EQ(feed({1, 12, '3', '.', '4', '5', ' ', 'r', 'u', 'b', '.', ' '}), std::nullopt);
  EXPECT_EQ(feed({2, 7, 'T', 'a', 'r', 'i', 'f'}), QStringLiteral("Balance 123.45 rub. Tarif"));
  pieces.Clear();
  EXPECT_EQ(feed({0, 4, 'O', 'K'}), QStringLiteral("OK"));
}

TEST(GsmCodings, ModemTextShowsControlCharactersOnlyWhenAsked) {
  const auto show = [](bool all) {
    TModemText modem;
    QString text;
    for (const uint8_t b :
         {uint8_t{'O'}, uint8_t{'K'}, uint8_t{255}, uint8_t{'\r'}, uint8_t{'\n'}}) {
      text += modem.Take(b, all);
    }
    return text;
  };
  EXPECT_EQ(show(false), QStringLiteral("OK\n"));
  EXPECT_EQ(show(true), QStringLiteral("OK<0D><0A>\n"));
  TModemText modem;
  EXPECT_EQ(modem.Take(0xC4, false), QStringLiteral("Д"));
}

}  // namespace
