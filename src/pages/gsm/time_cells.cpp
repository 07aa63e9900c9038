#include "pages/gsm/time_cells.h"

#include <QSignalBlocker>

#include "binding/ui/vd_data.h"

TTimeCells::TTimeCells(TVDData& cell, QTime factory, QWidget* parent)
    : QTimeEdit(parent), factory_(factory), hour_(factory.hour()), minute_(factory.minute()) {
  setDisplayFormat(QStringLiteral("HH:mm"));
  Show();
  cell.SetControl(this);
  cell.OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index == 0) {
      if (byte < 24) {
        hour_ = byte;
        return;
      }
      hour_ = factory_.hour();
      minute_ = factory_.minute();
    } else {
      minute_ = byte < 60 ? byte : 0;
    }
    Show();
  };
  cell.OnStore = [this](QObject&, uint8_t& byte, int index) {
    byte = static_cast<uint8_t>(index == 0 ? hour_ : minute_);
  };
  cell.OnSetDefaultState = [this](QObject&, uint8_t& byte, int index) {
    hour_ = factory_.hour();
    minute_ = factory_.minute();
    Show();
    byte = static_cast<uint8_t>(index == 0 ? hour_ : minute_);
  };
  cell.OnAsString = [this](const QObject&, QString& text) {
    text = time().toString(displayFormat());
  };
  connect(this, &QTimeEdit::timeChanged, &cell, [this, &cell](QTime picked) {
    hour_ = picked.hour();
    minute_ = picked.minute();
    cell.StoreEdited();
  });
}

void TTimeCells::Show() {
  const QSignalBlocker quiet(this);
  setTime(QTime(hour_, minute_));
}
