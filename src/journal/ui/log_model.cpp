#include "journal/ui/log_model.h"

#include <QFont>
#include <algorithm>
#include <iterator>

#include "journal/logger.h"

namespace {

constexpr const char* kHeaderTexts[TLogModel::kColumnCount] = {" ", " #", "Время", "Байты",
                                                               "Сообщение"};
// Adapter errors that report the link coming back rather than a failure.
constexpr int kLinkRestored[] = {10, 12};
constexpr uint8_t kMainModule = 2;
// The main module's mode and alarm broadcasts stand out in bold.
constexpr int kBoldCommands[] = {7, 11};

template <class Range>
bool Contains(const Range& range, int value) {
  return std::find(std::begin(range), std::end(range), value) != std::end(range);
}

bool IsBold(const TLogData& entry) {
  return entry.Source == kMainModule && entry.Dest == 0 && Contains(kBoldCommands, entry.Command);
}

}  // namespace

TLogModel::TLogModel(TLogger& logger, TLogColors colors, QObject* parent)
    : QAbstractTableModel(parent),
      logger_(logger),
      colors_(std::move(colors)),
      rows_(logger.ViewCount()) {
  connect(&logger_, &TLogger::EntryAdded, this, &TLogModel::OnEntryAdded);
  connect(&logger_, &TLogger::EntryRefreshed, this, &TLogModel::OnEntryRefreshed);
  connect(&logger_, &TLogger::Changed, this, &TLogModel::OnViewChanged);
}

int TLogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TLogModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QColor TLogModel::MarkerColor(const TLogData& entry, const TLogColors& colors) {
  if (entry.IsSystem()) {
    return Contains(kLinkRestored, entry.Command) ? QColor(0, 0x80, 0) : QColor(0xFF, 0, 0);
  }
  return colors.Module ? colors.Module(entry.Source) : QColor();
}

QString TLogModel::RawBytes(const TLogData& entry) {
  if (entry.IsSystem()) return {};
  const QByteArray data(reinterpret_cast<const char*>(entry.Data.data()), entry.Length);
  return QString::asprintf("%02X %02X %02X | ", entry.Source, entry.Dest, entry.Command) +
         QString::fromLatin1(data.toHex(' ').toUpper());
}

QVariant TLogModel::data(const QModelIndex& index, int role) const {
  const TLogData* entry = index.isValid() ? logger_.EntryAt(index.row()) : nullptr;
  if (!entry) return {};
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      if (column == kIdColumn) return QString::asprintf("%3.3u", entry->Id);
      if (column == kTimeColumn) return logger_.TimeText(*entry);
      if (column == kMessageColumn) return entry->Line;
      if (column == kRawColumn) return RawBytes(*entry);
      return {};
    case Qt::BackgroundRole:
      return column == kMarkerColumn ? QVariant(MarkerColor(*entry, colors_)) : QVariant();
    case Qt::FontRole:
      if (column == kMessageColumn && IsBold(*entry)) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    default:
      return {};
  }
}

QVariant TLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::DisplayRole) return QString::fromUtf8(kHeaderTexts[section]);
  if (role == Qt::BackgroundRole && colors_.Header) return colors_.Header();
  return {};
}

void TLogModel::RefreshColors() {
  RefreshRows(0, rows_ - 1, kMarkerColumn, kMarkerColumn);
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void TLogModel::RefreshRows(int first, int last, int firstColumn, int lastColumn) {
  if (first > last) return;
  emit dataChanged(index(first, firstColumn), index(last, lastColumn));
}

void TLogModel::OnEntryAdded(int viewIndex) {
  if (viewIndex != rows_) {
    OnViewChanged();
    return;
  }
  beginInsertRows({}, rows_, rows_);
  ++rows_;
  endInsertRows();
}

void TLogModel::OnEntryRefreshed(int viewIndex) {
  if (viewIndex >= 0 && viewIndex < rows_)
    RefreshRows(viewIndex, viewIndex, kTimeColumn, kTimeColumn);
}

// The journal has already changed when it says so; the rows that appeared or went away are
// announced at the end of the view, so that a view keeps its place and its selection where
// the rows remain, and the rest are repainted (a new filter or time base changes their text).
void TLogModel::OnViewChanged() {
  const int count = logger_.ViewCount();
  if (count < rows_) {
    beginRemoveRows({}, count, rows_ - 1);
    rows_ = count;
    endRemoveRows();
  } else if (count > rows_) {
    beginInsertRows({}, rows_, count - 1);
    rows_ = count;
    endInsertRows();
  }
  RefreshRows(0, rows_ - 1, kMarkerColumn, kMessageColumn);
}
