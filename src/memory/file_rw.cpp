#include "memory/file_rw.h"

#include <algorithm>
#include <array>

#include "memory/lan_dev_error.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "memory/user_questions.h"
#include "version.h"

namespace {

const QString kVersionSection = QStringLiteral("Версия ПО");
const QString kMajorKey = QStringLiteral("V1");
// What a file without a stamp counts as: a first-generation file, never readable.
const QString kMissingMajor = QStringLiteral("1");

struct TVersionKey {
  const char* Key;
  int Value;
};

constexpr std::array<TVersionKey, 4> kVersionKeys = {{
    {"V1", kVersionMajor},
    {"V2", kVersionMinor},
    {"V3", kVersionRelease},
    {"V4", kVersionBuild},
}};

// Where byte `index` of an area lies in the file.
struct TChunkPlace {
  int Chunk;
  int Offset;
};

TChunkPlace PlaceOf(int index) {
  return {index / kChunkBytes, index % kChunkBytes};
}

int ChunkCount(const TDeviceMemoryItem& area) {
  return (area.Capacity() + kChunkBytes - 1) / kChunkBytes;
}

QString ChunkKey(const TDeviceMemoryItem& area, int chunk) {
  return area.Name() + QString::number(chunk);
}

// The chunk number a key names for an area, or -1. Only the form the program writes counts
// (plain decimal, no sign, no leading zeros), because only that form is found again when the
// chunk is read.
int ChunkOfKey(const QString& key, const QString& areaName) {
  if (!key.startsWith(areaName, Qt::CaseInsensitive)) return -1;
  const QStringView digits = QStringView(key).mid(areaName.size());
  if (digits.isEmpty() || digits.size() > 9) return -1;
  if (digits.size() > 1 && digits.front() == u'0') return -1;
  int chunk = 0;
  for (const QChar c : digits) {
    if (c < u'0' || c > u'9') return -1;
    chunk = chunk * 10 + (c.unicode() - u'0');
  }
  return chunk;
}

}  // namespace

TFileRW::TFileRW(const QString& fileName, bool createNew, IUserQuestions* questions)
    : TRW(false), fileName_(fileName) {
  if (createNew) {
    // The previous contents go entirely; the file itself is replaced only by Commit.
    for (const auto& version : kVersionKeys) {
      profile_.WriteString(kVersionSection, QString::fromLatin1(version.Key),
                           QString::number(version.Value));
    }
    SetLocations(kPersistentLocations);
    SetDefaultPacketSize(32);
    return;
  }
  QString error;
  if (!profile_.Load(fileName, &error)) {
    throw ELanDev(QStringLiteral("Unable to read %1: %2").arg(fileName, error));
  }
  sections_ = profile_.Sections();
  compatible_ = profile_.ReadString(kVersionSection, kMajorKey, kMissingMajor) ==
                QString::number(kVersionMajor);
  if (!compatible_ && questions) questions->ShowError(IncompatibleText());
}

QString TFileRW::IncompatibleText() {
  return QStringLiteral("ПО главного модуля несовместимо с настройками ini файла");
}

bool TFileRW::HasDevice(const TLanDevice& device) const {
  return allDevices_ || profile_.HasSection(device.Name());
}

std::vector<int> TFileRW::HeldChunks(const TDeviceMemoryItem& area) const {
  std::vector<int> chunks;
  if (!area.Device()) return chunks;
  const int count = ChunkCount(area);
  for (const QString& key : profile_.Keys(area.Device()->Name())) {
    const int chunk = ChunkOfKey(key, area.Name());
    if (chunk >= 0 && chunk < count) chunks.push_back(chunk);
  }
  std::sort(chunks.begin(), chunks.end());
  return chunks;
}

bool TFileRW::HasItem(const TDeviceMemoryItem& area) const {
  return !HeldChunks(area).empty();
}

TClusterList TFileRW::HeldRuns(const TDeviceMemoryItem& area) const {
  TClusterList runs;
  for (const int chunk : HeldChunks(area)) {
    const int start = chunk * kChunkBytes;
    const QByteArray bytes =
        DecodeHexChunk(profile_.ReadString(area.Device()->Name(), ChunkKey(area, chunk)));
    const int count = std::min(static_cast<int>(bytes.size()), area.Capacity() - start);
    if (count <= 0) continue;
    if (!runs.empty() && runs.back().Start + runs.back().Count == start) {
      runs.back().Count += count;
    } else {
      runs.push_back({start, count});
    }
  }
  return runs;
}

bool TFileRW::Read(int start, std::span<uint8_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), uint8_t{0});
  if (!Device() || !Item()) return false;
  const QString& section = Device()->Name();
  for (size_t done = 0; done < buffer.size();) {
    const auto [chunk, offset] = PlaceOf(start + static_cast<int>(done));
    const int n = std::min(static_cast<int>(buffer.size() - done), kChunkBytes - offset);
    const QByteArray bytes = DecodeHexChunk(profile_.ReadString(section, ChunkKey(*Item(), chunk)));
    const int held = std::clamp(static_cast<int>(bytes.size()) - offset, 0, n);
    if (held > 0) {
      std::copy_n(bytes.constData() + offset, held, buffer.begin() + static_cast<long>(done));
    }
    // No presence probe may break into a load.
    Device()->TouchLastCheck();
    done += static_cast<size_t>(n);
  }
  return true;
}

TClusterList TFileRW::Write(int start, std::span<const uint8_t> bytes) {
  if (!Device() || !Item()) return {};
  const QString& section = Device()->Name();
  for (size_t done = 0; done < bytes.size();) {
    const auto [chunk, offset] = PlaceOf(start + static_cast<int>(done));
    const int n = std::min(static_cast<int>(bytes.size() - done), kChunkBytes - offset);
    const QString key = ChunkKey(*Item(), chunk);
    QByteArray value = DecodeHexChunk(profile_.ReadString(section, key));
    if (value.size() < offset + n) value.resize(offset + n, '\0');
    std::copy_n(bytes.begin() + static_cast<long>(done), n, value.begin() + offset);
    profile_.WriteString(section, key, EncodeHexChunk(value));
    done += static_cast<size_t>(n);
  }
  return {};
}

void TFileRW::Commit() {
  if (!profile_.Save(fileName_)) {
    throw ELanDev(QStringLiteral("Unable to write to %1").arg(fileName_));
  }
}

std::vector<TDeviceMemoryItem*> AreasInFile(const TFileRW& file, const TLanDevices& devices) {
  std::vector<TDeviceMemoryItem*> areas;
  for (const QString& section : file.Sections()) {
    for (int i = 0; i < devices.Count(); ++i) {
      const TLanDevice& device = devices.Items(i);
      if (device.Name() != section) continue;
      for (const auto& area : device.Items()) {
        // Live areas are never saved; a file that names them is not to be believed.
        if (kPersistentLocations.Contains(area->MemID()) && file.HasItem(*area)) {
          areas.push_back(area.get());
        }
      }
    }
  }
  return areas;
}
