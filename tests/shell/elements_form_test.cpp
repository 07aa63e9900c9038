#include "shell/elements_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "binding/ui/category_panels.h"
#include "shell/command_table.h"
#include "shell/options_data.h"
#include "test_support.h"

namespace {

class ElementsFormTest : public ::testing::Test {
 protected:
  ElementsFormTest() {
    for (const auto table : {MenuPageCommands(), PanelPageCommands()}) {
      for (const TPageCommandSpec& desc : table) {
        auto* action = new QAction(QString::fromUtf8(desc.Caption), &owner);
        QObject::connect(action, &QAction::triggered,
                         [this, name = QString::fromLatin1(desc.Name)] { triggered.append(name); });
        actions[QString::fromLatin1(desc.Name)] = action;
      }
    }
    form = std::make_unique<TElementsForm>([this](const QString& name) {
      const auto found = actions.find(name);
      return found == actions.end() ? nullptr : found->second;
    });
    form->resize(200, 300);
  }

  QToolButton& Button(const char* command) const {
    return *form->findChild<QToolButton*>(QStringLiteral("tb") + QLatin1String(command));
  }
  TPanelCategory& Category(int index) const {
    return *form->Categories()->Categories()[static_cast<size_t>(index)];
  }

  QObject owner;
  std::map<QString, QAction*> actions;
  QStringList triggered;
  std::unique_ptr<TElementsForm> form;
};

TEST_F(ElementsFormTest, CategoriesAndButtonsFollowTheCommandTable) {
  EXPECT_EQ(form->objectName(), QStringLiteral("ElementsForm"));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Модули"));
  const auto specs = ModulePanelCategories();
  ASSERT_EQ(form->Categories()->Categories().size(), specs.size());
  for (size_t i = 0; i < specs.size(); ++i) {
    EXPECT_EQ(Category(static_cast<int>(i)).Caption(), QString::fromUtf8(specs[i].Caption));
    EXPECT_EQ(Category(static_cast<int>(i)).Collapsed(), specs[i].Collapsed) << i;
    EXPECT_EQ(Category(static_cast<int>(i)).Panel()->findChildren<QToolButton*>().size(),
              static_cast<qsizetype>(specs[i].Commands.size()));
  }
  EXPECT_EQ(Button("aVersionInfo").text(), QStringLiteral("Сведения"));
  // Every button is as wide as the widest.
  EXPECT_EQ(Button("aVersionInfo").width(), Button("aGSMPropertiesGSMPager").width());
}

TEST_F(ElementsFormTest, ButtonsRunTheirCommandsAndFollowTheirEnabling) {
  Button("aMainTimes").click();
  EXPECT_EQ(triggered, QStringList{QStringLiteral("aMainTimes")});
  actions[QStringLiteral("aCanIn")]->setEnabled(false);
  EXPECT_FALSE(Button("aCanIn").isEnabled());
  actions[QStringLiteral("aCanIn")]->setEnabled(true);
  EXPECT_TRUE(Button("aCanIn").isEnabled());
}

TEST_F(ElementsFormTest, SelectingACommandChecksItsButtonAndOpensItsCategory) {
  form->SelectCommand(QStringLiteral("aMainOptions"));
  EXPECT_TRUE(Button("aMainOptions").isChecked());
  ASSERT_TRUE(Category(3).Collapsed());  // "CAN-модуль"
  form->SelectCommand(QStringLiteral("aCanOut"));
  EXPECT_FALSE(Button("aMainOptions").isChecked());
  EXPECT_TRUE(Button("aCanOut").isChecked());
  EXPECT_EQ(form->SelectedButton(), &Button("aCanOut"));
  EXPECT_FALSE(Category(3).Collapsed());
  // A page the panel does not offer leaves nothing checked.
  form->SelectCommand(QStringLiteral("aTSProperties"));
  EXPECT_FALSE(Button("aCanOut").isChecked());
  EXPECT_EQ(form->SelectedButton(), nullptr);
}

TEST_F(ElementsFormTest, SelectorRoundTripKeepsEveryCategoryState) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
  Category(0).SetCollapsed(true);
  Category(3).SetCollapsed(false);
  form->SaveState(settings);
  EXPECT_TRUE(settings.value(QStringLiteral("Selector"))
                  .toString()
                  .startsWith(QStringLiteral(
                      "Cat0=TRUE,Cat1=FALSE,Cat2=FALSE,Cat3=FALSE,Cat4=FALSE,Cat5=TRUE")));

  TElementsForm restored([](const QString&) { return nullptr; });
  restored.LoadState(settings);
  for (size_t i = 0; i < form->Categories()->Categories().size(); ++i) {
    EXPECT_EQ(restored.Categories()->Categories()[i]->Collapsed(),
              form->Categories()->Categories()[i]->Collapsed())
        << i;
  }
  // A category without a stored item comes up collapsed; quoted items are read as well.
  settings.setValue(QStringLiteral("Selector"), QStringLiteral("\"Cat1=FALSE\" Cat2=true"));
  restored.LoadState(settings);
  EXPECT_TRUE(restored.Categories()->Categories()[0]->Collapsed());
  EXPECT_FALSE(restored.Categories()->Categories()[1]->Collapsed());
  EXPECT_TRUE(restored.Categories()->Categories()[2]->Collapsed());
}

TEST_F(ElementsFormTest, NothingStoredLeavesTheCategoriesAsCreated) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
  form->LoadState(settings);
  EXPECT_FALSE(Category(0).Collapsed());
  EXPECT_TRUE(Category(3).Collapsed());
}

TEST_F(ElementsFormTest, RecolourTakesTheModuleNameColours) {
  TOptionsData options;
  options.ModuleNameColor = QColor(0x12, 0x34, 0x56);
  options.ModuleNameGrColor = QColor(0x65, 0x43, 0x21);
  form->Recolor(options);
  EXPECT_EQ(form->Categories()->CategoryColor(), options.ModuleNameColor);
  EXPECT_EQ(form->Categories()->CategoryGradientColor(), options.ModuleNameGrColor);
}

}  // namespace
