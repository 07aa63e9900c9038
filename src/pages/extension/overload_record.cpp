#include "pages/extension/overload_record.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "binding/ui/vd_data.h"
#include "pages/extension/validator_lines.h"

TOverloadRecord::TOverloadRecord(TVDData& item, TOutputs outputs, QWidget* parent)
    : QWidget(parent), item_(item), outputs_(outputs), text_(new QLabel) {
  text_->setObjectName(QStringLiteral("lbOverloads"));
  auto* reset = new QPushButton(QStringLiteral("Сброс информации о перегрузках"));
  reset->setObjectName(QStringLiteral("btResetOverloads"));
  connect(reset, &QPushButton::clicked, this, [this] {
    reset_ = true;
    item_.StoreEdited();
    Show();
  });
  auto* row = new QHBoxLayout(this);
  row->addWidget(new QLabel(QStringLiteral("Наличие перегрузок на выходах")));
  row->addWidget(text_, 1);
  row->addWidget(reset);
  item_.OnLoad = [this](QObject&, uint8_t byte, int) {
    record_ = byte;
    Show();
  };
  item_.OnStore = [this](QObject&, uint8_t& byte, int) {
    if (reset_) {
      record_ = 0;
      reset_ = false;
    }
    byte = record_;
  };
  item_.OnSetDefaultState = [this](QObject&, uint8_t& byte, int) {
    record_ = 0;
    reset_ = false;
    byte = 0;
    Show();
  };
  Show();
}

QString TOverloadRecord::Text() const {
  return text_->text();
}

void TOverloadRecord::Show() {
  text_->setText(
      OverloadText(reset_ ? 0 : record_, outputs_.FirstBit, outputs_.First, outputs_.Second));
}
