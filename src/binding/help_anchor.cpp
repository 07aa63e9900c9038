#include "binding/help_anchor.h"

#include "binding/component_data.h"
#include "binding/page_table.h"

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

QString PageHelpTopic(const QString& pageName, const char* tableTopic) {
  if (tableTopic != nullptr && *tableTopic != '\0') return QString::fromUtf8(tableTopic);
  QString topic;
  for (qsizetype i = 0; i < pageName.size(); ++i) {
    const QChar c = pageName[i];
    const bool wordStarts =
        c.isUpper() && i > 0 &&
        (!pageName[i - 1].isUpper() || (i + 1 < pageName.size() && pageName[i + 1].isLower()));
    if (wordStarts && !topic.endsWith(u'_')) topic += u'_';
    topic += c.toLower();
  }
  return topic;
}

QString PageHelpTopic(const TPageTable& table) {
  return PageHelpTopic(QLatin1String(table.Name), table.HelpTopic);
}

QString SectionAnchor(int ordinal) {
  return QStringLiteral("s") + QString::number(ordinal);
}

QString RowSectionAnchor(std::span<const TControlRow> rows, std::size_t index) {
  int ordinal = 0;
  for (std::size_t i = 0; i <= index && i < rows.size(); ++i) {
    if (rows[i].Kind == ckHeading) ++ordinal;
  }
  return ordinal == 0 ? QString() : SectionAnchor(ordinal);
}
