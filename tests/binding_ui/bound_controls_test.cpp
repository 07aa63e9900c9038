#include <gtest/gtest.h>

#include <QBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "binding/comp_error.h"
#include "binding/fake_memory_area.h"
#include "binding/ui/control_help.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_label.h"
#include "binding/ui/vd_labeled_memo.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "test_support.h"

namespace {

template <class T>
void BindCell(T& control, TFakeMemoryArea& area, int addr, TDataType type, int startBit = 0,
              int maxVal = 0) {
  TComponentData& data = control.ComponentData();
  data.SetLanAddr(2);
  data.SetMemID(mlExt);
  data.SetAddr(addr);
  data.SetDataType(type);
  data.SetStartBit(static_cast<TStartBit>(startBit));
  data.SetMaxVal(maxVal);
  area.Attach(control);
}

class BoundControls : public ::testing::Test {
 protected:
  QWidget page;
  TFakeMemoryArea area;
};

TEST_F(BoundControls, CheckBoxLoadsItsBitAndStoresOnlyIt) {
  TVDCheckBox box(&page);
  BindCell(box, area, 82, stBit, 7);
  area.Fill(82, {0x81});
  area.LoadAll();
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(area.ModifiedCalls(), 0) << "showing what the module holds is no change";
  EXPECT_TRUE(QFont(box.font()).bold()) << "checked differs from the default";
  EXPECT_EQ(box.GetValueText(), QStringLiteral("да"));

  box.click();
  EXPECT_EQ(area.ModifiedCalls(), 1);
  EXPECT_FALSE(box.font().bold());
  area.StoreAll();
  EXPECT_EQ(area.Byte(82), 0x01);
  EXPECT_TRUE(area.Changed(82));
}

TEST_F(BoundControls, CheckBoxTwinsOnTwoPagesFollowTheUser) {
  QWidget otherPage;
  TVDCheckBox first(&page);
  TVDCheckBox second(&otherPage);
  TVDCheckBox otherBit(&otherPage);
  BindCell(first, area, 82, stBit, 5);
  BindCell(second, area, 82, stBit, 5);
  BindCell(otherBit, area, 82, stBit, 6);
  int secondClicks = 0;
  second.OnClick = [&](QObject&) { ++secondClicks; };

  first.click();
  EXPECT_TRUE(second.isChecked());
  EXPECT_EQ(secondClicks, 1) << "the twin's own rule runs too";
  EXPECT_FALSE(otherBit.isChecked());
  EXPECT_EQ(area.ModifiedCalls(), 1);
}

TEST_F(BoundControls, GuardDisablesAndDisabledControlsDoNotStore) {
  TVDCheckBox box(&page);
  box.ComponentData().SetReadOnlyAddr(267);
  box.ComponentData().SetReadOnlyBit(sb1);
  BindCell(box, area, 88, stBit, 1);
  area.Fill(88, {0x00});
  area.Fill(267, {0x00});
  area.LoadAll();
  EXPECT_FALSE(box.isEnabled());
  box.setChecked(true);
  area.StoreAll();
  EXPECT_EQ(area.Byte(88), 0x00);

  area.Fill(267, {0x02});
  area.LoadAll();
  EXPECT_TRUE(box.isEnabled());
  page.setEnabled(false);
  box.setChecked(true);
  area.StoreAll();
  EXPECT_EQ(area.Byte(88), 0x02) << "a disabled page does not disable its controls' stores";
}

TEST_F(BoundControls, LoadAndStoreFailuresNameTheControl) {
  TVDCheckBox box(&page);
  box.setObjectName(QStringLiteral("cbSiren"));
  box.setText(QStringLiteral("Сирена"));
  BindCell(box, area, 2000, stBit);
  try {
    area.LoadAll();
    FAIL() << "nothing thrown";
  } catch (const EComp& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("cbSiren (Сирена): Ошибка инициализации"));
  }

  TVDTrackBar bar(&page);
  bar.setObjectName(QStringLiteral("tbZone"));
  bar.ExtLabel()->setText(QStringLiteral("Зона"));
  BindCell(bar, area, 198, stByte);
  try {
    bar.Store();  // never read: the area refuses the store
    FAIL() << "nothing thrown";
  } catch (const EComp& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("tbZone (Зона): Ошибка инициализации"));
    EXPECT_TRUE(error.Cause().startsWith(QStringLiteral("Запись в непрочитанную память")));
  }
}

TEST_F(BoundControls, RadioGroupFillsColumnsTopToBottom) {
  TVDRadioGroup group(&page);
  group.SetItems({"0", "1", "2", "3", "4"});
  group.SetColumns(2);
  const std::pair<int, int> cells[] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(group.ItemCell(i), cells[i]) << i;
  group.SetColumns(40);
  EXPECT_EQ(group.Columns(), 16);
}

TEST_F(BoundControls, RadioGroupDecodesTwoBitStatesAndNotifiesTwins) {
  TVDRadioGroup group(&page);
  TVDRadioGroup twin(&page);
  for (TVDRadioGroup* g : {&group, &twin}) {
    g->SetItems({"a", "b", "c", "d"});
    BindCell(*g, area, 90, stBits, 3);
  }
  area.Fill(90, {0x18});
  area.LoadAll();
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(group.GetValueText(), QStringLiteral("c"));

  group.Button(3)->click();
  EXPECT_EQ(twin.ItemIndex(), 3);
  EXPECT_EQ(area.ModifiedCalls(), 1);
  area.StoreAll();
  EXPECT_EQ(area.Byte(90), 0x10);
}

TEST_F(BoundControls, RadioGroupShowsAndStoresABitField) {
  TVDRadioGroup group(&page);
  group.SetItems({"1", "2", "3", "4"});
  BindCell(group, area, 92, stBitArray, 4, 2);
  area.Fill(92, {0xEB});
  area.LoadAll();
  EXPECT_EQ(group.ItemIndex(), 2);
  group.SetItemIndex(1);
  area.StoreAll();
  EXPECT_EQ(area.Byte(92), 0xDB);
}

TEST_F(BoundControls, RadioGroupByteGoesThroughThePageHandlers) {
  TVDRadioGroup group(&page);
  group.SetItems({"a", "b", "c"});
  group.OnLoad = [](QObject&, int src, int& value) { value = src - 10; };
  group.OnStore = [](QObject&, int src, int& value) { value = src + 10; };
  BindCell(group, area, 91, stByte);
  area.Fill(91, {12});
  area.LoadAll();
  EXPECT_EQ(group.ItemIndex(), 2);
  group.SetItemIndex(0);
  area.StoreAll();
  EXPECT_EQ(area.Byte(91), 10);

  area.Fill(91, {200});
  area.LoadAll();
  EXPECT_EQ(group.ItemIndex(), 2) << "the index is clamped to the items";
}

TEST_F(BoundControls, RadioGroupRejectsTypesItCannotShow) {
  TVDRadioGroup group(&page);
  group.setObjectName(QStringLiteral("rgDate"));
  group.SetItems({"a"});
  BindCell(group, area, 91, stDate);
  area.Fill(91, {0});
  try {
    group.Load();
    FAIL() << "nothing thrown";
  } catch (const EComp& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("rgDate: Недопустимый тип данных (9)"));
  }
}

TEST_F(BoundControls, DisabledTrackBarKeepsItsBytesAfterDefaults) {
  TVDTrackBar bar(&page);
  bar.setRange(0, 15);
  bar.SetDefaultValue(4);
  BindCell(bar, area, 198, stByteLo);
  area.Fill(198, {0x79});
  area.LoadAll();
  EXPECT_EQ(bar.Position(), 9);
  bar.SetDisabled(drRule, true);
  area.SetDefaultsAll();
  EXPECT_EQ(bar.Position(), 4);
  area.StoreAll();
  EXPECT_EQ(area.Byte(198), 0x79);
  EXPECT_TRUE(area.Changed(198)) << "the old value is still written";
  EXPECT_FALSE(bar.ExtLabel()->isEnabled());
}

TEST_F(BoundControls, TrackBarMapsThroughHandlersAndFormatsItsValueLabel) {
  TVDTrackBar bar(&page);
  bar.setRange(0, 8);
  bar.SetDefaultValue(1);
  bar.SetValueFormat([](int position) { return QStringLiteral("%1 с").arg(position * 5); });
  // Code 8 means the shortest pulse, shown first.
  bar.OnLoad = [](QObject&, int src, int& value) { value = src == 8 ? 0 : src + 1; };
  bar.OnStore = [](QObject&, int src, int& value) { value = src == 0 ? 8 : src - 1; };
  BindCell(bar, area, 200, stByteHi);
  area.Fill(200, {0x83});
  area.LoadAll();
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(bar.GetValueText(), QStringLiteral("0 с"));
  EXPECT_TRUE(bar.ValueLabel()->font().bold());
  EXPECT_EQ(area.ModifiedCalls(), 0);

  bar.SetPosition(3);
  EXPECT_EQ(area.ModifiedCalls(), 1);
  area.StoreAll();
  EXPECT_EQ(area.Byte(200), 0x23);
}

TEST_F(BoundControls, TrackBarTwoBytesAndTwins) {
  TVDTrackBar bar(&page);
  TVDTrackBar twin(&page);
  for (TVDTrackBar* b : {&bar, &twin}) {
    b->setRange(0, 65535);
    BindCell(*b, area, 242, st2Bytes);
  }
  area.Fill(242, {0x80, 0x0C});
  area.LoadAll();
  EXPECT_EQ(bar.Position(), 3200);
  bar.SetPosition(600);
  EXPECT_EQ(twin.Position(), 600);
  area.StoreAll();
  EXPECT_EQ(area.Byte(242), 0x58);
  EXPECT_EQ(area.Byte(243), 0x02);
}

TEST_F(BoundControls, StringMemoCutsWithoutTerminator) {
  TVDMemo memo(&page);
  BindCell(memo, area, 300, stString, 0, 39);
  area.Fill(300, std::vector<uint8_t>(40, 0));
  area.LoadAll();
  EXPECT_EQ(area.ModifiedCalls(), 0);
  memo.SetText(QString(50, QLatin1Char('x')));
  EXPECT_EQ(memo.Text().size(), 39);
  EXPECT_GE(area.ModifiedCalls(), 1);
  area.StoreAll();
  for (int i = 0; i < 39; ++i) ASSERT_EQ(area.Byte(300 + i), 'x') << i;
  EXPECT_EQ(area.Byte(339), 0);
  EXPECT_FALSE(area.Changed(339));
}

TEST_F(BoundControls, ShortStringShowsItsWholeCellSoThatItCanBeStoredBack) {
  TVDMemo memo(&page);
  BindCell(memo, area, 300, stString, 0, 8);
  area.Receive(300, {'A', 'B', 0, 'z', 'z', 0, 0, 0});
  area.LoadAll();
  EXPECT_EQ(memo.Text(), QStringLiteral("AB"));
  memo.SetText(QStringLiteral("ABC"));
  EXPECT_NO_THROW(area.StoreAll());
  EXPECT_EQ(area.Byte(302), 'C');
  EXPECT_EQ(area.Byte(303), 0);
}

TEST_F(BoundControls, StringMemoKeepsLineBreaksAsCrLf) {
  TVDMemo memo(&page);
  BindCell(memo, area, 300, stString, 0, 8);
  area.Fill(300, {'a', '\r', '\n', 0xC6, 0, 'z', 0, 0});
  area.LoadAll();
  EXPECT_EQ(memo.Text(), QStringLiteral("a\nЖ"));
  area.StoreAll();
  EXPECT_EQ(area.Byte(301), '\r');
  EXPECT_EQ(area.Byte(305), 0) << "padding follows the text";
}

TEST_F(BoundControls, ArrayMemoShowsPageLinesAndClearsOnlyWhenEmpty) {
  TVDMemo memo(&page);
  BindCell(memo, area, 320, stArray, 0, 4);
  area.Fill(320, {1, 2, 3, 4});
  area.LoadAll();
  EXPECT_EQ(memo.Text(), QStringLiteral("\n\n\n")) << "without OnLoad: MaxVal - 1 breaks";

  memo.OnLoad = [](QObject&, uint8_t src, QString& line) { line = QString::number(src); };
  area.LoadAll();
  EXPECT_EQ(memo.Text(), QStringLiteral("1\n2\n3\n4"));
  area.StoreAll();
  EXPECT_EQ(area.Byte(320), 1);
  memo.SetText({});
  area.StoreAll();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(area.Byte(320 + i), 0);
}

TEST_F(BoundControls, LabeledMemoNameTurnsBoldAwayFromItsDefault) {
  TVDLabeledMemo memo(&page);
  memo.SetDefaultValue(QStringLiteral("Иван"));
  memo.SetText(QStringLiteral("Иван"));
  EXPECT_FALSE(memo.ExtLabel()->font().bold());
  memo.SetText(QStringLiteral("иван"));
  EXPECT_TRUE(memo.ExtLabel()->font().bold()) << "the comparison is case-sensitive";
  memo.setVisible(false);
  EXPECT_TRUE(memo.ExtLabel()->isHidden());
}

// Installers watch the controls while they edit: a caption turning bold must not push the
// buttons or the controls beside it aside.
TEST_F(BoundControls, BoldCaptionsMoveNoControl) {
  page.resize(700, 200);
  auto* layout = new QVBoxLayout(&page);
  TVDRadioGroup group;
  group.SetCaption(QStringLiteral("Режим работы сирены при тревоге"));
  group.SetItems({QStringLiteral("Прерывистый"), QStringLiteral("Непрерывный")});
  group.SetDefaultValue(0);
  group.SetItemIndex(0);
  layout->addWidget(&group);
  auto* row = new QHBoxLayout;
  TVDCheckBox box;
  box.setText(QStringLiteral("Контроль зоны багажника и капота"));
  auto* neighbour = new QLabel(QStringLiteral("рядом"));
  row->addWidget(&box);
  row->addWidget(neighbour);
  row->addStretch();
  layout->addLayout(row);
  page.show();
  const auto settle = [this, &group] {
    page.layout()->activate();
    group.layout()->activate();
    QCoreApplication::processEvents();
  };
  settle();
  const int buttonX = group.Button(0)->mapTo(&page, QPoint()).x();
  const int neighbourX = neighbour->x();

  group.SetItemIndex(1);
  box.setChecked(true);
  settle();
  ASSERT_TRUE(box.font().bold());
  EXPECT_EQ(group.Button(0)->mapTo(&page, QPoint()).x(), buttonX);
  EXPECT_EQ(neighbour->x(), neighbourX);

  group.SetItemIndex(0);
  box.setChecked(false);
  settle();
  EXPECT_EQ(group.Button(0)->mapTo(&page, QPoint()).x(), buttonX);
  EXPECT_EQ(neighbour->x(), neighbourX);
}

TEST_F(BoundControls, DataHandsBytesToThePageAndStoresOnlyWhileAvailable) {
  TVDData data(&page);
  QWidget list(&page);
  data.SetControl(&list);
  data.ComponentData().SetReadOnlyAddr(260);
  BindCell(data, area, 560, stArray, 0, 3);
  area.Fill(560, {5, 6, 7});
  area.Fill(260, {0});
  std::vector<int> seen;
  bool enabledTold = true;
  data.OnLoad = [&](QObject&, uint8_t src, int index) { seen.push_back(src * 10 + index); };
  data.OnSetEnableEvent = [&](QObject&, bool enabled) { enabledTold = enabled; };
  data.OnStore = [](QObject&, uint8_t& value, int index) { value = static_cast<uint8_t>(index); };
  data.OnSetDefaultState = [](QObject&, uint8_t& value, int) { value = value + 3; };
  area.LoadAll();
  EXPECT_EQ(seen, (std::vector<int>{50, 61, 72}));
  EXPECT_FALSE(list.isEnabled());
  EXPECT_FALSE(enabledTold);

  area.StoreAll();
  EXPECT_EQ(area.Byte(562), 7) << "a greyed item stores nothing";

  area.Fill(260, {1});
  area.LoadAll();
  EXPECT_TRUE(list.isEnabled());
  EXPECT_TRUE(enabledTold);
  area.StoreAll();
  EXPECT_EQ(area.Byte(562), 2);
  area.SetDefaultsAll();
  EXPECT_EQ(area.Byte(560), 3);
  EXPECT_EQ(area.Byte(562), 9) << "each default starts from the previous byte";
}

TEST_F(BoundControls, LabelLightsItsBit) {
  TVDLabel label(&page);
  label.setText(QStringLiteral("Зажигание"));
  BindCell(label, area, 5, stBit, 2);
  area.Fill(5, {0x04});
  area.LoadAll();
  EXPECT_TRUE(label.Active());
  label.SetMarkerOffset(0);
  EXPECT_EQ(label.MarkerOffset(), 2);
  int loaded = -1;
  label.OnLoad = [&](QObject&, uint8_t src, int) { loaded = src; };
  area.LoadAll();
  EXPECT_EQ(loaded, 4);
}

TEST_F(BoundControls, HelpAnchorsOfControls) {
  TVDCheckBox box(&page);
  BindCell(box, area, 82, stBit, 5);
  TVDTrackBar bar(&page);
  BindCell(bar, area, 198, stByteHi);
  TVDLabel label(&page);
  EXPECT_EQ(ControlHelpAnchor(&box), QStringLiteral("cb82b5"));
  EXPECT_EQ(ControlHelpAnchor(&bar), QStringLiteral("tb198h1"));
  EXPECT_EQ(ControlHelpAnchor(&label), QString());
}

TEST_F(BoundControls, DestroyedControlLeavesItsArea) {
  {
    TVDCheckBox box(&page);
    BindCell(box, area, 82, stBit);
    EXPECT_EQ(area.Controls().size(), 1u);
  }
  EXPECT_TRUE(area.Controls().empty());
}

}  // namespace
