#include "memory/profile_file.h"

#include <QFile>
#include <QSaveFile>

#include "memory/code_page_1251.h"

namespace {

int HexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  return -1;
}

}  // namespace

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
      const QString name = line.mid(1, close - 1).trimmed();
      current = profile.Find(name);
      if (!current) {
        profile.sections_.push_back({name, {}});
        current = &profile.sections_.back();
      }
      continue;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (!current || eq <= 0) continue;
    const QString key = line.left(eq).trimmed();
    const QString value = line.mid(eq + 1).trimmed();
    bool replaced = false;
    for (auto& entry : current->Entries) {
      if (entry.Key.compare(key, Qt::CaseInsensitive) == 0) {
        // The first occurrence wins, as a profile reader finds it first.
        replaced = true;
        break;
      }
    }
    if (!replaced) current->Entries.push_back({key, value});
  }
  return profile;
}

QByteArray TProfileFile::Serialize() const {
  QByteArray out;
  for (const auto& section : sections_) {
    out += '[' + ToCp1251(section.Name) + "]\r\n";
    for (const auto& entry : section.Entries) {
      out += ToCp1251(entry.Key) + '=' + ToCp1251(entry.Value) + "\r\n";
    }
  }
  return out;
}

bool TProfileFile::Load(const QString& path, QString* error) {
  QFile file(path);
  if (!file.exists()) {
    sections_.clear();
    return true;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  *this = Parse(file.readAll());
  return true;
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
  for (const auto& section : sections_) {
    if (section.Name.compare(name, Qt::CaseInsensitive) == 0) return &section;
  }
  return nullptr;
}

TProfileFile::TSection* TProfileFile::Find(const QString& name) {
  return const_cast<TSection*>(std::as_const(*this).Find(name));
}

QStringList TProfileFile::Sections() const {
  QStringList names;
  for (const auto& section : sections_) names << section.Name;
  return names;
}

bool TProfileFile::HasSection(const QString& section) const {
  return Find(section) != nullptr;
}

QStringList TProfileFile::Keys(const QString& section) const {
  QStringList keys;
  if (const TSection* s = Find(section)) {
    for (const auto& entry : s->Entries) keys << entry.Key;
  }
  return keys;
}

QString TProfileFile::ReadString(const QString& section, const QString& key,
                                 const QString& fallback) const {
  if (const TSection* s = Find(section)) {
    for (const auto& entry : s->Entries) {
      if (entry.Key.compare(key, Qt::CaseInsensitive) == 0) return entry.Value;
    }
  }
  return fallback;
}

void TProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
  TSection* s = Find(section);
  if (!s) {
    sections_.push_back({section, {}});
    s = &sections_.back();
  }
  for (auto& entry : s->Entries) {
    if (entry.Key.compare(key, Qt::CaseInsensitive) == 0) {
      entry.Value = value;
      return;
    }
  }
  s->Entries.push_back({key, value});
}

void TProfileFile::EraseSection(const QString& section) {
  std::erase_if(sections_, [&](const TSection& s) {
    return s.Name.compare(section, Qt::CaseInsensitive) == 0;
  });
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
