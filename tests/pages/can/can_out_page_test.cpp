#include "pages/can/can_out_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_track_bar.h"
#include "journal/event_table.h"
#include "journal/ui/event_field.h"
#include "journal/ui/events_form.h"
#include "pages/can/can_program_editor.h"
#include "pages/can/can_program_grid.h"
#include "pages/main/main_board.h"
#include "pages/main/outputs_page.h"
#include "pages/modal_event_list.h"
#include "shell/fake_page_host.h"
#include "vehicle_memory_fixture.h"

namespace {

constexpr int kCanOutputs = 548;
constexpr int kCanBoxes = 546;
constexpr int kProgramCommands = 64256;
constexpr int kProgramEvents = 896;

// The CAN outputs page and the main module's outputs page, which keeps the same CAN outputs
// byte.
class TCanOutOnTheBus : public TVehicleMemoryTest {
 protected:
  TCanOutOnTheBus() {
    registry.BindControls(outputs.BoundControls(), {});
    registry.BindControls(page.BoundControls(), {});
  }

  TFakePageHost host;
  TMainBoard board;
  TMainOutputs outputs{host, board};
  TCanOut page{host};
};

TEST_F(TCanOutOnTheBus, ReadingShowsTheStoredArmingAndDisarmingChoices) {
  struct TCase {
    uint8_t Byte;
    uint8_t Boxes;  // bits 5, 6 and 7 of 546
    int Arming;
    int Disarming;
  };
  const TCase cases[] = {
      {0x00, 0x00, 0, 0}, {0x04, 0x00, 1, 0}, {0x04, 0x40, 2, 0}, {0x00, 0x40, 3, 0},
      {0x00, 0x20, 4, 0}, {0x08, 0x00, 0, 1}, {0x08, 0x80, 0, 2}, {0x00, 0x80, 0, 3},
      {0x80, 0x00, 0, 4}, {0x84, 0xE0, 4, 4},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.Byte) << " " << int(c.Boxes));
    Poke(kSimExt, kCanOutputs, c.Byte);
    Poke(kSimExt, kCanBoxes, c.Boxes);
    Read();
    EXPECT_EQ(page.ArmingItem(), c.Arming);
    EXPECT_EQ(page.DisarmingItem(), c.Disarming);
  }
}

TEST_F(TCanOutOnTheBus, ChoicesWriteTheirBitsAndTheOutputsPageKeepsThem) {
  Poke(kSimExt, kCanOutputs, 0x01);
  Read();
  auto& alarmOn = page.Controls().Get<TVDCheckBox>("VDCheckBox3");

  page.ChooseArming(2);
  EXPECT_TRUE(alarmOn.isChecked());
  page.ChooseArming(3);
  EXPECT_TRUE(alarmOn.isChecked());
  page.ChooseDisarming(4);
  EXPECT_FALSE(page.Controls().Get<TVDCheckBox>("VDCheckBox4").isChecked());
  Write();
  EXPECT_EQ(Peek(kSimExt, kCanOutputs), 0x81) << "bit 2 cleared by item 3, bit 7 set, bit 0 kept";
  EXPECT_EQ(Peek(kSimExt, kCanBoxes) & 0xE0, 0x40);

  page.ChooseDisarming(0);
  Write();
  EXPECT_EQ(Peek(kSimExt, kCanOutputs), 0x01);
  Read();
  EXPECT_EQ(page.ArmingItem(), 3);
  EXPECT_EQ(page.DisarmingItem(), 0);
}

// Runs `edit` on the program editor as soon as the page opens it, then presses "ОК".
void WhenEditorOpens(std::function<void(TProgCan&)> edit) {
  QTimer::singleShot(0, [edit = std::move(edit)] {
    auto* editor = qobject_cast<TProgCan*>(QApplication::activeModalWidget());
    ASSERT_NE(editor, nullptr);
    edit(*editor);
    editor->accept();
  });
}

TEST_F(TCanOutOnTheBus, AnEditedProgramReachesTheModulesFlashAndSettings) {
  Read();
  WhenEditorOpens([](TProgCan& editor) {
    editor.Command().setCurrentIndex(15);
    editor.OnEvent().ChooseNumber(1);
    editor.Repeats().setValue(3);
  });
  page.EditProgram(2);
  EXPECT_EQ(page.Programs().Program(2).Command, 17);
  Write();
  EXPECT_EQ(Peek(kSimFlash, kProgramCommands + 2), 17);
  EXPECT_EQ(Peek(kSimExt, kProgramEvents + 8), 200);
  EXPECT_EQ(Peek(kSimExt, kProgramEvents + 11), 3);
}

TEST_F(TCanOutOnTheBus, TheGridShowsCommandAndSwitchOnEventOfEachProgram) {
  Poke(kSimFlash, kProgramCommands + 0, 17);
  Poke(kSimExt, kProgramEvents + 0, 200);
  Poke(kSimFlash, kProgramCommands + 1, 0);
  Poke(kSimExt, kProgramEvents + 4, 200);
  Poke(kSimFlash, kProgramCommands + 2, 255);
  Poke(kSimExt, kProgramEvents + 8, 0);
  Read();
  const QString first = page.ProgramGrid().EditButton(0).text();
  EXPECT_TRUE(first.startsWith(QStringLiteral("Команда: 17. "))) << first.toStdString();
  EXPECT_TRUE(first.contains(QStringLiteral("\nСобытие: 1 "))) << first.toStdString();
  EXPECT_TRUE(page.ProgramGrid().EditButton(1).text().contains(QStringLiteral("--------")))
      << "a switch-on event without a command is still shown";
  EXPECT_EQ(page.ProgramGrid().EditButton(2).text(), QStringLiteral("+"));
}

TEST_F(TCanOutOnTheBus, ResetClearsAllNineBytesOfAProgram) {
  Poke(kSimFlash, kProgramCommands + 5, 3);
  for (int i = 0; i < 4; ++i) {
    Poke(kSimExt, kProgramEvents + 20 + i, uint8_t(200 + i));
    Poke(kSimExt, 960 + 20 + i, uint8_t(201 + i));
  }
  Read();
  page.ResetProgram(5);
  Write();
  EXPECT_EQ(Peek(kSimFlash, kProgramCommands + 5), 0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Peek(kSimExt, kProgramEvents + 20 + i), 0);
    EXPECT_EQ(Peek(kSimExt, 960 + 20 + i), 0);
  }
}

struct TCanEditor : ::testing::Test {
  TCanProgram Reopened(const TCanProgram& program) {
    editor.Edit(1, program);
    return editor.Program();
  }
  TEventsForm events{{}};
  TProgCan editor{events};
};

TEST_F(TCanEditor, ACommandTheListCannotOfferIsKeptUntilTheUserPicksAnother) {
  for (const uint8_t command : {15, 16, 42, 63, 255}) {
    SCOPED_TRACE(int(command));
    const TCanProgram program{.Command = command, .OnEvent = 200};
    EXPECT_EQ(Reopened(program), program);
  }
  editor.Edit(1, {.Command = 16, .OnEvent = 200});
  editor.Command().setCurrentIndex(3);
  emit editor.Command().activated(3);
  EXPECT_EQ(editor.Program().Command, 3);
  EXPECT_EQ(editor.Command().count(), kCanCommandItems) << "the kept command left the list";
}

TEST_F(TCanEditor, StoredBytesComeBackAsTheyWere) {
  const TCanProgram program{.Command = 17,
                            .OnEvent = 200,
                            .Delay = 130,
                            .Pause = 137,
                            .Repeats = 254,
                            .OffEvents = {1, 0, 45, 51}};
  EXPECT_EQ(Reopened(program), program);
  EXPECT_EQ(editor.Delay().value(), 103);
  EXPECT_EQ(editor.Pause().value(), 110);
  EXPECT_EQ(editor.Command().currentIndex(), 15);
  EXPECT_EQ(Reopened({.Command = 1, .Delay = 110, .Repeats = 255}).Delay, 137)
      << "bytes 101 to 127 are no time; 110 is position 110";
  EXPECT_EQ(Reopened({.Command = 1, .Repeats = 255}).Repeats, 254);
}

TEST(CanProgramEditor, TheEventListServesTheModalEditor) {
  TModalEventList list;
  TProgCan editor{list.events};
  editor.Edit(1, {.Command = 5});
  list.Use(editor, editor.OnEvent(), QStringLiteral("двер"), 12, 57);
  EXPECT_TRUE(list.menuOpened) << "the filter menu opens";
  EXPECT_TRUE(list.favourites.contains(12)) << "Ctrl+click marks a favourite";
  EXPECT_TRUE(list.pickedAndHidden);
  EXPECT_EQ(editor.OnEvent().Code(), EventCodeOf(57)) << "the chosen event reaches the editor";
}

TEST_F(TCanEditor, NoCommandClearsTheEventsAndNoSwitchOnEventClearsTheSwitchOffEvents) {
  const TCanProgram withoutCommand =
      Reopened({.Command = 0, .OnEvent = 200, .OffEvents = {201, 202, 203, 204}});
  EXPECT_EQ(withoutCommand, TCanProgram{});
  const TCanProgram withoutStart = Reopened({.Command = 5, .OffEvents = {201, 202, 203, 204}});
  EXPECT_EQ(withoutStart, TCanProgram{.Command = 5});
}

}  // namespace

namespace {

// The sections the main firmware 4 and 5 know are greyed for any other, unless in demo mode;
// the timers stay.
TEST(CanPagesFirmware, OlderFirmwareGreysTheCanSectionsButNotTheTimers) {
  TFakePageHost host;
  TCanOut page{host};
  auto& version = page.Controls().Get<TVDData>("vddMainVersion");
  version.OnLoad(version, 3, 0);
  EXPECT_FALSE(page.Arming().isEnabled());
  EXPECT_FALSE(page.Controls().Get<TVDCheckBox>("VDCheckBox15").isEnabled());
  EXPECT_TRUE(page.Controls().Get<TVDTrackBar>("VDTrackBar2").isEnabled());
  version.OnLoad(version, 9, 1);
  EXPECT_FALSE(page.Arming().isEnabled()) << "only the major version decides";
  version.OnLoad(version, 5, 0);
  EXPECT_TRUE(page.Arming().isEnabled());
  host.Demo = true;
  version.OnLoad(version, 3, 0);
  EXPECT_TRUE(page.Arming().isEnabled());
}

}  // namespace
