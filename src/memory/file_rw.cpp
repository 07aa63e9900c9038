#include "memory/file_rw.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <limits>

#include "memory/lan_dev_error.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "memory/user_questions.h"
#include "text/code_page_1251.h"
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

bool IsDecimal(const QString& text) {
  return !text.isEmpty() &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Whether the file can be loaded; when it cannot, what is wrong with it. Where an editor has
// left a trace that explains a stamp that cannot be read (another code page, old Mac line
// ends), the user is told so instead of hearing about firmware.
// Whether a name read as Windows-1251 is `name` written in UTF-8.
bool IsUtf8Of(const QString& read, const QString& name) {
  return QString::fromUtf8(ToCp1251(read)) == name;
}

TVerdict CheckOpened(const QString& fileName, const TProfileFile::TTraits& traits,
                     const TProfileFile& profile) {
  if (traits.Blank) return NotProfile(fileName, QStringLiteral("файл пуст"));
  if (traits.ControlBytes) return NotProfile(fileName, QStringLiteral("в нём двоичные данные"));
  if (traits.Utf8Bom) {
    return UnreadableVersion(fileName,
                             QStringLiteral("файл записан в UTF-8 (начинается с метки BOM), а "
                                            "файлы настроек пишутся в кодировке Windows-1251"));
  }
  const bool hasSection = profile.HasSection(kVersionSection);
  if (hasSection && profile.Keys(kVersionSection).contains(kMajorKey, Qt::CaseInsensitive)) {
    const QString major = profile.ReadString(kVersionSection, kMajorKey);
    if (major == QString::number(kVersionMajor)) return {};
    if (IsDecimal(major)) return {TFileRefusal::IncompatibleVersion, TFileRW::IncompatibleText()};
    return UnreadableVersion(fileName,
                             QStringLiteral("значение %1 \"%2\" не число").arg(kMajorKey, major));
  }
  if (traits.CarriageReturn && !traits.LineFeed) {
    return UnreadableVersion(fileName, QStringLiteral("строки разделены только символом CR"));
  }
  const QStringList sections = profile.Sections();
  if (std::any_of(sections.begin(), sections.end(),
                  [](const QString& section) { return IsUtf8Of(section, kVersionSection); })) {
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
  const auto range = [](int first, int count) {
    return count <= 1 ? QString::number(first)
                      : QStringLiteral("%1..%2").arg(first).arg(first + count - 1);
  };
  switch (Kind) {
    case TDamageKind::Unreadable:
      break;
    case TDamageKind::PastEnd:
      return QStringLiteral("%1, блок %2: байты после конца памяти (с адреса %3)")
          .arg(where)
          .arg(Chunk)
          .arg(Chunk * kChunkBytes + Offset);
    case TDamageKind::Conflict:
      return QStringLiteral("%1, ключ \"%2\" повторён с другим значением").arg(where, Key);
    case TDamageKind::Missing:
      return QStringLiteral("%1, блок %2: в файле нет нужных байт в пределах %3 (адреса %4)")
          .arg(where)
          .arg(Chunk)
          .arg(range(Offset - Chunk * kChunkBytes, Count), range(Offset, Count));
    case TDamageKind::UnknownSection:
      return QStringLiteral("раздел [%1] не называет ни одного модуля").arg(Module) +
             (Area.isEmpty() ? QString() : QStringLiteral(" (это \"%1\" в UTF-8?)").arg(Area));
    case TDamageKind::EmptySection:
      return QStringLiteral("раздел [%1] не содержит ни одного блока").arg(Module);
    case TDamageKind::UnknownKey:
      return QStringLiteral("%1: ключ \"%2\" не называет ни одной памяти настроек модуля")
          .arg(Module, Key);
    case TDamageKind::LongLine:
      return QStringLiteral("строка %1 длиннее %2 знаков, прочитано только начало")
          .arg(Chunk)
          .arg(TProfileFile::kMaxLineBytes);
    case TDamageKind::StrayLine:
      return QStringLiteral("строка %1 не раздел и не ключ раздела").arg(Chunk);
  }
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
  profile_ = TProfileFile::Read(file, &traits_);
  sections_ = profile_.Sections();
  TVerdict verdict = CheckOpened(fileName, traits_, profile_);
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
      const QString value = profile_.ReadString(section, key);
      const int place = std::min(kChunkBytes, area->Capacity() - chunk * kChunkBytes);
      if (chunk < 0 || chunk >= ChunkCount(*area)) {
        damage.push_back({section, area->Name(), key});
      } else if (const auto offset = HexChunkDamage(value)) {
        damage.push_back({section, area->Name(), key, chunk, *offset});
      } else if (value.size() / 2 > place) {
        damage.push_back({section, area->Name(), key, chunk, place, TDamageKind::PastEnd});
      }
    }
    for (const auto& conflict : profile_.Conflicts()) {
      if (QString::compare(conflict.Section, section, Qt::CaseInsensitive) == 0 &&
          OwnerOfKey(*device, conflict.Key) == area) {
        damage.push_back({section, area->Name(), conflict.Key, -1, 0, TDamageKind::Conflict});
      }
    }
  }
  return damage;
}

std::vector<TChunkDamage> TFileRW::UnknownParts(const TLanDevices& devices,
                                                std::span<const TLanDevice* const> modules) const {
  std::vector<TChunkDamage> damage;
  for (const int line : traits_.LongLines) {
    damage.push_back({{}, {}, {}, line, 0, TDamageKind::LongLine});
  }
  for (const int line : traits_.StrayLines) {
    damage.push_back({{}, {}, {}, line, 0, TDamageKind::StrayLine});
  }
  for (const QString& section : sections_) {
    if (QString::compare(section, kVersionSection, Qt::CaseInsensitive) == 0) {
      // A module's keys land here when its section line is lost.
      for (const QString& key : profile_.Keys(section)) {
        const bool stamp =
            std::any_of(kVersionKeys.begin(), kVersionKeys.end(), [&](const auto& v) {
              return key.compare(QLatin1String(v.Key), Qt::CaseInsensitive) == 0;
            });
        if (!stamp) damage.push_back({section, {}, key, -1, 0, TDamageKind::UnknownKey});
      }
      continue;
    }
    const TLanDevice* device = nullptr;
    QString utf8Name;
    for (int i = 0; i < devices.Count() && !device; ++i) {
      const TLanDevice& candidate = devices.Items(i);
      if (QString::compare(candidate.Name(), section, Qt::CaseInsensitive) == 0) {
        device = &candidate;
      } else if (IsUtf8Of(section, candidate.Name())) {
        utf8Name = candidate.Name();
      }
    }
    if (!device) {
      damage.push_back({section, utf8Name, {}, -1, 0, TDamageKind::UnknownSection});
      continue;
    }
    if (!modules.empty() && std::find(modules.begin(), modules.end(), device) == modules.end()) {
      continue;
    }
    // A save writes a module's section only with its chunks: an empty one lost its lines.
    if (profile_.Keys(section).isEmpty()) {
      damage.push_back({section, {}, {}, -1, 0, TDamageKind::EmptySection});
    }
    for (const QString& key : profile_.Keys(section)) {
      const TDeviceMemoryItem* owner = OwnerOfKey(*device, key);
      // Live areas are never saved; a key of theirs is as foreign as one of no area. A key of
      // a settings area that names no chunk is told by DamagedChunks where the area is loaded.
      if (owner && kPersistentLocations.Contains(owner->MemID()) && HasItem(*owner)) continue;
      if (owner && kPersistentLocations.Contains(owner->MemID())) {
        damage.push_back({section, owner->Name(), key});
      } else {
        damage.push_back({section, {}, key, -1, 0, TDamageKind::UnknownKey});
      }
    }
  }
  return damage;
}

std::vector<TChunkDamage> TFileRW::MissingBytes(const TDeviceMemoryItem& area,
                                                const TClusterList& needed) const {
  std::vector<TChunkDamage> damage;
  if (!area.Device()) return damage;
  std::vector<bool> held(static_cast<size_t>(area.Capacity()), false);
  for (const auto& run : HeldRuns(area)) {
    std::fill_n(held.begin() + run.Start, run.Count, true);
  }
  for (const auto& run : needed) {
    const int end = std::min(run.Start + run.Count, area.Capacity());
    for (int i = std::max(run.Start, 0); i < end; ++i) {
      if (held[static_cast<size_t>(i)]) continue;
      const int chunk = i / kChunkBytes;
      TChunkDamage* last = damage.empty() ? nullptr : &damage.back();
      if (last && last->Chunk == chunk) {
        // One line a chunk: the span from its first missing byte to its last.
        last->Count = i - last->Offset + 1;
      } else {
        damage.push_back({area.Device()->Name(), area.Name(), ChunkKey(area, chunk), chunk, i,
                          TDamageKind::Missing, 1});
      }
    }
  }
  return damage;
}

std::vector<TChunkDamage> TFileRW::MissingFromWhole(const TDeviceMemoryItem& area) const {
  return MissingBytes(area, WholeArea(area));
}

bool TFileRW::Read(int start, std::span<uint8_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), uint8_t{0});
  if (!Device() || !Item()) return false;
  const std::span<const uint8_t> image = Item()->Image();
  for (size_t i = 0; i < buffer.size() && start + i < image.size(); ++i) {
    buffer[i] = image[start + i];
  }
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
  const TSaveResult saved = profile_.Save(fileName_);
  if (!saved.Ok()) {
    throw ELanDev(QStringLiteral("Unable to write to %1: %2").arg(fileName_, saved.Reason));
  }
}

std::vector<TDeviceMemoryItem*> AreasInFile(const TFileRW& file, const TLanDevices& devices) {
  std::vector<TDeviceMemoryItem*> areas;
  for (const QString& section : file.Sections()) {
    for (int i = 0; i < devices.Count(); ++i) {
      const TLanDevice& device = devices.Items(i);
      if (QString::compare(device.Name(), section, Qt::CaseInsensitive) != 0) continue;
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

TClusterList ControlRuns(const TDeviceMemoryItem& area) {
  std::vector<bool> bound(static_cast<size_t>(std::max(area.Size(), 0)), false);
  for (const IBoundControl* control : area.Controls()) {
    const int end = std::min(control->GetAddr() + control->GetSize(), area.Size());
    for (int i = std::max(control->GetAddr(), 0); i < end; ++i)
      bound[static_cast<size_t>(i)] = true;
  }
  return BuildClusters(bound, area.Size(), std::numeric_limits<int>::max());
}

TClusterList WholeArea(const TDeviceMemoryItem& area) {
  return {{0, area.Size()}};
}

std::vector<TChunkDamage> LoadDamage(const TFileRW& file, const TLanDevices& devices,
                                     std::span<TDeviceMemoryItem* const> areas,
                                     const TNeededBytes& needed,
                                     std::span<const TLanDevice* const> modules) {
  std::vector<TChunkDamage> damage = file.UnknownParts(devices, modules);
  for (TDeviceMemoryItem* area : areas) {
    const std::vector<TChunkDamage> chunks = file.DamagedChunks(std::span(&area, 1));
    damage.insert(damage.end(), chunks.begin(), chunks.end());
    // A chunk already told as unreadable is not told again for the bytes it lacks.
    const auto told = [&chunks](const TChunkDamage& missing) {
      return std::any_of(chunks.begin(), chunks.end(),
                         [&](const TChunkDamage& chunk) { return chunk.Chunk == missing.Chunk; });
    };
    for (const TChunkDamage& missing : file.MissingBytes(*area, needed(*area))) {
      if (!told(missing)) damage.push_back(missing);
    }
  }
  return damage;
}

QStringList DamageLines(const std::vector<TChunkDamage>& damage) {
  QStringList lines;
  for (size_t i = 0; i < damage.size() && i < kDamageLinesShown; ++i) lines << damage[i].Text();
  if (damage.size() > kDamageLinesShown) {
    lines << QStringLiteral("... и ещё повреждений: %1 (всего %2)")
                 .arg(damage.size() - kDamageLinesShown)
                 .arg(damage.size());
  }
  return lines;
}

QString DamageReport(const QString& fileName, const std::vector<TChunkDamage>& damage) {
  QStringList lines = {QStringLiteral("Файл \"%1\" повреждён или неполон:").arg(fileName)};
  lines << DamageLines(damage);
  return lines.join(u'\n');
}
