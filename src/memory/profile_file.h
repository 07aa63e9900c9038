#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>
#include <unordered_map>
#include <vector>

#include "text/file_save.h"

// A profile ("ini") text file of sections and key=value lines in the Windows-1251 code page
// with CR LF line ends. Sections and keys keep the order they were first written in;
// rewriting a key replaces its value in place. Section and key lookups ignore case, as the
// profile files of the platform the format comes from do.
class TProfileFile {
 public:
  // The longest line a profile of this program holds: the longest chunk value (2046 hex
  // digits) with its key, with room to spare. A longer line is cut here when it is read, so a
  // file with a line of megabytes costs no more memory than one that fits.
  static constexpr qsizetype kMaxLineBytes = 4096;

  // What reading noticed beyond sections and keys: the traces another program or an editor
  // leaves, and lines the profile could not take.
  struct TTraits {
    bool Blank = true;          // nothing but white space
    bool ControlBytes = false;  // control characters other than tabs and line ends
    bool CarriageReturn = false;
    bool LineFeed = false;
    bool Utf8Bom = false;  // starts with EF BB BF
    // 1-based numbers of lines longer than kMaxLineBytes, cut there.
    std::vector<int> LongLines;
    // 1-based numbers of lines that are neither a section, a key of a section nor a comment.
    std::vector<int> StrayLines;
  };
  // A key given twice in a section with different values; the first value is the one read.
  struct TConflict {
    QString Section;
    QString Key;
  };

  TProfileFile() = default;
  // Parses file contents; lines outside a section and lines that are neither a section nor
  // a key=value pair are ignored (and noted in `traits`).
  static TProfileFile Parse(const QByteArray& bytes, TTraits* traits = nullptr);
  // The same, reading the device a block at a time.
  static TProfileFile Read(QIODevice& device, TTraits* traits = nullptr);
  QByteArray Serialize() const;

  // Writes the whole profile as every save of the program does (SaveFileBytes): a file is
  // replaced only when everything was written, a device or pipe is written into.
  TSaveResult Save(const QString& path) const;

  QStringList Sections() const;
  bool HasSection(const QString& section) const;
  QStringList Keys(const QString& section) const;
  QString ReadString(const QString& section, const QString& key,
                     const QString& fallback = {}) const;
  void WriteString(const QString& section, const QString& key, const QString& value);
  void EraseSection(const QString& section);
  void Clear() {
    sections_.clear();
    sectionIndex_.clear();
    conflicts_.clear();
  }
  // Keys given again with another value while the profile was parsed.
  const std::vector<TConflict>& Conflicts() const { return conflicts_; }

 private:
  struct TEntry {
    QString Key;
    QString Value;
  };
  // Entries in first-written order, found by their folded key: a file with tens of thousands
  // of keys in one section must not cost a scan of the section for every key.
  class TSection {
   public:
    explicit TSection(QString name) : name_(std::move(name)) {}
    const QString& Name() const { return name_; }
    const std::vector<TEntry>& Entries() const { return entries_; }
    const TEntry* Find(const QString& key) const;
    // Adds the key at the end, or replaces its value where it is.
    void Write(const QString& key, const QString& value);
    // Adds the key at the end unless it is there already; false when it was there with
    // another value.
    bool Add(const QString& key, const QString& value);

   private:
    QString name_;
    std::vector<TEntry> entries_;
    std::unordered_map<QString, size_t> index_;
  };
  const TSection* Find(const QString& name) const;
  TSection* Find(const QString& name);
  TSection& FindOrAdd(const QString& name);

  // One line of a file being parsed, without its line end.
  void ParseLine(const QByteArray& raw, int number, TSection*& current, TTraits& traits);

  std::vector<TSection> sections_;
  std::unordered_map<QString, size_t> sectionIndex_;
  std::vector<TConflict> conflicts_;
};

// Chunks of area images as profile values: 1023 bytes a chunk, two upper-case hexadecimal
// digits a byte, at most 2046 characters a value.
inline constexpr int kChunkBytes = 1023;
QString EncodeHexChunk(const QByteArray& bytes);
// Decodes pairs of hexadecimal digits up to the first character that is not one; an odd last
// digit is ignored; at most one chunk of bytes is taken.
QByteArray DecodeHexChunk(const QString& text);
// The offset of the first byte of a chunk value that DecodeHexChunk cannot take whole: a
// character that is not a hexadecimal digit, a missing last digit, bytes beyond the chunk, or
// an empty value (a chunk is written only with at least one byte). nullopt for a sound value.
std::optional<int> HexChunkDamage(const QString& text);
