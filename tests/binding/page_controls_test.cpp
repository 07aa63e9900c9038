#include "binding/ui/page_controls.h"

#include <gtest/gtest.h>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_track_bar.h"
#include "test_support.h"

namespace {

// clang-format off
// The first box has no name; "VDCheckBox1", the name it would be given, is the second row's
// own.
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Охрана"},
    {.Kind = ckCheckBox, .Caption = "Без имени", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 0},
    {.Kind = ckHeading, .Caption = "Замки"},
    {.Name = "VDCheckBox1", .Kind = ckCheckBox, .Caption = "Капот", .Mem = mlExt, .Addr = 80,
     .Type = stBit, .Bit = 1},
    {.Name = "tbKm", .Kind = ckTrackBar, .Caption = "Пробег", .Mem = mlExt, .Addr = 242,
     .Type = st2Bytes, .Max = 16},
};
// clang-format on

TEST(PageControls, RowsFindTheirOwnControlsAndWidgetNamesNeverRepeat) {
  TVDFrame frame(2);
  const TPageControls controls = TPageControls::Build(frame, kRows);
  EXPECT_EQ(frame.findChildren<TVDCheckBox*>(QStringLiteral("VDCheckBox1")).size(), 1);
  EXPECT_EQ(frame.findChild<TVDCheckBox*>(QStringLiteral("VDCheckBox2"))->text(),
            QStringLiteral("Без имени"));
  EXPECT_EQ(controls.Get<TVDCheckBox>("VDCheckBox1").text(), QStringLiteral("Капот"));
  EXPECT_EQ(controls.Get<TVDTrackBar>("tbKm").GetCaption(), QStringLiteral("Пробег"));
  EXPECT_EQ(controls.At(0), nullptr);
  EXPECT_EQ(qobject_cast<TVDCheckBox*>(controls.At(1))->text(), QStringLiteral("Без имени"));
  EXPECT_THROW(controls.Get<TVDTrackBar>("VDCheckBox1"), std::logic_error);
  EXPECT_THROW(controls.Get<TVDCheckBox>("cbMissing"), std::logic_error);
  EXPECT_THROW(controls.Get<TVDCheckBox>(""), std::logic_error);
}

}  // namespace
