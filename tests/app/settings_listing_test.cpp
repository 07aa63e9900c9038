// The settings list against the pages' tables: every control a configuration file holds is
// listed with its own cell, and with the value its page shows.

#include <gtest/gtest.h>

#include <QTextStream>
#include <memory>
#include <set>

#include "app/ctl/ctl_settings.h"
#include "binding/component_data.h"
#include "binding/config_diff.h"
#include "binding/headless_binder.h"
#include "binding/row_binding.h"
#include "binding/setting_text.h"
#include "binding/value_coding.h"
#include "link/lan_msg.h"
#include "memory/device_memory_item.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "pages/settings_pages.h"
#include "sim_link.h"

namespace {

// One listed line: the row it lists and where its cell is, as the row itself says.
struct TListedRow {
  const TPageTable* Table = nullptr;
  TSettingRow Setting;
  TDeviceMemoryItem* Area = nullptr;
  std::shared_ptr<TComponentData> Data;
};

// Every page of every module bound without widgets to a registry that has read the whole
// virtual vehicle, as `vardexctl settings` binds them.
class TListedVehicle {
 public:
  TListedVehicle() : vehicle_(MakeTestVehicle()), adapter_(ConnectTo(vehicle_)) {
    rw_.SetAdapter(adapter_.get());
    rw_.SetClearDirtyAfterWrite(true);
    rw_.SetLocations(kPersistentLocations);
    devices_.SetRW(&rw_);
    std::vector<IBoundControl*> controls;
    for (const TPageTable& table : SettingsPageTables()) {
      pages_.push_back(std::make_unique<THeadlessPage>(table.Rows, table.LanAddr));
      const auto bound = pages_.back()->BoundControls();
      controls.insert(controls.end(), bound.begin(), bound.end());
    }
    devices_.BindControls(controls, {});
    for (int i = 0; i < devices_.Count(); ++i) {
      devices_.ReadDevice(&devices_.Items(i), kPersistentLocations, {});
    }
  }
  ~TListedVehicle() { devices_.SetRW(nullptr); }

  int BoardGeneration() const {
    const TDeviceMemoryItem* settings = devices_.FindMem(kMainModuleAddr, mlExt);
    return BoardGenerationOf(settings->Image()[0]);
  }

  QStringList Lines() {
    QString text;
    QTextStream out(&text);
    const auto tables = SettingsPageTables();
    for (std::size_t i = 0; i < tables.size(); ++i) {
      PrintSettings(out, devices_, tables[i], *pages_[i], BoardGeneration(), {},
                    [](const TDeviceMemoryItem&, int) { return true; });
    }
    out.flush();
    return text.split(u'\n', Qt::SkipEmptyParts);
  }

  // The rows in the order of their lines.
  std::vector<TListedRow> Rows() const {
    std::vector<TListedRow> rows;
    const auto tables = SettingsPageTables();
    for (std::size_t i = 0; i < tables.size(); ++i) {
      for (const TSettingRow& setting : SettingRows(tables[i])) {
        if (!FitsBoard(setting.Row->Boards, BoardGeneration())) continue;
        THeadlessControl* control = pages_[i]->Find(setting.Name);
        if (!control || !control->GetMem()) continue;
        auto data = std::make_shared<TComponentData>();
        BindRow(*setting.Row, tables[i].LanAddr, *data);
        rows.push_back(
            {&tables[i], setting, devices_.FindMem(data->LanAddr(), data->MemID()), data});
      }
    }
    return rows;
  }

  TDeviceMemoryItem& Area(uint8_t lanAddr, TMemoryLocation memID) {
    return *devices_.FindMem(lanAddr, memID);
  }

  // The value listed first for the setting `caption` of module `module`.
  QString ValueOf(uint8_t module, const char* caption) {
    for (const QString& line : Lines()) {
      const QStringList fields = line.split(u'\t');
      if (fields.size() == 5 && fields[0] == QString::number(module) &&
          fields[3] == QString::fromUtf8(caption)) {
        return fields[4];
      }
    }
    return QStringLiteral("(not listed)");
  }

 private:
  std::shared_ptr<TVirtualAdapter> vehicle_;
  std::unique_ptr<TAdapter> adapter_;
  TLanRW rw_;
  TLanDevices devices_;
  std::vector<std::unique_ptr<THeadlessPage>> pages_;
};

// Moves a row's cell to another value its control shows otherwise, as a user would through
// the control; false where the control has only one value to show.
bool ChangeCell(const TListedRow& listed) {
  const TControlRow& row = *listed.Setting.Row;
  TDeviceMemoryItem& area = *listed.Area;
  const TComponentData& data = *listed.Data;
  const int stored = IsIntegerType(data.DataType()) ? LoadValue(area, data) : 0;
  const auto coded = [&](int position) {
    return row.Coding ? row.Coding->Stored(position, stored) : position;
  };
  switch (row.Kind) {
    case ckCheckBox:
      StoreValue(area, data, stored ^ 1);
      return true;
    case ckRadioGroup: {
      const int items = static_cast<int>(row.Items.size());
      if (items < 2) return false;
      const int shown = ShownNumber(row, area, data).value_or(0);
      const int item = (shown + 1) % items;
      StoreValue(area, data, data.DataType() == stByte ? coded(item) : item);
      return true;
    }
    case ckTrackBar: {
      const TRange range = TrackRange(row);
      if (range.Min == range.Max) return false;
      const int shown = ShownNumber(row, area, data).value_or(range.Min);
      StoreValue(area, data, coded(shown == range.Max ? range.Min : range.Max));
      return true;
    }
    case ckMemo:
    case ckLabeledMemo:
      if (data.DataType() == stString) {
        const QString text = LoadString(area, data);
        StoreString(area, data,
                    text == QStringLiteral("7") ? QStringLiteral("8") : QStringLiteral("7"));
        return true;
      }
      [[fallthrough]];
    case ckData:
      area.SetByte(data.Addr(), static_cast<uint8_t>(area.GetByte(data.Addr()) ^ 0xFF));
      return true;
    default:
      return false;
  }
}

bool HasPageFormula(const TPageTable& table, const QString& name) {
  for (const TValueLabelRow& label : table.Labels) {
    if (label.PageFormula != nullptr && name == QLatin1String(label.Name)) return true;
  }
  return false;
}

// Changing one control's own cell changes its own line and no other: lines of controls that
// show some of the same bits, and value labels that read other controls of their module, may
// follow; every other line stays as it was. The comparison of the two images names the same
// setting.
TEST(SettingsListing, EveryFileHeldControlListsItsOwnCell) {
  TListedVehicle vehicle;
  const QStringList before = vehicle.Lines();
  const std::vector<TListedRow> rows = vehicle.Rows();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(before.size()));
  const TConfigComparison comparison([] {
    std::vector<const TPageTable*> tables;
    for (const TPageTable& table : SettingsPageTables()) tables.push_back(&table);
    return tables;
  }());

  int checked = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TListedRow& row = rows[i];
    const TComponentData& data = *row.Data;
    if (!kPersistentLocations.Contains(data.MemID())) continue;
    // The board configuration byte decides which rows are listed at all.
    if (data.LanAddr() == kMainModuleAddr && data.MemID() == mlExt && data.Addr() == 0) continue;
    SCOPED_TRACE(before[static_cast<qsizetype>(i)].toStdString());
    TDeviceMemoryItem& area = *row.Area;
    const std::vector<uint8_t> image(area.Image().begin(), area.Image().end());
    const TAreaImage old = TConfigComparison::FromArea(area);
    if (!ChangeCell(row)) continue;
    ++checked;

    std::vector<uint8_t> changedBits(image.size());
    for (std::size_t b = 0; b < image.size(); ++b) changedBits[b] = image[b] ^ area.Image()[b];
    const QStringList after = vehicle.Lines();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NE(after[static_cast<qsizetype>(i)], before[static_cast<qsizetype>(i)]);
    for (std::size_t k = 0; k < rows.size(); ++k) {
      if (k == i || after[static_cast<qsizetype>(k)] == before[static_cast<qsizetype>(k)]) continue;
      const TListedRow& other = rows[k];
      bool sharesBits = false;
      if (other.Area == row.Area) {
        const TComponentData& od = *other.Data;
        for (int b = od.Addr(); b < od.Addr() + od.GetSize(); ++b) {
          sharesBits =
              sharesBits || (changedBits[static_cast<std::size_t>(b)] & ShownBits(od)) != 0;
        }
      }
      EXPECT_TRUE(sharesBits || (other.Data->LanAddr() == data.LanAddr() &&
                                 HasPageFormula(*other.Table, other.Setting.Name)))
          << "also changed: " << after[static_cast<qsizetype>(k)].toStdString();
    }

    const TAreaImage now = TConfigComparison::FromArea(area);
    const TConfigDiff diff = comparison.Compare(std::span(&old, 1), std::span(&now, 1));
    const bool named =
        std::any_of(diff.Settings.begin(), diff.Settings.end(), [&](const TSettingChange& change) {
          return change.Page == row.Table && change.Control == row.Setting.Name;
        });
    EXPECT_TRUE(named) << "the comparison does not name it";

    for (std::size_t b = 0; b < image.size(); ++b) {
      if (area.Image()[b] != image[b]) area.SetByte(static_cast<int>(b), image[b]);
    }
  }
  std::cout << "controls checked: " << checked << '\n';
  EXPECT_GT(checked, 1000);
}

// Stored values that the pages show through a coding, a range or a label of their own.
TEST(SettingsListing, ValuesAreListedAsThePageShowsThem) {
  struct TCase {
    uint8_t Module;
    TMemoryLocation Mem;
    int Addr;
    std::vector<uint8_t> Bytes;
    const char* Caption;
    const char* Listed;
  };
  constexpr uint8_t kGsm = 3;
  constexpr uint8_t kValidator = 14;
  const TCase cases[] = {
      // A radio group shows a state past its items as its last item.
      {kMainModuleAddr, mlExt, 193, {0x10}, "Тип тревоги", "2 (скрытая)"},
      {kGsm, mlExt, 1792, {0xD0}, "Оповещать: ", "2 (всех)"},
      {kGsm, mlInt, 7, {6}, "Игнорировать первые цифры номера при его определении:", "5 (пять)"},
      // The running-engine voltage in 1/11.09 V: 149 is 13.4 V.
      {kGsm, mlInt, 2, {149}, "Напряжение запущенного двигателя", "4 (13.40 В)"},
      // A time byte whose lowest position is 1.
      {kMainModuleAddr,
       mlExt,
       646,
       {0},
       "Задержка включения ACC после успешного запуска",
       "1 (0.05 cек)"},
      // Half degrees from −40 °C.
      {kGsm, mlInt, 1542, {91}, "Пороговая температура котла (по шине wbus)", "91 (5.5 °С)"},
      {kValidator, mlInt, 66, {75}, "Время на ввод кода", "75 (1[мин] 15[c])"},
      // The period word high byte first; a speed threshold is a multiple of the period's
      // speed, and the multiple alone while no period is measured.
      {kMainModuleAddr,
       mlExt,
       224,
       {0x02, 0xEE},
       "Период импульсов тахометра (T)",
       "750 (60.00  мс [ 1000 об/мин])"},
      {kMainModuleAddr,
       mlExt,
       224,
       {0x00, 0x00, 69},
       "Максимально допустимые обороты в Охране",
       "69 (4.31)"},
  };
  TListedVehicle vehicle;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Caption);
    TDeviceMemoryItem& area = vehicle.Area(c.Module, c.Mem);
    for (std::size_t k = 0; k < c.Bytes.size(); ++k) {
      area.SetByte(c.Addr + static_cast<int>(k), c.Bytes[k]);
    }
    EXPECT_EQ(vehicle.ValueOf(c.Module, c.Caption), QString::fromUtf8(c.Listed));
  }
}

}  // namespace
