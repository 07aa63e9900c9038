#include "journal/ui/events_form.h"

#include <QLineEdit>
#include <QSet>
#include <QSettings>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "journal/event_table.h"
#include "journal/ui/event_grid.h"
#include "shell/options_data.h"

namespace {

using L = TEventGridLayout;

// The events a layout shows, each once.
QSet<int> Shown(const L& layout) {
  QSet<int> shown;
  for (int row = 0; row < layout.Rows(); ++row) {
    for (int column = 0; column < L::kColumns; ++column) {
      if (const int number = layout.EventAt(row, column); number != L::kNone) shown.insert(number);
    }
  }
  return shown;
}

TEST(EventGridLayoutTest, ThreeBlocksOfEightyOneRowsWithEmptyCellsPastTheLastEvent) {
  const L layout;
  EXPECT_EQ(layout.Rows(), 81);
  struct TCell {
    int Row;
    int Column;
    int Event;
  };
  const TCell cells[] = {
      {0, 1, 0},    {0, 2, 0},    {1, 0, 1},    {80, 2, 80},  {0, 5, 81},   {80, 6, 161},
      {0, 8, 162},  {79, 8, 241}, {79, 10, 241}, {80, 8, L::kNone}, {80, 9, L::kNone},
      {80, 10, L::kNone}, {5, 3, L::kNone}, {5, 11, L::kNone}, {81, 1, L::kNone}, {0, 12, L::kNone},
  };
  for (const TCell& cell : cells) {
    EXPECT_EQ(layout.EventAt(cell.Row, cell.Column), cell.Event)
        << "row " << cell.Row << " column " << cell.Column;
  }
}

TEST(EventGridLayoutTest, ACategoryEmptiesTheOtherCellsInPlace) {
  L layout;
  layout.SetFilter(2, QString());
  EXPECT_EQ(layout.Rows(), 81);
  const QSet<int> shown = Shown(layout);
  EXPECT_EQ(shown.size(), 34) << "the 33 events of the category and 0";
  EXPECT_TRUE(shown.contains(0));
  EXPECT_EQ(layout.EventAt(9, 2), 9) << "an event keeps its cell";
  EXPECT_EQ(layout.EventAt(6, 2), L::kNone) << "another event's cell is inert";
}

TEST(EventGridLayoutTest, ASearchFindsNamesInAnyCaseAndPacksThemFromTheTop) {
  struct TCase {
    int Category;
    const char* Search;
    QSet<int> Must;
    QSet<int> MustNot;
  };
  const TCase cases[] = {
      {0, "двер", {22, 52, 56, 57, 72, 73, 154, 231}, {0, 1, 106}},
      {0, "  ДВЕРИ ", {56, 154}, {22}},
      {0, "парк", {70, 71, 147, 126}, {}},
      {1, "стартер", {40, 43, 92, 93, 99, 227}, {}},
      {2, "двер", {}, {56}},
      {0, "нет такого события", {}, {0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Search);
    L layout;
    layout.SetFilter(c.Category, QString::fromUtf8(c.Search));
    const QSet<int> shown = Shown(layout);
    for (const int number : shown) {
      EXPECT_TRUE(EventName(number).contains(QString::fromUtf8(c.Search).trimmed(), Qt::CaseInsensitive));
      EXPECT_TRUE(EventInCategory(number, c.Category)) << number;
    }
    EXPECT_TRUE(shown.contains(c.Must)) << shown.size();
    for (const int number : c.MustNot) EXPECT_FALSE(shown.contains(number)) << number;
    EXPECT_EQ(layout.Rows(), std::max(1, (static_cast<int>(shown.size()) + 2) / 3));
    int row = -1;
    int block = -1;
    if (!shown.isEmpty()) {
      EXPECT_TRUE(layout.Place(*std::min_element(shown.begin(), shown.end()), row, block));
      EXPECT_EQ(row, 0);
      EXPECT_EQ(block, 0);
    }
  }
}

// The window with favourites of its own, opened for one field.
struct TOpenedForm {
  TOpenedForm() {
    form.Open(QStringLiteral("Список событий включения"), [this](int number) { picked.append(number); });
  }
  void Click(int number, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint at = form.Grid().NameCellCentre(number);
    ASSERT_FALSE(at.isNull()) << number;
    QTest::mouseClick(&form.Grid(), button, modifiers, at);
  }

  QSet<int> favourites;
  TEventsForm form{{[this](int n) { return favourites.contains(n); },
                    [this](int n, bool on) { on ? void(favourites.insert(n)) : void(favourites.remove(n)); },
                    [] { return uint32_t{0x7F7FF0}; }}};
  QList<int> picked;
};

TEST(EventsFormTest, AClickPicksTheEventAndHidesTheWindow) {
  TOpenedForm opened;
  EXPECT_EQ(opened.form.windowTitle(), QStringLiteral("Список событий включения"));
  opened.Click(56);
  EXPECT_EQ(opened.picked, QList<int>{56});
  EXPECT_FALSE(opened.form.isVisible());

  opened.form.Open(QStringLiteral("Список событий выключения №1"), [&](int n) { opened.picked.append(-n); });
  opened.Click(0);
  EXPECT_EQ(opened.picked, (QList<int>{56, 0})) << "the window serves the field it was opened for";
}

TEST(EventsFormTest, EmptyCellsPickNothing) {
  TOpenedForm opened;
  TEventGrid& grid = opened.form.Grid();
  const int rowHeight = grid.RowHeight();
  // Row 80 of the last block lies past event 241; the separators belong to no event.
  const QPoint pastTheLast(2 * 314 + 26 + 13, 80 * rowHeight + rowHeight / 2);
  const QPoint separator(26 + 26 + 260 + 1, rowHeight / 2);
  for (const QPoint& at : {pastTheLast, separator}) {
    EXPECT_EQ(grid.EventAt(at), TEventGridLayout::kNone);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, at);
  }
  opened.form.ChooseCategory(2);
  QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, QPoint(26 + 13, 6 * rowHeight + rowHeight / 2));
  EXPECT_TRUE(opened.picked.isEmpty());
  EXPECT_TRUE(opened.form.isVisible());
}

TEST(EventsFormTest, TypingFiltersTheGridByName) {
  TOpenedForm opened;
  opened.form.Search().setText(QStringLiteral("двер"));
  EXPECT_LT(opened.form.Grid().Layout().Rows(), 10);
  EXPECT_TRUE(opened.form.Grid().NameCellCentre(1).isNull());
  opened.Click(57);
  EXPECT_EQ(opened.picked, QList<int>{57});
}

TEST(EventsFormTest, CtrlClickTogglesAFavouriteWithoutPicking) {
  TOpenedForm opened;
  opened.Click(12, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_TRUE(opened.favourites.contains(12));
  opened.Click(12, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_FALSE(opened.favourites.contains(12));
  opened.Click(0, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_TRUE(opened.favourites.isEmpty()) << "0 is no event";
  EXPECT_TRUE(opened.picked.isEmpty());
}

TEST(EventsFormTest, ARightClickShowsTheExplanation) {
  TOpenedForm opened;
  QStringList shown;
  const auto readWindow = [&shown] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    const auto* text = window->findChild<QTextEdit*>();
    ASSERT_NE(text, nullptr);
    shown << window->windowTitle() << text->toPlainText();
    window->close();
  };
  QTimer::singleShot(0, readWindow);
  opened.Click(35, Qt::RightButton);
  QTimer::singleShot(0, readWindow);
  opened.Click(163, Qt::RightButton);
  opened.Click(0, Qt::RightButton);
  ASSERT_EQ(shown.size(), 4);
  EXPECT_EQ(shown[0], QStringLiteral("Событие №35"));
  EXPECT_TRUE(shown[1].isEmpty());
  EXPECT_EQ(shown[2], QStringLiteral("Событие №163"));
  EXPECT_EQ(shown[3], EventDescription(163));
  EXPECT_TRUE(opened.picked.isEmpty());
}

TEST(EventsFormTest, FavouritesToggledInTheListAreKeptWithTheOptions) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("options.ini"));
  {
    TOptionsData options;
    TEventsForm form(options.EventFavourites());
    form.Open(QStringLiteral("Список событий"), [](int) {});
    for (const int number : {1, 241}) {
      QTest::mouseClick(&form.Grid(), Qt::LeftButton, Qt::ControlModifier,
                        form.Grid().NameCellCentre(number));
    }
    QSettings settings(path, QSettings::IniFormat);
    options.Save(settings);
  }
  QSettings settings(path, QSettings::IniFormat);
  TOptionsData options;
  options.Load(settings);
  const TEventFavourites favourites = options.EventFavourites();
  EXPECT_TRUE(favourites.IsFavourite(1));
  EXPECT_TRUE(favourites.IsFavourite(241));
  EXPECT_FALSE(favourites.IsFavourite(2));
  EXPECT_FALSE(favourites.IsFavourite(242));
  EXPECT_EQ(favourites.ColourRgb(), 0xF07F7FU) << "the stored 0x7F7FF0 is blue-green-red";
}

}  // namespace
