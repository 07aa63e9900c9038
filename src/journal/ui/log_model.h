#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "journal/ui/log_colors.h"

class TLogger;
class TLogData;

// The journal's filtered view as a table: marker colour, number, time and text of each
// entry. It keeps no entries of its own; every cell is read from the journal when a view
// asks for it, so a full journal costs nothing until it is scrolled to.
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

 private:
  void OnEntryAdded(int viewIndex);
  void OnEntryRefreshed(int viewIndex);
  void OnViewChanged();
  void RefreshRows(int first, int last, int firstColumn, int lastColumn);

  TLogger& logger_;
  TLogColors colors_;
  // The rows the views know of; it follows the journal's view count through the signals.
  int rows_ = 0;
};
