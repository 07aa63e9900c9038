#include "memory/profile_file.h"

#include <QBuffer>
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

bool TProfileFile::TSection::Add(const QString& key, const QString& value) {
  const auto [at, added] = index_.try_emplace(Folded(key), entries_.size());
  if (added) {
    entries_.push_back({key, value});
    return true;
  }
  return entries_[at->second].Value == value;
}

void TProfileFile::ParseLine(const QByteArray& raw, int number, TSection*& current,
                             TTraits& traits) {
  for (const char c : raw) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t' && byte != '\r') || byte == 0x7F) traits.ControlBytes = true;
    if (byte == '\r') traits.CarriageReturn = true;
  }
  QByteArray bytes = raw;
  if (bytes.endsWith('\r')) bytes.chop(1);
  const QString line = FromCp1251(bytes).trimmed();
  if (line.isEmpty()) return;
  traits.Blank = false;
  if (line.startsWith(u';')) return;
  if (line.startsWith(u'[')) {
    const qsizetype close = line.indexOf(u']');
    if (close < 0) {
      traits.StrayLines.push_back(number);
      return;
    }
    current = &FindOrAdd(line.mid(1, close - 1).trimmed());
    return;
  }
  const qsizetype eq = line.indexOf(u'=');
  if (!current || eq <= 0) {
    traits.StrayLines.push_back(number);
    return;
  }
  // The first occurrence of a key wins, as a profile reader finds it first.
  const QString key = line.left(eq).trimmed();
  if (!current->Add(key, line.mid(eq + 1).trimmed())) conflicts_.push_back({current->Name(), key});
}

TProfileFile TProfileFile::Parse(const QByteArray& bytes, TTraits* traits) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  return Read(buffer, traits);
}

TProfileFile TProfileFile::Read(QIODevice& device, TTraits* traits) {
  constexpr qsizetype kBlock = 64 * 1024;
  TProfileFile profile;
  TTraits noticed;
  TSection* current = nullptr;
  QByteArray line;
  bool cut = false;
  int number = 1;
  bool first = true;
  const auto endLine = [&] {
    if (cut) noticed.LongLines.push_back(number);
    profile.ParseLine(line, number, current, noticed);
    line.clear();
    cut = false;
    ++number;
  };
  for (QByteArray block = device.read(kBlock); !block.isEmpty(); block = device.read(kBlock)) {
    if (first) {
      noticed.Utf8Bom = block.startsWith("\xEF\xBB\xBF");
      first = false;
    }
    qsizetype from = 0;
    while (from < block.size()) {
      const qsizetype end = block.indexOf('\n', from);
      const qsizetype stop = end < 0 ? block.size() : end;
      const qsizetype room = kMaxLineBytes - line.size();
      if (stop - from > room) cut = true;
      line.append(block.constData() + from, std::min(stop - from, room));
      if (end < 0) break;
      noticed.LineFeed = true;
      endLine();
      from = end + 1;
    }
  }
  if (!line.isEmpty() || cut) endLine();
  if (traits) *traits = std::move(noticed);
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

TSaveResult TProfileFile::Save(const QString& path) const {
  return SaveFileBytes(path, Serialize());
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
