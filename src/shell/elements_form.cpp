#include "shell/elements_form.h"

#include <QAction>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <set>

#include "binding/ui/category_panels.h"
#include "binding/ui/pending_look.h"
#include "shell/command_table.h"
#include "shell/options_data.h"

namespace {

// Buttons are as wide as the widest caption and this much more.
constexpr int kButtonPadding = 12;

// The caption of a page command whose action the window lacks.
QString TableCaption(const QString& command) {
  for (const auto table : {MenuPageCommands(), PanelPageCommands()}) {
    for (const TPageCommandSpec& desc : table) {
      if (command == QLatin1String(desc.Name)) return QString::fromUtf8(desc.Caption);
    }
  }
  return command;
}

QString CategoryKey(std::size_t index) {
  return QStringLiteral("Cat%1").arg(index);
}

}  // namespace

TElementsForm::TElementsForm(const TActionLookup& actions, QWidget* parent)
    : QDockWidget(parent), panels_(new TCategoryPanels(this)) {
  setObjectName(QStringLiteral("ElementsForm"));
  setWindowTitle(QStringLiteral("Модули"));
  panels_->setObjectName(QStringLiteral("CategoryPanels1"));
  setWidget(panels_);

  for (const TPanelCategorySpec& desc : ModulePanelCategories()) {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(1);
    TPanelCategory* category = panels_->AddCategory(QString::fromUtf8(desc.Caption), panel);
    for (const char* name : desc.Commands) {
      const QString command = QLatin1String(name);
      QToolButton* button = MakeButton(command, actions ? actions(command) : nullptr, panel);
      layout->addWidget(button, 0, Qt::AlignLeft);
      buttons_.push_back({command, button, category});
    }
    category->SetCollapsed(desc.Collapsed);
  }
  int width = 0;
  for (const TButton& entry : buttons_) {
    width = std::max(width, entry.Button->fontMetrics().horizontalAdvance(entry.Button->text()));
  }
  for (const TButton& entry : buttons_) entry.Button->setFixedWidth(width + kButtonPadding);
}

QToolButton* TElementsForm::MakeButton(const QString& command, QAction* action, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QStringLiteral("tb") + command);
  button->setAutoRaise(true);
  button->setCheckable(true);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (action == nullptr) {
    button->setText(TableCaption(command));
    button->setEnabled(false);
    return button;
  }
  const auto follow = [button, action] {
    button->setText(action->text());
    button->setToolTip(action->toolTip());
    button->setEnabled(action->isEnabled());
  };
  follow();
  connect(action, &QAction::changed, button, follow);
  connect(button, &QToolButton::clicked, action, [action] { action->trigger(); });
  return button;
}

void TElementsForm::SelectCommand(const QString& command) {
  if (selected_) selected_->setChecked(false);
  selected_ = nullptr;
  const auto found = std::find_if(buttons_.begin(), buttons_.end(),
                                  [&command](const TButton& b) { return b.Command == command; });
  if (found == buttons_.end()) return;
  selected_ = found->Button;
  selected_->setChecked(true);
  found->Category->SetCollapsed(false);
  panels_->ensureWidgetVisible(selected_);
}

void TElementsForm::SetCommandPending(const QString& command, bool pending) {
  std::set<TPanelCategory*> touched;
  for (const TButton& entry : buttons_) {
    if (entry.Command != command) continue;
    SetPendingLook(*entry.Button, pending);
    touched.insert(entry.Category);
  }
  for (TPanelCategory* category : touched) {
    category->SetPending(std::any_of(buttons_.begin(), buttons_.end(), [category](const auto& b) {
      return b.Category == category && HasPendingLook(*b.Button);
    }));
  }
}

void TElementsForm::Recolor(const TOptionsData& options) {
  panels_->SetCategoryColors(options.ModuleNameColor, options.ModuleNameGrColor,
                             options.Background());
}

void TElementsForm::SaveState(QSettings& settings) const {
  QStringList items;
  const auto& categories = panels_->Categories();
  for (std::size_t i = 0; i < categories.size(); ++i) {
    items.append(CategoryKey(i) + u'=' +
                 (categories[i]->Collapsed() ? QStringLiteral("TRUE") : QStringLiteral("FALSE")));
  }
  settings.setValue(QLatin1String(kSelectorValue), items.join(u','));
}

void TElementsForm::LoadState(const QSettings& settings) {
  const QString key = QLatin1String(kSelectorValue);
  if (!settings.contains(key)) return;
  // Items are name=value, split at commas and blanks; a quoted item loses its quotes.
  static const QRegularExpression kSeparators(QStringLiteral("[,\\s]+"));
  std::map<QString, QString> values;
  for (QString item : settings.value(key).toString().split(kSeparators, Qt::SkipEmptyParts)) {
    if (item.size() >= 2 && item.startsWith(u'"') && item.endsWith(u'"')) {
      item = item.mid(1, item.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    const qsizetype equals = item.indexOf(u'=');
    if (equals > 0) values[item.left(equals)] = item.mid(equals + 1);
  }
  const auto& categories = panels_->Categories();
  for (std::size_t i = 0; i < categories.size(); ++i) {
    const auto found = values.find(CategoryKey(i));
    const bool expanded = found != values.end() && found->second.toUpper() == u"FALSE";
    categories[i]->SetCollapsed(!expanded);
  }
}
