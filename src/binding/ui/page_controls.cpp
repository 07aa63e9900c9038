#include "binding/ui/page_controls.h"

#include <algorithm>

#include "binding/ui/page_builder.h"
#include "binding/ui/vd_frame.h"

TPageControls TPageControls::Build(TVDFrame& frame, std::span<const TControlRow> rows) {
  const std::size_t before = frame.BoundControls().size();
  BuildPage(frame, rows);
  const std::vector<IBoundControl*> bound = frame.BoundControls();
  // The builder adds one bound control per bound row, in table order.
  const auto boundRows = std::count_if(rows.begin(), rows.end(),
                                       [](const TControlRow& row) { return IsBound(row.Kind); });
  if (bound.size() - before != static_cast<std::size_t>(boundRows)) {
    throw std::logic_error("the page builder did not make one control per bound row");
  }
  std::vector<QObject*> controls;
  auto next = bound.begin() + static_cast<std::ptrdiff_t>(before);
  for (const TControlRow& row : rows) {
    controls.push_back(IsBound(row.Kind) ? dynamic_cast<QObject*>(*next++) : nullptr);
  }
  return TPageControls(rows, std::move(controls));
}

QObject* TPageControls::Find(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (name == rows_[i].Name) return controls_[i];
  }
  return nullptr;
}
