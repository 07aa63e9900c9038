#include "pages/main/security_page.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QTextBrowser>
#include <algorithm>
#include <set>
#include <string>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_track_bar.h"
#include "binding/value_labels.h"
#include "memory/ram_memory_item.h"
#include "options_page_fixture.h"
#include "pages/main/main_board.h"
#include "pages/main/outputs_editor.h"
#include "pages/main/outputs_page.h"
#include "pages/main/security_table.h"

namespace {

// Every box that a rule names, whose states a case compares.
constexpr const char* kRuleBoxes[] = {
    "VDCheckBox18", "VDCheckBox1",  "VDCheckBox2",  "VDCheckBox8",  "VDCheckBox21", "VDCheckBox20",
    "VDCheckBox38", "VDCheckBox41", "VDCheckBox46", "VDCheckBox10", "VDCheckBox26", "VDCheckBox51",
    "VDCheckBox60", "VDCheckBox72", "VDCheckBox63", "VDCheckBox64", "VDCheckBox71", "VDCheckBox78",
    "VDCheckBox24", "VDCheckBox48", "VDCheckBox82"};

const TControlRow& RowNamed(std::string_view name) {
  for (const TControlRow& row : MainSecurityTable().Rows) {
    if (name == row.Name) return row;
  }
  throw std::invalid_argument(std::string(name));
}

class SecurityPageTest : public ::testing::Test, public TBoundMainPage<TMainSecurity> {
 protected:
  TVDCheckBox& Box(const char* name) { return Control<TVDCheckBox>(name); }
  TVDTrackBar& Bar(const char* name) { return Control<TVDTrackBar>(name); }
  // The module holds exactly these boxes of the rules checked, and the page shows them.
  void ReadChecked(const std::set<std::string>& checked) {
    for (const char* name : kRuleBoxes) {
      const TControlRow& row = RowNamed(name);
      uint8_t& byte = module.Bytes[static_cast<size_t>(row.Addr)];
      byte = checked.contains(name) ? byte | (1 << row.Bit) : byte & ~(1 << row.Bit);
    }
    Read();
  }
  std::set<std::string> Checked() {
    std::set<std::string> checked;
    for (const char* name : kRuleBoxes) {
      if (Box(name).isChecked()) checked.insert(name);
    }
    return checked;
  }
};

TEST_F(SecurityPageTest, AClickChangesExactlyTheBoxesItsRulesName) {
  struct TCase {
    std::set<std::string> Before;
    const char* Click;
    std::set<std::string> After;
  };
  const std::set<std::string> authorisation = {"VDCheckBox18", "VDCheckBox1", "VDCheckBox2",
                                               "VDCheckBox8", "VDCheckBox21"};
  const TCase cases[] = {
      // Repeated authorisation and the start by a door go together, each way.
      {authorisation, "VDCheckBox18", {}},
      {{}, "VDCheckBox2", authorisation},
      {{}, "VDCheckBox1", authorisation},
      {{}, "VDCheckBox21", authorisation},
      {authorisation, "VDCheckBox1", {"VDCheckBox18"}},
      {authorisation, "VDCheckBox8", {"VDCheckBox18", "VDCheckBox1"}},
      // A box that only applies another box's rule again.
      {{"VDCheckBox8"}, "VDCheckBox48", {"VDCheckBox8", "VDCheckBox48"}},
      {{"VDCheckBox21"},
       "VDCheckBox48",
       {"VDCheckBox48", "VDCheckBox21", "VDCheckBox2", "VDCheckBox18", "VDCheckBox1",
        "VDCheckBox8"}},
      {{"VDCheckBox78"}, "VDCheckBox82", {"VDCheckBox82", "VDCheckBox78", "VDCheckBox71"}},
      {{"VDCheckBox20", "VDCheckBox38"}, "VDCheckBox20", {}},
      {{}, "VDCheckBox38", {"VDCheckBox38", "VDCheckBox20"}},
      // 41 works together with 46: checking 41 keeps it, only taking 46 away takes 41.
      {{}, "VDCheckBox41", {"VDCheckBox41", "VDCheckBox46"}},
      {{"VDCheckBox41"}, "VDCheckBox46", {"VDCheckBox41", "VDCheckBox46"}},
      {{"VDCheckBox41", "VDCheckBox46"}, "VDCheckBox46", {}},
      {{"VDCheckBox41", "VDCheckBox46"}, "VDCheckBox10", {"VDCheckBox10"}},
      // The CAN wake-up boxes need the code by CAN activity and exclude each other; the box
      // checked keeps its state although the box it checks unchecks it on a click.
      {{}, "VDCheckBox60", {"VDCheckBox60", "VDCheckBox51"}},
      {{"VDCheckBox51", "VDCheckBox60"}, "VDCheckBox72", {"VDCheckBox51", "VDCheckBox72"}},
      {{}, "VDCheckBox51", {"VDCheckBox51"}},
      {{"VDCheckBox51", "VDCheckBox60"}, "VDCheckBox51", {}},
      {{"VDCheckBox51", "VDCheckBox72"}, "VDCheckBox26", {"VDCheckBox26"}},
      // The check of the main module follows the digital output.
      {{}, "VDCheckBox63", {"VDCheckBox63", "VDCheckBox64"}},
      {{}, "VDCheckBox64", {"VDCheckBox63", "VDCheckBox64"}},
      {{"VDCheckBox24", "VDCheckBox63", "VDCheckBox64"}, "VDCheckBox24", {}},
      {{}, "VDCheckBox78", {"VDCheckBox78", "VDCheckBox71"}},
      {{"VDCheckBox71", "VDCheckBox78"}, "VDCheckBox71", {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Click);
    ReadChecked(c.Before);
    ASSERT_EQ(Checked(), c.Before);
    Box(c.Click).click();
    EXPECT_EQ(Checked(), c.After);
  }
}

TEST(SecurityValueLabels, ShowTheUnitsOfEachScale) {
  const auto text = [](const char* name, int position) {
    const auto labels = MainSecurityTable().Labels;
    const auto row = std::find_if(labels.begin(), labels.end(), [name](const TValueLabelRow& r) {
      return std::string_view(r.Name) == name;
    });
    return row == labels.end() ? QStringLiteral("no label") : ValueLabelText(*row, position);
  };
  const auto decimal = [](const char* expected) {
    return QString::fromUtf8(expected).replace(u'.', QLocale().decimalPoint());
  };
  struct TCase {
    const char* Name;
    int Position;
    const char* Text;
  };
  const TCase cases[] = {
      {"VDTrackBar1", 0, " 0.0 с"},       {"VDTrackBar1", 19, " 1.9 с"},
      {"VDTrackBar14", 50, " 5.0 с"},     {"VDTrackBar10", 0, "0.0 c"},
      {"VDTrackBar10", 3, "1.5 c"},       {"VDTrackBar10", 6, "3.0 c"},
      {"VDTrackBar10", 7, "  4 c"},       {"VDTrackBar11", 8, "  5 c"},
      {"VDTrackBar11", 9, "  6 c"},       {"VDTrackBar12", 0, "0 мс"},
      {"VDTrackBar12", 104, "5200 мс"},   {"VDTrackBar15", 250, "25.0 с"},
      {"VDTrackBar16", 0, "1.5 с"},       {"VDTrackBar16", 7, "5.5 с"},
      {"VDTrackBar16", 8, "6.5 с"},       {"VDTrackBar17", 1, "1 мин"},
      {"VDTrackBar17", 8, "8 мин"},       {"VDTrackBar18", 0, "ВЫКЛ"},
      {"VDTrackBar18", 30, " 3.0 с"},     {"VDTrackBar19", 0, "ВЫКЛ"},
      {"VDTrackBar19", 60, "3000 мс"},    {"VDTrackBar3", 0, "10 mg"},
      {"VDTrackBar3", 10, "20 mg"},       {"VDTrackBar3", 15, "ВЫКЛ. АКСЕЛ"},
      {"VDTrackBar4", 15, "15 сек"},      {"VDTrackBar5", 10, "20 сек"},
      {"VDTrackBar5", 30, "60 сек"},      {"VDTrackBar5", 31, "1 мин 2 сек"},
      {"VDTrackBar5", 90, "3 мин 0 сек"}, {"VDTrackBar6", 50, "50 км/ч"},
      {"VDTrackBar9", 0, "0 км/ч"},       {"VDTrackBar7", 0, "1 секунда"},
      {"tbImmRearm", 4, "10 секунд"},     {"VDTrackBar7", 11, "45 секунд"},
      {"VDTrackBar8", 0, "1 сек"},        {"VDTrackBar8", 7, "8 сек"},
      {"VDTrackBar8", 8, "10 сек"},       {"VDTrackBar8", 14, "22 сек"},
      {"VDTrackBar8", 15, "25 сек"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(text(c.Name, c.Position), decimal(c.Text)) << c.Name << " " << c.Position;
  }
}

TEST_F(SecurityPageTest, TheEngineBlockingDelayIsKeptInHalfMinutes) {
  constexpr int kAddr = 681;
  module.Put(kAddr, {90});
  module.Put(270, {0xFF});  // the newer firmware's availability bits
  Read();
  EXPECT_EQ(Bar("VDTrackBar17").Position(), 3);
  EXPECT_EQ(Bar("VDTrackBar17").ValueLabel()->text(), QStringLiteral("3 мин"));
  Write();
  EXPECT_EQ(module.Bytes[kAddr], 90);
  Bar("VDTrackBar17").SetPosition(8);
  Write();
  EXPECT_EQ(module.Bytes[kAddr], 240);
}

TEST_F(SecurityPageTest, DoubleAccessIsCheckedOnlyWhenTheUserConfirms) {
  Read();
  TVDCheckBox& box = Box("VDCheckBox3");
  box.show();
  host.Yes = false;
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_FALSE(box.isChecked());
  ASSERT_EQ(host.Asked, QStringList{QStringLiteral("Двойной доступ: Вы уверены?")});
  QTest::keyClick(&box, Qt::Key_Space);
  EXPECT_FALSE(box.isChecked()) << "the keyboard asks too";

  host.Yes = true;
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_TRUE(box.isChecked());
  EXPECT_TRUE(Settings().IsModified());
  host.Asked.clear();
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_FALSE(box.isChecked());
  EXPECT_TRUE(host.Asked.isEmpty()) << "unchecking needs no confirmation";
}

TEST_F(SecurityPageTest, ChoosingTheSafeStopBySpeedStartsAtFifteen) {
  Read();
  Bar("VDTrackBar6").SetPosition(40);
  Box("VDCheckBox17").click();
  EXPECT_EQ(Bar("VDTrackBar6").Position(), 15);
  Bar("VDTrackBar6").SetPosition(40);
  Box("VDCheckBox17").click();
  EXPECT_EQ(Bar("VDTrackBar6").Position(), 40) << "unchecking leaves the speed";
}

TEST_F(SecurityPageTest, TheEngineStopBarMarksTheSpanOfTheSwitchOffDelays) {
  Read();
  Bar("VDTrackBar2").SetPosition(3);
  Bar("tbCutOff1_Off").SetPosition(10);
  EXPECT_EQ(Bar("VDTrackBar12").Selection(), std::make_pair(6, 20));
}

TEST_F(SecurityPageTest, TheAntiHijackHelpExplainsTheStandardTimings) {
  QDialog* help = page.AntiHijackHelp();
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Справка по AHJ"));
  const QString text = help->findChild<QTextBrowser*>()->toPlainText();
  EXPECT_TRUE(text.startsWith(QStringLiteral("Стандартный переход в режим \"Защита от захвата\" (AHJ)")));
  EXPECT_TRUE(text.contains(QStringLiteral("вырабатывается событие №145.")));
  EXPECT_TRUE(text.endsWith(QStringLiteral("запуск двигателя будет запрещён.")));
}

// The outputs page beside the security page, on a third-generation board whose digital
// output pin 10.о carries a function.
class DigitalOutputTest : public SecurityPageTest {
 protected:
  static constexpr uint8_t kThirdGeneration = 4;
  static constexpr int kLock = 4;  // in the grid's third column

  void SetUp() override {
    registry.BindControls(outputs.BoundControls(), {});
    host.Pages.insert(QStringLiteral("MainOutputs"), &outputs);
    host.Pages.insert(QStringLiteral("MainSecurity"), &page);
    module.Put(0, {kThirdGeneration});
    flash.Bytes.resize(kFlashSize);
    dynamic_cast<TRAMMemoryItem&>(*registry.FindMem(2, mlFlash)).Load(flash);
    Read();
    const auto& pins = board.Model().Pcb().Outputs();
    for (size_t pin = 0; pin < pins.size(); ++pin) {
      if (pins[pin].DigitalOutput) digitalPin = static_cast<int>(pin);
    }
    ASSERT_GE(digitalPin, 0);
  }
  void Assign(int taskId, int pin) {
    outputs.PageShown();
    outputs.ClickCell(outputs.RowOfPin(pin), outputs.ColumnOfTask(taskId), false);
  }

  static constexpr int kFlashSize = 65536;
  TMainBoard board;
  TMainOutputs outputs{host, board};
  TModuleMemory flash;
  int digitalPin = -1;
};

TEST_F(DigitalOutputTest, CheckingItFreesItsPinAndTheOutputsPageRefusesThePin) {
  Assign(kLock, digitalPin);
  ASSERT_EQ(board.Model().Task(kLock)->Pin, digitalPin);

  Box("VDCheckBox24").click();
  EXPECT_EQ(board.Model().Task(kLock)->Pin, -1);
  Assign(kLock, digitalPin);
  EXPECT_EQ(board.Model().Task(kLock)->Pin, -1) << "the pin is the digital output's";

  Box("vdcbDigitalOut2").click();
  Assign(kLock, digitalPin);
  EXPECT_EQ(board.Model().Task(kLock)->Pin, digitalPin)
      << "with the second digital output the first is a plain output";
  Box("vdcbDigitalOut2").click();
  EXPECT_EQ(board.Model().Task(kLock)->Pin, -1);
}

TEST_F(DigitalOutputTest, TheOutputsPageFollowsTheSwitchesAsReadFromTheModule) {
  module.Put(554, {1 << 6});
  Read();
  Assign(kLock, digitalPin);
  EXPECT_EQ(board.Model().Task(kLock)->Pin, -1);
}

}  // namespace
