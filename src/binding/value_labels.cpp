#include "binding/value_labels.h"

#include <QLocale>
#include <cmath>

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .replace(QLatin1String("%%"), QLatin1String("%"));
}

// A page that shows no other control.
class TNoPage final : public ILabelContext {
 public:
  std::optional<int> Shown(std::string_view) const override { return std::nullopt; }
  int BoardGeneration() const override { return 0; }
};

}  // namespace

QString FormatNumber(std::string_view format, double value) {
  const TNumberFormat parsed = ParseNumberFormat(format);
  if (parsed.Conversion == 0) return Utf8(format);
  const int width = parsed.LeftAligned ? -parsed.Width : parsed.Width;
  const QString number =
      parsed.Conversion == 'd'
          ? QStringLiteral("%1").arg(static_cast<qlonglong>(std::llround(value)), width)
          : QStringLiteral("%1")
                .arg(value, width, 'f', parsed.Precision < 0 ? 6 : parsed.Precision)
                .replace(u'.', QLocale().decimalPoint());
  return Utf8(parsed.Prefix) + number + Utf8(parsed.Suffix);
}

QString ValueLabelText(const TValueLabelRow& row, int position) {
  return ValueLabelText(row, position, TNoPage());
}

QString ValueLabelText(const TValueLabelRow& row, int position, const ILabelContext& page) {
  if (position == row.SpecialPosition) return QString::fromUtf8(row.SpecialText);
  if (row.PageFormula != nullptr) return row.PageFormula(position, page);
  if (row.Formula != nullptr) return row.Formula(position);
  if (position >= 0 && position < static_cast<int>(row.Texts.size())) {
    return QString::fromUtf8(row.Texts[static_cast<std::size_t>(position)]);
  }
  if (row.KneePosition >= 0 && position > row.KneePosition) {
    return FormatNumber(row.Format, row.KneePosition * row.Scale + row.Offset +
                                        (position - row.KneePosition) * row.KneeScale);
  }
  return FormatNumber(row.Format, position * row.Scale + row.Offset);
}
