#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

#include "journal/ui/log_colors.h"

class TLogger;
class TLogData;

// The journal's filtered view as a table: marker colour, number, time and text of each
// entry. Consecutive entries with the same text share one row that counts them and gives the
// time of the last ("×37, последнее 12:04:31"), unless every entry is to be shown; the
// journal itself keeps every entry. The model keeps no entries of its own, only where each
// row starts in the view; every cell is read from the journal when a view asks for it.
class TLogModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The raw bytes stand before the text, so that the text keeps the rest of the width.
  enum TColumn { kMarkerColumn, kIdColumn, kTimeColumn, kRawColumn, kMessageColumn, kColumnCount };

  TLogModel(TLogger& logger, TLogColors colors, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The colour of an entry's marker: its sender's colour, or for the program's own entries
  // green when the link came back and red for a failure.
  static QColor MarkerColor(const TLogData& entry, const TLogColors& colors);
  // An entry's message as it went over the bus: sender, receiver, command, then the data,
  // in hex; empty for the program's own entries.
  static QString RawBytes(const TLogData& entry);
  // The colours of the options changed.
  void RefreshColors();

  // Repeats in one row (the default), or one row per entry.
  void SetCollapseRepeats(bool collapse);
  bool CollapseRepeats() const { return collapse_; }
  // While paused the rows stand still; entries that arrive meanwhile appear on resuming.
  void SetPaused(bool paused);
  bool Paused() const { return paused_; }
  // Entries that arrived since the pause began and are not shown yet.
  int WaitingEntries() const;

  // How many entries a row stands for, and the view index of its first and last entry.
  int RepeatCount(int row) const;
  int FirstViewIndex(int row) const;
  int LastViewIndex(int row) const;
  // The row that shows a view index; -1 when none does.
  int RowOfViewIndex(int viewIndex) const;

  // Rows whose text holds `text` (case aside) are highlighted; empty: none.
  void SetSearchText(const QString& text);
  bool RowMatches(int row) const;
  // The next matching row after `from` (or before it), wrapping around; -1 when none.
  int FindRow(int from, bool forward) const;

 private:
  struct TRow {
    int First = 0;  // view index of the first entry of the row
    int Count = 1;  // consecutive view entries with the same text
  };

  void OnEntryAdded(int viewIndex);
  void OnEntryRefreshed(int viewIndex);
  void OnViewChanged();
  void RefreshRows(int first, int last, int firstColumn, int lastColumn);
  // Rows for the view entries from `viewIndex` on, appended to `rows`.
  void AppendRows(std::vector<TRow>& rows, int viewIndex) const;
  bool SameText(const TRow& row, int viewIndex) const;
  // The rows the views know of grow or shrink to `rows`, then every row is repainted.
  void Replace(std::vector<TRow> rows);
  int ShownEntries() const;
  QString MessageText(int row) const;

  TLogger& logger_;
  TLogColors colors_;
  std::vector<TRow> rows_;
  bool collapse_ = true;
  bool paused_ = false;
  QString search_;
};
