#include "shell/diff_tree.h"

#include <gtest/gtest.h>

#include "binding/config_diff.h"
#include "binding/page_table.h"

namespace {

constexpr TControlRow kCheck{.Name = "cbSiren", .Kind = ckCheckBox, .Caption = "Сирена"};
constexpr TControlRow kRadio{.Name = "rgMode", .Kind = ckRadioGroup, .Caption = "Режим"};
constexpr TControlRow kTrack{.Name = "tbTime", .Kind = ckTrackBar, .Caption = "Время"};
constexpr TControlRow kMemo{.Kind = ckMemo};
constexpr TControlRow kData{.Name = "vdPin", .Kind = ckData};
constexpr TPageTable kPage{"Diag", 2, {}, "Диагностика"};

TEST(DiffRows, ValuesAndCaptionsReadAsThePageShowsThem) {
  struct TCase {
    const char* what;
    TSettingChange change;
    TDiffRowText shown;
  };
  const TCase cases[] = {
      {"a check box as a mark",
       {&kPage, "cbSiren", 2, "Охрана", "Сирена", "0", "1", &kCheck},
       {"Сирена", "Охрана", "— выкл", "✓ вкл"}},
      {"a radio group by its item's text, brackets inside kept",
       {&kPage, "rgMode", 2, "Охрана", "Режим", "0 (нет)", "2 (с меткой (TAG))", &kRadio},
       {"Режим", "Охрана", "нет", "с меткой (TAG)"}},
      {"a track bar by its label, or its number where it has none",
       {&kPage, "tbTime", 2, "", "Время", "5 (10 с)", "7", &kTrack},
       {"Время", "", "10 с", "7"}},
      {"a control without a caption under its section's heading",
       {&kPage, "VDMemo1", 2, "Счётчики", "VDMemo1", "\"a\"", "\"b\"", &kMemo},
       {"Счётчики", "", "\"a\"", "\"b\""}},
      {"a data item, which has no section, under its page's title",
       {&kPage, "vdPin", 2, "", "vdPin", "00 00", "11 11", &kData},
       {"Диагностика", "", "00 00", "11 11"}},
  };
  for (const TCase& c : cases) {
    const TDiffRowText shown = PresentSetting(c.change);
    EXPECT_EQ((QStringList{shown.Caption, shown.Section, shown.Old, shown.New}),
              (QStringList{c.shown.Caption, c.shown.Section, c.shown.Old, c.shown.New}))
        << c.what;
  }
}

}  // namespace
