#include "shell/command_table.h"

#include <array>

namespace {

constexpr uint8_t kInt = 1 << 0;
constexpr uint8_t kExt = 1 << 1;
constexpr uint8_t kFlash = 1 << 3;
constexpr uint8_t kTransfer = kInt | kExt | kFlash;

// clang-format off
constexpr TCommandSpec kMainCommands[] = {
    {"aRead", "Прочитать", "Прочитать данные из всех доступных модулей", "F5"},
    {"aWrite", "Записать", "Записать данные", ""},
    {"aRefresh", "Обновить", "Прочитать данные из устройства заново", ""},
    {"aLoad", "Открыть...", "", "Ctrl+O"},
    {"aSave", "Сохранить...", "", "Ctrl+S"},
    {"aCompare", "Сравнить с файлом...", "Сравнить текущие настройки с файлом настроек", ""},
    {"aChanges", "Изменения...", "Показать, что отправит следующая запись", ""},
    {"aExit", "Выход", "", ""},
    {"aConnect", "Соединить", "", ""},
    {"aChoosePort", "Выбрать порт...", "Выбрать адаптер или порт, через который идёт связь", ""},
    {"mmExitProgramming", "Выход из программирования",
     "Вывести все модули из режима программирования", ""},
    {"mmDemoMode", "Демо-режим", "", ""},
    {"aShowElements", "Показать Модули", "", ""},
    {"aShowIndicator", "Показать индикатор", "", ""},
    {"aShowLog", "Показать журнал", "", ""},
    {"aShowToolBar", "Показать панель кнопок", "", ""},
    {"aShowFunc", "Настройки", "Показать окно настроек программы", ""},
    {"aHelp", "Справка", "", "F1"},
    {"aFindSetting", "Найти настройку", "Найти настройку по части её названия", "Ctrl+Shift+F"},
    {"aAbout", "О программе", "", ""},
    {"aPrev", "Назад", "Перейти к предыдущей странице", "Alt+Left"},
    {"aNext", "Вперед", "Перейти к следующей странице", "Alt+Right"},
    {"aTSProperties", "Свойства", "", "Ctrl+Alt+A"},
    {"aMeasureTaho", "Измерить обороты", "", ""},
    {"aMeasureSpeed", "Измерить скорость", "", ""},
    {"aLearnWL", "Обучить", "Обучение микроиммобилайзеров и сервисных реле", ""},
    {"ResetSystem", "Перезапуск", "Перезапуск модуля", ""},
    {"aLabelAndTxStartLearn", "Включить", "", ""},
    {"aLabelAndTxEndLearn", "Выключить", "", ""},
};

constexpr TPageCommandSpec kMenuPageCommands[] = {
    {"", "aVersionInfo", "Сведения", "VersionInfo"},
    {"Главный модуль", "aMainOptions", "Настройки", "MainOptions"},
    {"Главный модуль", "aMainSecurity", "Безопасность", "MainSecurity"},
    {"Главный модуль", "aMainTimes", "Времена", "MainTimes"},
    {"Главный модуль", "aMainSensors", "Датчики", "MainSensors"},
    {"Главный модуль", "aMainInputs", "Входы", "MainInputs"},
    {"Главный модуль", "aMainOutputs", "Выходы", "MainOutputs"},
    {"Главный модуль", "aMainTX", "Брелоки", "MainTX"},
    {"Главный модуль", "aMainRStart", "Дист. запуск", "MainRStart"},
    {"Главный модуль", "aMainLearn", "Управление", "MainLearn"},
    {"Главный модуль", "aMainDiag", "Диагностика", "MainDiag"},
    {"CAN-модуль", "aCanIn", "Входы", "CanIn"},
    {"CAN-модуль", "aCanOut", "Выходы", "CanOut"},
    {"CAN-модуль", "aCanOptions", "Управление", "CanOptions"},
    {"GSM", "aGSMProperties", "Свойства", "GSMPropertiesGSMPager"},
    {"GSM", "aGSMOptions", "Настройки", "GSMOptionsGSMPager"},
    {"GSM", "aGSMTimes", "Время", "GSMTimesGSMPager"},
    {"GSM", "aGSMMessages", "Сообщения", "GSMMessages"},
    {"Slave-модуль", "aSlaveProperties", "Свойства", "SlaveProperties"},
    {"Slave-модуль", "aSlaveOptions", "Настройки", "SlaveOptions"},
    {"Slave-модуль", "aSlaveData", "Графики", "SlaveData"},
    {"Расширитель входов", "aRemoteInputsProperties", "Настройки", "RemoteInputsProperties"},
    {"Датчик наклона", "aTiltOptions", "Настройки", "TiltOptions"},
    {"Validator/Расширитель выходов", "aValidatorProperties", "Настройки", "ValidatorProperties"},
    {"Трансивер метки", "aTrans_2_44", "Настройки", "Trans_2_44"},
};

constexpr TPageCommandSpec kPanelPageCommands[] = {
    {"", "aGSMPropertiesGSMPager", "Свойства", "GSMPropertiesGSMPager"},
    {"", "aGSMOptionsGSMPager", "Настройки", "GSMOptionsGSMPager"},
    {"", "aGSMTimesGSMPager", "Время", "GSMTimesGSMPager"},
    {"", "aMainRelays", "Реле", "MainRelays"},
    {"", "aGSMDiagGSMPager", "Диагностика", "GSMDiagGSMPager"},
    {"", "aGSMTelematic", "Телематика", "GSMTelematic"},
    {"", "aGSMWebasto", "Webasto", "GSMWebasto"},
    {"", "aShockOptions", "Настройки", "ShockOptions"},
    {"", "aRelayIOProperties", "Настройки", "RelayIOProperties"},
    {"", "aRelayIOPropertiesNew", "Настройки", "RelayIOPropertiesNew"},
};

constexpr TModuleCommandSpec kModuleCommands[] = {
    {"aRead2", 2, kTransfer, TModuleCommandKind::Read},
    {"aRead3", 3, kInt, TModuleCommandKind::Read},
    {"aRead3_1", 3, kExt, TModuleCommandKind::Read},
    {"aRead4", 4, kInt, TModuleCommandKind::Read},
    {"aRead4_1", 4, kFlash, TModuleCommandKind::Read},
    {"aRead13", 13, kInt, TModuleCommandKind::Read},
    {"aRead13_1", 13, kFlash, TModuleCommandKind::Read},
    {"aRead14", 14, kInt, TModuleCommandKind::Read},
    {"aRead14_1", 14, kFlash, TModuleCommandKind::Read},
    {"aRead5", 5, kInt, TModuleCommandKind::Read},
    {"aRead5_1", 5, kFlash, TModuleCommandKind::Read},
    {"aRead23", 23, kInt, TModuleCommandKind::Read},
    {"aRead25", 25, kInt, TModuleCommandKind::Read},
    {"aRead25_1", 25, kFlash, TModuleCommandKind::Read},
    {"aRead15", 15, kInt, TModuleCommandKind::Read},
    {"aRead20", 20, kInt, TModuleCommandKind::Read},
    {"aWrite2", 2, kExt, TModuleCommandKind::Write},
    {"aWrite2_1", 2, kFlash, TModuleCommandKind::Write},
    {"aWrite3", 3, kInt, TModuleCommandKind::Write},
    {"aWrite3_1", 3, kExt, TModuleCommandKind::Write},
    {"aWrite4", 4, kInt, TModuleCommandKind::Write},
    {"aWrite4_1", 4, kFlash, TModuleCommandKind::Write},
    {"aWrite13", 13, kInt, TModuleCommandKind::Write},
    {"aWrite13_1", 13, kFlash, TModuleCommandKind::Write},
    {"aWrite14", 14, kInt, TModuleCommandKind::Write},
    {"aWrite14_1", 14, kFlash, TModuleCommandKind::Write},
    {"aWrite23", 23, kInt, TModuleCommandKind::Write},
    {"aWrite25", 25, kInt, TModuleCommandKind::Write},
    {"aWrite25_1", 25, kFlash, TModuleCommandKind::Write},
    {"aWrite5", 5, kInt, TModuleCommandKind::Write},
    {"aWrite5_1", 5, kFlash, TModuleCommandKind::Write},
    {"aWrite15", 15, kInt, TModuleCommandKind::Write},
    {"aWrite20", 20, kInt, TModuleCommandKind::Write},
    {"aDef2", 2, kTransfer, TModuleCommandKind::Defaults},
    {"aDef3", 3, kTransfer, TModuleCommandKind::Defaults},
    {"aDef4", 4, kTransfer, TModuleCommandKind::Defaults},
    {"aDef13", 13, kTransfer, TModuleCommandKind::Defaults},
    {"aDef14", 14, kTransfer, TModuleCommandKind::Defaults},
    {"aDef5", 5, kTransfer, TModuleCommandKind::Defaults},
    {"aDef23", 23, kInt, TModuleCommandKind::Defaults},
    {"aDef25", 25, kInt, TModuleCommandKind::Defaults},
    {"aDef15", 15, kTransfer, TModuleCommandKind::Defaults},
    {"aDef20", 20, kInt, TModuleCommandKind::Defaults},
};

constexpr TSubmenuEntry kWriteSubmenu[] = {
    {"aWrite2", "Главный модуль"},
    {nullptr, nullptr},
    {"aWrite3", "GSM"},
    {nullptr, nullptr},
    {"aWrite4", "Slave-модуль"},
    {"aWrite15", "Расширитель входов"},
    {"aWrite4_1", "Slave-модуль (данные)"},
    {"aWrite14", "Validator/Расширитель выходов"},
    {"aWrite25", "Трансивер метки"},
    {nullptr, nullptr},
    {"aWrite23", "Датчик наклона"},
};

// "GSM" of this submenu is itself a submenu; the window builds it around aDef3 and the
// message-memory command.
constexpr TSubmenuEntry kDefaultsSubmenu[] = {
    {"aDef2", "Главный модуль (с CAN)"},
    {"aDef3", "Все настройки"},
    {"aDef3Sms", "Только СМС"},
    {"aDef4", "Slave-модуль"},
    {"aDef15", "Расширитель входов"},
    {"aDef23", "Датчик наклона"},
    {"aDef14", "Validator/Расширитель выходов"},
    {"aDef25", "Трансивер метки"},
};

constexpr std::array kInfoButtons = {"aVersionInfo"};
constexpr std::array kMainButtons = {"aMainOptions", "aMainSecurity", "aMainTimes",
                                     "aMainSensors", "aMainInputs",   "aMainOutputs",
                                     "aMainTX",      "aMainRStart",   "aMainLearn",
                                     "aMainDiag",    "aMainRelays"};
constexpr std::array kTagButtons = {"aTrans_2_44"};
constexpr std::array kCanButtons = {"aCanIn", "aCanOut", "aCanOptions"};
constexpr std::array kGsmButtons = {"aGSMPropertiesGSMPager", "aGSMOptionsGSMPager",
                                    "aGSMTimesGSMPager",      "aGSMMessages",
                                    "aGSMDiagGSMPager",       "aGSMTelematic",
                                    "aGSMWebasto"};
constexpr std::array kInputsButtons = {"aRemoteInputsProperties"};
constexpr std::array kSlaveButtons = {"aSlaveProperties", "aSlaveOptions", "aSlaveData"};
constexpr std::array kShockButtons = {"aShockOptions"};
constexpr std::array kTiltButtons = {"aTiltOptions"};
constexpr std::array kRelayButtons = {"aRelayIOProperties"};
constexpr std::array kValidatorButtons = {"aValidatorProperties"};

constexpr TPanelCategorySpec kPanelCategories[] = {
    {"Информация", false, kInfoButtons},
    {"Главный модуль", false, kMainButtons},
    {"Трансивер метки", false, kTagButtons},
    {"CAN-модуль", true, kCanButtons},
    {"GSM", false, kGsmButtons},
    {"Расширитель входов", true, kInputsButtons},
    {"Slave-модуль", true, kSlaveButtons},
    {"Датчик удара", true, kShockButtons},
    {"Датчик наклона", true, kTiltButtons},
    {"Модуль запуска", true, kRelayButtons},
    {"Validator/Расширитель выходов", true, kValidatorButtons},
};
// clang-format on

}  // namespace

std::span<const TCommandSpec> MainCommands() {
  return kMainCommands;
}
std::span<const TPageCommandSpec> MenuPageCommands() {
  return kMenuPageCommands;
}
std::span<const TPageCommandSpec> PanelPageCommands() {
  return kPanelPageCommands;
}
std::span<const TModuleCommandSpec> ModuleCommandTable() {
  return kModuleCommands;
}
std::span<const TSubmenuEntry> WriteSubmenu() {
  return kWriteSubmenu;
}
std::span<const TSubmenuEntry> DefaultsSubmenu() {
  return kDefaultsSubmenu;
}
std::span<const TPanelCategorySpec> ModulePanelCategories() {
  return kPanelCategories;
}
