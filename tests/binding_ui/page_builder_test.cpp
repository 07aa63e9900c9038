#include "binding/ui/page_builder.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "binding/fake_memory_area.h"
#include "binding/headless_binder.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_label.h"
#include "binding/ui/vd_labeled_memo.h"
#include "binding/ui/vd_radio_group.h"
#include "example_page.h"
#include "test_support.h"

namespace {

// The areas of the example page's modules, binding controls the way the registry does: by
// module address and memory location.
class ExamplePage : public ::testing::Test {
 protected:
  void SetUp() override { Bind(*page); }

  void Bind(TVDFrame& frame) {
    for (IBoundControl* control : frame.BoundControls()) {
      if (control->GetLanAddr() == kExampleLanAddr && control->GetMemID() == mlExt) {
        ext.Attach(*control);
      } else if (control->GetLanAddr() == kExampleLanAddr && control->GetMemID() == mlMsg) {
        msg.Attach(*control);
      }
    }
  }

  std::unique_ptr<TVDFrame> page = MakeExamplePage();
  TFakeMemoryArea ext;
  TFakeMemoryArea msg;
};

TEST_F(ExamplePage, ControlsStandInTheirSectionsInTableOrder) {
  const auto& categories = page->CategoryPanels1()->Categories();
  ASSERT_EQ(categories.size(), 2u);
  EXPECT_EQ(categories[0]->Caption(), QStringLiteral("Охрана"));
  EXPECT_EQ(categories[1]->Caption(), QStringLiteral("Время и сервис"));
  QWidget* guard = categories[0]->Panel();
  QWidget* service = categories[1]->Panel();
  EXPECT_EQ(page->Control<TVDCheckBox>(QStringLiteral("cbSiren")).parentWidget(), guard);
  EXPECT_EQ(page->Control<TVDRadioGroup>(QStringLiteral("rgSignal")).parentWidget(), guard);
  EXPECT_EQ(page->Control<TVDLabeledMemo>(QStringLiteral("mmOwner")).parentWidget(), service);
  EXPECT_EQ(page->Control<TVDLabel>(QStringLiteral("lbIgnition")).parentWidget(), service);
  EXPECT_EQ(page->Control<TVDData>(QStringLiteral("vdKeys")).parent(), service);

  const std::vector<IBoundControl*> controls = page->BoundControls();
  const std::vector<TBoundCell> cells = BoundCells(kExampleRows, kExampleLanAddr);
  ASSERT_EQ(controls.size(), cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(controls[i]->GetAddr(), cells[i].Addr) << i;
    EXPECT_EQ(controls[i]->GetSize(), cells[i].Size) << i;
    EXPECT_EQ(controls[i]->GetLanAddr(), cells[i].LanAddr) << i;
    EXPECT_EQ(controls[i]->GetReadOnlyAddr(), cells[i].ReadOnlyAddr) << i;
  }
  EXPECT_TRUE(controls[9]->GetAutoUpdate());
  EXPECT_EQ(controls[9]->GetUpdateInterval(), 500);
}

TEST_F(ExamplePage, RowsGiveCaptionsDefaultsHintsAndRanges) {
  auto& siren = page->Control<TVDCheckBox>(QStringLiteral("cbSiren"));
  EXPECT_EQ(siren.text(), QStringLiteral("Включить сирену при тревоге"));
  EXPECT_TRUE(siren.isChecked());
  EXPECT_TRUE(siren.DefaultValue());
  EXPECT_EQ(siren.toolTip(), QStringLiteral("Сирена звучит 30 секунд"));
  auto& signal = page->Control<TVDRadioGroup>(QStringLiteral("rgSignal"));
  EXPECT_EQ(signal.Items().size(), 5);
  EXPECT_EQ(signal.ItemIndex(), 1);
  EXPECT_EQ(signal.ItemCell(3), std::make_pair(0, 1));
  auto& delay = page->Control<TVDTrackBar>(QStringLiteral("tbDelay"));
  EXPECT_EQ(delay.maximum(), 3600);
  EXPECT_EQ(delay.GetValueText(), QStringLiteral("10 мин 0 с"));
  EXPECT_EQ(delay.GetCaption(), QStringLiteral("Задержка автозапуска, с"));
  EXPECT_THROW(page->Control<TVDCheckBox>(QStringLiteral("tbDelay")), std::logic_error);
}

TEST_F(ExamplePage, LoadShowsTheBytesAndStoreWritesThem) {
  ext.MarkAllValid();
  ext.Fill(82, {0x00});
  ext.Fill(88, {0x02});
  ext.Fill(90, {0x08, 3, 0x20});
  ext.Fill(198, {0xF2});
  ext.Fill(242, {0x2C, 0x01});
  ext.Fill(260, {0x01});
  ext.Fill(267, {0x00});
  ext.Fill(300, {0xC8, 0xE2, 0xE0, 0xED, 0});
  msg.Fill(5, {0x01});
  ext.LoadAll();
  msg.LoadAll();
  EXPECT_EQ(ext.ModifiedCalls(), 0);

  EXPECT_FALSE(page->Control<TVDCheckBox>(QStringLiteral("cbSiren")).isChecked());
  EXPECT_FALSE(page->Control<TVDCheckBox>(QStringLiteral("cbNoSensors")).isEnabled());
  EXPECT_EQ(page->Control<TVDRadioGroup>(QStringLiteral("rgArmMode")).ItemIndex(), 1);
  EXPECT_EQ(page->Control<TVDRadioGroup>(QStringLiteral("rgSignal")).ItemIndex(), 3);
  EXPECT_EQ(page->Control<TVDRadioGroup>(QStringLiteral("rgChannel")).ItemIndex(), 2);
  EXPECT_EQ(page->Control<TVDTrackBar>(QStringLiteral("tbAlarm")).GetValueText(),
            QStringLiteral("максимум"));
  EXPECT_EQ(page->Control<TVDTrackBar>(QStringLiteral("tbWarn")).Position(), 2);
  EXPECT_EQ(page->Control<TVDTrackBar>(QStringLiteral("tbDelay")).Position(), 300);
  EXPECT_EQ(page->Control<TVDLabeledMemo>(QStringLiteral("mmOwner")).Text(),
            QStringLiteral("Иван"));
  EXPECT_TRUE(page->Control<TVDLabel>(QStringLiteral("lbIgnition")).Active());

  page->Control<TVDRadioGroup>(QStringLiteral("rgSignal")).Button(0)->click();
  page->Control<TVDTrackBar>(QStringLiteral("tbDelay")).SetPosition(3200);
  page->Control<TVDRadioGroup>(QStringLiteral("rgChannel")).Button(3)->click();
  page->Control<TVDCheckBox>(QStringLiteral("cbNoSensors")).SetChecked(false);
  EXPECT_TRUE(ext.IsModified());
  ext.StoreAll();
  EXPECT_EQ(ext.Byte(91), 0);
  EXPECT_EQ(ext.Byte(92), 0x30);
  EXPECT_EQ(ext.Byte(242), 0x80);
  EXPECT_EQ(ext.Byte(243), 0x0C);
  EXPECT_EQ(ext.Byte(88), 0x02) << "a locked setting is not stored";
  EXPECT_FALSE(ext.Changed(198)) << "untouched values store what they showed";
}

TEST_F(ExamplePage, UserChangesReachTwinsOnAnotherPage) {
  auto second = MakeExamplePage();
  Bind(*second);
  ext.MarkAllValid();
  ext.LoadAll();
  page->resize(600, 700);
  page->show();
  auto& siren = page->Control<TVDCheckBox>(QStringLiteral("cbSiren"));
  QTest::mouseClick(&siren, Qt::LeftButton, {}, siren.rect().center());
  EXPECT_TRUE(second->Control<TVDCheckBox>(QStringLiteral("cbSiren")).isChecked());
  auto& twinAlarm = second->Control<TVDTrackBar>(QStringLiteral("tbAlarm"));
  EXPECT_TRUE(twinAlarm.IsDisabledFor(drGuard));
  EXPECT_FALSE(twinAlarm.isEnabled()) << "the rule lifted its reason; the module's guard holds";
  EXPECT_FALSE(siren.font().bold());
  EXPECT_EQ(ext.ModifiedCalls(), 1);
  ext.StoreAll();
  ext.Fill(260, {0x01});
  ext.LoadAll();
  EXPECT_TRUE(twinAlarm.isEnabled()) << "the twin's page rule ran and the guard is lifted";

  second.reset();
  EXPECT_EQ(ext.Controls().size(), 10u) << "the second page's controls left the area";
}

TEST_F(ExamplePage, ControlsThePageRemovesDropOut) {
  delete &page->Control<TVDCheckBox>(QStringLiteral("cbNoSensors"));
  EXPECT_EQ(page->BoundControls().size(), 11u);
}

}  // namespace
