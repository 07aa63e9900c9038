#include "shell/select_device.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

TSelectDevice::TSelectDevice(QWidget* parent)
    : QDialog(parent),
      heading_(new QLabel(QStringLiteral("Доступные элементы:"), this)),
      list_(new QListWidget(this)),
      note_(new QLabel(
          QStringLiteral("Примечание: серый цвет элемента означает, что чтение или запись данных "
                         "для данного модуля сейчас запрещены. Для разрешения переведите систему "
                         "Tarsk5 в режим программирования."),
          this)),
      ok_(new QPushButton(QStringLiteral("ОК"), this)),
      cancel_(new QPushButton(QStringLiteral("Отмена"), this)) {
  setWindowTitle(QStringLiteral("Выбор элементов"));
  setObjectName(QStringLiteral("SelectDevice"));
  note_->setWordWrap(true);
  note_->hide();
  ok_->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemChanged, this, &TSelectDevice::UpdateOk);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(list_, 1);
  layout->addWidget(note_);
  layout->addWidget(buttons);
  resize(460, 320);
}

void TSelectDevice::SetLines(const std::vector<TLine>& lines, const QString& fileName) {
  list_->clear();
  lines_ = lines;
  bool anyRefused = false;
  for (const auto& line : lines) {
    auto* item = new QListWidgetItem(line.Module + QLatin1String(kSeparator) + line.Area, list_);
    item->setFlags(line.Allowed ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled
                                : Qt::ItemIsUserCheckable);
    item->setCheckState(line.Allowed ? Qt::Checked : Qt::Unchecked);
    anyRefused = anyRefused || !line.Allowed;
  }
  note_->setVisible(anyRefused);
  if (lines.empty() && !fileName.isEmpty()) {
    heading_->setText(QStringLiteral("Файл \"%1\" не содержит корректных данных.").arg(fileName));
    note_->hide();
    list_->hide();
    ok_->hide();
    cancel_->setText(QStringLiteral("Закрыть"));
  }
  UpdateOk();
  FitLines();
  adjustSize();
}

// Lines of one module differ only at their ends ("Память настроек" and "Память настроек
// Flash"): the list is as wide as its longest line, as far as the screen allows.
void TSelectDevice::FitLines() {
  const int lines = list_->sizeHintForColumn(0);
  if (lines <= 0) return;
  const int chrome = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width() +
                     list_->fontMetrics().averageCharWidth() * 2;
  int width = lines + chrome;
  if (const QScreen* screen = this->screen()) {
    width = std::min(width, screen->availableGeometry().width() * 9 / 10);
  }
  list_->setMinimumWidth(width);
}

std::vector<TSelectDevice::TLine> TSelectDevice::CheckedLines() const {
  std::vector<TLine> lines;
  for (int i = 0; i < list_->count(); ++i) {
    if (list_->item(i)->checkState() != Qt::Checked) continue;
    TLine line = lines_[static_cast<std::size_t>(i)];
    line.Allowed = true;
    lines.push_back(line);
  }
  return lines;
}

void TSelectDevice::UpdateOk() {
  bool anyChecked = false;
  for (int i = 0; i < list_->count() && !anyChecked; ++i) {
    anyChecked = list_->item(i)->checkState() == Qt::Checked;
  }
  ok_->setEnabled(anyChecked);
}

QString TSelectDevice::Heading() const {
  return heading_->text();
}
bool TSelectDevice::NoteVisible() const {
  return !note_->isHidden();
}
bool TSelectDevice::OkVisible() const {
  return !ok_->isHidden();
}
bool TSelectDevice::OkEnabled() const {
  return ok_->isEnabled();
}
QString TSelectDevice::CancelText() const {
  return cancel_->text();
}
