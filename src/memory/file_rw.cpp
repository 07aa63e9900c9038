#include "memory/file_rw.h"

#include <QFile>
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

// The area of the module whose name is the longest that starts the key: "Память настроек
// Flash0" belongs to "Память настроек Flash", not to "Память настроек".
const TDeviceMemoryItem* OwnerOfKey(const TLanDevice& device, const QString& key) {
  const TDeviceMemoryItem* owner = nullptr;
  for (const auto& item : device.Items()) {
    const QString& name = item->Name();
    if (name.isEmpty() || !key.startsWith(name, Qt::CaseInsensitive)) continue;
    if (!owner || name.size() > owner->Name().size()) owner = item.get();
  }
  return owner;
}

// Why a file is refused, as the user is told.
struct TVerdict {
  TFileRefusal Refusal = TFileRefusal::None;
  QString Text;
};

TVerdict NotProfile(const QString& fileName, const QString& reason) {
  return {TFileRefusal::NotProfile,
          QStringLiteral("Файл \"%1\" не является файлом настроек: %2.").arg(fileName, reason)};
}

TVerdict UnreadableVersion(const QString& fileName, const QString& reason) {
  return {TFileRefusal::UnreadableVersion,
          QStringLiteral("Не удалось прочитать версию в файле \"%1\": %2.").arg(fileName, reason)};
}

// A profile is text: control characters other than tabs and line ends mean some other file.
bool HasControlBytes(const QByteArray& bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
  });
}

bool IsDecimal(const QString& text) {
  return !text.isEmpty() &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Whether the file can be loaded; when it cannot, what is wrong with it. Where an editor has
// left a trace that explains a stamp that cannot be read (another code page, old Mac line
// ends), the user is told so instead of hearing about firmware.
TVerdict CheckOpened(const QString& fileName, const QByteArray& bytes,
                     const TProfileFile& profile) {
  if (bytes.trimmed().isEmpty()) return NotProfile(fileName, QStringLiteral("файл пуст"));
  if (HasControlBytes(bytes)) return NotProfile(fileName, QStringLiteral("в нём двоичные данные"));
  const bool hasSection = profile.HasSection(kVersionSection);
  if (hasSection && profile.Keys(kVersionSection).contains(kMajorKey, Qt::CaseInsensitive)) {
    const QString major = profile.ReadString(kVersionSection, kMajorKey);
    if (major == QString::number(kVersionMajor)) return {};
    if (IsDecimal(major)) return {TFileRefusal::IncompatibleVersion, TFileRW::IncompatibleText()};
    return UnreadableVersion(fileName,
                             QStringLiteral("значение %1 \"%2\" не число").arg(kMajorKey, major));
  }
  if (bytes.contains('\r') && !bytes.contains('\n')) {
    return UnreadableVersion(fileName, QStringLiteral("строки разделены только символом CR"));
  }
  if (QString::fromUtf8(bytes).contains(u'[' + kVersionSection + u']')) {
    return UnreadableVersion(
        fileName, QStringLiteral("текст записан в UTF-8, а не в кодировке Windows-1251"));
  }
  if (profile.Sections().isEmpty()) {
    return NotProfile(fileName, QStringLiteral("в нём нет ни одного раздела"));
  }
  // The files of the first program generation carry no stamp at all.
  if (!hasSection) return {TFileRefusal::IncompatibleVersion, TFileRW::IncompatibleText()};
  return UnreadableVersion(
      fileName, QStringLiteral("нет ключа %1 в разделе [%2]").arg(kMajorKey, kVersionSection));
}

}  // namespace

QString TChunkDamage::Text() const {
  const QString where = Module + QStringLiteral(" -> ") + Area;
  if (Chunk < 0) {
    return QStringLiteral("%1, ключ \"%2\" не называет блок этой памяти").arg(where, Key);
  }
  if (Offset >= kChunkBytes) {
    return QStringLiteral("%1, блок %2: лишние знаки после %3 байт")
        .arg(where)
        .arg(Chunk)
        .arg(kChunkBytes);
  }
  return QStringLiteral("%1, блок %2: не прочитан с байта %3 (адрес %4)")
      .arg(where)
      .arg(Chunk)
      .arg(Offset)
      .arg(Chunk * kChunkBytes + Offset);
}

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
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    throw ELanDev(QStringLiteral("Unable to read %1: %2").arg(fileName, file.errorString()));
  }
  const QByteArray bytes = file.readAll();
  profile_ = TProfileFile::Parse(bytes);
  sections_ = profile_.Sections();
  TVerdict verdict = CheckOpened(fileName, bytes, profile_);
  refusal_ = verdict.Refusal;
  refusalText_ = std::move(verdict.Text);
  if (!IsCompatible() && questions) questions->ShowError(refusalText_);
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

std::vector<TChunkDamage> TFileRW::DamagedChunks(std::span<TDeviceMemoryItem* const> areas) const {
  std::vector<TChunkDamage> damage;
  for (const TDeviceMemoryItem* area : areas) {
    const TLanDevice* device = area->Device();
    if (!device) continue;
    const QString& section = device->Name();
    for (const QString& key : profile_.Keys(section)) {
      if (OwnerOfKey(*device, key) != area) continue;
      const int chunk = ChunkOfKey(key, area->Name());
      if (chunk < 0 || chunk >= ChunkCount(*area)) {
        damage.push_back({section, area->Name(), key});
      } else if (const auto offset = HexChunkDamage(profile_.ReadString(section, key))) {
        damage.push_back({section, area->Name(), key, chunk, *offset});
      }
    }
  }
  return damage;
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

QString DamageReport(const QString& fileName, const std::vector<TChunkDamage>& damage) {
  QStringList lines = {
      QStringLiteral("Файл \"%1\" повреждён, эти блоки прочитаны не полностью:").arg(fileName)};
  for (const TChunkDamage& chunk : damage) lines << chunk.Text();
  return lines.join(u'\n');
}
