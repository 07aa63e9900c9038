#include "sim/sim_options.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace {

// The longest a late answer may be held: past every answer window of the program.
constexpr int kMaxLateMs = 60000;

bool AddAddress(std::set<int>& addresses, const QString& text) {
  bool ok = false;
  const int addr = text.toInt(&ok, 0);
  if (!ok || addr < 2 || addr > 31) return false;
  addresses.insert(addr);
  return true;
}

bool SetProbability(double& probability, const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  // Written so that NaN fails too.
  if (!ok || !(value >= 0.0 && value <= 1.0)) return false;
  probability = value;
  return true;
}

bool SetLate(TSimFaults& faults, const QString& text) {
  const QStringList parts = text.split(u':');
  TSimFaults::TLateness late;
  if (parts.size() != 2 || !SetProbability(late.Share, parts[0])) return false;
  bool ok = false;
  const int ms = parts[1].toInt(&ok, 10);
  if (!ok || ms < 0 || ms > kMaxLateMs) return false;
  late.By = std::chrono::milliseconds(ms);
  faults.Late.push_back(late);
  return true;
}

bool SetCorrupt(TSimFaults& faults, const QString& text) {
  const QStringList parts = text.split(u':');
  if (parts.size() > 2 || !SetProbability(faults.Corrupt, parts[0])) return false;
  return parts.size() == 1 || SetProbability(faults.ChecksumKept, parts[1]);
}

bool SetSeed(uint32_t& seed, const QString& text) {
  bool ok = false;
  seed = text.toUInt(&ok, 0);
  return ok;
}

// An option written NAME=VALUE; `What` says what the value should be when it is not.
struct TValuedOption {
  const char* Name;
  const char* What;
  bool (*Apply)(TSimOptions& options, const QString& value);
};

constexpr std::array<TValuedOption, 7> kValuedOptions = {{
    {"silent", "module address",
     [](TSimOptions& o, const QString& v) { return AddAddress(o.Silent, v); }},
    {"refuse", "module address",
     [](TSimOptions& o, const QString& v) { return AddAddress(o.Refused, v); }},
    {"miswrite", "module address",
     [](TSimOptions& o, const QString& v) { return AddAddress(o.Miswrite, v); }},
    {"drop", "probability (0 to 1)",
     [](TSimOptions& o, const QString& v) { return SetProbability(o.Faults.Drop, v); }},
    {"corrupt", "probability (corrupt=P or corrupt=P:S, 0 to 1)",
     [](TSimOptions& o, const QString& v) { return SetCorrupt(o.Faults, v); }},
    {"late", "probability and delay (late=P:MS)",
     [](TSimOptions& o, const QString& v) { return SetLate(o.Faults, v); }},
    {"seed", "seed", [](TSimOptions& o, const QString& v) { return SetSeed(o.Faults.Seed, v); }},
}};

// The valued option `item` sets, or nullptr.
const TValuedOption* FindValuedOption(const QString& item) {
  const qsizetype eq = item.indexOf(u'=');
  if (eq < 0) return nullptr;
  const QStringView name = QStringView(item).left(eq);
  const auto* option =
      std::find_if(kValuedOptions.begin(), kValuedOptions.end(),
                   [&](const TValuedOption& o) { return name == QLatin1String(o.Name); });
  return option == kValuedOptions.end() ? nullptr : option;
}

}  // namespace

std::optional<TSimOptions> TSimOptions::Parse(const QString& text, QString* error) {
  TSimOptions options;
  const auto fail = [error](const QString& message) -> std::optional<TSimOptions> {
    if (error) *error = message;
    return std::nullopt;
  };
  for (const QString& raw : text.split(u',', Qt::SkipEmptyParts)) {
    const QString item = raw.trimmed();
    if (item == u"main") {
      options.MainOnly = true;
    } else if (item == u"gen2") {
      options.Gen2 = true;
    } else if (item == u"nolink") {
      options.LinkModel = false;
    } else if (item == u"live" || item == u"quiet") {
      options.Live = item == u"live";
    } else if (const TValuedOption* option = FindValuedOption(item)) {
      if (!option->Apply(options, item.section(u'=', 1)))
        return fail(QStringLiteral("bad %1 in '%2'").arg(QLatin1String(option->What), item));
    } else {
      return fail(QStringLiteral("unknown simulator option '%1'").arg(item));
    }
  }
  return options;
}

bool TSimOptions::IsSimDescription(const QString& description) {
  return description == u"sim" || description.startsWith(u"sim:");
}

std::optional<TSimOptions> TSimOptions::FromDescription(const QString& description,
                                                        QString* error) {
  if (!IsSimDescription(description)) {
    if (error) *error = QStringLiteral("'%1' is not a simulator description").arg(description);
    return std::nullopt;
  }
  return Parse(description.mid(4), error);
}
