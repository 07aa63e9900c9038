// The GSM settings pages against a module memory: how their own cells read and write.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_labeled_memo.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "gsm_page_fixture.h"
#include "pages/gsm/gsm_codings.h"
#include "pages/gsm/messages_page.h"
#include "pages/gsm/messages_table.h"
#include "pages/gsm/options_page.h"
#include "pages/gsm/properties_page.h"
#include "pages/gsm/telematic_page.h"
#include "pages/gsm/times_page.h"
#include "text/code_page_1251.h"

namespace {

std::vector<uint8_t> Latin(const char* text, int size) {
  std::vector<uint8_t> bytes(static_cast<std::size_t>(size), 0);
  for (int i = 0; text[i] != 0 && i < size; ++i) bytes[static_cast<std::size_t>(i)] = text[i];
  return bytes;
}

void Type(QLineEdit& edit, const QString& text) {
  edit.clear();
  edit.setFocus();
  QTest::keyClicks(&edit, text);
}

class PropertiesPageTest : public ::testing::Test, public TBoundGsmPage<TGSMPropertiesGSMPager> {
 protected:
  QLineEdit& Edit(const char* name) { return *page.findChild<QLineEdit*>(QLatin1String(name)); }
};

TEST_F(PropertiesPageTest, PhoneNumbersSpanTheirTwoCellsBothWays) {
  Read();
  Type(Edit("Phone2"), QStringLiteral("79161234567890"));
  Type(Edit("Phone3"), QStringLiteral("791612345"));
  Write();
  EXPECT_EQ(settings.At(171, 11), Latin("79161234567", 11));
  EXPECT_EQ(settings.At(208, 3), Latin("890", 3));
  EXPECT_EQ(settings.At(182, 11), Latin("791612345", 11));
  EXPECT_EQ(settings.At(211, 3), std::vector<uint8_t>(3, 0));

  TBoundGsmPage<TGSMPropertiesGSMPager> again;
  again.settings.Bytes = settings.Bytes;
  again.Read();
  EXPECT_EQ(again.page.findChild<QLineEdit*>(QStringLiteral("Phone2"))->text(),
            QStringLiteral("79161234567890"));
  EXPECT_EQ(again.page.findChild<QLineEdit*>(QStringLiteral("Phone3"))->text(),
            QStringLiteral("791612345"));
}

TEST_F(PropertiesPageTest, ShowingTheModulesNumbersOffersNoWrite) {
  settings.Put(160, Latin("79161234567", 11));
  settings.Put(205, Latin("8", 3));
  settings.Put(182, {0, '5', '5'});
  settings.Put(242, Latin("1234", 4));
  Read();
  EXPECT_EQ(Edit("Phone1").text(), QStringLiteral("791612345678"));
  EXPECT_EQ(Edit("Phone3").text(), QString());
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Edit("Phone1").maxLength(), 14);
  EXPECT_EQ(Edit("PIN").maxLength(), 4);
  EXPECT_EQ(Edit("Balance").maxLength(), 8);
}

TEST_F(PropertiesPageTest, MainPinOfZerosIsOfferedBackAsDigitsZero) {
  Read();
  EXPECT_EQ(Edit("MainPIN").text(), QStringLiteral("0000"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(Modified());
  Write();
  EXPECT_EQ(settings.At(242, 4), Latin("0000", 4));
  Type(Edit("MainPIN"), QStringLiteral("12"));
  Write();
  EXPECT_EQ(settings.At(242, 4), (std::vector<uint8_t>{'1', '2', 0, 0}));
}

TEST_F(PropertiesPageTest, AssignedCommandsKeepOnlyCodesTheModuleKnows) {
  settings.Put(57, {255, 200, 99});
  Read();
  EXPECT_EQ(page.AssignedCommand(5), 255);
  EXPECT_EQ(page.AssignedCommand(6), 255);
  EXPECT_EQ(page.AssignedCommand(7), 99);
  page.AssignCommand(6, 8);  // "Вход в режим Пляж"
  Write();
  EXPECT_EQ(settings.At(57, 3), (std::vector<uint8_t>{255, 76, 99}));
}

TEST_F(PropertiesPageTest, FactorySettingsRestoreThePinBalanceAndSmsCentreOnly) {
  settings.Put(160, Latin("7916", 11));
  settings.Put(149, Latin("7903", 11));
  Read();
  Defaults();
  Write();
  EXPECT_EQ(settings.At(14, 4), Latin("8317", 4));
  EXPECT_EQ(settings.At(218, 8), Latin("*100#", 8));
  EXPECT_EQ(settings.At(149, 11), std::vector<uint8_t>(11, 0));
  EXPECT_EQ(settings.At(160, 11), Latin("7916", 11));
}

class OptionsPageTest : public ::testing::Test, public TBoundGsmPage<TGSMOptionsGSMPager> {};

// The key that would make 300 litres is refused and said so: the edit shows what is stored.
TEST_F(OptionsPageTest, StartInVacationNeedsStartByVoltage) {
  Read();
  auto& byVoltage = Control<TVDCheckBox>("VDCheckBox1");
  auto& vacation = Control<TVDCheckBox>("VDCheckBox11");
  vacation.click();
  EXPECT_TRUE(byVoltage.isChecked());
  byVoltage.click();
  EXPECT_FALSE(vacation.isChecked());
}

TEST_F(OptionsPageTest, TankVolumeThatDoesNotFitIsRefusedNotCut) {
  settings.Put(60, {40});
  Read();
  auto& tank = *page.findChild<QLineEdit*>(QStringLiteral("eMaxFuel"));
  auto& warning = *page.findChild<QLabel*>(QStringLiteral("lbTankWarning"));
  EXPECT_EQ(tank.text(), QStringLiteral("40"));
  Type(tank, QStringLiteral("300"));
  EXPECT_EQ(tank.text(), QStringLiteral("30"));
  EXPECT_FALSE(warning.isHidden());
  Write();
  EXPECT_EQ(settings.Bytes[60], 30);
  Type(tank, QStringLiteral("255"));
  EXPECT_TRUE(warning.isHidden());
  Write();
  EXPECT_EQ(settings.Bytes[60], 255);
}

TEST_F(OptionsPageTest, TagSearchTimesShowOnlyTimesOfTheDay) {
  struct TCase {
    uint8_t Hour;
    uint8_t Minute;
    const char* Shown;
  };
  const TCase cases[] = {{22, 30, "22:30"}, {30, 15, "06:15"}, {7, 75, "07:00"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Shown);
    settings.Put(51, {c.Hour, c.Minute});
    Read();
    EXPECT_EQ(page.findChild<QTimeEdit*>(QStringLiteral("dtpOnTime"))
                  ->time()
                  .toString(QStringLiteral("HH:mm")),
              QLatin1String(c.Shown));
  }
}

TEST_F(OptionsPageTest, ForwardingByteNoButtonStandsForStaysUntilChosen) {
  settings.Put(45, {2});
  Read();
  auto buttons = page.findChildren<QRadioButton*>();
  QRadioButton* all = nullptr;
  for (QRadioButton* button : buttons) {
    if (button->text() == QStringLiteral("Пересылать от всех номеров")) all = button;
  }
  ASSERT_NE(all, nullptr);
  EXPECT_FALSE(all->isChecked());
  Write();
  EXPECT_EQ(settings.Bytes[45], 2);
  all->click();
  Write();
  EXPECT_EQ(settings.Bytes[45], 3);
}

TEST_F(OptionsPageTest, RunningVoltageBelowTheScaleStaysStored) {
  settings.Put(2, {149});
  Read();
  EXPECT_EQ(Control<TVDTrackBar>("tbRunningVoltage").Position(), 4);
  settings.Put(2, {100});
  Read();
  Write();
  EXPECT_EQ(settings.Bytes[2], 100);
  Control<TVDTrackBar>("tbRunningVoltage").SetPosition(5);
  Write();
  EXPECT_EQ(settings.Bytes[2], RunningVoltageByte(5));
}

TEST_F(OptionsPageTest, LowThresholdNoteShowsWhereStartsAreRefused) {
  auto& note = *page.findChild<QLabel*>(QStringLiteral("lbLowVoltageNote"));
  settings.Put(1, {121});
  Read();
  EXPECT_EQ(Control<TVDTrackBar>("tbAccuRStart").ValueLabel()->text(), QStringLiteral("10.91 В"));
  EXPECT_FALSE(note.isHidden());
  settings.Put(1, {122});
  Read();
  EXPECT_TRUE(note.isHidden());
}

// The main module's live status tells the unit of the vehicle's fuel gauge.
TEST_F(OptionsPageTest, FuelLevelFollowsTheGaugesUnit) {
  auto& bar = Control<TVDTrackBar>("VDTrackBar3");
  EXPECT_EQ(bar.ValueLabel()->text(), QStringLiteral("Не определено"));
  settings.Put(44, {12});
  Read();
  EXPECT_EQ(bar.ValueLabel()->text(), QStringLiteral("12 %"));
  TLanMsg status;
  status.Source = 2;
  status.Dest = 1;
  status.Command = 52;
  status.Length = 9;
  status.Data[8] = 1;
  host.Deliver(status);
  EXPECT_EQ(bar.ExtLabel()->text(), QStringLiteral("Уровень топлива в L"));
  EXPECT_TRUE(page.FuelInLitres());
  bar.SetPosition(13);
  EXPECT_EQ(bar.ValueLabel()->text(), QStringLiteral("13 л."));
  status.Data[8] = 3;
  host.Deliver(status);
  EXPECT_TRUE(page.FuelInLitres());
}

class MessagesPageTest : public ::testing::Test, public TBoundGsmPage<TGSMMessages> {
 protected:
  int Flags(int n) const { return messages.Bytes[static_cast<std::size_t>(GsmRecordAddr(n))]; }
  TVDRadioGroup& Owner(int n) { return Control<TVDRadioGroup>(GsmRecordControl("rgOwner", n)); }
  TVDCheckBox& Box(const char* stem, int n) {
    return Control<TVDCheckBox>(GsmRecordControl(stem, n));
  }
};

// State 3 of whom to notify (bit 4 alone) has no choice of its own: it shows as the last
// choice and stays in the module until the user picks one, on a read as after factory
// settings.
TEST_F(MessagesPageTest, NotifyStateNoChoiceShowsStaysUntilTheUserChooses) {
  messages.Put(GsmRecordAddr(2), {0xD0});
  Read(mlExt);
  EXPECT_EQ(Owner(2).ItemIndex(), 2);
  EXPECT_TRUE(Owner(2).Button(2)->isChecked());
  Write(mlExt);
  EXPECT_EQ(Flags(2), 0xD0);
  Owner(2).Button(2)->click();
  Write(mlExt);
  EXPECT_EQ(Flags(2), 0xD8);

  Defaults(mlExt);
  Write(mlExt);
  EXPECT_EQ(Flags(1), 0xD0);
  EXPECT_EQ(Flags(14), 0x00);
  EXPECT_EQ(Flags(17), 0x42);
}

TEST_F(MessagesPageTest, ShortCallRingsTheOwnerAloneAndNotifyingOthersEndsIt) {
  Read(mlExt);
  Owner(5).Button(2)->click();
  Box("cbShortCall", 5).click();
  EXPECT_TRUE(Box("cbCall", 5).isChecked());
  EXPECT_EQ(Owner(5).ItemIndex(), 0);
  Owner(5).Button(2)->click();
  EXPECT_FALSE(Box("cbShortCall", 5).isChecked());
  Box("cbFlash", 5).click();
  EXPECT_TRUE(Box("cbSMS", 5).isChecked());
  Box("cbSMS", 5).click();
  EXPECT_FALSE(Box("cbFlash", 5).isChecked());
}

// A stored byte that contradicts the rules is shown as it is, whatever order the cells load.
TEST_F(MessagesPageTest, LoadingRunsNoRules) {
  messages.Put(GsmRecordAddr(7), {0x0A});  // short call with "only subscribers"
  Read(mlExt);
  EXPECT_TRUE(Box("cbShortCall", 7).isChecked());
  EXPECT_EQ(Owner(7).ItemIndex(), 1);
  EXPECT_FALSE(Box("cbCall", 7).isChecked());
  EXPECT_FALSE(Modified(mlExt));
}

TEST_F(MessagesPageTest, TextsTravelInCodePage1251AndFillTheirCellExactly) {
  Read(mlExt);
  auto& russian = Control<TVDLabeledMemo>(GsmRecordControl("eR", 3));
  auto& english = Control<TVDLabeledMemo>(GsmRecordControl("eE", 3));
  const int addr = GsmRecordAddr(3);
  messages.Bytes[static_cast<std::size_t>(addr + 40)] = 0x5A;
  russian.SetText(QStringLiteral("Тревога: капот"));
  english.SetText(QString(39, u'x'));
  Write(mlExt);
  const QByteArray expected = ToCp1251(QStringLiteral("Тревога: капот"));
  for (int i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(messages.Bytes[static_cast<std::size_t>(addr + 41 + i)],
              static_cast<uint8_t>(expected[i]));
  }
  EXPECT_EQ(messages.Bytes[static_cast<std::size_t>(addr + 41 + expected.size())], 0);
  EXPECT_EQ(messages.Bytes[static_cast<std::size_t>(addr + 39)], 'x');
  EXPECT_EQ(messages.Bytes[static_cast<std::size_t>(addr + 40)], 0x5A);
}

// A few factory texts are longer than their cell; the module keeps them cut, and so does the
// page, which never takes more than the cell holds.
TEST_F(MessagesPageTest, TextsAreLimitedToTheirCell) {
  auto& russian = Control<TVDLabeledMemo>(GsmRecordControl("eR", 69));
  EXPECT_EQ(russian.MaxLength(), kGsmTextSize);
  Defaults(mlExt);
  EXPECT_EQ(russian.Text().size(), kGsmTextSize);
  russian.SetText(QString(45, u'ж'));
  EXPECT_EQ(russian.Text(), QString(kGsmTextSize, u'ж'));
}

TEST_F(MessagesPageTest, VariantWithoutEnglishGreysTheEnglishTexts) {
  FromModule(48, {'P', 1, 0, 0, 0, 0});
  EXPECT_FALSE(Control<TVDLabeledMemo>("eE1").isEnabled());
  EXPECT_FALSE(Box("cbSMS", 27).isEnabled());
  EXPECT_TRUE(Box("cbSMS", 26).isEnabled());
  FromModule(48, {'S', 1, 0, 0, 0, 0});
  EXPECT_TRUE(Control<TVDLabeledMemo>("eE1").isEnabled());
  EXPECT_TRUE(Box("cbSMS", 27).isEnabled());
}

class TelematicPageTest : public ::testing::Test, public TBoundGsmPage<TGSMTelematic> {};

TEST_F(TelematicPageTest, AccessPointEditTakesWhatItsCellHolds) {
  Read();
  auto& apn = *page.findChild<QLineEdit*>(QStringLiteral("eAPN"));
  EXPECT_EQ(apn.maxLength(), 30);
  Type(apn, QString(35, u'a'));
  EXPECT_EQ(apn.text(), QString(30, u'a'));
  Write();
  EXPECT_EQ(settings.At(1054, 30), std::vector<uint8_t>(30, 'a'));
  EXPECT_EQ(settings.Bytes[1084], 0);
}

TEST_F(TelematicPageTest, OperatorPresetFillsTheAccessPoint) {
  Read();
  auto& presets = *page.findChild<QComboBox*>(QStringLiteral("cbApnPresets"));
  const int beeline = presets.findText(QStringLiteral("Beeline Россия"));
  ASSERT_GE(beeline, 0);
  presets.activated(beeline);
  Write();
  EXPECT_EQ(settings.At(1054, 30), Latin("internet.beeline.ru", 30));
}

TEST_F(TelematicPageTest, PingIntervalInMinutesOfTwoSecondUnits) {
  settings.Put(1138, {75});
  Read();
  EXPECT_EQ(Control<TVDTrackBar>("VDTrackBar3").Position(), 2);
  Control<TVDTrackBar>("VDTrackBar3").SetPosition(3);
  Control<TVDTrackBar>("VDTrackBar3").SetPosition(2);
  Write();
  EXPECT_EQ(settings.Bytes[1138], 60);
}

TEST_F(TelematicPageTest, CoordinateAnswersMakeOnePosition) {
  FromModule(38, {1, '5', '5', '4', '5', '7', '0', '9', '2'});
  FromModule(38, {2, '0', '3', '7', '3', '6', '5', '6', '7', '8'});
  EXPECT_EQ(page.Coordinate(), QStringLiteral("55°45.7092 037°36.5678"));
  FromModule(38, {0});
  EXPECT_EQ(page.Coordinate(), QStringLiteral("Нет данных"));
}

TEST_F(TelematicPageTest, RegistrationCanBeClearedButNeverSet) {
  settings.Put(1024, {0x01});
  Read();
  auto& registered = Control<TVDCheckBox>("VDCheckBox2");
  EXPECT_TRUE(registered.isChecked());
  registered.click();
  EXPECT_FALSE(registered.isChecked());
  registered.click();
  EXPECT_FALSE(registered.isChecked());
  Write();
  EXPECT_EQ(settings.Bytes[1024] & 1, 0);
}

class TimesPageTest : public ::testing::Test, public TBoundGsmPage<TGSMTimesGSMPager> {};

TEST_F(TimesPageTest, ClockAndTimersAsTheModuleAnswers) {
  FromModule(44, {9, 5, 7, 24, 3, 14, 0});
  EXPECT_EQ(page.ClockTime(), QStringLiteral("09:05:07"));
  EXPECT_EQ(page.ClockDate(), QStringLiteral("14.03.2024, ??"));
  FromModule(44, {9, 5, 7, 24, 3, 14, 4});
  EXPECT_EQ(page.ClockDate(), QStringLiteral("14.03.2024, четверг"));
  FromModule(64, {1, 6, 30, 0x1F});
  EXPECT_EQ(page.TimerState(0), QStringLiteral("установлен"));
  EXPECT_EQ(page.findChild<QListWidget*>(QStringLiteral("lbDays1"))->item(4)->checkState(),
            Qt::Checked);
  EXPECT_EQ(page.findChild<QListWidget*>(QStringLiteral("lbDays1"))->item(5)->checkState(),
            Qt::Unchecked);
  // A state the page does not know is named, never read from beyond its texts.
  FromModule(65, {7, 6, 30, 0});
  EXPECT_EQ(page.TimerState(1), QStringLiteral("неизвестно (7)"));
  FromModule(65, {1, 25, 30, 0});
  EXPECT_EQ(page.TimerState(1), QStringLiteral("Ошибка чтения таймера 2 запуска"));
}

}  // namespace
