#include "binding/ui/vd_memo.h"

#include <QScopedValueRollback>
#include <QStringList>

#include "binding/comp_error.h"
#include "binding/value_coding.h"
#include "memory/base_device_memory_item.h"
#include "text/code_page_1251.h"

namespace {

const QString kCellLineBreak = QStringLiteral("\r\n");
const QString kLineBreak = QStringLiteral("\n");
// An array memo's page writes one line per byte; the limit only stops runaway typing.
constexpr int kArrayMaxLength = 255;

}  // namespace

TVDMemo::TVDMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &TVDMemo::Edited);
}

void TVDMemo::SetDefaultValue(const QString& value) {
  default_ = value;
  TextChanged();
}

void TVDMemo::Edited() {
  const int maxLength = MaxLength();
  if (maxLength > 0 && Text().size() > maxLength) {
    SetText(Text().left(maxLength));
    moveCursor(QTextCursor::End);
    return;
  }
  TextChanged();
  if (!quiet_ && GetMem() != nullptr) GetMem()->SetModified(true);
}

int TVDMemo::MaxLength() const {
  switch (ComponentData().DataType()) {
    case stString:
      return ComponentData().MaxVal();
    case stArray:
      return kArrayMaxLength;
    default:
      return 0;
  }
}

QString TVDMemo::LoadText(TBaseDeviceMemoryItem& mem) {
  const TComponentData& data = ComponentData();
  QString text;
  if (data.DataType() == stString) {
    // Every byte of the cell is read, the padding after the text too: the next store
    // writes them all, and a byte never read could not be stored.
    bool ended = false;
    for (int i = 0; i < data.MaxVal(); ++i) {
      const uint8_t b = mem.GetByte(data.Addr() + i);
      ended = ended || b == 0;
      if (ended) continue;
      text.append(QChar(Cp1251ToUnicode(b)));
      if (OnLoad) OnLoad(*this, b, text);
    }
    return text.replace(kCellLineBreak, kLineBreak);
  }
  if (data.DataType() == stArray) {
    QStringList lines;
    for (int i = 0; i < data.MaxVal(); ++i) {
      QString line;
      if (OnLoad) OnLoad(*this, mem.GetByte(data.Addr() + i), line);
      lines.append(line);
    }
    return lines.join(kLineBreak);
  }
  ThrowBadDataType(ControlName(), data.DataType());
}

void TVDMemo::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  WrapComp(ControlName(), GetCaption(), [&] {
    SetDisabled(drGuard, ComponentData().IsReadOnly());
    const QString text = LoadText(*mem);
    const QScopedValueRollback<bool> quiet(quiet_, true);
    SetText(text);
  });
}

void TVDMemo::Store() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr || !Operable()) return;
  const TComponentData& data = ComponentData();
  WrapComp(ControlName(), GetCaption(), [&] {
    if (data.DataType() == stString) {
      StoreString(*mem, data, QString(Text()).replace(kLineBreak, kCellLineBreak));
    } else if (data.DataType() == stArray && Text().isEmpty()) {
      for (int i = 0; i < data.MaxVal(); ++i) mem->SetByte(data.Addr() + i, 0);
    }
  });
}
