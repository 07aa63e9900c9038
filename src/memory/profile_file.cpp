#include "memory/profile_file.h"

#include <QSaveFile>
#include <algorithm>

#include "text/code_page_1251.h"

namespace {

int HexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  return -1;
}

// A name folded code point by code point, as QString::compare folds it when it ignores case,
// so that two names are equal here exactly when that comparison says so.
QString Folded(const QString& name) {
  QString folded;
  folded.reserve(name.size());
  for (const char32_t codePoint : name.toUcs4()) {
    const char32_t fold = QChar::toCaseFolded(codePoint);
    if (QChar::requiresSurrogates(fold)) {
      folded += QChar(QChar::highSurrogate(fold));
      folded += QChar(QChar::lowSurrogate(fold));
    } else {
      folded += QChar(static_cast<char16_t>(fold));
    }
  }
  return folded;
}

}  // namespace

const TProfileFile::TEntry* TProfileFile::TSection::Find(const QString& key) const {
  const auto at = index_.find(Folded(key));
  return at == index_.end() ? nullptr : &entries_[at->second];
}

void TProfileFile::TSection::Write(const QString& key, const QString& value) {
  const auto [at, added] = index_.try_emplace(Folded(key), entries_.size());
  if (added) {
    entries_.push_back({key, value});
  } else {
    entries_[at->second].Value = value;
  }
}

void TProfileFile::TSection::Add(const QString& key, const QString& value) {
  if (index_.try_emplace(Folded(key), entries_.size()).second) entries_.push_back({key, value});
}

TProfileFile TProfileFile::Parse(const QByteArray& bytes) {
  TProfileFile profile;
  TSection* current = nullptr;
  for (QByteArray raw : bytes.split('\n')) {
    if (raw.endsWith('\r')) raw.chop(1);
    const QString line = FromCp1251(raw).trimmed();
    if (line.isEmpty() || line.startsWith(u';')) continue;
    if (line.startsWith(u'[')) {
      const qsizetype close = line.indexOf(u']');
      if (close < 0) continue;
      current = &profile.FindOrAdd(line.mid(1, close - 1).trimmed());
      continue;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (!current || eq <= 0) continue;
    // The first occurrence of a key wins, as a profile reader finds it first.
    current->Add(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
  }
  return profile;
}

QByteArray TProfileFile::Serialize() const {
  QByteArray out;
  for (const auto& section : sections_) {
    out += '[' + ToCp1251(section.Name()) + "]\r\n";
    for (const auto& entry : section.Entries()) {
      out += ToCp1251(entry.Key) + '=' + ToCp1251(entry.Value) + "\r\n";
    }
  }
  return out;
}

bool TProfileFile::Save(const QString& path, QString* error) const {
  QSaveFile file(path);
  const QByteArray bytes = Serialize();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

const TProfileFile::TSection* TProfileFile::Find(const QString& name) const {
  const auto at = sectionIndex_.find(Folded(name));
  return at == sectionIndex_.end() ? nullptr : &sections_[at->second];
}

TProfileFile::TSection* TProfileFile::Find(const QString& name) {
  return const_cast<TSection*>(std::as_const(*this).Find(name));
}

TProfileFile::TSection& TProfileFile::FindOrAdd(const QString& name) {
  const auto [at, added] = sectionIndex_.try_emplace(Folded(name), sections_.size());
  if (added) sections_.emplace_back(name);
  return sections_[at->second];
}

QStringList TProfileFile::Sections() const {
  QStringList names;
  for (const auto& section : sections_) names << section.Name();
  return names;
}

bool TProfileFile::HasSection(const QString& section) const {
  return Find(section) != nullptr;
}

QStringList TProfileFile::Keys(const QString& section) const {
  QStringList keys;
  if (const TSection* s = Find(section)) {
    for (const auto& entry : s->Entries()) keys << entry.Key;
  }
  return keys;
}

QString TProfileFile::ReadString(const QString& section, const QString& key,
                                 const QString& fallback) const {
  const TSection* s = Find(section);
  const TEntry* entry = s ? s->Find(key) : nullptr;
  return entry ? entry->Value : fallback;
}

void TProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
  FindOrAdd(section).Write(key, value);
}

void TProfileFile::EraseSection(const QString& section) {
  const auto at = sectionIndex_.find(Folded(section));
  if (at == sectionIndex_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(at->second));
  sectionIndex_.clear();
  for (size_t i = 0; i < sections_.size(); ++i)
    sectionIndex_.emplace(Folded(sections_[i].Name()), i);
}

QString EncodeHexChunk(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.left(kChunkBytes).toHex().toUpper());
}

QByteArray DecodeHexChunk(const QString& text) {
  QByteArray bytes;
  for (qsizetype i = 0; i + 1 < text.size() && bytes.size() < kChunkBytes; i += 2) {
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) break;
    bytes.append(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

std::optional<int> HexChunkDamage(const QString& text) {
  if (text.isEmpty()) return 0;
  const qsizetype digits = std::min<qsizetype>(text.size(), 2 * kChunkBytes);
  for (qsizetype i = 0; i < digits; ++i) {
    if (HexValue(text[i]) < 0) return static_cast<int>(i / 2);
  }
  if (text.size() > digits) return kChunkBytes;
  if (text.size() % 2 != 0) return static_cast<int>(text.size() / 2);
  return std::nullopt;
}
