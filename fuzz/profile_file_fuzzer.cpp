// The profile reader and the hexadecimal chunks over any file contents. What it reads, saved
// and read again, is the same profile; section and key lookups find what the lists name; and
// every value agrees with itself as a chunk: the bytes decoded stop exactly where the damage
// report says the chunk stops being readable, and a sound chunk encodes back to its text.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "memory/profile_file.h"

namespace {

// Case-insensitive uniqueness is checked pairwise, so only on lists of this size or less.
constexpr qsizetype kPairwiseLimit = 64;

bool UniqueIgnoringCase(const QStringList& names) {
  if (names.size() > kPairwiseLimit) return true;
  for (qsizetype i = 0; i < names.size(); ++i) {
    for (qsizetype j = i + 1; j < names.size(); ++j) {
      if (names[i].compare(names[j], Qt::CaseInsensitive) == 0) return false;
    }
  }
  return true;
}

void CheckChunk(const QString& value) {
  const QByteArray bytes = DecodeHexChunk(value);
  FuzzCheck(bytes.size() <= kChunkBytes, "a chunk decodes to at most 1023 bytes");
  const auto damage = HexChunkDamage(value);
  FuzzCheck(!damage || (*damage >= 0 && *damage <= kChunkBytes), "damage lies inside a chunk");
  FuzzCheck(bytes.size() == (damage ? *damage : value.size() / 2),
            "a chunk decodes up to its damage and no further");
  if (!damage) {
    FuzzCheck(EncodeHexChunk(bytes) == value.toUpper(), "a sound chunk encodes to its text");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const TProfileFile profile = TProfileFile::Parse(bytes);
  const TProfileFile reopened = TProfileFile::Parse(profile.Serialize());

  const QStringList sections = profile.Sections();
  FuzzCheck(reopened.Sections() == sections, "a saved profile reopens with its sections");
  FuzzCheck(UniqueIgnoringCase(sections), "sections are unique whatever their case");
  for (const QString& section : sections) {
    FuzzCheck(profile.HasSection(section.toLower()) && profile.HasSection(section.toUpper()),
              "a section is found whatever the case of its name");
    const QStringList keys = profile.Keys(section);
    FuzzCheck(reopened.Keys(section) == keys, "a saved profile reopens with its keys");
    FuzzCheck(UniqueIgnoringCase(keys), "keys are unique in a section whatever their case");
    for (const QString& key : keys) {
      const QString value = profile.ReadString(section, key);
      FuzzCheck(reopened.ReadString(section, key) == value,
                "a saved profile reopens with its values");
      CheckChunk(value);
    }
  }
  return 0;
}
