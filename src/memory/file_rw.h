#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "memory/profile_file.h"
#include "memory/rw.h"

class IUserQuestions;
class TLanDevices;

// The file channel: area bytes as hexadecimal chunks of a configuration file, one section
// per module, one key per 1023-byte chunk of an area ("Память настроек0", ...). It lives for
// one save or one open. A save collects everything in memory and replaces the file only in
// Commit, so an abandoned or failing save leaves the previous file as it was.
class TFileRW : public TRW {
 public:
  // Saving (`createNew`) starts an empty profile stamped with the program's version; loading
  // reads the file and checks its stamp, telling `questions` when it refuses the file.
  // Throws ELanDev when an existing file cannot be read.
  TFileRW(const QString& fileName, bool createNew, IUserQuestions* questions = nullptr);

  // What the user is told about a file of another program generation, which loads nothing.
  static QString IncompatibleText();

  const QString& FileName() const { return fileName_; }
  // The file carries this program's major version. A file being saved always does.
  bool IsCompatible() const { return compatible_; }
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
  bool compatible_ = true;
};

// The areas an opened file holds data for, in the order of the file's sections and, inside a
// module, in the module's area order: what the open command offers.
std::vector<TDeviceMemoryItem*> AreasInFile(const TFileRW& file, const TLanDevices& devices);
