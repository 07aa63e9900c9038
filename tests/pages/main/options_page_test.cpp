#include "pages/main/options_page.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "binding/ui/category_panels.h"
#include "binding/ui/context_help.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/pin_edit.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "memory/lan_dev_error.h"
#include "options_page_fixture.h"
#include "pages/main/inputs_page.h"
#include "pages/main/main_board.h"
#include "pages/main/main_pages.h"
#include "test_support.h"

namespace {

class OptionsPageTest : public ::testing::Test, public TBoundOptionsPage {
 protected:
  TPinEdit& Edit(const char* name) { return *page.findChild<TPinEdit*>(QLatin1String(name)); }
  QPushButton& Button(const char* name) {
    return *page.findChild<QPushButton*>(QLatin1String(name));
  }
  TVDCheckBox& Box(const char* name) { return Control<TVDCheckBox>(name); }
  TVDTrackBar& Bar(const char* name) { return Control<TVDTrackBar>(name); }
  bool Bit(int addr, int bit) const { return (module.Bytes[static_cast<size_t>(addr)] >> bit) & 1; }
  void Type(TPinEdit& edit, const QString& keys) {
    edit.selectAll();
    QTest::keyClicks(&edit, keys);
  }
};

TEST_F(OptionsPageTest, SectionsStandInTheirOrderAndTheFreeControlsInTheirs) {
  QStringList captions;
  for (const TPanelCategory* category : page.CategoryPanels1()->Categories()) {
    captions << category->Caption();
  }
  EXPECT_EQ(captions,
            (QStringList{"Подсветка салона", "Звуковые и световые сигналы", "Индикация тревоги",
                         "Персональный ПИН-код Главного Модуля", "Управление приводами",
                         "Совместимость с сетевыми устройствами", "Взаимодействия с меткой",
                         "Автоматические постановка и снятие", "Запирание дверей",
                         "Настройки перегрузок выходов Главного модуля",
                         "Регулировка выхода из режимов по пробегу", "Управление событиями"}));
  const auto& categories = page.CategoryPanels1()->Categories();
  EXPECT_TRUE(categories[3]->Panel()->isAncestorOf(&Edit("edPin")));
  EXPECT_TRUE(categories[3]->Panel()->isAncestorOf(&Edit("edTempPin")));
  EXPECT_TRUE(categories[6]->Panel()->isAncestorOf(&Button("btForcedUnblock")));
}

TEST_F(OptionsPageTest, RegisteredAsTheMainModulesOptionsPage) {
  TPageRegistry pages;
  RegisterMainPages(pages);
  const TPageInfo* info = pages.Find(QStringLiteral("MainOptions"));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->LanAddr, 2);
  QWidget parent;
  EXPECT_NE(dynamic_cast<TMainOptions*>(info->Create(&parent, host)), nullptr);
}

TEST_F(OptionsPageTest, StoredPinsShowAndTypedPinsStore) {
  struct TCase {
    std::vector<uint8_t> Stored;  // bytes 212..215
    const char* Pin;
    const char* Protection;
  };
  const TCase cases[] = {
      {{0x21, 0x43, 0x10, 0x02}, "1234", "0120"},
      {{0x35, 0x28, 0x00, 0x00}, "5382", "0000"},
      {{0x00, 0xAF, 0x33, 0x12}, "1111", "3321"},
      {{0xB9, 0xEC, 0x00, 0x00}, "9111", "0000"},
  };
  for (const TCase& c : cases) {
    module.Put(212, c.Stored);
    Read();
    EXPECT_EQ(Edit("edPin").Digits(), QLatin1String(c.Pin));
    EXPECT_EQ(Edit("edTempPin").Digits(), QLatin1String(c.Protection));
  }

  Type(Edit("edPin"), QStringLiteral("1204"));
  EXPECT_EQ(Edit("edPin").Digits(), QStringLiteral("1214")) << "0 is no PIN digit";
  Type(Edit("edPin"), QStringLiteral("1234"));
  Type(Edit("edTempPin"), QStringLiteral("2709"));
  EXPECT_EQ(Edit("edTempPin").Digits(), QStringLiteral("2202"));
  EXPECT_TRUE(Settings().IsModified());
  Write();
  EXPECT_EQ(module.Bytes[212], 0x21);
  EXPECT_EQ(module.Bytes[213], 0x43);
  EXPECT_EQ(module.Bytes[214], 0x22);
  EXPECT_EQ(module.Bytes[215], 0x20);
}

TEST_F(OptionsPageTest, AnIncompletePinIsRefusedAndTheModuleKeepsItsPin) {
  module.Put(212, {0x21, 0x43, 0x10, 0x02});
  Read();
  Type(Edit("edPin"), QStringLiteral("56"));
  try {
    Write();
    FAIL() << "an incomplete PIN was written";
  } catch (const EStoreRefused& error) {
    EXPECT_STREQ(error.what(), "ПИН: введите четыре цифры");
  }
  EXPECT_EQ(module.Bytes[212], 0x21);
  EXPECT_EQ(module.Bytes[213], 0x43);

  Type(Edit("edPin"), QStringLiteral("5678"));
  Type(Edit("edTempPin"), QStringLiteral("1"));
  try {
    Write();
    FAIL() << "an incomplete protection code was written";
  } catch (const EStoreRefused& error) {
    EXPECT_STREQ(error.what(), "Защита временного ПИН кода: введите четыре цифры");
  }
  EXPECT_EQ(module.Bytes[212], 0x21) << "the refused area sends nothing";
  EXPECT_EQ(module.Bytes[214], 0x10);
}

TEST_F(OptionsPageTest, PinButtonsEnterTheFactoryOrAFreshPin) {
  module.Put(212, {0x21, 0x43});
  Read();
  Button("btFactoryPin").click();
  EXPECT_EQ(Edit("edPin").Digits(), QStringLiteral("5382"));
  EXPECT_TRUE(Settings().IsModified());
  Write();
  EXPECT_EQ(module.Bytes[212], 0x35);
  EXPECT_EQ(module.Bytes[213], 0x28);

  for (int i = 0; i < 50; ++i) {
    Button("btGeneratePin").click();
    const QString pin = Edit("edPin").Digits();
    ASSERT_EQ(pin.size(), 4);
    ASSERT_NE(pin, QStringLiteral("5382"));
    for (const QChar c : pin) ASSERT_TRUE(c >= u'1' && c <= u'9') << pin.toStdString();
  }
  const QString pin = Edit("edPin").Digits();
  Write();
  EXPECT_EQ(module.Bytes[212], (pin[1].digitValue() << 4) | pin[0].digitValue());
  EXPECT_EQ(module.Bytes[213], (pin[3].digitValue() << 4) | pin[2].digitValue());
}

TEST_F(OptionsPageTest, FactorySettingsPutTheFactoryPinIntoTheEdit) {
  module.Put(212, {0x21, 0x43, 0x11, 0x11});
  Read();
  Settings().SetDefaults(module);
  EXPECT_EQ(Edit("edPin").Digits(), QStringLiteral("5382"));
  EXPECT_EQ(Edit("edTempPin").Digits(), QStringLiteral("0000"));
  Write();
  EXPECT_EQ(module.Bytes[212], 0x35);
  EXPECT_EQ(module.Bytes[213], 0x28);
  EXPECT_EQ(module.Bytes[214], 0x00);
  EXPECT_EQ(module.Bytes[215], 0x00);
}

TEST_F(OptionsPageTest, UncheckingTheHoodUnlockUnchecksWhatDependsOnIt) {
  module.Put(192, {0x10});  // cbHoodUnlockImmoOff
  module.Put(547, {0x20});  // cbHoodLockImmoOn
  module.Put(139, {0x01});  // VDCheckBox26
  module.Put(688, {0x02});  // VDCheckBox80
  Read();
  ASSERT_TRUE(Box("cbHoodLockImmoOn").isChecked());

  Box("cbHoodUnlockImmoOff").click();
  EXPECT_FALSE(Box("cbHoodLockImmoOn").isChecked());
  EXPECT_FALSE(Box("VDCheckBox26").isChecked());
  EXPECT_FALSE(Box("VDCheckBox80").isChecked());
  Write();
  EXPECT_FALSE(Bit(192, 4) || Bit(547, 5) || Bit(139, 0) || Bit(688, 1));

  for (const char* dependent : {"cbHoodLockImmoOn", "VDCheckBox26", "VDCheckBox80"}) {
    Box(dependent).click();
    EXPECT_TRUE(Box("cbHoodUnlockImmoOff").isChecked()) << dependent;
    Box("cbHoodUnlockImmoOff").click();
    EXPECT_FALSE(Box(dependent).isChecked()) << dependent;
  }
  Box("VDCheckBox80").click();
  Write();
  EXPECT_TRUE(Bit(192, 4) && Bit(688, 1));
}

TEST_F(OptionsPageTest, CheckingASlaveSourceChecksTheSlaveAndItsTagChecks) {
  Read();
  Box("VDCheckBox78").click();
  EXPECT_TRUE(Box("VDCheckBox35").isChecked());
  EXPECT_TRUE(Box("VDCheckBox10").isChecked());
  EXPECT_TRUE(Box("VDLabelCheckInArm").isChecked());
  EXPECT_TRUE(Box("VDLabelCheckInArm").font().bold());
  Write();
  EXPECT_TRUE(Bit(130, 2) && Bit(142, 6) && Bit(197, 0) && Bit(552, 6));

  Box("VDCheckBox94").click();
  Box("VDCheckBox35").click();
  EXPECT_FALSE(Box("VDCheckBox78").isChecked());
  EXPECT_FALSE(Box("VDCheckBox94").isChecked());
  EXPECT_TRUE(Box("VDCheckBox10").isChecked()) << "unchecking the slave keeps its tag checks";
}

TEST_F(OptionsPageTest, ExclusiveAndRepeatedRules) {
  Read();
  Box("VDCheckBox32").click();
  Box("VDCheckBox51").click();
  EXPECT_FALSE(Box("VDCheckBox32").isChecked());
  Box("VDCheckBox71").click();
  EXPECT_TRUE(Box("VDCheckBox38").isChecked());
  Box("VDCheckBox38").click();
  EXPECT_FALSE(Box("VDCheckBox71").isChecked());
  Box("VDCheckBox18").click();
  EXPECT_TRUE(Box("cbMovementDoorLock").isChecked());

  // The module holds a slave source without the slave: a click on a neighbour repairs it.
  module.Put(130, {0x04});
  module.Put(142, {0x00});
  Read();
  ASSERT_FALSE(Box("VDCheckBox35").isChecked());
  Box("VDCheckBox79").click();
  EXPECT_TRUE(Box("VDCheckBox35").isChecked());
}

TEST_F(OptionsPageTest, TakingTheSpeedFromCanReleasesTheSpeedometerWire) {
  TMainBoard board;
  TMainInputs inputs{host, board};
  host.Pages.insert(QStringLiteral("MainInputs"), &inputs);
  TBoardModel& model = board.Model();
  model.SetConfiguration(0);
  const int pin = [&model] {
    for (int pin = 0; pin < static_cast<int>(model.Pcb().Inputs().size()); ++pin) {
      if (model.MayTakeInput(kSpeedTask, pin)) return pin;
    }
    return -1;
  }();
  ASSERT_GE(pin, 0);
  model.AssignInput(kSpeedTask, pin);
  Read();
  Box("VDCheckBox58").click();
  EXPECT_EQ(model.TaskIn(kSpeedTask)->Pin, -1);
  model.AssignInput(kSpeedTask, pin);
  Box("VDCheckBox58").click();
  EXPECT_EQ(model.TaskIn(kSpeedTask)->Pin, pin) << "unchecking takes nothing";
}

TEST_F(OptionsPageTest, MileageLimitsShowKilometresAndMetresOfSixMetreUnits) {
  module.Put(242, {0x6B, 0x0A});  // 2667
  module.Put(246, {0x53, 0x00});  // 83
  Read();
  EXPECT_EQ(Bar("VDTrackBar4").Position(), 16);
  EXPECT_EQ(Bar("VDTrackBar4").GetValueText(), QStringLiteral("16 км"));
  EXPECT_EQ(Bar("VDTrackBar5").Position(), 5);
  EXPECT_EQ(Bar("VDTrackBar5").GetValueText(), QStringLiteral("500 м"));

  Bar("VDTrackBar4").SetPosition(1);
  Bar("VDTrackBar5").SetPosition(10);
  Write();
  EXPECT_EQ(module.Bytes[242] | module.Bytes[243] << 8, 167);
  EXPECT_EQ(module.Bytes[246] | module.Bytes[247] << 8, 167);
  Bar("VDTrackBar4").SetPosition(16);
  Write();
  EXPECT_EQ(module.Bytes[242] | module.Bytes[243] << 8, 2667);
}

TEST_F(OptionsPageTest, ValueLabelsSayTheUnits) {
  Read();
  struct TCase {
    const char* Bar;
    int Position;
    const char* Text;
  };
  const TCase cases[] = {
      {"VDTrackBar17", 4, "800 мс"},
      {"VDTrackBar1", 2, "400 мс"},
      {"VDTrackBar6", 10, "2000 мс"},
      {"vdtbAlarmDelayDoors", 60, "  3.0 с"},
      {"vdtbAlarmDelaySensors", 30, "  3.0 с"},
      {"vdtbSensorWarningDelay", 3, " 0.15 с"},
      {"VDTrackBar7", 150, " 30.0 с"},
      {"VDTrackBar8", 150, " 30.0 с"},
      {"tbLabelRequestOnDelay", 5, "5 сек"},
      {"VDTrackBar3", 7, "8"},
      {"VDTrackBar3", 15, "16 (любое)"},
      {"tbSelfArmTime", 0, "5 сек"},
      {"tbSelfArmTime", 3, "30 сек"},
  };
  for (const TCase& c : cases) {
    Bar(c.Bar).SetPosition(c.Position);
    EXPECT_EQ(Bar(c.Bar).GetValueText(), QString::fromUtf8(c.Text)) << c.Bar;
  }
}

TEST_F(OptionsPageTest, BoardRevisionFiveWithCurrentFirmwareHas26Steps) {
  module.Put(512, {64, 64});
  Read();
  Status(4, 5);
  for (const char* name : {"vdd_L_Side", "vdd_R_side"}) {
    EXPECT_EQ(Bar(name).maximum(), 26) << name;
    EXPECT_EQ(Bar(name).DefaultValue(), 26) << name;
    EXPECT_EQ(Bar(name).Position(), 26) << "clamped from the 64 of before";
  }
  Bar("vdd_L_Side").SetPosition(10);
  Bar("vdd_R_side").SetPosition(3);
  EXPECT_EQ(Bar("vdd_L_Side").GetValueText(), QStringLiteral(" 1.95 А"));
  EXPECT_EQ(Bar("vdd_R_side").GetValueText(), QStringLiteral(" 0.59 А"));
  Write();
  EXPECT_EQ(module.Bytes[514], 13) << "the sum of the two thresholds";

  Settings().SetDefaults(module);
  Write();
  EXPECT_EQ(module.Bytes[513], 26);
  EXPECT_EQ(module.Bytes[514], 52);
}

TEST_F(OptionsPageTest, OtherBoardsAndOlderFirmware) {
  module.Put(512, {64, 64});
  Read();
  Status(2, 5);
  EXPECT_EQ(Bar("vdd_L_Side").maximum(), 64) << "older firmware keeps the scale";
  EXPECT_EQ(Bar("vdd_L_Side").GetValueText(), QStringLiteral("64")) << "no amperes to show";
  Status(5, 3);
  EXPECT_EQ(Bar("vdd_L_Side").maximum(), 64);
  Bar("vdd_L_Side").SetPosition(64);
  EXPECT_EQ(Bar("vdd_L_Side").GetValueText(), QStringLiteral(" 5.00 А")) << "64 × 0.078125";
  Status(3, 5);
  EXPECT_EQ(Bar("vdd_R_side").maximum(), 26) << "a board revision in the same message counts";
}

TEST_F(OptionsPageTest, DemoModeScalesWhateverTheFirmware) {
  host.Demo = true;
  module.Put(512, {64, 64});
  Read();
  Status(2, 5);
  EXPECT_EQ(Bar("vdd_L_Side").maximum(), 26);
  EXPECT_EQ(Bar("vdd_L_Side").GetValueText(), QStringLiteral(" 5.08 А"));
}

TEST_F(OptionsPageTest, RightClickAsksForHelpOnThePagesTopic) {
  // A right click offers "Справка" in a context menu; the user picks it.
  const auto rightClick = [](QWidget& widget) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                            widget.mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(&widget, &event);
    for (auto* menu : widget.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
      if (auto* help = menu->findChild<QAction*>(QLatin1String(kControlHelpAction))) {
        help->trigger();
      }
      menu->close();
      delete menu;
    }
  };
  rightClick(Box("cbHoodLockImmoOn"));
  rightClick(Bar("VDTrackBar17"));
  rightClick(Box("VDCheckBox58"));                  // no help
  rightClick(Control<TVDRadioGroup>("rgSelfArm"));  // no help
  ASSERT_EQ(host.Help.size(), 2u);
  EXPECT_EQ(host.Help[0].first, &Box("cbHoodLockImmoOn"));
  EXPECT_EQ(host.Help[0].second, QStringLiteral("main_options"));
  EXPECT_EQ(host.Help[1].first, &Bar("VDTrackBar17"));
}

}  // namespace
