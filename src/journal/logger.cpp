#include "journal/logger.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QThread>
#include <QTime>
#include <algorithm>
#include <array>
#include <cmath>

#include "link/adapter.h"
#include "text/code_page_1251.h"
#include "text/file_save.h"

namespace {

constexpr double kMsPerDay = 24.0 * 60 * 60 * 1000;
constexpr double kSecondsPerDay = 24.0 * 60 * 60;

// The local time of day. Asking the time zone for every entry would cost more than decoding
// the entry, so its offset from UTC is asked once a minute: it changes twice a year at most,
// on a minute boundary.
double TimeOfDay() {
  constexpr qint64 kMsPerMinute = 60 * 1000;
  thread_local qint64 offsetMs = 0;
  thread_local qint64 offsetValidUntil = 0;
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (now >= offsetValidUntil) {
    offsetMs = QDateTime::fromMSecsSinceEpoch(now).offsetFromUtc() * qint64{1000};
    offsetValidUntil = (now / kMsPerMinute + 1) * kMsPerMinute;
  }
  const auto msPerDay = static_cast<qint64>(kMsPerDay);
  return static_cast<double>(((now + offsetMs) % msPerDay + msPerDay) % msPerDay) / kMsPerDay;
}

constexpr int kAnySource = -1;

struct TBuiltInFilter {
  int Source;
  uint8_t Dest;
  uint8_t Command;
  bool Shielded;
};

// Live chatter the journal hides from the start.
constexpr std::array kBuiltInFilters = {
    TBuiltInFilter{2, 0, 127, false},
    TBuiltInFilter{3, 1, 43, true},
    TBuiltInFilter{3, 1, 3, true},
    TBuiltInFilter{3, 1, 40, true},
    TBuiltInFilter{2, 1, 53, false},
    TBuiltInFilter{2, 1, 52, false},
    TBuiltInFilter{15, 1, 53, true},
    TBuiltInFilter{13, 1, 53, true},
    TBuiltInFilter{kAnySource, 1, 48, false},
    TBuiltInFilter{kAnySource, 1, 49, false},
    TBuiltInFilter{25, 0, 125, true},
};

bool Contains(std::span<const uint8_t> set, uint8_t value) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

}  // namespace

TLogger::TLogger(int capacity, IDecoderHost* host, TClock clock)
    : capacity_(std::max(capacity, 1)),
      clock_(clock ? std::move(clock) : TClock(TimeOfDay)),
      decoder_(host) {
  entries_.reserve(static_cast<size_t>(capacity_));
  view_.reserve(static_cast<size_t>(capacity_));
  for (const auto& f : kBuiltInFilters) {
    const auto command = f.Command;
    filters_.push_back({f.Source == kAnySource ? TFilterData::ForDestCommand(f.Dest, command)
                                               : TFilterData::ForAll(static_cast<uint8_t>(f.Source),
                                                                     0, command, f.Dest),
                        f.Shielded});
  }
}

bool TLogger::OnOwnThread() const {
  return QThread::currentThread() == thread();
}

void TLogger::AddError(int number, const QString& text) {
  if (!OnOwnThread()) {
    toOwnThread_.Post([this, number, text] { AddError(number, text); });
    return;
  }
  const QString own = text.left(TLogData::kMaxTextLength);
  if (!entries_.empty() && entries_.back().IsSystem() && entries_.back().Text == own) {
    // A link that keeps failing would otherwise fill the journal with one line.
    entries_.back().TimeStamp = clock_();
    const int last = static_cast<int>(entries_.size()) - 1;
    emit EntryRefreshed(!view_.empty() && view_.back() == last ? ViewCount() - 1 : -1);
    return;
  }
  TLogData entry;
  entry.Command = static_cast<uint8_t>(number);
  entry.Text = own;
  Add(entry);
}

void TLogger::AddMessage(const TLanMsg& msg) {
  if (!OnOwnThread()) {
    toOwnThread_.Post([this, msg] { Add(msg); });
    return;
  }
  Add(msg);
}

bool TLogger::IsDropped(const TLanMsg& msg) {
  const uint8_t c = msg.Command;
  // Live chatter, and the memory transfers that would bury everything else.
  constexpr std::array<uint8_t, 8> kQuietCommands = {6, 8, 40, 43, 52, 53, 125, 127};
  constexpr std::array<uint8_t, 10> kMemoryCommands = {80, 81, 82, 83, 85, 87, 88, 89, 90, 122};
  if (Contains(kQuietCommands, c) || Contains(kMemoryCommands, c)) return true;
  constexpr std::array<uint8_t, 7> kGsmLocalCommands = {38, 44, 64, 65, 66, 67, 70};
  if (Contains(kGsmLocalCommands, c) && (msg.Source == 3 || msg.Dest == 3) && msg.Dest != 0) {
    return true;
  }
  if (msg.Source == 11 && c == 40) return true;
  // Presence answers to the PC and to the GPS module.
  if ((msg.Dest == 1 || msg.Dest == 11 || msg.Dest == 12) && c == 1) return true;
  if (msg.Source == 2 && msg.Dest == 1 && (c == 4 || (c == 3 && msg.Length == 0))) return true;
  return msg.Source == 3 && msg.Dest == 0 && (c == 3 || c == 48);
}

void TLogger::Add(const TLanMsg& msg) {
  if (IsDropped(msg)) return;
  TLogData entry;
  entry.Assign(msg);
  Append(std::move(entry));
}

void TLogger::AddNote(uint8_t source, uint8_t command, uint8_t d0, uint8_t d1, uint8_t d2) {
  TLogData entry;
  entry.Source = source;
  entry.Command = command;
  entry.Data[0] = d0;
  entry.Data[1] = d1;
  entry.Data[2] = d2;
  entry.Length = 3;
  Append(std::move(entry));
}

void TLogger::Append(TLogData entry) {
  // A full journal starts over, so that numbering starts again at 1 with this entry.
  if (EntryCount() >= capacity_) Clear();
  entry.TimeStamp = clock_();
  entry.Id = ++nextId_;
  entry.Line = decoder_.DecodeEntry(entry);
  entries_.push_back(std::move(entry));
  if (Passes(entries_.back())) {
    view_.push_back(EntryCount() - 1);
    emit EntryAdded(ViewCount() - 1);
  }
}

void TLogger::Clear() {
  BeginUpdate();
  entries_.clear();
  nextId_ = 0;
  // The base entry is gone with the rest.
  baseIndex_ = -1;
  RebuildView();
  EndUpdate();
}

void TLogger::ToggleFilter(const TFilterData& filter, bool add) {
  BeginUpdate();
  const auto found = std::find_if(filters_.begin(), filters_.end(), [&filter](const TFilter& f) {
    return !f.Shielded && f.Data.SameAs(filter);
  });
  if (found != filters_.end()) {
    if (!add) filters_.erase(found);
  } else if (add) {
    filters_.push_back({filter, false});
  }
  RebuildView();
  EndUpdate();
  emit FiltersChanged();
}

void TLogger::SetInvert(bool invert) {
  BeginUpdate();
  invert_ = invert;
  RebuildView();
  EndUpdate();
}

bool TLogger::Passes(const TLanMsg& msg) const {
  const bool matched = std::any_of(filters_.begin(), filters_.end(),
                                   [&msg](const TFilter& f) { return f.Data.Matches(msg); });
  return matched ? invert_ : !invert_;
}

void TLogger::RebuildView() {
  view_.clear();
  for (int i = 0; i < EntryCount(); ++i) {
    if (Passes(entries_[static_cast<size_t>(i)])) view_.push_back(i);
  }
}

void TLogger::EndUpdate() {
  if (updates_ > 0 && --updates_ == 0) emit Changed();
}

const TLogData* TLogger::EntryAt(int viewIndex) const {
  if (viewIndex < 0 || viewIndex >= ViewCount()) return nullptr;
  return &entries_[static_cast<size_t>(view_[static_cast<size_t>(viewIndex)])];
}

QString TLogger::LineAt(int viewIndex) const {
  const TLogData* entry = EntryAt(viewIndex);
  return entry ? entry->Line : QString();
}

QString TLogger::TimeText(const TLogData& entry) const {
  if (baseIndex_ >= 0) {
    return QString::asprintf("%5.2f", (entry.TimeStamp - baseTime_) * kSecondsPerDay);
  }
  const auto ms = static_cast<int>(std::lround(entry.TimeStamp * kMsPerDay));
  const QTime time = QTime::fromMSecsSinceStartOfDay(ms % static_cast<int>(kMsPerDay));
  return time.toString(QStringLiteral("hh.mm.ss"));
}

void TLogger::SetTimeBase(int viewIndex) {
  const TLogData* entry = EntryAt(viewIndex);
  baseIndex_ = entry ? viewIndex : -1;
  if (entry) baseTime_ = entry->TimeStamp;
  emit Changed();
}

QString TLogger::ExportLine(const TLogData& entry) const {
  return QString::asprintf("%3.3u ", entry.Id) +
         QStringLiteral("%1 ").arg(TimeText(entry).left(8), 8) + entry.Line;
}

QStringList TLogger::ExportLines(bool all) const {
  QStringList lines{QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))};
  if (all) {
    for (const auto& entry : entries_) lines << ExportLine(entry);
  } else {
    for (const int index : view_) lines << ExportLine(entries_[static_cast<size_t>(index)]);
  }
  return lines;
}

QByteArray TLogger::ExportBytes(bool all, TEncoding encoding) const {
  QByteArray bytes;
  for (const QString& line : ExportLines(all)) {
    if (encoding == TEncoding::Cp1251CrLf) {
      bytes += ToCp1251(line) + "\r\n";
    } else {
      bytes += line.toUtf8() + '\n';
    }
  }
  return bytes;
}

bool TLogger::Export(const QString& fileName, bool all, TEncoding encoding, QString* error) const {
  const TSaveResult saved = SaveFileBytes(fileName, ExportBytes(all, encoding));
  if (!saved.Ok() && error) *error = saved.Reason;
  return saved.Ok();
}

QString TLogger::WithTextExtension(const QString& fileName) {
  return QFileInfo(fileName).suffix().isEmpty() ? fileName + QStringLiteral(".txt") : fileName;
}
