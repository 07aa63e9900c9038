#include "binding/ui/vd_check_box.h"

#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionButton>

#include "binding/comp_error.h"
#include "binding/ui/vd_look.h"
#include "binding/value_coding.h"
#include "memory/base_device_memory_item.h"

TVDCheckBox::TVDCheckBox(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, &TVDCheckBox::Toggled);
}

void TVDCheckBox::SetDefaultValue(bool value) {
  default_ = value;
  SetBoldLook(*this, !IsDefault());
}

// Worked out as QCheckBox does, with the caption measured in bold whatever it shows now.
QSize TVDCheckBox::sizeHint() const {
  QFont bold = font();
  bold.setBold(true);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QSize caption =
      style()
          ->itemTextRect(QFontMetrics(bold), QRect(), Qt::TextShowMnemonic, false, text())
          .size();
  return style()->sizeFromContents(QStyle::CT_CheckBox, &option, caption, this);
}

QSize TVDCheckBox::minimumSizeHint() const {
  return sizeHint();
}

void TVDCheckBox::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  const TComponentData& data = ComponentData();
  WrapComp(ControlName(), GetCaption(), [&] {
    SetDisabled(drGuard, data.IsReadOnly());
    ShowQuietly(GetBit(mem->GetByte(data.Addr()), data.StartBit()) == 1);
  });
}

void TVDCheckBox::Store() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr || !Operable()) return;
  const TComponentData& data = ComponentData();
  WrapComp(ControlName(), GetCaption(), [&] {
    mem->SetByte(data.Addr(), PutBit(mem->GetByte(data.Addr()), data.StartBit(), isChecked()));
  });
}

QString TVDCheckBox::GetValueText() const {
  return isChecked() ? QStringLiteral("да") : QStringLiteral("нет");
}

void TVDCheckBox::Synchronize(IBoundControl* sender, int value) {
  if (!IsTwin<TVDCheckBox>(sender)) return;
  ShowQuietly(value != 0);
  emit ChangedByTwin(value != 0);
}

void TVDCheckBox::ShowQuietly(bool checked) {
  const QScopedValueRollback<bool> quiet(quiet_, true);
  setChecked(checked);
}

void TVDCheckBox::Toggled(bool checked) {
  if (OnClick) OnClick(*this);
  SetBoldLook(*this, checked != default_);
  if (!quiet_) ReportUserChange(checked ? 1 : 0);
}
