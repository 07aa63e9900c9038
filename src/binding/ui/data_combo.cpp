#include "binding/ui/data_combo.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "binding/ui/vd_data.h"
#include "memory/base_device_memory_item.h"

TDataCombo::TDataCombo(TVDData& item, const QString& caption, std::span<const char* const> items,
                       QWidget* parent)
    : QWidget(parent), list_(new QComboBox) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(new QLabel(caption));
  // The list is as wide as its longest item, not as the page.
  column->addWidget(list_, 0, Qt::AlignLeft);
  for (const char* text : items) list_->addItem(QString::fromUtf8(text));
  item.SetControl(list_);

  item.OnLoad = [this](QObject&, uint8_t byte, int) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentIndex(byte < list_->count() ? byte : -1);
    keepsUnknown_ = list_->currentIndex() < 0;
  };
  // A byte the list does not know (a newer firmware's) stays as it was until the user chooses;
  // a selection the user cleared stores "no item".
  item.OnStore = [this](QObject&, uint8_t& byte, int) {
    const int index = list_->currentIndex();
    if (index >= 0) {
      byte = static_cast<uint8_t>(index);
    } else if (!keepsUnknown_) {
      byte = kNoItem;
    }
  };
  item.OnSetDefaultState = [this, &item](QObject&, uint8_t& byte, int) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentIndex(0);
    keepsUnknown_ = false;
    byte = 0;
    if (item.GetMem() != nullptr) item.GetMem()->SetModified(true);
  };
  connect(list_, &QComboBox::currentIndexChanged, this, [this, &item] {
    keepsUnknown_ = false;
    item.StoreEdited();
  });
}
