#include "pages/can/car_models.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

// What the CAN interface does on the first car of the table; the other cars' texts are not
// known yet, and their hints say so.
constexpr const char* kImplemented = "Функция реализована.";
constexpr const char* kSafeLock =
    "Постановка в \"охрану\" осуществляется с SAFE блокировкой, а отпирание в данном режиме "
    "возможно только со штатного брелока.";

// clang-format off
constexpr TCarModel kModels[] = {
    {"Audi", "A1", 6, 5, kImplemented, kImplemented, kSafeLock},
    {"Audi", "A3 (2004-2009)", 6, 4},
    {"Audi", "A3 (2010--)", 6, 5},
    {"Audi", "A4 (2005-2007)", 6, 1},
    {"Audi", "A4 (2008--)", 12, 1},
    {"Audi", "A5", 12, 1},
    {"Audi", "A6 (2004-2010)", 6, 2},
    {"Audi", "A6 (2011--)", 18, 2},
    {"Audi", "A7", 18, 2},
    {"Audi", "A8 (2003-2009)", 6, 3},
    {"Audi", "A8 (2010--)", 18, 2},
    {"Audi", "Allroad (2006--)", 6, 2},
    {"Audi", "Q3", 6, 5},
    {"Audi", "Q5", 12, 1},
    {"Audi", "Q7", 6, 2},
    {"Audi", "TT (2006--)", 6, 4},
    {"BMW", "1 серия  (E81, 82, 87, 88) без штатной сигнализации", 7, 2},
    {"BMW", "1 серия  (E81, 82, 87, 88) с штатной сигнализацией", 7, 1},
    {"BMW", "1 серия (F20)", 7, 5},
    {"BMW", "3 серия  (E90, 91, 92, 93) без штатной сигнализации", 7, 2},
    {"BMW", "3 серия  (E90, 91, 92, 93) с штатной сигнализацией", 7, 1},
    {"BMW", "5 серия  (E60, 61) без штатной сигнализации", 7, 2},
    {"BMW", "5 серия  (E60, 61) с штатной сигнализацией", 7, 1},
    {"BMW", "5 серия  (F10)", 7, 3},
    {"BMW", "6 серия  (E63, 64) без штатной сигнализации", 7, 2},
    {"BMW", "6 серия  (E63, 64) с штатной сигнализацией", 7, 1},
    {"BMW", "7 серия (F01, 02)", 7, 3},
    {"BMW", "E65/66", 7, 4},
    {"BMW", "X1 (E84) без штатной сигнализации", 7, 2},
    {"BMW", "X1 (E84) с штатной сигнализацией", 7, 1},
    {"BMW", "X3 (F25)", 7, 3},
    {"BMW", "X5 (E70) - без штатной сигнализации", 7, 2},
    {"BMW", "X5 (E70) - с штатной сигнализацией", 7, 1},
    {"BMW", "X6 (E71) - без штатной сигнализацией", 7, 2},
    {"BMW", "X6 (E71) - с штатной сигнализацией", 7, 1},
    {"BMW", "Гран Туризмо", 7, 3},
    {"Cadillac", "CTS", 22, 2},
    {"Cadillac", "Escalade (2007--)", 22, 2},
    {"Cadillac", "SVX (2003-2010)", 22, 2},
    {"Cadillac", "SVX II (2011--)", 22, 1},
    {"Chevrolet", "Captiva", 22, 2},
    {"Chevrolet", "Cruze (подключение к CAN1)", 22, 1},
    {"Chevrolet", "Cruze (подключение к CAN2)", 28, 1},
    {"Chevrolet", "Orlando (подключение к CAN1)", 22, 1},
    {"Chevrolet", "Orlando (подключение к CAN2)", 28, 1},
    {"Chevrolet", "Tahoe (2009--)", 22, 2},
    {"Citroen", "Berlingo (2009--) (подключение к CAN1)", 16, 1},
    {"Citroen", "Berlingo (2009--) (подключение к CAN2)", 16, 1},
    {"Citroen", "C3 Picasso (подключение к CAN1)", 16, 1},
    {"Citroen", "C3 Picasso (подключение к CAN2)", 16, 1},
    {"Citroen", "C4 Picasso (подключение к CAN1)", 16, 1},
    {"Citroen", "C4 Picasso (подключение к CAN2)", 16, 1},
    {"Citroen", "C-Crosser", 13, 1},
    {"Citroen", "DS3 (подключение к CAN1)", 16, 1},
    {"Citroen", "DS3 (подключение к CAN2)", 16, 1},
    {"Citroen", "С3 (подключение к CAN1)", 16, 1},
    {"Citroen", "С3 (подключение к CAN2)", 16, 1},
    {"Citroen", "С4 (2004-2011) (подключение к CAN1)", 16, 1},
    {"Citroen", "С4 (2004-2011) (подключение к CAN2)", 16, 1},
    {"Citroen", "С4 (2012--) компл. Dynamique (подкл. к CAN1)", 16, 1},
    {"Citroen", "С4 (2012--) компл. Dynamique (подкл. к CAN2)", 16, 1},
    {"Citroen", "С4 (2012--) компл. Tendance, Exclusive (подкл. к CAN2)", 16, 1},
    {"Citroen", "С4 (2012--) компл. Tendance, Exclusive (подкл. к CAN3)", 16, 1},
    {"Citroen", "С5 (подключение к CAN1)", 16, 1},
    {"Citroen", "С5 (подключение к CAN2)", 16, 1},
    {"Ford", "C-Max в компл. Ghia и Titanium", 9, 1},
    {"Ford", "Explorer (2011--)", 26, 2},
    {"Ford", "Fiesta (2009--) в компл. Ghia и Titanium", 9, 4},
    {"Ford", "Focus 2 (2005--) в компл. Comfort", 9, 1},
    {"Ford", "Focus 2 (2005--) в компл. Ghia и Titanium", 9, 1},
    {"Ford", "Focus 3 (2012--) в компл. Trend Sport, Titanium", 26, 1},
    {"Ford", "Focus 3 (2012--) в компл. Trend, Ambiente", 26, 1},
    {"Ford", "Fusion", 9, 1},
    {"Ford", "Galaxy (2007--)", 9, 2},
    {"Ford", "Grand C-MAX", 26, 1},
    {"Ford", "Kuga", 9, 1},
    {"Ford", "Mondeo (2007--)", 9, 2},
    {"Ford", "Mondeo X \"Keyless Start\"", 9, 3},
    {"Ford", "S-Max", 9, 2},
    {"Ford", "Transit", 9, 5},
    {"Honda", "Accord (2009--)", 15, 1},
    {"Honda", "Civic (2007--)", 15, 2},
    {"Honda", "Crosstour", 15, 1},
    {"Honda", "CRV (2007--)", 15, 2},
    {"Honda", "Jazz (2009--)", 15, 2},
    {"Honda", "Pilot", 15, 1},
    {"Hummer", "H2", 22, 2},
    {"Hyundai", "Elantra (2011--)", 20, 2},
    {"Hyundai", "Equus", 20, 2},
    {"Hyundai", "Genesis", 20, 2},
    {"Hyundai", "ix35", 20, 2},
    {"Hyundai", "ix55", 21, 2},
    {"Hyundai", "Santa Fe (2010--) с системой \"Smart Key\"", 20, 2},
    {"Hyundai", "Solaris с системой \"Smart Key\"", 20, 2},
    {"Hyundai", "Sonata i45", 20, 2},
    {"Infiniti", "EX 35 (2009-2010)", 8, 5},
    {"Infiniti", "EX 37 (2011--)", 8, 4},
    {"Infiniti", "FX 35 (2009-2010), FX 50 (2009-2010)", 8, 5},
    {"Infiniti", "FX 37 (2011--)", 8, 4},
    {"Infiniti", "G 35X", 8, 6},
    {"Infiniti", "G 37(X,S)", 8, 8},
    {"Infiniti", "M 25 (2011--), M 37 (2011--)", 8, 3},
    {"Infiniti", "M 35", 8, 7},
    {"Infiniti", "QX 56 (2010--)", 8, 5},
    {"Jaguar", "XJ", 19, 1},
    {"Jeep", "Grand Cherokee (2010--)", 27, 1},
    {"KIA", "Cerato (2010--) с системой \"Smart Key\"", 20, 2},
    {"KIA", "Mohave", 21, 1},
    {"KIA", "Picanto (2011--) с системой \"Smart Key\"", 20, 2},
    {"KIA", "Rio (2011--) с системой \"Smart Key\"", 20, 2},
    {"KIA", "Sorento (2010--)", 20, 2},
    {"KIA", "Soul с системой \"Smart Key\"", 20, 2},
    {"KIA", "Sportage (2011--)", 20, 2},
    {"KIA", "Venga с системой \"Smart Key\"", 20, 2},
    {"Land Rover", "Discovery 4", 19, 1},
    {"Land Rover", "Range Rover (2010--)", 19, 1},
    {"Land Rover", "Range Rover Sport (2010--)", 19, 1},
    {"Lexus", "CT 200h", 14, 1},
    {"Lexus", "GX 460", 14, 1},
    {"Lexus", "LS 460", 14, 1},
    {"Lexus", "LX 570", 14, 1},
    {"Lexus", "RX 450h, RX 350 (2009--)", 14, 1},
    {"Mazda", "2", 17, 1},
    {"Mazda", "3 (2009--)", 17, 1},
    {"Mazda", "6 (2008--)", 17, 1},
    {"Mazda", "CX-7", 17, 1},
    {"Mercedes Benz", "164 (GL-класс)", 3, 1},
    {"Mercedes Benz", "164 (ML-класс)", 3, 1},
    {"Mercedes Benz", "166 (ML-класс)", 4, 3},
    {"Mercedes Benz", "169 (A-класс)", 3, 3},
    {"Mercedes Benz", "171 (SLK-класс)", 3, 5},
    {"Mercedes Benz", "203 (CLC-класс)", 3, 4},
    {"Mercedes Benz", "203 (C-класс)", 3, 4},
    {"Mercedes Benz", "204 (C-класс)", 4, 2},
    {"Mercedes Benz", "204 (GLK-класс)", 4, 2},
    {"Mercedes Benz", "207 (E-класс)", 4, 2},
    {"Mercedes Benz", "209 (CLK-класс)", 3, 2},
    {"Mercedes Benz", "211 (E-класс)", 3, 2},
    {"Mercedes Benz", "212 (E-класс)", 4, 2},
    {"Mercedes Benz", "216 (CL-класс)", 4, 1},
    {"Mercedes Benz", "219 (CLS-класс)", 3, 2},
    {"Mercedes Benz", "221 (S-класс)", 4, 1},
    {"Mercedes Benz", "245 (B-класс)", 3, 3},
    {"Mercedes Benz", "251 (R-класс)", 3, 1},
    {"Mercedes Benz", "463 (G-класс)", 3, 4},
    {"Mercedes Benz", "639 (Viano)", 3, 6},
    {"Mercedes Benz", "639 (Vito)", 3, 6},
    {"Mercedes Benz", "906 (Sprinter)", 3, 7},
    {"Mini", "Cooper (2009--) без штатной сигнализации", 7, 2},
    {"Mini", "Cooper (2009--) с штатной сигнализацией", 7, 1},
    {"Mitsubishi", "ASX", 13, 2},
    {"Mitsubishi", "Colt (2010--)", 13, 3},
    {"Mitsubishi", "Lancer X", 13, 2},
    {"Mitsubishi", "Outlander XL", 13, 1},
    {"Nissan", "Juke без интеллектуального ключа", 8, 2},
    {"Nissan", "Juke с интеллектуальным ключом", 8, 5},
    {"Nissan", "Micra (2003--) без интеллектуального ключа", 8, 2},
    {"Nissan", "Micra (2003--) с интеллектуальным ключом", 8, 1},
    {"Nissan", "Murano", 8, 4},
    {"Nissan", "Navara (2005--)", 8, 2},
    {"Nissan", "Note без интеллектуального ключа", 8, 2},
    {"Nissan", "Note с интеллектуальным ключом", 8, 1},
    {"Nissan", "Pathfinder (2004--) без интеллектуального ключа", 8, 2},
    {"Nissan", "Pathfinder (2004--) с интеллектуальным ключом", 8, 1},
    {"Nissan", "Patrol (2011--)", 8, 5},
    {"Nissan", "Qashqai без интеллектуального ключа", 8, 2},
    {"Nissan", "Qashqai с интеллектуальным ключом", 8, 1},
    {"Nissan", "Teana (2008--)", 8, 3},
    {"Nissan", "Tiida без интеллектуального ключа", 8, 2},
    {"Nissan", "Tiida с интеллектуальным ключом", 8, 1},
    {"Nissan", "X-Trail (2007--) без интеллектуального ключа", 8, 2},
    {"Nissan", "X-Trail (2007--) с интеллектуальным ключом", 8, 1},
    {"Opel", "Antara", 22, 2},
    {"Opel", "Astra H", 10, 1},
    {"Opel", "Astra J (подключение к CAN1)", 22, 1},
    {"Opel", "Astra J (подключение к CAN2)", 28, 1},
    {"Opel", "Corsa D", 10, 2},
    {"Opel", "Insignia (подключение к CAN1)", 22, 1},
    {"Opel", "Insignia (подключение к CAN2)", 28, 1},
    {"Opel", "Meriva B (подключение к CAN1)", 22, 1},
    {"Opel", "Meriva B (подключение к CAN2)", 28, 1},
    {"Opel", "Opel Astra H (с системой Open&Start)", 10, 4},
    {"Opel", "Opel Zafira B (с системой Open&Start)", 10, 4},
    {"Opel", "Vectra C", 10, 3},
    {"Opel", "Zafira B", 10, 1},
    {"Peugeot", "207 (подключение к CAN1)", 16, 1},
    {"Peugeot", "207 (подключение к CAN2)", 16, 1},
    {"Peugeot", "3008 (подключение к CAN1)", 16, 1},
    {"Peugeot", "3008 (подключение к CAN2)", 16, 1},
    {"Peugeot", "308 (подключение к CAN1)", 16, 1},
    {"Peugeot", "308 (подключение к CAN2)", 16, 1},
    {"Peugeot", "4007", 13, 1},
    {"Peugeot", "407 (подключение к CAN1)", 16, 1},
    {"Peugeot", "407 (подключение к CAN2)", 16, 1},
    {"Peugeot", "Boxer", 16, 3},
    {"Peugeot", "Partner (2009--) (подключение к CAN1)", 16, 1},
    {"Peugeot", "Partner (2009--) (подключение к CAN2)", 16, 1},
    {"Porsche", "Cayenne (2003-2010), 2-х кнопочный штатный брелок", 5, 5},
    {"Porsche", "Cayenne (2003-2010), 3-х кнопочный штатный брелок", 5, 1},
    {"Porsche", "Cayenne (2011--)", 18, 1},
    {"Porsche", "Panamera", 18, 1},
    {"Renault", "Fluence", 24, 1},
    {"Renault", "Koleos", 8, 2},
    {"Renault", "Megane (2009--)", 24, 1},
    {"Seat", "Altea (2004--)", 5, 2},
    {"Seat", "Ibiza (2009--)", 5, 7},
    {"Seat", "Leon (2006--)", 5, 2},
    {"Skoda", "Fabia (2008-2009)", 5, 3},
    {"Skoda", "Fabia (2010--)", 5, 7},
    {"Skoda", "Octavia A5 (2005-2008)", 5, 2},
    {"Skoda", "Octavia FL (2009--)", 5, 4},
    {"Skoda", "Octavia Tour", 5, 6},
    {"Skoda", "Roomster", 5, 3},
    {"Skoda", "Superb (2009--)", 5, 4},
    {"Skoda", "Yeti", 5, 4},
    {"Subaru", "Forester (2008--)", 29, 1},
    {"Subaru", "Impreza (2010--)", 29, 1},
    {"Subaru", "Outback (2010--)", 29, 2},
    {"Subaru", "Tribeca (2007--)", 29, 1},
    {"Suzuki", "Grand Vitara (2005--) без системы бесключевого доступа", 11, 1},
    {"Suzuki", "Grand Vitara (2005--) с системой бесключевого доступа", 11, 1},
    {"Suzuki", "Kizashi", 11, 1},
    {"Suzuki", "Swift (2004--) без системы бесключевого доступа", 11, 2},
    {"Suzuki", "Swift (2004--) с системой бесключевого доступа", 11, 2},
    {"Suzuki", "SX4 без системы бесключевого доступа", 11, 1},
    {"Suzuki", "SX4 с системой бесключевого доступа", 11, 1},
    {"Toyota", "Auris", 14, 1},
    {"Toyota", "Avensis (2009--)", 14, 1},
    {"Toyota", "Camry (2006-2011)", 14, 1},
    {"Toyota", "Camry (2012--)", 14, 1},
    {"Toyota", "Corolla (2006--)", 14, 1},
    {"Toyota", "Highlander (2011--)", 14, 1},
    {"Toyota", "Land Cruiser 200", 14, 1},
    {"Toyota", "Land Cruiser Prado (2010--)", 14, 1},
    {"Toyota", "RAV4 (2006--)", 14, 1},
    {"Toyota", "Yaris (2009--)", 14, 1},
    {"Volkswagen", "Amarok", 5, 7},
    {"Volkswagen", "Caddy (2004-2009)", 5, 2},
    {"Volkswagen", "Caddy (2010--)", 5, 4},
    {"Volkswagen", "Crafter", 3, 7},
    {"Volkswagen", "Golf 5", 5, 2},
    {"Volkswagen", "Golf 6", 5, 4},
    {"Volkswagen", "Golf Plus", 5, 2},
    {"Volkswagen", "Jetta (2006-2009)", 5, 2},
    {"Volkswagen", "Jetta (2010--)", 5, 4},
    {"Volkswagen", "Multivan (2003-2009)", 5, 3},
    {"Volkswagen", "Multivan (2010--)", 5, 7},
    {"Volkswagen", "Passat B6 (2006-2009)", 5, 2},
    {"Volkswagen", "Passat B6 (2010--)", 5, 2},
    {"Volkswagen", "Passat B7 (2011--)", 5, 2},
    {"Volkswagen", "Passat CC", 5, 2},
    {"Volkswagen", "Phaeton (2011--)", 5, 1},
    {"Volkswagen", "Polo (2005-2009)", 5, 3},
    {"Volkswagen", "Polo (2010--)", 5, 7},
    {"Volkswagen", "Polo Sedan (2011--)", 18, 3},
    {"Volkswagen", "Scirocco", 5, 2},
    {"Volkswagen", "Tiguan (2007-2009)", 5, 2},
    {"Volkswagen", "Tiguan (2010--)", 5, 4},
    {"Volkswagen", "Touareg (2003-2010)", 5, 1},
    {"Volkswagen", "Touareg (2011--)", 18, 2},
    {"Volkswagen", "Touran", 5, 2},
    {"Volvo", "C30", 23, 3},
    {"Volvo", "C70", 23, 3},
    {"Volvo", "S40 (2004--)", 23, 3},
    {"Volvo", "S60 (2005-2010)", 23, 1},
    {"Volvo", "S60 (2011--)", 25, 1},
    {"Volvo", "S80 (2005-2006)", 23, 1},
    {"Volvo", "S80 (2007--)", 23, 2},
    {"Volvo", "V50", 23, 3},
    {"Volvo", "V70 (2005-2008)", 23, 1},
    {"Volvo", "V70XC (2005-2007)", 23, 1},
    {"Volvo", "XC60 (2011--)", 25, 2},
    {"Volvo", "XC60(2008-2010)", 23, 2},
    {"Volvo", "XC70 (2005-2007)", 23, 1},
    {"Volvo", "XC70 (2008-2010)", 23, 2},
    {"Volvo", "XC70 (2012--)", 25, 2},
    {"Volvo", "XC90 (2005--)", 23, 1},
};
// clang-format on
static_assert(std::size(kModels) == 277);

std::vector<int> Sorted(std::vector<int> numbers) {
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

template <class TKey>
std::vector<int> Distinct(TKey key, bool (*keep)(const TCarModel&, int), int arg) {
  std::vector<int> numbers;
  for (const TCarModel& model : kModels) {
    if (keep != nullptr && !keep(model, arg)) continue;
    const int number = key(model);
    if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) {
      numbers.push_back(number);
    }
  }
  return numbers;
}

QString SupportText(const char* text) {
  return *text != '\0' ? QString::fromUtf8(text) : QStringLiteral("нет сведений");
}

}  // namespace

std::span<const TCarModel> CarModelTable() {
  return kModels;
}

QStringList CarBrands() {
  QStringList brands;
  for (const TCarModel& model : kModels) {
    const QString brand = QString::fromUtf8(model.Brand);
    if (brands.isEmpty() || brands.back() != brand) brands << brand;
  }
  return brands;
}

QStringList CarModelsOf(const QString& brand) {
  QStringList models;
  for (const TCarModel& model : kModels) {
    if (brand.isEmpty() || brand == QString::fromUtf8(model.Brand)) {
      models << QString::fromUtf8(model.Model);
    }
  }
  return models;
}

QStringList CarModelsMatching(const QString& text) {
  QStringList models;
  const QString wanted = text.trimmed();
  for (const TCarModel& model : kModels) {
    const QString name = QString::fromUtf8(model.Model);
    if (name.contains(wanted, Qt::CaseInsensitive) ||
        QString::fromUtf8(model.Brand).contains(wanted, Qt::CaseInsensitive)) {
      models << name;
    }
  }
  return models;
}

const TCarModel* FindCarModel(const QString& name) {
  const auto found = std::find_if(std::begin(kModels), std::end(kModels), [&](const TCarModel& m) {
    return name == QString::fromUtf8(m.Model);
  });
  return found != std::end(kModels) ? &*found : nullptr;
}

std::vector<int> CarGroups() {
  return Sorted(Distinct([](const TCarModel& m) { return m.Group; }, nullptr, 0));
}

std::vector<int> CarSubgroups() {
  return Sorted(Distinct([](const TCarModel& m) { return m.Subgroup; }, nullptr, 0));
}

std::vector<int> CarSubgroupsOf(int group, bool sorted) {
  std::vector<int> subgroups =
      Distinct([](const TCarModel& m) { return m.Subgroup; },
               [](const TCarModel& m, int wanted) { return m.Group == wanted; }, group);
  return sorted ? Sorted(std::move(subgroups)) : subgroups;
}

QString CarChoiceHint(const TCarModel& model) {
  return QStringLiteral("Управление ЦЗ :") + SupportText(model.Locking) +
         QStringLiteral("\r\nТолько Блокировка/Деблокировка :") +
         SupportText(model.SequentialUnlock) +
         QStringLiteral("\r\nПостановка/Снятие со штатной системой :") +
         SupportText(model.OwnAlarm);
}

bool CarHintApplies(const QString& group, const QString& subgroup) {
  const QString unknown = QStringLiteral("<не определена>");
  const QString none = QStringLiteral("--");
  if (group == unknown) return false;
  if (subgroup == unknown && group == none) return false;
  if (subgroup == none && group == QStringLiteral("0")) return false;
  return subgroup != QStringLiteral("0");
}

std::optional<uint8_t> CarModelNumber(const QString& text) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  if (!ok || number < 0 || number > 255) return std::nullopt;
  return static_cast<uint8_t>(number);
}
