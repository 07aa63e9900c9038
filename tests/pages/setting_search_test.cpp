// "Найти настройку" over the real pages of every module in the main window.

#include "shell/setting_search.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <set>

#include "binding/setting_text.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/vd_frame.h"
#include "link/adapter.h"
#include "memory/device_memory_item.h"
#include "memory/lan_devices.h"
#include "pages/settings_pages.h"
#include "shell/main_form.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

enum { kPageColumn = 1, kSectionColumn = 2, kCaptionColumn = 3, kValueColumn = 4 };

class SettingSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSettingsPages(pages_);
    vehicle_ = MakeTestVehicle();
    adapter_ = ConnectTo(vehicle_);
    form_ = std::make_unique<TMainForm>(*adapter_, options_, pages_);
    form_->resize(1400, 900);
    form_->show();
    ASSERT_TRUE(SpinUntil([&] { return form_->CurrentPage() && !form_->ScanPending(); }, 10s));
    // The window takes no keys while the first page reads.
    ASSERT_TRUE(SpinUntil([&] { return form_->BusIdle() && !form_->Busy().IsBusy(); }, 10s));
    search_ = form_->SettingSearch();
    ASSERT_NE(search_, nullptr);
  }
  void TearDown() override {
    form_.reset();
    adapter_.reset();
  }
  void Type(const QString& text) {
    // As typed: the list follows each change of the field (key clicks take only ASCII).
    search_->Field()->clear();
    for (const QChar c : text) search_->Field()->insert(QString(c));
  }
  // (page title, caption) of every listed match.
  std::multiset<std::pair<QString, QString>> Listed() const {
    std::multiset<std::pair<QString, QString>> listed;
    QTreeWidget* list = search_->Matches();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      listed.insert({item->text(kPageColumn), item->text(kCaptionColumn)});
    }
    return listed;
  }
  QTreeWidgetItem* ItemCaptioned(const QString& caption) const {
    QTreeWidget* list = search_->Matches();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      if (list->topLevelItem(i)->text(kCaptionColumn) == caption) return list->topLevelItem(i);
    }
    return nullptr;
  }

  TOptionsData options_;
  TPageRegistry pages_;
  std::shared_ptr<TVirtualAdapter> vehicle_;
  std::unique_ptr<TAdapter> adapter_;
  std::unique_ptr<TMainForm> form_;
  TSettingSearch* search_ = nullptr;
};

TEST_F(SettingSearchTest, ListsEverySettingWhoseCaptionHoldsTheWordOnEveryPage) {
  // What the tables say, counted apart from the index: every visible captioned control.
  std::multiset<std::pair<QString, QString>> expected;
  std::set<QString> pagesWithIt;
  for (const TPageTable& table : SettingsPageTables()) {
    for (const TSettingRow& setting : SettingRows(table)) {
      const TControlRow& row = *setting.Row;
      if (row.Hidden || row.Kind == ckData || row.Caption[0] == '\0') continue;
      if (!setting.Caption.contains(QStringLiteral("иммобилайзер"), Qt::CaseInsensitive)) continue;
      expected.insert({QString::fromUtf8(table.Title), setting.Caption.simplified()});
      pagesWithIt.insert(QLatin1String(table.Name));
    }
  }
  ASSERT_GE(expected.size(), 10u);
  ASSERT_GE(pagesWithIt.size(), 2u) << "the word stands on more than one page";

  // Upper case and a capital in the middle: the case does not matter.
  Type(QStringLiteral("ИммобилайЗЕР"));
  EXPECT_EQ(Listed(), expected);
  // A page nobody opened is searched through its table all the same.
  EXPECT_TRUE(ItemCaptioned(QStringLiteral("Иммобилайзер")));

  Type(QStringLiteral("нет такой настройки"));
  EXPECT_EQ(search_->Matches()->topLevelItemCount(), 0);
  Type(QStringLiteral("   "));
  EXPECT_EQ(search_->Matches()->topLevelItemCount(), 0);
}

TEST_F(SettingSearchTest, YoAndYeAreTheSameLetter) {
  // Captions are written with either; the user types either.
  Type(QStringLiteral("разрешённое время открытия"));
  const auto withYo = Listed();
  Type(QStringLiteral("РАЗРЕШЕННОЕ время открытия"));
  EXPECT_EQ(Listed(), withYo);
  ASSERT_FALSE(withYo.empty());
}

TEST_F(SettingSearchTest, ChoosingAMatchOpensItsPageAndShowsTheControlWithTheFocus) {
  Type(QStringLiteral("иммобилайзер"));
  QTreeWidgetItem* item = ItemCaptioned(QStringLiteral("Иммобилайзер"));
  ASSERT_TRUE(item);
  search_->Matches()->setCurrentItem(item);
  QTest::keyClick(search_->Field(), Qt::Key_Return);

  TVDFrame* page = form_->CurrentPage();
  ASSERT_TRUE(page);
  EXPECT_EQ(page->objectName(), QStringLiteral("MainSecurity"));
  QWidget* control = nullptr;
  for (QWidget* child : page->findChildren<QWidget*>()) {
    if (auto* box = qobject_cast<QAbstractButton*>(child);
        box && box->text() == QStringLiteral("Иммобилайзер")) {
      control = child;
    }
  }
  ASSERT_TRUE(control);
  ASSERT_TRUE(SpinUntil(
      [&] { return control->isVisible() && control->window()->focusWidget() == control; }, 2s));
  for (QWidget* parent = control->parentWidget(); parent != page; parent = parent->parentWidget()) {
    if (auto* category = qobject_cast<TPanelCategory*>(parent)) {
      EXPECT_FALSE(category->Collapsed()) << "the section opens";
    }
  }
  // Scrolled into the page's view.
  QScrollArea* view = page->CategoryPanels1();
  const QPoint top = control->mapTo(view->viewport(), QPoint(0, 0));
  EXPECT_GE(top.y(), 0);
  EXPECT_LE(top.y() + control->height(), view->viewport()->height());
  EXPECT_TRUE(control->graphicsEffect()) << "flashes to catch the eye";
  EXPECT_TRUE(SpinUntil([&] { return control->graphicsEffect() == nullptr; }, 3s))
      << "and stops flashing";
}

TEST_F(SettingSearchTest, ShowsTheValueTheModuleHolds) {
  // The immobiliser switch: bit 0 of byte 195 of the main module's settings.
  vehicle_->WithVehicle([](TVirtualVehicle& v) { v.Module(2)->Memory(kSimExt)[195] |= 1; });
  form_->ReadAll();
  ASSERT_TRUE(SpinUntil([&] { return form_->BusIdle() && !form_->Busy().IsBusy(); }, 30s));
  Type(QStringLiteral("иммобилайзер "));
  QTreeWidgetItem* item = ItemCaptioned(QStringLiteral("Иммобилайзер"));
  ASSERT_TRUE(item);
  EXPECT_EQ(item->text(kValueColumn), QStringLiteral("1"));
  EXPECT_FALSE(item->text(kSectionColumn).isEmpty());
}

TEST_F(SettingSearchTest, AnUnreadSettingIsSaidSoAndTheSearchReadsNothingIntoIt) {
  // The GSM module's settings are read only when one of its pages is shown.
  TDeviceMemoryItem* gsm = form_->Registry().FindMem(3, mlInt);
  ASSERT_TRUE(gsm);
  ASSERT_FALSE(gsm->IsLoaded());
  Type(QStringLiteral("в отпуске"));
  QTreeWidgetItem* item =
      ItemCaptioned(QStringLiteral("Не запускать двигатель по напряжению в Отпуске"));
  ASSERT_TRUE(item);
  EXPECT_EQ(item->text(kValueColumn), QStringLiteral("не прочитано"));
  EXPECT_EQ(item->text(0), QStringLiteral("GSM"));
  // Showing a value must not pass unread bytes off as read: a write would send them.
  EXPECT_FALSE(gsm->IsValid(48));
  EXPECT_FALSE(gsm->IsModified());
}

}  // namespace
