#include "pages/main/program_editor.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "journal/event_table.h"
#include "journal/ui/event_field.h"
#include "journal/ui/event_grid.h"
#include "journal/ui/events_form.h"
#include "options_page_fixture.h"
#include "pages/main/main_board.h"
#include "pages/main/outputs_page.h"
#include "pages/modal_event_list.h"

namespace {

constexpr int kStopped = 0;  // mode "Снято с охраны"
constexpr int kAlarm = 2;    // mode "Тревога"
constexpr int kButtons12 = 0;
constexpr int kButtons13 = 1;
constexpr int kDoorOpened = 2;
constexpr int kDoorClosed = 3;

struct TEditor {
  explicit TEditor(const TOutputProgram& program = {}, int number = 1) {
    editor.Edit(number, program);
  }
  TEventsForm events{{[](int) { return false; }, [](int, bool) {}, [] { return uint32_t{0}; }}};
  TProgOuts editor{events};
};

TEST(ProgramEditorTest, OpensAndGivesBackEveryRecordItCanShow) {
  const TOutputProgram records[] = {
      {.Modes = 0x21, .Conditions = 0x14, .Times = {0, 1, 100, 252}, .PulseType = 3, .Repeat = 255},
      {.OnEvent = 251,
       .Times = {150, 177, 1, 1},
       .PulseType = 1,
       .Repeat = 7,
       .OffEvents = {1, 161, 196, 0},
       .OffDelays = {10, 0, 140, 242},
       .CancelEvents = {200, 0, 0, 45}},
      // Events a newer firmware knows and this program does not stay as they are.
      {.OnEvent = 47,
       .Times = {5, 1, 1, 1},
       .Repeat = 1,
       .OffEvents = {160, 0, 0, 0},
       .CancelEvents = {0, 163, 0, 255}},
  };
  for (const TOutputProgram& record : records) {
    SCOPED_TRACE(testing::PrintToString(record.Bytes()));
    TEditor opened(record);
    EXPECT_EQ(opened.editor.Program(), record);
  }
}

TEST(ProgramEditorTest, ShowsUnknownEventsByTheirCode) {
  TEditor opened({.OnEvent = 47, .Repeat = 1, .OffEvents = {160, 0, 0, 0}});
  EXPECT_EQ(opened.editor.OnEvent().List().currentText(), QStringLiteral("Событие 47"));
  EXPECT_EQ(opened.editor.OffEvent(0).List().currentText(), QStringLiteral("Событие 160"));
  EXPECT_TRUE(opened.editor.ByEvent());

  opened.editor.OffEvent(0).ChooseNumber(207);
  EXPECT_EQ(opened.editor.Program().OffEvents[0], 161);
  EXPECT_EQ(opened.editor.OffEvent(0).List().findText(QStringLiteral("Событие 160")), -1)
      << "a chosen event replaces the unknown one";
}

TEST(ProgramEditorTest, ListNumbersBecomeEventCodes) {
  const std::pair<int, int> numbers[] = {{52, 251}, {53, 1}, {207, 161}, {241, 196}, {0, 0}};
  for (const auto& [number, code] : numbers) {
    TEditor opened({.Modes = 1, .Repeat = 1});
    opened.editor.OnEvent().ChooseNumber(number);
    const TOutputProgram program = opened.editor.Program();
    EXPECT_EQ(program.OnEvent, code) << number;
    EXPECT_EQ(program.Modes, 0) << "choosing an event unticks the modes";
    EXPECT_TRUE(opened.editor.ByEvent());
  }
}

TEST(ProgramEditorTest, ModesAndConditionsSwitchOnByConditions) {
  TEditor opened({.Modes = (1 << kStopped) | (1 << kAlarm), .Repeat = 1});
  EXPECT_FALSE(opened.editor.ByEvent());
  EXPECT_TRUE(opened.editor.Mode(kStopped).isChecked());
  EXPECT_TRUE(opened.editor.Mode(kAlarm).isChecked());
  EXPECT_EQ(opened.editor.Program().Modes, 0b101);

  opened.editor.OnEvent().ChooseNumber(12);
  opened.editor.Condition(kButtons12).click();
  EXPECT_FALSE(opened.editor.ByEvent());
  EXPECT_EQ(opened.editor.Program().OnEvent, 0) << "a tick drops the event";
  opened.editor.Condition(kButtons13).click();
  opened.editor.Condition(kDoorClosed).click();
  opened.editor.Condition(kDoorOpened).click();
  EXPECT_EQ(opened.editor.Program().Conditions, (1 << kButtons13) | (1 << kDoorOpened))
      << "the two of a pair exclude each other";
}

TEST(ProgramEditorTest, PulseTypeEnablesTimesAndRepeats) {
  struct TCase {
    int Type;
    bool Times[4];
    bool Repeats;
  };
  const TCase cases[] = {{0, {true, false, false, false}, false},
                         {1, {true, true, false, false}, true},
                         {2, {true, true, true, false}, false},
                         {3, {true, true, true, true}, true}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Type);
    TEditor opened({.PulseType = 3, .Repeat = 9});
    opened.editor.PulseType().activated(c.Type);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(opened.editor.Time(i).isEnabled(), c.Times[i]) << i;
    EXPECT_EQ(opened.editor.Repeat().isEnabled(), c.Repeats);
    EXPECT_EQ(opened.editor.Repeat().value(), c.Repeats ? 9 : 1);
    EXPECT_EQ(opened.editor.Program().PulseType, c.Type);
  }
}

// A newer firmware's pulse type goes back unchanged unless the user picks a type.
TEST(ProgramEditorTest, AnUnknownPulseTypeIsKeptUntilAnotherIsChosen) {
  const TOutputProgram record{.Times = {5, 1, 1, 1}, .PulseType = 6, .Repeat = 4};
  TEditor opened(record);
  EXPECT_EQ(opened.editor.Program(), record);
  EXPECT_EQ(opened.editor.PulseType().currentIndex(), -1);
  EXPECT_TRUE(opened.editor.Time(3).isEnabled());
  opened.editor.PulseType().activated(2);
  EXPECT_EQ(opened.editor.Program().PulseType, 2);
  opened.editor.Edit(1, {.PulseType = 1, .Repeat = 1});
  EXPECT_EQ(opened.editor.Program().PulseType, 1) << "the next record's own type";
}

TEST(ProgramEditorTest, ResetClearsEverything) {
  TEditor opened({.Modes = 3,
                  .Times = {9, 9, 9, 9},
                  .PulseType = 3,
                  .Repeat = 9,
                  .OffEvents = {1, 2, 3, 4},
                  .OffDelays = {5, 6, 7, 8},
                  .CancelEvents = {47, 0, 0, 1}});
  opened.editor.Clear();
  EXPECT_EQ(opened.editor.Program(), TOutputProgram::Cleared());
  EXPECT_FALSE(opened.editor.Repeat().isEnabled());
}

TEST(ProgramEditorTest, ThePictureOpensTheEventListForItsField) {
  TEditor opened({.Repeat = 1}, 3);
  EXPECT_EQ(opened.editor.windowTitle(), QStringLiteral("Настройка программы № 3"));
  opened.editor.CancelEvent(1).PickerButton().click();
  ASSERT_TRUE(opened.events.isVisible());
  EXPECT_EQ(opened.events.windowTitle(),
            QStringLiteral("Список событий отмены задержки выключения №2"));
  QTest::mouseClick(&opened.events.Grid(), Qt::LeftButton, Qt::NoModifier,
                    opened.events.Grid().NameCellCentre(53));
  EXPECT_FALSE(opened.events.isVisible());
  EXPECT_EQ(opened.editor.Program().CancelEvents[1], 1);
  EXPECT_FALSE(opened.editor.ByEvent()) << "only the switch-on event switches on by event";
}

TEST(ProgramEditorTest, TheEventListServesTheModalEditor) {
  TModalEventList list;
  TProgOuts editor{list.events};
  editor.Edit(1, {});
  list.Use(editor, editor.OnEvent(), QStringLiteral("двер"), 12, 57);
  EXPECT_TRUE(list.menuOpened) << "the filter menu opens";
  EXPECT_TRUE(list.favourites.contains(12)) << "Ctrl+click marks a favourite";
  EXPECT_EQ(list.events.Search().text(), QStringLiteral("двер"));
  EXPECT_TRUE(list.pickedAndHidden);
  EXPECT_EQ(editor.OnEvent().Code(), EventCodeOf(57)) << "the chosen event reaches the editor";
  EXPECT_EQ(list.events.windowModality(), Qt::ApplicationModal);
}

// The outputs page's program records, read from and written to the settings image.
class TOutputsPagePrograms : public testing::Test {
 protected:
  TOutputsPagePrograms() { registry.BindControls(page.BoundControls(), {}); }
  TEEMemoryItem& Settings() const {
    return *dynamic_cast<TEEMemoryItem*>(registry.FindMem(2, mlExt));
  }

  TFakePageHost host;
  TMainBoard board;
  TMainOutputs page{host, board};
  TLanDevices registry;
  TModuleMemory module;
};

TEST_F(TOutputsPagePrograms, TheEditorEditsTheRecordInItsScatteredPlaces) {
  // Program 8: bytes 0..7 at 344, repeat at 633, off events at 796, delays at 860, cancels
  // at 44; its off event 2 is a code this program does not know.
  module.Put(344, {0, 0, 47, 20, 1, 2, 0, 0});
  module.Put(633, {5});
  module.Put(796, {200, 160, 0, 0});
  module.Put(44, {0, 0, 0, 163});
  Settings().Load(module);
  const TOutputProgram loaded = page.Programs().Program(8);
  EXPECT_EQ(loaded.OnEvent, 47);
  EXPECT_EQ(loaded.Repeat, 5);
  EXPECT_EQ(loaded.OffEvents[1], 160);

  QTimer::singleShot(0, [] {
    auto* editor = qobject_cast<TProgOuts*>(QApplication::activeModalWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->OnEvent().List().currentText(), QStringLiteral("Событие 47"));
    editor->OffEvent(0).ChooseNumber(53);
    editor->accept();
  });
  page.EditProgram(8);
  EXPECT_TRUE(Settings().IsModified());
  Settings().Store(module);
  EXPECT_EQ(module.Bytes[346], 47) << "an unknown switch-on event is stored back as it was";
  EXPECT_EQ(module.Bytes[796], 1);
  EXPECT_EQ(module.Bytes[797], 160);
  EXPECT_EQ(module.Bytes[47], 163);
  EXPECT_EQ(module.Bytes[633], 5);
}

TEST_F(TOutputsPagePrograms, CancellingTheEditorChangesNothing) {
  module.Put(352, {1, 0, 0, 20, 0, 1, 1, 1});
  Settings().Load(module);
  QTimer::singleShot(0, [] {
    auto* editor = qobject_cast<TProgOuts*>(QApplication::activeModalWidget());
    ASSERT_NE(editor, nullptr);
    editor->Clear();
    editor->reject();
  });
  page.EditProgram(1);
  EXPECT_FALSE(Settings().IsModified());
  EXPECT_EQ(page.Programs().Program(1).Modes, 1);
}

}  // namespace
