#include "binding/ui/check_rules.h"

#include <gtest/gtest.h>

#include <QTest>

#include "binding/fake_memory_area.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "test_support.h"

namespace {

// clang-format off
// Bits 0..4 of byte 80: the lock, the hood, the alarm, the siren and a box that only
// re-applies the hood's rule.
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Замки"},
    {.Name = "cbLock", .Kind = ckCheckBox, .Caption = "Замок", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 0},
    {.Name = "cbHood", .Kind = ckCheckBox, .Caption = "Капот", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 1},
    {.Name = "cbAlarm", .Kind = ckCheckBox, .Caption = "Тревога", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 2},
    {.Name = "cbSiren", .Kind = ckCheckBox, .Caption = "Сирена", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 3},
    {.Name = "cbRepeat", .Kind = ckCheckBox, .Caption = "Повтор", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 4},
};

// The hood needs the lock; the alarm needs the hood and excludes the siren.
constexpr TCheckRule kRules[] = {
    {.Box = "cbLock", .When = false, .Target = "cbHood", .Then = false},
    {.Box = "cbHood", .When = true, .Target = "cbLock", .Then = true},
    {.Box = "cbHood", .When = false, .Target = "cbAlarm", .Then = false},
    {.Box = "cbAlarm", .When = true, .Target = "cbHood", .Then = true},
    {.Box = "cbAlarm", .When = true, .Target = "cbSiren", .Then = false},
};
static_assert(CheckRules(kRules) == -1);
constexpr TCheckRuleTrigger kTriggers[] = {{.Clicked = "cbRepeat", .Box = "cbHood"}};

// Each rule undoes the one before: a circle that ends because each box is settled once.
constexpr TCheckRule kCircle[] = {
    {.Box = "cbLock", .When = true, .Target = "cbHood", .Then = true},
    {.Box = "cbHood", .When = true, .Target = "cbLock", .Then = false},
    {.Box = "cbLock", .When = false, .Target = "cbHood", .Then = false},
    {.Box = "cbHood", .When = false, .Target = "cbLock", .Then = true},
};
static_assert(CheckRules(kCircle) == -1);
constexpr TCheckRule kSelf[] = {{.Box = "cbA", .When = true, .Target = "cbB", .Then = true},
                                {.Box = "cbA", .When = true, .Target = "cbA", .Then = false}};
static_assert(CheckRules(kSelf) == 1);
constexpr TCheckRule kBothWays[] = {{.Box = "cbA", .When = true, .Target = "cbB", .Then = true},
                                    {.Box = "cbA", .When = false, .Target = "cbB", .Then = false},
                                    {.Box = "cbA", .When = true, .Target = "cbB", .Then = false}};
static_assert(CheckRules(kBothWays) == 2);
// clang-format on

class CheckRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (IBoundControl* control : frame.BoundControls()) area.Attach(*control);
    area.Fill(80, {0x00});
    area.LoadAll();
  }
  TVDCheckBox& Box(const char* name) { return controls.Get<TVDCheckBox>(name); }
  bool Checked(const char* name) { return Box(name).isChecked(); }

  // The area outlives the controls, which leave it when they go.
  TFakeMemoryArea area;
  TVDFrame frame{2};
  TPageControls controls = TPageControls::Build(frame, kRows);
  TCheckRules rules{controls, kRules, kTriggers, &frame};
};

TEST_F(CheckRulesTest, AClickCascadesAsIfTheUserHadClickedEachBox) {
  Box("cbSiren").click();
  Box("cbAlarm").click();
  EXPECT_TRUE(Checked("cbHood"));
  EXPECT_TRUE(Checked("cbLock")) << "the hood's own rule ran in turn";
  EXPECT_FALSE(Checked("cbSiren"));
  EXPECT_TRUE(Box("cbLock").font().bold()) << "set by a rule, shown as changed";
  EXPECT_FALSE(Box("cbSiren").font().bold());
  EXPECT_EQ(area.ModifiedCalls(), 5) << "every box the cascade set told the area";
  area.StoreAll();
  EXPECT_EQ(area.Byte(80), 0x07);

  Box("cbLock").click();
  EXPECT_FALSE(Checked("cbHood"));
  EXPECT_FALSE(Checked("cbAlarm")) << "unchecking the hood unchecked the alarm";
  area.StoreAll();
  EXPECT_EQ(area.Byte(80), 0x00);
}

TEST_F(CheckRulesTest, LoadedSettingsAreShownAsTheModuleHoldsThem) {
  area.Fill(80, {0x0C});  // alarm and siren without the hood
  const int before = area.ModifiedCalls();
  area.LoadAll();
  EXPECT_TRUE(Checked("cbAlarm"));
  EXPECT_TRUE(Checked("cbSiren"));
  EXPECT_FALSE(Checked("cbHood"));
  EXPECT_EQ(area.ModifiedCalls(), before);
}

TEST_F(CheckRulesTest, ATriggerAppliesAnotherBoxsRuleForItsState) {
  area.Fill(80, {0x02});  // the hood without the lock
  area.LoadAll();
  Box("cbRepeat").click();
  EXPECT_TRUE(Checked("cbLock"));
  Box("cbHood").click();
  EXPECT_TRUE(Checked("cbLock"));
  Box("cbRepeat").click();
  EXPECT_TRUE(Checked("cbLock")) << "the hood's rule for an unchecked hood sets nothing here";
}

TEST_F(CheckRulesTest, TheKeyboardRunsTheRulesToo) {
  QTest::keyClick(&Box("cbHood"), Qt::Key_Space);
  EXPECT_TRUE(Checked("cbHood"));
  EXPECT_TRUE(Checked("cbLock"));
}

// Rules that would undo their own cause: the box the user clicked keeps the state the user
// gave it, every other box changes at most once, and the cascade ends.
TEST(CheckRulesCircle, AConsequenceNeverUndoesItsCause) {
  TFakeMemoryArea area;
  TVDFrame frame{2};
  const TPageControls controls = TPageControls::Build(frame, kRows);
  const TCheckRules rules{controls, kCircle, {}, &frame};
  for (IBoundControl* control : frame.BoundControls()) area.Attach(*control);
  area.Fill(80, {0x00});
  area.LoadAll();
  auto& lock = controls.Get<TVDCheckBox>("cbLock");
  auto& hood = controls.Get<TVDCheckBox>("cbHood");

  lock.click();
  EXPECT_TRUE(lock.isChecked()) << "the hood's rule gave way to the user's click";
  EXPECT_TRUE(hood.isChecked());
  hood.click();
  EXPECT_FALSE(hood.isChecked());
  EXPECT_TRUE(lock.isChecked());
  lock.click();
  EXPECT_FALSE(lock.isChecked());
  EXPECT_FALSE(hood.isChecked()) << "the lock's rule for an unchecked lock ran";
}

}  // namespace
