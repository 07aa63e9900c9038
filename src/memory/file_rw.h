#pragma once

#include <QString>
#include <QStringList>
#include <functional>
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

// What is wrong with a place of an opened file.
enum class TDamageKind {
  // A chunk value that cannot be read whole (Offset: its first byte not read, kChunkBytes for
  // characters after a whole chunk), or, with Chunk -1, a key that names no chunk of the area.
  Unreadable,
  // A chunk that holds bytes beyond the end of its area; Offset is the first of them.
  PastEnd,
  // A key given again with another value; the first one is read.
  Conflict,
  // Bytes the area needs that the file does not hold, all within Count bytes from area
  // address Offset (one entry a chunk).
  Missing,
  // A section that names no module (Module), or a key of a module that names no memory (Key).
  UnknownSection,
  UnknownKey,
  // A module's section without a single key.
  EmptySection,
  // A line (number in Chunk) cut at the longest line a profile holds, or one that is neither a
  // section nor a key.
  LongLine,
  StrayLine,
};

// A place of an opened file the reading could not take as it is. The tolerant reading still
// takes what it can, so the user has to hear where the rest went.
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
  TDamageKind Kind = TDamageKind::Unreadable;
  int Count = 0;

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
  // Section names match ignoring case, as keys do.
  bool HasSection(const QString& name) const { return profile_.HasSection(name); }
  // The module's section holds at least one chunk of this area: a key that is exactly the
  // area's name followed by the number of a chunk inside the area.
  bool HasItem(const TDeviceMemoryItem& area) const;
  // The byte runs the file holds for an area, ascending and merged, clipped to the area.
  TClusterList HeldRuns(const TDeviceMemoryItem& area) const;
  // The chunks of these areas that cannot be read as they are, area by area in file order:
  // values with damage, values reaching past the area's end, keys given again with another
  // value, and keys that start with an area's name (the longest of its module) but name no
  // chunk of it.
  std::vector<TChunkDamage> DamagedChunks(std::span<TDeviceMemoryItem* const> areas) const;
  // What of the file belongs to nothing: lines cut or not understood, sections that name no
  // module of `devices`, keys of the version section other than its stamp, and of the modules
  // in `modules` (every module when empty) an empty section or keys that name no memory of
  // theirs. Case is ignored in module and key names alike.
  std::vector<TChunkDamage> UnknownParts(const TLanDevices& devices,
                                         std::span<const TLanDevice* const> modules = {}) const;
  // The bytes of `needed` the file does not hold for the area, one entry a chunk spanning them.
  std::vector<TChunkDamage> MissingBytes(const TDeviceMemoryItem& area,
                                         const TClusterList& needed) const;
  // The area's bytes the file does not hold, as a whole copy (read --full) holds them all.
  std::vector<TChunkDamage> MissingFromWhole(const TDeviceMemoryItem& area) const;

  // Bytes the file does not hold read as the area holds them now (0 without an area), so a
  // load never puts a value the file does not have into them.
  bool Read(int start, std::span<uint8_t> buffer) override;
  TClusterList Write(int start, std::span<const uint8_t> bytes) override;
  void Finish() override {}

  // Replaces the file with everything written; throws ELanDev "Unable to write to %s: REASON"
  // when it cannot.
  void Commit();
  // The profile as it would be saved.
  const TProfileFile& Profile() const { return profile_; }

 private:
  // The chunks of `area` the module's section holds, by chunk number.
  std::vector<int> HeldChunks(const TDeviceMemoryItem& area) const;

  QString fileName_;
  TProfileFile profile_;
  QStringList sections_;
  TProfileFile::TTraits traits_;
  bool allDevices_ = false;
  TFileRefusal refusal_ = TFileRefusal::None;
  QString refusalText_;
};

// The areas an opened file holds data for, in the order of the file's sections and, inside a
// module, in the module's area order: what the open command offers.
std::vector<TDeviceMemoryItem*> AreasInFile(const TFileRW& file, const TLanDevices& devices);

// The runs of bytes the controls bound to an area show: what a load from a file needs.
TClusterList ControlRuns(const TDeviceMemoryItem& area);

// Every byte of the area: what a whole copy (read --full) restores.
TClusterList WholeArea(const TDeviceMemoryItem& area);

// The bytes of an area a load needs from a file.
using TNeededBytes = std::function<TClusterList(const TDeviceMemoryItem& area)>;

// Everything wrong with an opened file for a load of these areas that needs `needed` of each:
// unknown parts first (keys only of `modules`, every module when empty), then area by area.
std::vector<TChunkDamage> LoadDamage(const TFileRW& file, const TLanDevices& devices,
                                     std::span<TDeviceMemoryItem* const> areas,
                                     const TNeededBytes& needed,
                                     std::span<const TLanDevice* const> modules = {});

// At most this many lines of damage are listed; the rest is counted in one line.
inline constexpr size_t kDamageLinesShown = 20;

// The lines the user is told about damage: one per place, the ones past kDamageLinesShown
// counted in a last line.
QStringList DamageLines(const std::vector<TChunkDamage>& damage);

// What the user is told after an open that left parts of the file unread: a heading that
// names the file, then DamageLines.
QString DamageReport(const QString& fileName, const std::vector<TChunkDamage>& damage);
