#include "journal/ui/log_model.h"

#include <QFont>
#include <QTime>
#include <algorithm>
#include <cmath>
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

// Rows that hold the searched text.
const QColor kFoundColor(0xFF, 0xE8, 0x80);
constexpr double kMsPerDay = 24.0 * 60 * 60 * 1000;

QString ClockText(double timeStamp) {
  const auto ms =
      static_cast<int>(std::lround(timeStamp * kMsPerDay)) % static_cast<int>(kMsPerDay);
  return QTime::fromMSecsSinceStartOfDay(ms).toString(QStringLiteral("hh:mm:ss"));
}

bool IsBold(const TLogData& entry) {
  return entry.Source == kMainModule && entry.Dest == 0 && Contains(kBoldCommands, entry.Command);
}

}  // namespace

TLogModel::TLogModel(TLogger& logger, TLogColors colors, QObject* parent)
    : QAbstractTableModel(parent), logger_(logger), colors_(std::move(colors)) {
  AppendRows(rows_, 0);
  connect(&logger_, &TLogger::EntryAdded, this, &TLogModel::OnEntryAdded);
  connect(&logger_, &TLogger::EntryRefreshed, this, &TLogModel::OnEntryRefreshed);
  connect(&logger_, &TLogger::Changed, this, &TLogModel::OnViewChanged);
}

int TLogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
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
  const int row = index.isValid() ? index.row() : -1;
  const TLogData* entry = logger_.EntryAt(FirstViewIndex(row));
  if (!entry) return {};
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      if (column == kIdColumn) return QString::asprintf("%3.3u", entry->Id);
      if (column == kTimeColumn) return logger_.TimeText(*entry);
      if (column == kMessageColumn) return MessageText(row);
      if (column == kRawColumn) return RawBytes(*entry);
      return {};
    case Qt::BackgroundRole:
      if (column == kMarkerColumn) return MarkerColor(*entry, colors_);
      return column == kMessageColumn && RowMatches(row) ? QVariant(kFoundColor) : QVariant();
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
  RefreshRows(0, rowCount() - 1, kMarkerColumn, kMarkerColumn);
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void TLogModel::RefreshRows(int first, int last, int firstColumn, int lastColumn) {
  if (first > last) return;
  emit dataChanged(index(first, firstColumn), index(last, lastColumn));
}

int TLogModel::RepeatCount(int row) const {
  return row >= 0 && row < rowCount() ? rows_[static_cast<size_t>(row)].Count : 0;
}

int TLogModel::FirstViewIndex(int row) const {
  return row >= 0 && row < rowCount() ? rows_[static_cast<size_t>(row)].First : -1;
}

int TLogModel::LastViewIndex(int row) const {
  return row >= 0 && row < rowCount() ? FirstViewIndex(row) + RepeatCount(row) - 1 : -1;
}

int TLogModel::RowOfViewIndex(int viewIndex) const {
  if (viewIndex < 0 || viewIndex >= ShownEntries()) return -1;
  const auto after = std::upper_bound(rows_.begin(), rows_.end(), viewIndex,
                                      [](int index, const TRow& row) { return index < row.First; });
  return static_cast<int>(after - rows_.begin()) - 1;
}

int TLogModel::ShownEntries() const {
  return rows_.empty() ? 0 : rows_.back().First + rows_.back().Count;
}

int TLogModel::WaitingEntries() const {
  return std::max(logger_.ViewCount() - ShownEntries(), 0);
}

QString TLogModel::MessageText(int row) const {
  const QString& line = logger_.LineAt(FirstViewIndex(row));
  const int count = RepeatCount(row);
  if (count < 2) return line;
  const TLogData* last = logger_.EntryAt(LastViewIndex(row));
  return QStringLiteral("%1   (×%2, последнее %3)")
      .arg(line)
      .arg(count)
      .arg(ClockText(last->TimeStamp));
}

bool TLogModel::SameText(const TRow& row, int viewIndex) const {
  const TLogData* first = logger_.EntryAt(row.First);
  const TLogData* entry = logger_.EntryAt(viewIndex);
  return first && entry && first->Line == entry->Line;
}

void TLogModel::AppendRows(std::vector<TRow>& rows, int viewIndex) const {
  for (int i = viewIndex; i < logger_.ViewCount(); ++i) {
    if (collapse_ && !rows.empty() && rows.back().First + rows.back().Count == i &&
        SameText(rows.back(), i)) {
      ++rows.back().Count;
    } else {
      rows.push_back({i, 1});
    }
  }
}

void TLogModel::OnEntryAdded(int viewIndex) {
  if (paused_) return;
  if (viewIndex != ShownEntries()) {
    OnViewChanged();
    return;
  }
  if (collapse_ && !rows_.empty() && SameText(rows_.back(), viewIndex)) {
    ++rows_.back().Count;
    const int last = rowCount() - 1;
    RefreshRows(last, last, kMessageColumn, kMessageColumn);
    return;
  }
  const int row = rowCount();
  beginInsertRows({}, row, row);
  rows_.push_back({viewIndex, 1});
  endInsertRows();
}

void TLogModel::OnEntryRefreshed(int viewIndex) {
  const int row = RowOfViewIndex(viewIndex);
  if (row >= 0) RefreshRows(row, row, kTimeColumn, kMessageColumn);
}

void TLogModel::OnViewChanged() {
  std::vector<TRow> rows;
  AppendRows(rows, 0);
  Replace(std::move(rows));
}

// The journal has already changed when it says so; the rows that appeared or went away are
// announced at the end of the view, so that a view keeps its place and its selection where
// the rows remain, and the rest are repainted (a new filter or time base changes their text).
void TLogModel::Replace(std::vector<TRow> rows) {
  const int count = static_cast<int>(rows.size());
  const int shown = rowCount();
  if (count < shown) {
    beginRemoveRows({}, count, shown - 1);
    rows_ = std::move(rows);
    endRemoveRows();
  } else if (count > shown) {
    beginInsertRows({}, shown, count - 1);
    rows_ = std::move(rows);
    endInsertRows();
  } else {
    rows_ = std::move(rows);
  }
  RefreshRows(0, count - 1, kMarkerColumn, kMessageColumn);
}

void TLogModel::SetCollapseRepeats(bool collapse) {
  if (collapse == collapse_) return;
  collapse_ = collapse;
  OnViewChanged();
}

void TLogModel::SetPaused(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  if (paused_) return;
  for (int i = ShownEntries(); i < logger_.ViewCount(); ++i) OnEntryAdded(i);
}

void TLogModel::SetSearchText(const QString& text) {
  if (text == search_) return;
  search_ = text;
  RefreshRows(0, rowCount() - 1, kMessageColumn, kMessageColumn);
}

bool TLogModel::RowMatches(int row) const {
  return !search_.isEmpty() &&
         logger_.LineAt(FirstViewIndex(row)).contains(search_, Qt::CaseInsensitive);
}

int TLogModel::FindRow(int from, bool forward) const {
  const int count = rowCount();
  if (search_.isEmpty() || count == 0) return -1;
  const int step = forward ? 1 : count - 1;
  int row = from < 0 || from >= count ? (forward ? count - 1 : 0) : from;
  for (int i = 0; i < count; ++i) {
    row = (row + step) % count;
    if (RowMatches(row)) return row;
  }
  return -1;
}
