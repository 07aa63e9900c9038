#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "journal/ui/event_field.h"
#include "journal/ui/event_grid.h"
#include "journal/ui/events_form.h"

// The event list as a program editor gets it from its page, worked the way a user works it
// while the editor runs modally: every key and click goes through the window system, where a
// window that a modal editor blocks gets none of them.
struct TModalEventList {
  // Inside the editor's exec(): the picture beside `field` opens the list; the filter menu
  // opens; Ctrl+click marks `favourite`; typing `search` filters; a click on `number` picks
  // it. Then the editor is accepted.
  void Use(QDialog& editor, TEventField& field, const QString& search, int favourite, int number) {
    QTimer::singleShot(0, &editor, [&, search, favourite, number] {
      Work(field, search, favourite, number);
      events.hide();
      editor.accept();
    });
    editor.exec();
  }

  QSet<int> favourites;
  TEventsForm events{
      {[this](int n) { return favourites.contains(n); },
       [this](int n, bool on) { on ? void(favourites.insert(n)) : void(favourites.remove(n)); },
       [] { return uint32_t{0}; }}};
  bool menuOpened = false;
  bool pickedAndHidden = false;

 private:
  void Work(TEventField& field, const QString& search, int favourite, int number) {
    field.PickerButton().click();
    ASSERT_TRUE(events.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&events));
    QWindow* list = events.windowHandle();

    auto* bar = events.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    const QRect filter = bar->actionGeometry(bar->actions().constFirst());
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, bar->mapTo(&events, filter.center()));
    if (QWidget* menu = QApplication::activePopupWidget()) {
      menuOpened = true;
      menu->close();
    }

    Click(list, favourite, Qt::ControlModifier);
    QLineEdit& searchField = events.Search();
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier,
                      searchField.mapTo(&events, searchField.rect().center()));
    for (const QChar letter : search) {
      QTest::sendKeyEvent(QTest::Click, list, Qt::Key(letter.toUpper().unicode()), QString(letter),
                          Qt::NoModifier);
    }
    Click(list, number, Qt::NoModifier);
    pickedAndHidden = !events.isVisible();
  }
  void Click(QWindow* list, int number, Qt::KeyboardModifiers modifiers) {
    const QPoint cell = events.Grid().NameCellCentre(number);
    ASSERT_FALSE(cell.isNull()) << number;
    QTest::mouseClick(list, Qt::LeftButton, modifiers, events.Grid().mapTo(&events, cell));
  }
};
