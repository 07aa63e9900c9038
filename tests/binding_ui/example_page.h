#pragma once

#include <memory>

#include "binding/example_page_table.h"
#include "binding/ui/page_builder.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_track_bar.h"

// The example page: the table built into a frame plus the page's own handlers, attached by
// control name as product pages attach theirs.
inline std::unique_ptr<TVDFrame> MakeExamplePage() {
  auto frame = std::make_unique<TVDFrame>(kExampleLanAddr);
  BuildPage(*frame, kExampleRows);
  const auto zone = [](int position) {
    if (position == 0) return QStringLiteral("выкл");
    if (position == 15) return QStringLiteral("максимум");
    return QString::number(position + 1);
  };
  frame->Control<TVDTrackBar>(QStringLiteral("tbAlarm")).SetValueFormat(zone);
  frame->Control<TVDTrackBar>(QStringLiteral("tbWarn")).SetValueFormat(zone);
  frame->Control<TVDTrackBar>(QStringLiteral("tbDelay")).SetValueFormat([](int position) {
    return QStringLiteral("%1 мин %2 с").arg(position / 60).arg(position % 60);
  });
  // Without the siren the alarm zone means nothing.
  auto& siren = frame->Control<TVDCheckBox>(QStringLiteral("cbSiren"));
  auto& alarm = frame->Control<TVDTrackBar>(QStringLiteral("tbAlarm"));
  siren.OnClick = [&siren, &alarm](QObject&) { alarm.SetDisabled(drRule, !siren.isChecked()); };
  return frame;
}
