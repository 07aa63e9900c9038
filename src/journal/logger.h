#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "journal/filter_data.h"
#include "journal/log_data.h"
#include "journal/message_decoder.h"
#include "link/adapter_journal.h"
#include "link/cross_thread_queue.h"

// The bus journal: every bus message worth keeping and every adapter error, numbered, time
// stamped and decoded once on arrival; a filtered view of them for the journal window; and
// the text export. It lives on the user-interface thread: reports from other threads are
// handed over to it before they touch the lists.
class TLogger : public QObject, public IAdapterJournal {
  Q_OBJECT

 public:
  static constexpr int kCapacity = 10240;

  // How an export is written: UTF-8 with LF line ends, as Linux editors read it, or the code
  // page 1251 with CR LF of the journal files of older Windows versions of the program.
  enum class TEncoding { Utf8Lf, Cp1251CrLf };

  // Time of day as a fraction of a day.
  using TClock = std::function<double()>;

  explicit TLogger(int capacity = kCapacity, IDecoderHost* host = nullptr, TClock clock = {});

  // The adapter's reports.
  void AddError(int number, const QString& text) override;
  void AddMessage(const TLanMsg& msg) override;

  // Keeps the message unless a drop rule says it is chatter.
  void Add(const TLanMsg& msg);
  // A note of the validator page about one of its input states.
  void AddNote(uint8_t source, uint8_t command, uint8_t d0, uint8_t d1, uint8_t d2);
  void Clear();
  // Switches a filter on (add) or off; a filter already on is not added twice.
  void ToggleFilter(const TFilterData& filter, bool add);
  void SetInvert(bool invert);
  bool Invert() const { return invert_; }
  // Is the message shown in the view?
  bool Passes(const TLanMsg& msg) const;
  // Never journalled at all.
  static bool IsDropped(const TLanMsg& msg);

  int EntryCount() const { return static_cast<int>(entries_.size()); }
  int ViewCount() const { return static_cast<int>(view_.size()); }
  int FilterCount() const { return static_cast<int>(filters_.size()); }
  // The entry at a view index; nullptr out of range.
  const TLogData* EntryAt(int viewIndex) const;
  QString LineAt(int viewIndex) const;

  // "hh.nn.ss", or with a time base the seconds since the base entry.
  QString TimeText(const TLogData& entry) const;
  // A view index makes that entry the time base; an index outside the view clears it.
  void SetTimeBase(int viewIndex);
  int TimeBase() const { return baseIndex_; }

  // "%3.3d %8.8s %s": number, time and text, as the export and the command line print them.
  QString ExportLine(const TLogData& entry) const;
  // The date line and one line per entry (all entries, or the view).
  QStringList ExportLines(bool all) const;
  // The export's bytes in `encoding`.
  QByteArray ExportBytes(bool all, TEncoding encoding) const;
  // Writes the export, replacing the file only when the whole text was written. False (with
  // the reason in `error`) when it failed.
  bool Export(const QString& fileName, bool all, TEncoding encoding,
              QString* error = nullptr) const;
  // The name a chosen export name gets: ".txt" is added only when it has no extension.
  static QString WithTextExtension(const QString& fileName);

  void BeginUpdate() { ++updates_; }
  void EndUpdate();

 signals:
  // A new entry reached the view at this index.
  void EntryAdded(int viewIndex);
  // A repeated error refreshed the last entry's time; its view index, or -1 when hidden.
  void EntryRefreshed(int viewIndex);
  // The view was rebuilt, emptied or its times changed base.
  void Changed();
  void FiltersChanged();

 private:
  struct TFilter {
    TFilterData Data;
    // Built-in filters that a user filter must never be taken for.
    bool Shielded = false;
  };

  void Append(TLogData entry);
  void RebuildView();
  bool OnOwnThread() const;

  // Reports from other threads wait here for the journal's own thread.
  TCrossThreadQueue toOwnThread_;
  int capacity_;
  TClock clock_;
  TMessageDecoder decoder_;
  std::vector<TLogData> entries_;
  std::vector<int> view_;
  std::vector<TFilter> filters_;
  bool invert_ = false;
  uint32_t nextId_ = 0;
  int updates_ = 0;
  int baseIndex_ = -1;
  double baseTime_ = 0;
};
