#include "shell/select_device.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QListWidget>

#include "test_support.h"

namespace {

TEST(SelectDevice, RefusedLinesAreGreyUncheckedAndExplained) {
  TSelectDevice dialog;
  dialog.SetLines({{QStringLiteral("Главный модуль"), QStringLiteral("Память настроек"), true},
                   {QStringLiteral("GSM"), QStringLiteral("Память сообщений"), false}});
  EXPECT_TRUE(dialog.NoteVisible());
  EXPECT_TRUE(dialog.OkEnabled());
  ASSERT_EQ(dialog.List()->count(), 2);
  EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("Главный модуль -> Память настроек"));
  EXPECT_FALSE(dialog.List()->item(1)->flags() & Qt::ItemIsEnabled);
  const auto checked = dialog.CheckedLines();
  ASSERT_EQ(checked.size(), 1u);
  EXPECT_EQ(checked[0].Module, QStringLiteral("Главный модуль"));
  EXPECT_EQ(checked[0].Area, QStringLiteral("Память настроек"));

  dialog.List()->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(dialog.OkEnabled());
}

// Two areas of one module differ only at the end of their lines: each line must be read whole.
TEST(SelectDevice, EveryLineShowsWhole) {
  TSelectDevice dialog;
  const QString module = QStringLiteral("Validator/Расширитель выходов");
  dialog.SetLines({{module, QStringLiteral("Память настроек"), true},
                   {module, QStringLiteral("Память настроек Flash"), true}});
  dialog.show();
  QCoreApplication::processEvents();
  QListWidget& list = *dialog.List();
  EXPECT_GE(list.viewport()->width(), list.sizeHintForColumn(0));
  const auto checked = dialog.CheckedLines();
  ASSERT_EQ(checked.size(), 2u);
  EXPECT_EQ(checked[1].Module, module);
  EXPECT_EQ(checked[1].Area, QStringLiteral("Память настроек Flash"));
}

TEST(SelectDevice, FileWithoutUsableDataOffersOnlyClose) {
  TSelectDevice dialog;
  dialog.SetLines({}, QStringLiteral("old.ini"));
  EXPECT_EQ(dialog.Heading(), QStringLiteral("Файл \"old.ini\" не содержит корректных данных."));
  EXPECT_FALSE(dialog.OkVisible());
  EXPECT_FALSE(dialog.NoteVisible());
  EXPECT_EQ(dialog.CancelText(), QStringLiteral("Закрыть"));
}

}  // namespace
