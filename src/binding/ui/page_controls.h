#pragma once

#include <QObject>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "binding/control_table.h"

class TVDFrame;

// The controls BuildPage made from a table, found by the names of their rows. Rows without a
// name get generated object names ("VDCheckBox26"); the lookup goes by the row's place in the
// table, so only the names the table gives find a control.
class TPageControls {
 public:
  // Builds the table into the frame and remembers which control each row became.
  static TPageControls Build(TVDFrame& frame, std::span<const TControlRow> rows);

  std::span<const TControlRow> Rows() const { return rows_; }
  // The control of row `index`; nullptr for a heading.
  QObject* At(std::size_t index) const { return controls_.at(index); }

  // The control of the row named `name`; a wrong name or kind is a programming error.
  template <class T>
  T& Get(std::string_view name) const {
    if (auto* control = dynamic_cast<T*>(Find(name))) return *control;
    throw std::logic_error("no control of that kind on the page: " + std::string(name));
  }
  // The control of the row named `name`; nullptr when no row has that name.
  QObject* Find(std::string_view name) const;

 private:
  TPageControls(std::span<const TControlRow> rows, std::vector<QObject*> controls)
      : rows_(rows), controls_(std::move(controls)) {}

  std::span<const TControlRow> rows_;
  std::vector<QObject*> controls_;
};
