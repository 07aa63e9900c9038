#include "app/ctl/ctl_set.h"

#include <QFile>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "app/ctl/ctl_backup.h"
#include "app/ctl/ctl_diff.h"
#include "app/ctl/ctl_file_session.h"
#include "binding/config_diff.h"
#include "binding/row_binding.h"
#include "binding/setting_text.h"
#include "link/lan_msg.h"
#include "memory/ee_memory_item.h"
#include "memory/file_rw.h"
#include "memory/lan_devices.h"
#include "pages/settings_pages.h"
#include "text/file_save.h"

namespace {

constexpr char kUsage[] =
    "usage: vardexctl set [--file IN --out OUT] [--from TEXT_FILE | -] [--dry-run] [--no-backup] "
    "['ADDR\\tPAGE\\tSECTION\\tCAPTION\\tVALUE' ...]\n";
constexpr char kCommand[] = "set";

struct TSetArgs {
  std::optional<QString> In;
  std::optional<QString> Out;
  std::optional<QString> From;
  bool DryRun = false;
  bool NoBackup = false;
  QStringList Lines;
};

std::optional<TSetArgs> ParseSetArgs(QStringList args) {
  TSetArgs parsed;
  const auto value = [&args](const QString& arg, const QString& option,
                             std::optional<QString>& into) {
    if (into) return false;
    if (arg.startsWith(option + u'=')) {
      into = arg.mid(option.size() + 1);
    } else if (arg == option && !args.isEmpty()) {
      into = args.takeFirst();
    } else {
      return false;
    }
    return !into->isEmpty();
  };
  while (!args.isEmpty()) {
    const QString arg = args.takeFirst();
    bool ok = true;
    if (arg == u"--dry-run") {
      parsed.DryRun = true;
    } else if (arg == u"--no-backup") {
      parsed.NoBackup = true;
    } else if (arg == u"-") {
      ok = !parsed.From;
      parsed.From = arg;
    } else if (arg.startsWith(u"--file")) {
      ok = value(arg, QStringLiteral("--file"), parsed.In);
    } else if (arg.startsWith(u"--out")) {
      ok = value(arg, QStringLiteral("--out"), parsed.Out);
    } else if (arg.startsWith(u"--from")) {
      ok = value(arg, QStringLiteral("--from"), parsed.From);
    } else if (arg.startsWith(u"--")) {
      ok = false;
    } else {
      parsed.Lines << arg;
    }
    if (!ok) return std::nullopt;
  }
  // A file is changed into another file, never in place by accident: both are named.
  if (parsed.In.has_value() != parsed.Out.has_value()) return std::nullopt;
  return parsed;
}

// One line of input: where it stands, for the user, and its fields.
struct TSetLine {
  QString Place;
  QStringList Key;  // ADDR, PAGE, SECTION, CAPTION
  QString Value;
};

// A value that opens a quoted text without closing it: a memo's text holds line breaks, and
// the listing prints them as they are.
bool OpensText(const QString& value) {
  return value.startsWith(u'"') && (value.size() < 2 || !value.endsWith(u'"'));
}

// Splits text into lines to set, comments and blank lines left out. A line whose quoted text
// goes on takes the following lines up to the one that closes it, with their line breaks.
void AddTextLines(std::vector<TSetLine>& lines, const QString& text,
                  const std::function<QString(int row)>& placeOf) {
  const QStringList rows = text.split(u'\n');
  for (int i = 0; i < rows.size(); ++i) {
    QString row = rows[i];
    const auto chopped = [](QString line) {
      if (line.endsWith(u'\r')) line.chop(1);
      return line;
    };
    if (chopped(row).trimmed().isEmpty() || row.startsWith(u'#')) continue;
    const QString place = placeOf(i + 1);
    QStringList fields = chopped(row).split(u'\t');
    if (fields.size() >= 5 && OpensText(fields.mid(4).join(u'\t'))) {
      while (i + 1 < rows.size() && OpensText(chopped(row).section(u'\t', 4))) {
        row += u'\n' + rows[++i];
      }
      fields = chopped(row).split(u'\t');
    }
    TSetLine line;
    line.Place = place;
    // A quoted text may hold tabs of its own: the value is all after the fourth.
    if (fields.size() >= 5) line.Value = fields.mid(4).join(u'\t');
    line.Key = fields.mid(0, std::min<qsizetype>(fields.size(), 4));
    lines.push_back(std::move(line));
  }
}

// The lines to set; nullopt when a named file cannot be read.
std::optional<std::vector<TSetLine>> InputLines(TCtlContext& context, const TSetArgs& args) {
  std::vector<TSetLine> lines;
  if (args.From) {
    QString text;
    if (*args.From == u"-") {
      // The listing is UTF-8 text, as `settings` prints it.
      text = QString::fromUtf8(context.ReadStdin().toLatin1());
    } else {
      QFile file(*args.From);
      if (!file.open(QIODevice::ReadOnly)) {
        context.Err() << "vardexctl set: cannot read " << *args.From << ": " << file.errorString()
                      << "\n";
        return std::nullopt;
      }
      text = QString::fromUtf8(file.readAll());
    }
    AddTextLines(lines, text, [](int row) { return QStringLiteral("line %1").arg(row); });
  }
  for (int i = 0; i < args.Lines.size(); ++i) {
    AddTextLines(lines, args.Lines[i],
                 [i](int) { return QStringLiteral("argument %1").arg(i + 1); });
  }
  return lines;
}

// A setting as the listing names it.
struct TKeyedSetting {
  const TPageTable* Table = nullptr;
  TSettingRow Setting;
  uint8_t LanAddr = 0;
};

QString KeyText(const QStringList& key) {
  return key.join(u'\t');
}

// The edits a word needs to become another, letter case aside: how near a mistyped caption is.
int EditDistance(const QString& a, const QString& b) {
  const QString x = a.toLower();
  const QString y = b.toLower();
  std::vector<int> row(static_cast<size_t>(y.size()) + 1);
  for (size_t j = 0; j < row.size(); ++j) row[j] = static_cast<int>(j);
  for (qsizetype i = 1; i <= x.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (qsizetype j = 1; j <= y.size(); ++j) {
      const int above = row[static_cast<size_t>(j)];
      row[static_cast<size_t>(j)] = std::min({above + 1, row[static_cast<size_t>(j - 1)] + 1,
                                              diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row.back();
}

// Every setting of the pages by the key its line carries.
class TSettingIndex {
 public:
  explicit TSettingIndex(std::span<const TPageTable> tables) {
    for (const TPageTable& table : tables) {
      for (const TSettingRow& setting : SettingRows(table)) {
        TComponentData data;
        BindRow(*setting.Row, table.LanAddr, data);
        const QStringList key{QString::number(data.LanAddr()), QString::fromUtf8(table.Title),
                              setting.Section, setting.Caption};
        byKey_[KeyText(key)].push_back({&table, setting, data.LanAddr()});
        all_.push_back(key);
      }
    }
  }

  const std::vector<TKeyedSetting>* Find(const QStringList& key) const {
    const auto at = byKey_.find(KeyText(key));
    return at == byKey_.end() ? nullptr : &at->second;
  }

  // Up to three settings of the same module whose captions come nearest the given one.
  QStringList Nearest(const QStringList& key) const {
    std::vector<std::pair<int, const QStringList*>> near;
    const QString caption = key.value(3);
    for (const QStringList& candidate : all_) {
      if (candidate[0] != key.value(0)) continue;
      const int distance = EditDistance(candidate[3], caption);
      if (distance <= std::max<qsizetype>(3, caption.size() / 2)) {
        near.emplace_back(distance, &candidate);
      }
    }
    std::stable_sort(near.begin(), near.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList names;
    for (size_t i = 0; i < near.size() && i < 3; ++i) {
      const QStringList& k = *near[i].second;
      names << QStringLiteral("«%1» (%2 / %3)").arg(k[3], k[1], k[2]);
    }
    return names;
  }

 private:
  std::map<QString, std::vector<TKeyedSetting>> byKey_;
  std::vector<QStringList> all_;
};

// A line resolved to the setting it names.
struct TResolved {
  const TSetLine* Line;
  TKeyedSetting Setting;
};

// Why lines cannot be set, in input order.
class TLineErrors {
 public:
  void Add(const TSetLine& line, const QString& text) { errors_.push_back({&line, text}); }
  bool Empty() const { return errors_.empty(); }
  void Print(QTextStream& err) const {
    for (const auto& [line, text] : errors_) {
      err << "vardexctl set: " << line->Place << ": " << text << "\n";
    }
  }

 private:
  std::vector<std::pair<const TSetLine*, QString>> errors_;
};

// The main module's firmware major version as its version record tells it; 0 while unknown.
uint8_t MainFirmwareMajor(const TLanDevices& devices) {
  constexpr int kVersionRecordAddr = 130;
  const TDeviceMemoryItem* record = devices.FindMem(kMainModuleAddr, mlMsg);
  if (record == nullptr || !record->IsValid(kVersionRecordAddr)) return 0;
  return record->Image()[kVersionRecordAddr];
}

int BoardGeneration(const TLanDevices& devices) {
  const TDeviceMemoryItem* settings = devices.FindMem(kMainModuleAddr, mlExt);
  if (!settings || !settings->IsLoaded() || !settings->IsValid(0)) return 0;
  return BoardGenerationOf(settings->Image()[0]);
}

// Why the page shows the setting greyed, or empty when it does not. A page's own rules, which
// its handlers apply, are not known here.
QString GreyedReason(const TControlRow& row, const TComponentData& data, uint8_t firmwareMajor) {
  if (row.Disabled)
    return QStringLiteral("настройка недоступна: страница всегда показывает её серой");
  if (firmwareMajor != 0 && !row.Firmware.Contains(firmwareMajor)) {
    return QStringLiteral("настройка недоступна: прошивка главного модуля (версия %1) её не знает")
        .arg(firmwareMajor, 2, 16, QLatin1Char('0'));
  }
  if (data.IsReadOnly()) {
    return QStringLiteral("настройка недоступна: модуль помечает её только для чтения");
  }
  return {};
}

// The value labels' view of a page over the areas the command works on.
TTableLabelContext LabelsOf(const TPageTable& table, const TLanDevices& devices) {
  return TTableLabelContext(
      table, [&devices](uint8_t lanAddr, TMemoryLocation memID) -> TBaseDeviceMemoryItem* {
        return devices.FindMem(lanAddr, memID);
      });
}

bool IsSetting(const TControlRow& row, const TComponentData& data) {
  return row.Kind != ckLabel && kPersistentLocations.Contains(data.MemID());
}

}  // namespace

int RunSet(TCtlContext& context, const QStringList& args) {
  return RunSetWith(context, args, SettingsPageTables());
}

int RunSetWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables) {
  const auto parsed = ParseSetArgs(args);
  if (!parsed || (!parsed->From && parsed->Lines.isEmpty())) {
    context.Err() << kUsage;
    return kExitUsage;
  }
  if (parsed->Out) {
    if (const QString refused = RefusedSaveTarget(*parsed->Out); !refused.isEmpty()) {
      context.Err() << "vardexctl set: " << refused << "\n";
      return kExitUsage;
    }
  }
  const auto lines = InputLines(context, *parsed);
  if (!lines) return kExitUsage;

  TFileSession session(context);
  TLanDevices& devices = session.Devices();
  const TSettingIndex index(tables);
  TLineErrors errors;

  // The modules the lines name; a line without its five fields or of no module fails here.
  std::vector<int> addrs;
  for (const TSetLine& line : *lines) {
    if (line.Key.size() < 4 || line.Value.isNull()) {
      errors.Add(line, QStringLiteral("ожидается ADDR, PAGE, SECTION, CAPTION и VALUE через "
                                      "табуляцию"));
      continue;
    }
    const auto addr = ParseCtlNumber(line.Key[0]);
    const TLanDevice* device = addr ? devices.FindDevice(static_cast<int>(*addr)) : nullptr;
    if (!device) {
      errors.Add(line, QStringLiteral("нет модуля с адресом %1").arg(line.Key[0]));
      continue;
    }
    // A module without settings memory only reports values; its lines are passed over below.
    if (SettingsAreas(*device).empty()) continue;
    if (std::find(addrs.begin(), addrs.end(), *addr) == addrs.end()) addrs.push_back(*addr);
  }
  const auto modules = session.Listed(kCommand, addrs);
  if (!modules) return kExitUsage;

  // What the lines change: the input file's areas, or the modules' settings as read now.
  std::unique_ptr<TFileRW> file;
  std::vector<TDeviceMemoryItem*> areas;
  session.BindPages(tables);
  if (parsed->In) {
    TOpenedFile opened = OpenConfigFile(context, kCommand, *parsed->In, devices);
    if (!opened.File) return opened.Failure;
    file = std::move(opened.File);
    areas = std::move(opened.Areas);
    // The output keeps every byte the input holds, not only the ones the pages show.
    for (TDeviceMemoryItem* area : areas) session.BindRuns(*area, file->HeldRuns(*area));
    std::vector<TDeviceMemoryItem*> loaded;
    for (TDeviceMemoryItem* area : areas) {
      auto* settings = dynamic_cast<TEEMemoryItem*>(area);
      if (!settings) continue;
      file->SetDevice(area->Device());
      settings->Load(*file);
      if (file->HasItem(*area)) loaded.push_back(area);
    }
    bool damaged = false;
    for (const QString& line : DamageLines(LoadDamage(*file, devices, loaded, ControlRuns))) {
      context.Err() << "vardexctl set: " << *parsed->In << ": " << line << "\n";
      damaged = true;
    }
    if (damaged) {
      context.Err() << "vardexctl set: the file is damaged, nothing written\n";
      return kExitFailed;
    }
  } else if (!modules->empty()) {
    if (!session.Connect()) return kExitFailed;
    for (TLanDevice* device : *modules) {
      if (!session.Available(kCommand, *device)) return kExitFailed;
    }
    try {
      for (TLanDevice* device : *modules) devices.ReadDevice(device, kPersistentLocations, {});
    } catch (const std::exception& error) {
      context.Err() << "vardexctl set: " << FailureText(error) << "\n";
      return kExitFailed;
    }
    if (session.Questions().Errors() > 0) return kExitFailed;
    for (TLanDevice* device : *modules) {
      for (TDeviceMemoryItem* area : SettingsAreas(*device)) {
        if (area->IsLoaded()) areas.push_back(area);
      }
    }
  }
  std::vector<TAreaImage> before;
  std::vector<TBackupArea> backups;
  for (TDeviceMemoryItem* area : areas) {
    before.push_back(TConfigComparison::FromArea(*area));
    backups.push_back(BackupOf(*area));
  }

  // Every line is checked, so that the user hears of all his mistakes at once.
  const int generation = BoardGeneration(devices);
  const uint8_t firmwareMajor = MainFirmwareMajor(devices);
  std::vector<TResolved> applied;
  std::map<std::pair<const TPageTable*, QString>, const TSetLine*> seen;
  std::map<QString, int> keyCounts;
  for (const TSetLine& line : *lines) ++keyCounts[KeyText(line.Key)];
  std::map<QString, int> occurrences;
  for (const TSetLine& line : *lines) {
    if (line.Key.size() < 4 || line.Value.isNull()) continue;
    const auto* candidates = index.Find(line.Key);
    if (!candidates) {
      const QStringList near = index.Nearest(line.Key);
      errors.Add(line, QStringLiteral("нет такой настройки") +
                           (near.isEmpty() ? QString()
                                           : QStringLiteral("; похожие: ") + near.join(u", ")));
      continue;
    }
    std::vector<const TKeyedSetting*> fitting;
    for (const TKeyedSetting& candidate : *candidates) {
      if (FitsBoard(candidate.Setting.Row->Boards, generation)) fitting.push_back(&candidate);
    }
    if (fitting.empty()) {
      errors.Add(line,
                 QStringLiteral("настройки нет на плате этого поколения (%1)").arg(generation));
      continue;
    }
    // A page may show several settings under one caption (rows of a table): a listing names
    // each of them in page order, so lines that give the key as often as the page has it
    // are taken in that order. Fewer lines cannot say which one they mean.
    const int occurrence = occurrences[KeyText(line.Key)]++;
    if (fitting.size() > 1 && keyCounts[KeyText(line.Key)] != static_cast<int>(fitting.size())) {
      errors.Add(line, QStringLiteral("под этим именем на странице %1 настроек; строка не говорит, "
                                      "какая из них (список settings называет их все по порядку)")
                           .arg(fitting.size()));
      continue;
    }
    const TKeyedSetting& setting = *fitting[fitting.size() > 1 ? occurrence : 0];
    const TControlRow& row = *setting.Setting.Row;
    TComponentData data;
    BindRow(row, setting.Table->LanAddr, data);
    // What the car reports and the page only shows is no setting to put back.
    if (!IsSetting(row, data)) continue;
    if (line.Value == u"?") {
      errors.Add(line, QStringLiteral("значение неизвестно (?): его не удалось прочитать"));
      continue;
    }
    TDeviceMemoryItem* area = devices.FindMem(data.LanAddr(), data.MemID());
    if (area == nullptr || std::find(areas.begin(), areas.end(), area) == areas.end()) {
      errors.Add(line, parsed->In ? QStringLiteral("файл не содержит память этой настройки")
                                  : QStringLiteral("память этой настройки не прочитана"));
      continue;
    }
    data.SetMem(area);
    const TTableLabelContext page = LabelsOf(*setting.Table, devices);
    // A value the setting shows already is left as the module holds it: several stored values
    // may show alike, and a listing put back must not change a byte of them.
    const QString shown =
        SettingValueText(row, setting.Setting.Name, *setting.Table, *area, data, page);
    if (SettingTextMatches(line.Value, shown)) continue;
    // A listing of the car names its greyed settings too; only a change of one is wrong.
    if (const QString reason = GreyedReason(row, data, firmwareMajor); !reason.isEmpty()) {
      errors.Add(line, reason);
      continue;
    }
    const auto [at, first] = seen.emplace(std::pair(setting.Table, setting.Setting.Name), &line);
    if (!first && at->second->Value != line.Value) {
      errors.Add(
          line,
          QStringLiteral("та же настройка, что в %1, с другим значением").arg(at->second->Place));
      continue;
    }
    if (const QString problem = StoreSettingText(row, *area, data, line.Value, page);
        !problem.isEmpty()) {
      errors.Add(line, problem);
      continue;
    }
    applied.push_back({&line, setting});
  }
  // Only now do the labels that depend on other settings read as they will on the page.
  for (const TResolved& done : applied) {
    const TControlRow& row = *done.Setting.Setting.Row;
    TComponentData data;
    BindRow(row, done.Setting.Table->LanAddr, data);
    TDeviceMemoryItem* area = devices.FindMem(data.LanAddr(), data.MemID());
    data.SetMem(area);
    const TTableLabelContext page = LabelsOf(*done.Setting.Table, devices);
    const QString shown =
        SettingValueText(row, done.Setting.Setting.Name, *done.Setting.Table, *area, data, page);
    if (!SettingTextMatches(done.Line->Value, shown)) {
      errors.Add(*done.Line,
                 QStringLiteral("страница показала бы это значение как «%1»").arg(shown));
    }
  }
  if (!errors.Empty()) {
    errors.Print(context.Err());
    context.Err() << "vardexctl set: nothing written\n";
    return kExitUsage;
  }

  std::vector<TAreaImage> after;
  for (const TDeviceMemoryItem* area : areas) after.push_back(TConfigComparison::FromArea(*area));
  std::vector<const TPageTable*> pages;
  for (const TPageTable& table : tables) pages.push_back(&table);
  TConfigDiff diff = TConfigComparison(std::move(pages)).Compare(before, after);
  // Rows of other boards that share a cell with a setting of this one are not on its pages.
  std::erase_if(diff.Settings, [generation](const TSettingChange& change) {
    for (const TSettingRow& setting : SettingRows(*change.Page)) {
      if (setting.Name == change.Control) return !FitsBoard(setting.Row->Boards, generation);
    }
    return false;
  });
  PrintConfigDiff(context.Out(), diff);
  if (parsed->DryRun) return kExitOk;

  if (file) {
    try {
      TFileRW out(*parsed->Out, true);
      devices.SaveToFile(areas, out, {});
    } catch (const std::exception& error) {
      context.Err() << "vardexctl set: " << FailureText(error) << "\n";
      return kExitFailed;
    }
    if (session.Questions().Errors() > 0) return kExitFailed;
    context.Out() << "saved to " << *parsed->Out << "\n";
    return kExitOk;
  }

  std::vector<TDeviceMemoryItem*> changed;
  std::vector<TBackupArea> changing;
  for (size_t i = 0; i < areas.size(); ++i) {
    if (!areas[i]->IsModified()) continue;
    changed.push_back(areas[i]);
    changing.push_back(std::move(backups[i]));
  }
  if (changed.empty()) {
    context.Out() << "nothing to write: the modules hold these settings already\n";
    return kExitOk;
  }
  if (!parsed->NoBackup && !SaveWriteBackup(context, kCommand, devices, changing)) {
    return kExitFailed;
  }
  session.SetVerifyWrites(true);
  std::vector<int> counts;
  for (const TDeviceMemoryItem* area : changed) {
    int count = 0;
    for (int i = 0; i < area->Size(); ++i) count += area->IsChanged(i) ? 1 : 0;
    counts.push_back(count);
  }
  try {
    for (TLanDevice* device : *modules) devices.WriteDevice(device, kPersistentLocations, {});
  } catch (const std::exception& error) {
    context.Err() << "vardexctl set: " << FailureText(error) << "\n";
    return kExitFailed;
  }
  bool failed = session.Questions().Errors() > 0;
  for (size_t i = 0; i < changed.size(); ++i) {
    const bool written = !changed[i]->IsModified();
    failed = failed || !written;
    const char* outcome = written                       ? "written and verified"
                          : changed[i]->WriteMismatch() ? "not verified"
                                                        : "not written";
    context.Out() << changed[i]->GetTitle() << ": " << counts[i] << " bytes " << outcome << "\n";
  }
  return failed ? kExitFailed : kExitOk;
}
