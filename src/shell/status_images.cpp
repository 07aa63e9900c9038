#include "shell/status_images.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>
#include <algorithm>

#include "shell/live_status.h"

namespace {

constexpr int kImageHeight = 55;
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x0F, 0xC8, 0x2B);
const QColor kGrey(0xC0, 0xC0, 0xC0);

QFont SizedFont(int points, bool bold = false) {
  QFont font;
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

// Text centred across the image with its top at y.
void Centred(QPainter& painter, const QRect& area, int y, const QString& text, const QColor& colour,
             int points) {
  painter.setFont(SizedFont(points));
  painter.setPen(colour);
  const QFontMetrics metrics(painter.font());
  const int x = (area.width() - metrics.horizontalAdvance(text)) / 2;
  painter.drawText(x, y + metrics.ascent(), text);
}

int LineHeight(int points) {
  return QFontMetrics(SizedFont(points)).height();
}

// `width`, or wider where a fixed caption of the image would be cut at this screen's font.
int FitWidth(int width, const QString& caption, int points) {
  constexpr int kMargin = 6;
  return std::max(width, QFontMetrics(SizedFont(points)).horizontalAdvance(caption) + kMargin);
}

// "DOUBLE" or "AHJ" over what the module says of its switch.
void DrawSwitch(QPainter& painter, const QRect& area, const QString& title, TSwitchShown shown,
                bool blinks, bool blinkHidden, const QColor& background) {
  constexpr int kPoints = 14;
  QColor colour = Qt::black;
  QString state = QStringLiteral("?");
  switch (shown) {
    case TSwitchShown::Disabled:
      colour = kGrey;
      state = QStringLiteral("DIS");
      break;
    case TSwitchShown::Unknown:
      break;
    case TSwitchShown::On:
      colour = blinks && blinkHidden ? background : kRed;
      state = QStringLiteral("ON");
      break;
    case TSwitchShown::Off:
      colour = kGreen;
      state = QStringLiteral("OFF");
      break;
  }
  Centred(painter, area, 3, title, shown == TSwitchShown::Disabled ? kGrey : Qt::black, kPoints);
  Centred(painter, area, 3 + LineHeight(kPoints), state, colour, kPoints);
}

// The mode pictures: a shield in the mode's colour with its number of the list.
void DrawModePicture(QPainter& painter, const QRect& area, int picture) {
  static const QColor kColours[] = {QColor(0x80, 0x80, 0x80),
                                    QColor(0x20, 0x60, 0xC0),
                                    kRed,
                                    kGreen,
                                    QColor(0xC0, 0x40, 0x00),
                                    QColor(0x80, 0x20, 0xA0),
                                    QColor(0x40, 0x40, 0x40),
                                    QColor(0x40, 0x40, 0x40),
                                    QColor(0x00, 0xA0, 0xC0),
                                    QColor(0xE0, 0xA0, 0x00)};
  const QColor colour =
      picture >= 0 && picture < static_cast<int>(std::size(kColours)) ? kColours[picture] : kGrey;
  const QRect icon((area.width() - 35) / 2, (area.height() - 35) / 2, 35, 35);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRoundedRect(icon, 8, 8);
}

}  // namespace

TStatusImage::TStatusImage(const QString& name, int width, TDraw draw, QWidget* parent)
    : QWidget(parent), draw_(std::move(draw)) {
  setObjectName(name);
  setFixedSize(width, kImageHeight);
}

void TStatusImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  draw_(painter, rect());
}

void TStatusImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
  }
}

TStatusImages::TStatusImages(const TLiveStatus& status, QToolBar& bar)
    : QObject(&bar), status_(status), background_(bar.palette().window().color()) {
  const auto fill = [this](QPainter& painter, const QRect& area) {
    painter.fillRect(area, background_);
  };
  Add(bar, QStringLiteral("Mode"), 170, QStringLiteral("Режим работы"),
      [this, fill](QPainter& painter, const QRect& area) {
        const TStatusPicture& picture = status_.Picture();
        fill(painter, area);
        Centred(painter, area, 1, picture.Mode, picture.ModeRed ? kRed : Qt::black, 14);
        Centred(painter, area, 24, picture.Submode, Qt::black, 9);
        Centred(painter, area, 39, picture.PinText, Qt::black, 9);
      });
  Add(bar, QStringLiteral("IcnMode"), 51, {}, [this, fill](QPainter& painter, const QRect& area) {
    fill(painter, area);
    DrawModePicture(painter, area, status_.Picture().ModePicture);
  });
  Add(bar, QStringLiteral("IcnDriv"), FitWidth(70, QStringLiteral("ENGINE"), 14), {},
      [this, fill](QPainter& painter, const QRect& area) {
        fill(painter, area);
        const bool runs = status_.Picture().EngineRuns;
        Centred(painter, area, 3, QStringLiteral("ENGINE"), Qt::black, 14);
        Centred(painter, area, 3 + LineHeight(14),
                runs ? QStringLiteral("RUN") : QStringLiteral("STOP"), runs ? kGreen : Qt::black,
                14);
      });
  Add(bar, QStringLiteral("Immo_Mode"), FitWidth(55, QStringLiteral("IMMO"), 14),
      QStringLiteral("Состояние иммобилайзера"),
      [this, fill](QPainter& painter, const QRect& area) {
        fill(painter, area);
        const TImmobiliserShown immo = status_.Picture().Immobiliser;
        Centred(painter, area, 3, QStringLiteral("IMMO"), Qt::black, 14);
        const QString state = immo == TImmobiliserShown::On    ? QStringLiteral("ON")
                              : immo == TImmobiliserShown::Off ? QStringLiteral("OFF")
                                                               : QStringLiteral("?");
        const QColor colour = immo == TImmobiliserShown::On    ? kRed
                              : immo == TImmobiliserShown::Off ? kGreen
                                                               : QColor(Qt::black);
        Centred(painter, area, 3 + LineHeight(14), state, colour, 14);
      });
  Add(bar, QStringLiteral("Double_Auto_Mode"), FitWidth(70, QStringLiteral("DOUBLE"), 14),
      QStringLiteral("Состояние повторной авторизации"),
      [this, fill](QPainter& painter, const QRect& area) {
        const TStatusPicture& picture = status_.Picture();
        fill(painter, area);
        DrawSwitch(painter, area, QStringLiteral("DOUBLE"), picture.RepeatAuthorisation,
                   picture.RepeatAuthorisationBlinks, picture.BlinkHidden, background_);
      });
  Add(bar, QStringLiteral("AHJMode"), FitWidth(42, QStringLiteral("AHJ"), 14),
      QStringLiteral("Состояние AHJ"), [this, fill](QPainter& painter, const QRect& area) {
        const TStatusPicture& picture = status_.Picture();
        fill(painter, area);
        DrawSwitch(painter, area, QStringLiteral("AHJ"), picture.AntiHijack,
                   picture.AntiHijackBlinks, picture.BlinkHidden, background_);
      });
  Add(bar, QStringLiteral("Temp_PCB"), 45, {}, [this, fill](QPainter& painter, const QRect& area) {
    const TStatusPicture& picture = status_.Picture();
    fill(painter, area);
    const auto degrees = [](const QString& text) {
      return text == QStringLiteral("Не опр.") ? text : text + QStringLiteral(" °C");
    };
    Centred(painter, area, 2, QStringLiteral("Плата"), Qt::black, 7);
    Centred(painter, area, 13, degrees(picture.BoardTemperature), Qt::black, 7);
    Centred(painter, area, 27, QStringLiteral("Транс."), Qt::black, 7);
    Centred(painter, area, 40, degrees(picture.TransceiverTemperature), Qt::black, 7);
  });
  Add(bar, QStringLiteral("Img_TAHO"), 66, {}, [this, fill](QPainter& painter, const QRect& area) {
    const TStatusPicture& picture = status_.Picture();
    fill(painter, area);
    Centred(painter, area, 7, picture.EngineSpeedText, Qt::black, 8);
    Centred(painter, area, 43 - LineHeight(8), picture.RoadSpeedText, Qt::black, 8);
  });
  Add(bar, QStringLiteral("Img_Temp"), 105, {}, [this, fill](QPainter& painter, const QRect& area) {
    const TStatusPicture& picture = status_.Picture();
    fill(painter, area);
    Centred(painter, area, 7, picture.FuelText + QStringLiteral(" Топл.CAN"), Qt::black, 8);
    const QString engine = picture.EngineTemperature == QStringLiteral("Не опред.")
                               ? picture.EngineTemperature
                               : picture.EngineTemperature + QStringLiteral(" Двиг.CAN");
    Centred(painter, area, 43 - LineHeight(8), engine, Qt::black, 8);
  });
  Add(bar, QStringLiteral("IcnVolt"), FitWidth(85, QStringLiteral("Напр. на плате"), 8), {},
      [this, fill](QPainter& painter, const QRect& area) {
        fill(painter, area);
        Centred(painter, area, 7, QStringLiteral("Напр. на плате"), Qt::black, 8);
        const auto volts = status_.Picture().Volts;
        if (volts) {
          Centred(painter, area, 43 - LineHeight(8), QString::asprintf(" %5.2f [В]", *volts),
                  Qt::black, 8);
        }
      });
  connect(&status_, &TLiveStatus::PictureChanged, this, &TStatusImages::Refresh);
}

void TStatusImages::Add(QToolBar& bar, const QString& name, int width, const QString& hint,
                        TStatusImage::TDraw draw) {
  auto* image = new TStatusImage(name, width, std::move(draw), &bar);
  image->setToolTip(hint);
  if (!images_.empty()) bar.addSeparator();
  bar.addWidget(image);
  images_.push_back(image);
}

void TStatusImages::SetBackground(const QColor& colour) {
  background_ = colour;
  Refresh();
}

TStatusImage* TStatusImages::Image(const QString& name) const {
  for (TStatusImage* image : images_) {
    if (image->objectName() == name) return image;
  }
  return nullptr;
}

void TStatusImages::Refresh() {
  for (TStatusImage* image : images_) image->update();
}
