#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// A profile ("ini") text file of sections and key=value lines in the Windows-1251 code page
// with CR LF line ends. Sections and keys keep the order they were first written in;
// rewriting a key replaces its value in place. Section and key lookups ignore case, as the
// profile files of the platform the format comes from do.
class TProfileFile {
 public:
  TProfileFile() = default;
  // Parses file contents; lines outside a section and lines that are neither a section nor
  // a key=value pair are ignored.
  static TProfileFile Parse(const QByteArray& bytes);
  QByteArray Serialize() const;

  // Reads a file; a missing file is an empty profile. False, with `error`, when the file
  // exists but cannot be read.
  bool Load(const QString& path, QString* error = nullptr);
  // Writes the whole profile through a temporary file that replaces `path` only when
  // everything was written, so a failing save never leaves a half file behind.
  bool Save(const QString& path, QString* error = nullptr) const;

  QStringList Sections() const;
  bool HasSection(const QString& section) const;
  QStringList Keys(const QString& section) const;
  QString ReadString(const QString& section, const QString& key,
                     const QString& fallback = {}) const;
  void WriteString(const QString& section, const QString& key, const QString& value);
  void EraseSection(const QString& section);
  void Clear() { sections_.clear(); }

 private:
  struct TEntry {
    QString Key;
    QString Value;
  };
  struct TSection {
    QString Name;
    std::vector<TEntry> Entries;
  };
  const TSection* Find(const QString& name) const;
  TSection* Find(const QString& name);

  std::vector<TSection> sections_;
};

// Chunks of area images as profile values: 1023 bytes a chunk, two upper-case hexadecimal
// digits a byte, at most 2046 characters a value.
inline constexpr int kChunkBytes = 1023;
QString EncodeHexChunk(const QByteArray& bytes);
// Decodes pairs of hexadecimal digits up to the first character that is not one; an odd last
// digit is ignored; at most one chunk of bytes is taken.
QByteArray DecodeHexChunk(const QString& text);
