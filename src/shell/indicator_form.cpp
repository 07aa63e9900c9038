#include "shell/indicator_form.h"

#include <QGridLayout>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <map>
#include <string>

#include "shell/indicator_lamps.h"
#include "shell/live_status.h"

namespace {

constexpr int kColumns = 2;
constexpr QSize kButtonSize(31, 30);
constexpr int kPictureSize = 24;

// A lamp's picture: a lit or dark bulb, with the number of its impulse control or program.
QIcon LampIcon(const char* number) {
  QIcon icon;
  for (const bool lit : {true, false}) {
    QPixmap pixmap(kPictureSize * 2, kPictureSize * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(lit ? QColor(0xFF, 0xD0, 0x20) : QColor(0xC8, 0xC8, 0xC8));
    painter.drawEllipse(QRectF(3, 3, kPictureSize - 6, kPictureSize - 6));
    if (number[0] != '\0') {
      QFont font;
      font.setPixelSize(10);
      font.setBold(true);
      painter.setFont(font);
      painter.setPen(lit ? Qt::black : QColor(0x80, 0x80, 0x80));
      painter.drawText(QRectF(0, 0, kPictureSize, kPictureSize), Qt::AlignCenter,
                       QString::fromUtf8(number));
    }
    painter.end();
    icon.addPixmap(pixmap, lit ? QIcon::Normal : QIcon::Disabled);
  }
  return icon;
}

}  // namespace

TIndicatorForm::TIndicatorForm(const TLiveStatus& status, QWidget* parent)
    : QDockWidget(QStringLiteral("Индикатор"), parent) {
  setObjectName(QStringLiteral("IndicatorForm"));
  auto* area = new QScrollArea(this);
  area->setWidgetResizable(true);
  auto* lamps = new QWidget;
  auto* grid = new QGridLayout(lamps);
  grid->setSpacing(1);
  grid->setContentsMargins(2, 2, 2, 2);
  const auto rows = IndicatorLamps();
  // Lamps without a number share one picture.
  std::map<std::string, QIcon> icons;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto* button = new QToolButton(lamps);
    button->setObjectName(QString::fromUtf8(rows[i].Name));
    button->setToolTip(QString::fromUtf8(rows[i].Hint));
    button->setFixedSize(kButtonSize);
    button->setIconSize(QSize(kPictureSize, kPictureSize));
    auto icon = icons.find(rows[i].Number);
    if (icon == icons.end()) icon = icons.emplace(rows[i].Number, LampIcon(rows[i].Number)).first;
    button->setIcon(icon->second);
    button->setCheckable(true);
    button->setEnabled(false);
    // The lamps show; they are not switches.
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    grid->addWidget(button, static_cast<int>(i) / kColumns, static_cast<int>(i) % kColumns);
    lamps_.push_back(button);
  }
  grid->setRowStretch(grid->rowCount(), 1);
  area->setWidget(lamps);
  setWidget(area);
  connect(&status, &TLiveStatus::LampChanged, this, &TIndicatorForm::ShowLamp);
  // While floating it stays above the main window, as a tool window does.
  connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
    setWindowFlag(Qt::WindowStaysOnTopHint, floating);
    if (floating) show();
  });
}

QToolButton* TIndicatorForm::Lamp(int lamp) const {
  if (lamp < 0 || lamp >= static_cast<int>(lamps_.size())) return nullptr;
  return lamps_[static_cast<std::size_t>(lamp)];
}

void TIndicatorForm::ShowLamp(int lamp, bool on) {
  if (QToolButton* button = Lamp(lamp)) {
    button->setEnabled(on);
    button->setChecked(on);
  }
}
