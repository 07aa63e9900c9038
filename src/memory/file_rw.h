#pragma once

#include <QString>
#include <QStringList>
#include <span>
#include <vector>

#include "memory/profile_file.h"
#include "memory/rw.h"

class IUserQuestions;
class TLanDevices;

// Why an opened file loads nothing.
enum class TFileRefusal {
  None,
  NotProfile,         // empty, binary or without a single section
  UnreadableVersion,  // the version stamp cannot be read
  IncompatibleVersion,
};

// A chunk of an opened file that cannot be read whole. The tolerant reading still takes what
// comes before the damage, so the user has to hear where the rest went.
struct TChunkDamage {
  QString Module;
  QString Area;
  // The key as the file spells it.
  QString Key;
  // -1 when the key names no chunk of the area: a malformed number or one beyond the area.
  int Chunk = -1;
  // The first byte of the chunk that was not read; kChunkBytes for characters after a whole
  // chunk.
  int Offset = 0;

  // One line for the user: "Главный модуль -> Память настроек, блок 0: ...".
  QString Text() const;
  bool operator==(const TChunkDamage&) const = default;
};

// The file channel: area bytes as hexadecimal chunks of a configuration file, one section
// per module, one key per 1023-byte chunk of an area ("Память настроек0", ...). It lives for
// one save or one open. A save collects everything in memory and replaces the file only in
// Commit, so an abandoned or failing save leaves the previous file as it was.
class TFileRW : public TRW {
 public:
  // Saving (`createNew`) starts an empty profile stamped with the program's version; loading
  // reads the file and checks its stamp, telling `questions` why when it refuses the file.
  // Throws ELanDev when the file cannot be read.
  TFileRW(const QString& fileName, bool createNew, IUserQuestions* questions = nullptr);

  // What the user is told about a file of another program generation, which loads nothing.
  static QString IncompatibleText();

  const QString& FileName() const { return fileName_; }
  // The file carries this program's major version. A file being saved always does.
  bool IsCompatible() const { return refusal_ == TFileRefusal::None; }
  TFileRefusal Refusal() const { return refusal_; }
  // Why the file is refused, as the user is told; empty for a compatible file.
  const QString& RefusalText() const { return refusalText_; }
  bool AllDevices() const { return allDevices_; }
  void SetAllDevices(bool all) { allDevices_ = all; }
  // The file's sections as they were when it was opened, in file order.
  const QStringList& Sections() const { return sections_; }

  // Every module when AllDevices is set; otherwise the modules with a section.
  bool HasDevice(const TLanDevice& device) const override;
  bool HasSection(const QString& name) const { return sections_.contains(name); }
  // The module's section holds at least one chunk of this area: a key that is exactly the
  // area's name followed by the number of a chunk inside the area.
  bool HasItem(const TDeviceMemoryItem& area) const;
  // The byte runs the file holds for an area, ascending and merged, clipped to the area.
  TClusterList HeldRuns(const TDeviceMemoryItem& area) const;
  // The chunks of these areas that cannot be read whole, area by area in file order: values
  // with damage, and keys that start with an area's name (the longest of its module) but name
  // no chunk of it.
  std::vector<TChunkDamage> DamagedChunks(std::span<TDeviceMemoryItem* const> areas) const;

  // Bytes the file does not hold read as 0.
  bool Read(int start, std::span<uint8_t> buffer) override;
  TClusterList Write(int start, std::span<const uint8_t> bytes) override;
  void Finish() override {}

  // Replaces the file with everything written; throws ELanDev "Unable to write to %s" when it
  // cannot.
  void Commit();
  // The profile as it would be saved.
  const TProfileFile& Profile() const { return profile_; }

 private:
  // The chunks of `area` the module's section holds, by chunk number.
  std::vector<int> HeldChunks(const TDeviceMemoryItem& area) const;

  QString fileName_;
  TProfileFile profile_;
  QStringList sections_;
  bool allDevices_ = false;
  TFileRefusal refusal_ = TFileRefusal::None;
  QString refusalText_;
};

// The areas an opened file holds data for, in the order of the file's sections and, inside a
// module, in the module's area order: what the open command offers.
std::vector<TDeviceMemoryItem*> AreasInFile(const TFileRW& file, const TLanDevices& devices);

// What the user is told after an open that left chunks of the file unread: a heading that
// names the file, then one line per chunk.
QString DamageReport(const QString& fileName, const std::vector<TChunkDamage>& damage);
