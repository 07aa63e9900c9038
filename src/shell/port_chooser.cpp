#include "shell/port_chooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

TPortChooser::TPortChooser(const std::vector<TPortChoice>& choices, const QString& current,
                           QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), typed_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("PortChooser"));
  setWindowTitle(QStringLiteral("Выбор порта"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Найденные адаптеры и порты:"), this));
  list_->setObjectName(QStringLiteral("lbPorts"));
  bool currentListed = false;
  for (const TPortChoice& choice : choices) {
    auto* item = new QListWidgetItem(choice.Title, list_);
    item->setData(Qt::UserRole, choice.Description);
    item->setToolTip(choice.Description);
    if (choice.Description == current) {
      list_->setCurrentItem(item);
      currentListed = true;
    }
  }
  layout->addWidget(list_);
  layout->addWidget(new QLabel(QStringLiteral("Другой порт или описание адаптера:"), this));
  typed_->setObjectName(QStringLiteral("edPort"));
  typed_->setPlaceholderText(QStringLiteral("например, /dev/ttyUSB1"));
  if (!currentListed) typed_->setText(current);
  layout->addWidget(typed_);
  // Typing overrides the list; choosing from the list clears what was typed.
  connect(list_, &QListWidget::itemClicked, typed_, &QLineEdit::clear);
  connect(typed_, &QLineEdit::textEdited, list_, [this] { list_->setCurrentItem(nullptr); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(460, 320);
}

QString TPortChooser::Chosen() const {
  const QString typed = typed_->text().trimmed();
  if (!typed.isEmpty()) return typed;
  const QListWidgetItem* item = list_->currentItem();
  return item ? item->data(Qt::UserRole).toString() : QString();
}
