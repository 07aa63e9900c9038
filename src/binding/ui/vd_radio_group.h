#pragma once

#include <QButtonGroup>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "binding/bound_control_base.h"
#include "binding/ui/vd_bound_label.h"
#include "binding/ui/vd_events.h"

class QGridLayout;
class QRadioButton;

// A setting that takes one of a few values, one radio button per item. Buttons stand in
// columns filled top to bottom, then left to right. Besides the one-byte codings it shows a
// bit field (stBitArray): 2^MaxVal items for the MaxVal bits from StartBit.
class TVDRadioGroup : public QWidget, public TBoundControlBase {
  Q_OBJECT

 public:
  explicit TVDRadioGroup(QWidget* parent = nullptr);

  QString Caption() const;
  void SetCaption(const QString& caption);
  const QStringList& Items() const { return items_; }
  void SetItems(const QStringList& items);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  TLabelPosition LabelPosition() const { return labelPosition_; }
  // Only lpLeft and lpAbove place the caption.
  void SetLabelPosition(TLabelPosition position);
  int ItemsLeft() const { return itemsLeft_; }
  // Buttons start this many pixels from the left edge (0: right after the caption).
  void SetItemsLeft(int itemsLeft);
  int ItemIndex() const { return itemIndex_; }
  // Page logic choosing an item acts as the user's click; -1 clears the choice. An index
  // past the items chooses the last one.
  void SetItemIndex(int index);
  int DefaultValue() const { return default_; }
  void SetDefaultValue(int value);
  QRadioButton* Button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
  // Where item `index` stands: its row and column.
  std::pair<int, int> ItemCell(int index) const;

  TLoadIntIntEvent OnLoad;
  TStoreIntIntEvent OnStore;
  TNotifyEvent OnClick;

  QString ControlName() const override { return objectName(); }
  bool IsDefault() const override;
  void ShowEnabled(bool enabled) override { setEnabled(enabled); }
  void ShowVisible(bool visible) override { setVisible(visible); }
  void Load() override;
  void Store() override;
  QString GetCaption() const override { return Caption(); }
  QString GetValueText() const override;
  // A default past the items is a state of the cell: it is stored as it is and shows as the
  // last item.
  void SetDefault() override;
  void Synchronize(IBoundControl* sender, int value) override;

 private:
  void ButtonClicked(int index);
  void Select(int index, bool quiet);
  void Relayout();
  int DecodeLoaded(uint8_t b, TBaseDeviceMemoryItem& mem);

  TVDBoundLabel* caption_;
  QGridLayout* layout_;
  QGridLayout* buttonGrid_;
  QButtonGroup group_;
  QStringList items_;
  std::vector<QRadioButton*> buttons_;
  int columns_ = 1;
  TLabelPosition labelPosition_ = lpLeft;
  int itemsLeft_ = 0;
  int itemIndex_ = -1;
  int default_ = 0;
  bool keepsStored_ = false;
};
