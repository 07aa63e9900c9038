#pragma once

#include <QWidget>
#include <functional>

#include "journal/event_favourites.h"

class QActionGroup;
class QLineEdit;
class QScrollArea;
class TEventGrid;

// The event list: the picker of the main module's events. A page opens it for one of its
// event fields; a click on an event hands the number to that field and hides the window,
// which serves the next opening as it is (filter, search and scroll position kept). Opened
// from a modal editor, it is modal over that editor.
class TEventsForm : public QWidget {
  Q_OBJECT

 public:
  explicit TEventsForm(TEventFavourites favourites, QWidget* parent = nullptr);

  // Shows the window for one field: `title` is the whole caption, `onPick` gets the number
  // (0 for "no event").
  void Open(const QString& title, std::function<void(int number)> onPick);

  TEventGrid& Grid() const { return *grid_; }
  QLineEdit& Search() const { return *search_; }
  void ChooseCategory(int category);
  // The explanation window of an event, shown modally.
  void ShowDescription(int number);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenu(class QMenuBar& bar);
  void ApplyFilter();
  void StayAbove(QWidget* editor);
  void Pick(int number);
  void ShowHelp();

  TEventGrid* grid_ = nullptr;
  QLineEdit* search_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QActionGroup* categories_ = nullptr;
  std::function<void(int)> onPick_;
};
