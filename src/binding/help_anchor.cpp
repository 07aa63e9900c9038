#include "binding/help_anchor.h"

#include "binding/component_data.h"

namespace {

QString TrackBarHalf(TDataType dataType) {
  switch (dataType) {
    case stByteLo:
    case stByte:
    case stFloat:
    case stHL:
      return QStringLiteral("0");
    case stByteHi:
      return QStringLiteral("1");
    default:
      return {};
  }
}

}  // namespace

QString HelpAnchor(TControlKind kind, const TComponentData& data) {
  const QString addr = QString::number(data.Addr());
  const QString bit = QString::number(static_cast<int>(data.StartBit()));
  switch (kind) {
    case ckCheckBox:
      return QStringLiteral("cb") + addr + QStringLiteral("b") + bit;
    case ckTrackBar:
      return QStringLiteral("tb") + addr + QStringLiteral("h") + TrackBarHalf(data.DataType());
    case ckRadioGroup:
      return QStringLiteral("rg") + addr + QStringLiteral("b") + bit;
    default:
      return {};
  }
}
