#include "pages/extension/slave_records.h"

#include <vector>

namespace {

struct TSpan {
  int Begin;
  int Bytes;
  QString What;
  int End() const { return Begin + Bytes; }
};

QString Hex(int address) {
  return QStringLiteral("0x") +
         QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

}  // namespace

TSlaveFlashLayout FactorySlaveFlashLayout() {
  TSlaveFlashLayout layout;
  for (int event = 0; event < kSlaveEvents; ++event) {
    layout.Records[static_cast<std::size_t>(event)] =
        kSlaveFactoryRecord + event * kSlaveFactoryRecordStride;
  }
  layout.Sequences = kSlaveFactorySequences;
  return layout;
}

std::optional<QString> SlaveFlashProblem(const TSlaveFlashLayout& layout, int flashBytes) {
  std::vector<TSpan> spans;
  for (int event = 0; event < kSlaveEvents; ++event) {
    spans.push_back({layout.Records[static_cast<std::size_t>(event)], kSlaveRecordBytes,
                     QStringLiteral("Запись события %1").arg(event + 1)});
  }
  for (int event = 0; event < kSlaveEvents; ++event) {
    spans.push_back({layout.SequenceAt(event), kSlaveSequenceBytes,
                     QStringLiteral("Последовательность события %1").arg(event + 1)});
  }
  for (const TSpan& span : spans) {
    if (span.Begin < 0 || span.End() > flashBytes) {
      return QStringLiteral(
                 "%1 по адресу %2 выходит за пределы памяти данных (%3 байт): "
                 "данные Slave-модуля не читаются и не записываются")
          .arg(span.What, Hex(span.Begin))
          .arg(flashBytes);
    }
  }
  for (std::size_t i = 0; i < spans.size(); ++i) {
    for (std::size_t j = i + 1; j < spans.size(); ++j) {
      if (spans[i].Begin < spans[j].End() && spans[j].Begin < spans[i].End()) {
        return QStringLiteral(
                   "%1 по адресу %2 перекрывает %3 по адресу %4: данные "
                   "Slave-модуля не читаются и не записываются")
            .arg(spans[i].What, Hex(spans[i].Begin), spans[j].What.toLower(), Hex(spans[j].Begin));
      }
    }
  }
  return std::nullopt;
}
