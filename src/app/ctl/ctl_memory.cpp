#include "app/ctl/ctl_memory.h"

#include <array>
#include <optional>
#include <vector>

#include "app/ctl/ctl_bus_session.h"
#include "link/adapter.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/user_questions.h"

namespace {

constexpr int kDumpBytesPerLine = 16;

struct TLocationName {
  const char* Name;
  TMemoryLocation Location;
};

constexpr std::array<TLocationName, 4> kLocationNames = {{
    {"int", mlInt},
    {"ext", mlExt},
    {"ram", mlRam},
    {"flash", mlFlash},
}};

std::optional<TMemoryLocation> ParseLocation(const QString& text) {
  for (const auto& entry : kLocationNames) {
    if (text == QLatin1String(entry.Name)) return entry.Location;
  }
  return std::nullopt;
}

// One module memory on the bus, as the memory commands address it.
struct TTarget {
  TLanDevice* Device;
  TDeviceMemoryItem* Area;
};

// What the memory commands share: the registry, the bus channel and its error reports.
class TMemorySession : public TCtlBusSession {
 public:
  using TCtlBusSession::TCtlBusSession;

  TLanRW& Channel(const TTarget& target) {
    rw_.SetDevice(target.Device);
    rw_.SetItem(target.Area);
    return rw_;
  }
};

// Parses "ADDR LOC" into a module memory of the table; nullopt, with the reason on stderr.
std::optional<TTarget> FindTarget(TCtlContext& context, TLanDevices& devices, const char* command,
                                  const QString& addrText, const QString& locText) {
  const auto addr = ParseCtlNumber(addrText);
  const auto loc = ParseLocation(locText);
  if (!addr || !loc) {
    context.Err() << "vardexctl " << command << ": bad module address or memory '" << addrText
                  << " " << locText << "' (memories: int, ext, ram, flash)\n";
    return std::nullopt;
  }
  TLanDevice* device = devices.FindDevice(static_cast<int>(*addr));
  TDeviceMemoryItem* area = device ? device->FindItem(*loc) : nullptr;
  if (!area) {
    context.Err() << "vardexctl " << command << ": module " << *addr << " has no " << locText
                  << " memory\n";
    return std::nullopt;
  }
  return TTarget{device, area};
}

// "byte 5" or "bytes 5..9", the last one included; wide enough for any START and COUNT.
QString RangeText(unsigned start, unsigned count) {
  if (count <= 1) return QStringLiteral("byte %1").arg(start);
  const uint64_t last = uint64_t{start} + count - 1;
  return QStringLiteral("bytes %1..%2").arg(start).arg(last);
}

bool FitsArea(TCtlContext& context, const char* command, const TTarget& target, unsigned start,
              unsigned count) {
  const auto size = static_cast<unsigned>(target.Area->Capacity());
  if (start <= size && count <= size - start) return true;
  context.Err() << "vardexctl " << command << ": " << RangeText(start, count)
                << (count <= 1 ? " lies" : " lie") << " outside the " << size
                << " bytes of the memory\n";
  return false;
}

QString Hex(unsigned value, int digits) {
  return QStringLiteral("%1").arg(value, digits, 16, QChar(u'0')).toUpper();
}

}  // namespace

QString LocationName(TMemoryLocation location) {
  for (const auto& entry : kLocationNames) {
    if (entry.Location == location) return QLatin1String(entry.Name);
  }
  return QString::number(location);
}

int RunDump(TCtlContext& context, const QStringList& args) {
  if (args.size() < 2 || args.size() > 4) {
    context.Err() << "usage: vardexctl dump ADDR LOC [START [COUNT]]\n";
    return kExitUsage;
  }
  TMemorySession session(context);
  const auto target = FindTarget(context, session.Devices(), "dump", args[0], args[1]);
  if (!target) return kExitUsage;
  const auto size = static_cast<unsigned>(target->Area->Capacity());
  const bool countGiven = args.size() > 3;
  const auto start = args.size() > 2 ? ParseCtlNumber(args[2]) : 0u;
  const auto count =
      countGiven ? ParseCtlNumber(args[3]) : size - std::min(start.value_or(0), size);
  if (!start || !count) {
    context.Err() << "vardexctl dump: bad START or COUNT\n";
    return kExitUsage;
  }
  // An empty dump would look like a memory that holds nothing.
  if (countGiven && *count == 0) {
    context.Err() << "vardexctl dump: nothing to dump: COUNT is 0\n";
    return kExitUsage;
  }
  if (*count == 0 && *start == size) {
    context.Err() << "vardexctl dump: nothing to dump: START " << *start << " is the end of the "
                  << size << " bytes of the memory\n";
    return kExitUsage;
  }
  if (!FitsArea(context, "dump", *target, *start, *count)) return kExitUsage;
  if (!session.Connect() || !session.Available("dump", *target->Device)) return kExitFailed;

  std::vector<uint8_t> bytes(*count);
  if (!session.Channel(*target).Read(static_cast<int>(*start), bytes)) return kExitFailed;
  for (unsigned line = 0; line < *count; line += kDumpBytesPerLine) {
    QStringList hex;
    for (unsigned i = line; i < std::min(line + kDumpBytesPerLine, *count); ++i) {
      hex << Hex(bytes[i], 2);
    }
    context.Out() << Hex(*start + line, 4) << ": " << hex.join(u' ') << "\n";
  }
  return kExitOk;
}

int RunPoke(TCtlContext& context, const QStringList& args) {
  if (args.size() < 4) {
    context.Err() << "usage: vardexctl poke ADDR LOC START BYTE ...\n";
    return kExitUsage;
  }
  TMemorySession session(context);
  const auto target = FindTarget(context, session.Devices(), "poke", args[0], args[1]);
  if (!target) return kExitUsage;
  const auto start = ParseCtlNumber(args[2]);
  if (!start) {
    context.Err() << "vardexctl poke: bad START\n";
    return kExitUsage;
  }
  std::vector<uint8_t> bytes;
  for (const QString& text : args.mid(3)) {
    const auto value = ParseCtlNumber(text);
    if (!value || *value > 0xFF) {
      context.Err() << "vardexctl poke: bad byte '" << text << "'\n";
      return kExitUsage;
    }
    bytes.push_back(static_cast<uint8_t>(*value));
  }
  if (!FitsArea(context, "poke", *target, *start, static_cast<unsigned>(bytes.size()))) {
    return kExitUsage;
  }
  if (!session.Connect() || !session.Available("poke", *target->Device)) return kExitFailed;

  TLanRW& channel = session.Channel(*target);
  try {
    const TClusterList unconfirmed = channel.Write(static_cast<int>(*start), bytes);
    // The module takes what it confirmed only after the notice.
    channel.Finish();
    for (const auto& lost : unconfirmed) {
      context.Err() << "vardexctl poke: bytes " << lost.Start << ".." << lost.Start + lost.Count - 1
                    << " were not confirmed\n";
    }
    return unconfirmed.empty() ? kExitOk : kExitFailed;
  } catch (const ELanDev& e) {
    context.Err() << e.Message() << "\n";
    return kExitFailed;
  }
}

int RunScan(TCtlContext& context, const QStringList& args) {
  if (!args.isEmpty()) {
    context.Err() << "usage: vardexctl scan\n";
    return kExitUsage;
  }
  TMemorySession session(context);
  if (!session.Connect()) return kExitFailed;
  TLanDevices& devices = session.Devices();
  for (int i = 0; i < devices.Count(); ++i) {
    TLanDevice& device = devices.Items(i);
    const bool present = device.IsPresent();
    const char* access = !present ? "-" : device.IsAccessible() ? "access" : "refused";
    context.Out() << static_cast<int>(device.LanAddr()) << " " << device.Name() << " "
                  << (present ? "present" : "absent") << " " << access << "\n";
  }
  return kExitOk;
}
