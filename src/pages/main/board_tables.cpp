#include "pages/main/board_tables.h"

namespace {

// Each table lists its entries in the order in which they are numbered.
// clang-format off
constexpr TOutRow kThirdOutputs[] = {
    {.Name = "LED", .Code = 204, .Task = 1, .Flags = kOutNotAssignable, .Description = ""},
    {.Name = "16.о", .Code = 169, .Task = 2, .Variant = {TCodeCondition::SubRevisionAbove8, 107}, .Description = "Выход на управлением светом левого борта (положительный, +5А)"},
    {.Name = "8.о", .Code = 140, .Task = 3, .Description = "Выход на управлением светом правого борта (положительный, +5А)"},
    {.Name = "1.о", .Code = 137, .Task = 4, .Flags = kOutPolarity, .ClearCode = 139, .Description = "Выход на запирание замков дверей (выбираемая полярность: +0.5А; -0.5А)"},
    {.Name = "9.о", .Code = 108, .Task = 5, .Flags = kOutPolarity, .ClearCode = 172, .Description = "Выход на отпирание замков дверей (выбираемая полярность: +0.5А; -0.5А)"},
    {.Name = "12.о", .Code = 233, .Task = 6, .Variant = {TCodeCondition::SubRevisionAbove12, 42}, .Description = "Выход на управление сиреной (положительный, +2.0А)"},
    {.Name = "11.о", .Code = 77, .Task = 8, .Description = "Выход на управление замком багажника (отрицательный, -0.5А)"},
    {.Name = "3.о", .Code = 45, .Task = 9, .Description = "Выход на блокировку (отрицательный, -0.5А)"},
    {.Name = "MR", .Code = 24, .Task = 10, .Flags = kOutExtensionRelay | kOutImmobiliser, .Description = "микроиммобилайзер"},
    {.Name = "10.о", .Code = 44, .Task = 11, .Flags = kOutPager | kOutDigitalOutput, .Description = "Выход на стеклоподъемники  (отрицательный, -0.5А)"},
    {.Name = "7.о", .Code = 171, .Description = "Универсальный: вход/выход (отрицательный, -0.5А)"},
    {.Name = "3V (от pcb 17)", .Code = 233, .Description = "Выход управления 3В (положительный, +50mА)"},
    {.Name = "RO1", .Code = 14, .Flags = kOutWithExtender, .Description = "Выход 1 на Расширителе Выходов  (отрицательный, -0.5А)"},
    {.Name = "RO2", .Code = 46, .Flags = kOutWithExtender, .Description = "Выход 2 на Расширителе Выходов  (отрицательный, -0.5А)"},
    {.Name = "RL1", .Code = 15, .Flags = kOutWithStartModule, .Description = "Выход 1 на Модуле запуска (релейный, неполная группа контактов)"},
    {.Name = "RL2", .Code = 47, .Flags = kOutWithStartModule, .Description = "Выход 2 на Модуле запуска (релейный, неполная группа контактов)"},
    {.Name = "RL3", .Code = 79, .Flags = kOutWithStartModule, .Description = "Выход 3 на Модуле запуска (релейный, полная группа контактов)"},
    {.Name = "RL4", .Code = 111, .Flags = kOutWithStartModule, .Description = "Выход 4 на Модуле запуска (релейный, полная группа контактов)"},
    {.Name = "RL5", .Code = 143, .Flags = kOutWithStartModule, .Description = "Выход 5 на Модуле запуска  (отрицательный, -0.5А)"},
    {.Name = "RL6", .Code = 175, .Flags = kOutWithStartModule, .Description = "Выход 6 на Модуле запуска  (отрицательный, -0.5А)"},
    {.Name = "SVH1", .Code = 152, .Task = 15, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 30"},
    {.Name = "SVH2", .Code = 156, .Task = 16, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 87a"},
    {.Name = "SVW", .Code = 56, .Task = 11, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVW - реле стеклоподъемников"},
    {.Name = "SVI", .Code = 88, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVI - реле поддержки зажигания"},
    {.Name = "SVA", .Code = 28, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVA - реле американского замка"},
    {.Name = "SVT", .Code = 60, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVT - реле замка багажника"},
    {.Name = "SVS", .Code = 92, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVS - реле сирены"},
    {.Name = "SV21", .Code = 120, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 30"},
    {.Name = "SV22", .Code = 124, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 87a"},
    {.Name = "SVD1", .Code = 184, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 30"},
    {.Name = "SVD2", .Code = 188, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 87a"},
    {.Name = "SVL1", .Code = 216, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 30"},
    {.Name = "SVL2", .Code = 220, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 87a"},
};

constexpr TInRow kThirdInputs[] = {
    {.Name = "4.о", .Code = 50, .Task = 1, .Flags = kInTrigger | kInSpeed | kInTacho, .Description = "Вход концевиков дверей (отрицательный, замыкание на «массу»)"},
    {.Name = "5.о", .Code = 106, .Task = 2, .Flags = kInPolarity | kInTrigger, .Description = "Вход концевика багажника (выбираемая полярность: замыкание на «массу» или на «плюс»)"},
    {.Name = "2.о", .Code = 90, .Task = 3, .Flags = kInPolarity | kInTrigger | kInSpeed, .Description = "Вход концевика капота (выбираемая полярность: замыкание на «массу» или на «плюс»)"},
    {.Name = "6.о", .Code = 124, .Task = 4, .Flags = kInTrigger, .Description = "Вход зажигания (положительный, замыкание на «плюс»)"},
    {.Name = "pin", .Code = 34, .Task = 5, .Flags = kInNotAssignable | kInTrigger, .Description = "pin"},
    {.Name = "7.о", .Code = 57, .Task = 14, .Flags = kInTrigger | kInTacho, .Description = "Универсальный: вход/выход"},
    {.Name = "7.о", .Code = 104, .Flags = kInTrigger | kInTacho, .StartInput = 0, .Description = "Универсальный: вход/выход"},
    {.Name = "7.о", .Code = 105, .Flags = kInTrigger | kInTacho, .StartInput = 1, .Description = "Универсальный: вход/выход"},
    {.Name = "7.о", .Code = 106, .Flags = kInTrigger | kInTacho, .StartInput = 2, .Description = "Универсальный: вход/выход"},
    {.Name = "7.о", .Code = 107, .Flags = kInTrigger | kInTacho, .StartInput = 3, .Description = "Универсальный: вход/выход"},
};

constexpr TOutRow kSecondOutputs[] = {
    {.Name = "LED", .Code = 42, .Task = 1, .Flags = kOutNotAssignable, .Description = ""},
    {.Name = "9+7.о", .Code = 74, .Task = 2, .Description = "выход на левый/правый борт, 9 (серый с черным) - левый борт, 7, серый - правый борт. Основной разъем, реле 15А"},
    {.Name = "2.д", .Code = 170, .Task = 4, .Description = "выход на запирание замков, 2, зеленый, доп. разъем, реле 15А"},
    {.Name = "5.д", .Code = 106, .Task = 5, .Description = "выход на отпирание замков, 5, синий, доп. разъем, реле 15А"},
    {.Name = "1.о", .Code = 14, .Task = 6, .Flags = kOutPager, .Variant = {TCodeCondition::SirenMoved, 203}, .Description = "выход на сирену, 1, коричневый, основной разъем, \"+\" 1.5А"},
    {.Name = "11.о", .Code = 111, .Task = 8, .Flags = kOutPager, .Description = "выход на замок багажника, 11, салатовый, основной разъем, \"-\" 0.7А"},
    {.Name = "10.о", .Code = 15, .Task = 9, .Flags = kOutPager, .Description = "выход на блокировку №1, 10, желтый, основной разъем, \"-\" 0.7А"},
    {.Name = "MR", .Code = 24, .Task = 10, .Flags = kOutExtensionRelay | kOutImmobiliser, .Description = "микроиммобилайзер"},
    {.Name = "SVW", .Code = 56, .Task = 11, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVW - реле стеклоподъемников"},
    {.Name = "SVI", .Code = 88, .Task = 12, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVI - реле поддержки зажигания"},
    {.Name = "SVH1", .Code = 152, .Task = 15, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 30"},
    {.Name = "SVH2", .Code = 156, .Task = 16, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 87a"},
    {.Name = "SVA", .Code = 28, .Task = 17, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVA - реле американского замка"},
    {.Name = "SVT", .Code = 60, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVT - реле замка багажника"},
    {.Name = "SVS", .Code = 92, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVS - реле сирены"},
    {.Name = "SV21", .Code = 120, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 30"},
    {.Name = "SV22", .Code = 124, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 87a"},
    {.Name = "SVD1", .Code = 184, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 30"},
    {.Name = "SVD2", .Code = 188, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 87a"},
    {.Name = "SVL1", .Code = 216, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 30"},
    {.Name = "SVL2", .Code = 220, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 87a"},
};

constexpr TOutRow kSecondPagerOutputs[] = {
    {.Name = "LED", .Code = 42, .Task = 1, .Flags = kOutNotAssignable, .Description = ""},
    {.Name = "9+7.о", .Code = 74, .Task = 2, .Description = "выход на левый/правый борт, 9 (серый с черным) - левый борт, 7, серый - правый борт. Основной разъем, реле 15А"},
    {.Name = "2.д", .Code = 170, .Task = 4, .Description = "выход на запирание замков, 2, зеленый, доп. разъем, реле 15А"},
    {.Name = "5.д", .Code = 106, .Task = 5, .Description = "выход на отпирание замков, 5, синий, доп. разъем, реле 15А"},
    {.Name = "1.о", .Code = 14, .Task = 7, .Flags = kOutPager, .Variant = {TCodeCondition::SirenMoved, 203}, .Description = "выход на пейджер, 1, коричневый, основной разъем, \"+\" 1.5А"},
    {.Name = "11.о", .Code = 111, .Task = 8, .Flags = kOutPager, .Description = "выход на замок багажника, 11, салатовый, основной разъем, \"-\" 0.7А"},
    {.Name = "10.о", .Code = 15, .Task = 9, .Flags = kOutPager, .Description = "выход на блокировку №1, 10, желтый, основной разъем, \"-\" 0.7А"},
    {.Name = "MV1", .Code = 248, .Task = 15, .Flags = kOutExtensionRelay, .Description = "выход сирены Brevant - 5, желтый, \"-\" 0.7А"},
    {.Name = "MV2", .Code = 252, .Task = 16, .Flags = kOutExtensionRelay, .Description = "выход сирены Brevant - 3, синий, \"-\" 0.7А"},
    {.Name = "MR", .Code = 24, .Task = 10, .Flags = kOutExtensionRelay | kOutImmobiliser, .Description = "микроиммобилайзер"},
    {.Name = "SVW", .Code = 56, .Task = 11, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVW - реле стеклоподъемников"},
    {.Name = "SVI", .Code = 88, .Task = 12, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVI - реле поддержки зажигания"},
    {.Name = "SVH1", .Code = 152, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 30"},
    {.Name = "SVH2", .Code = 156, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 87a"},
    {.Name = "SVA", .Code = 28, .Task = 17, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVA - реле американского замка"},
    {.Name = "SVT", .Code = 60, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVT - реле замка багажника"},
    {.Name = "SVS", .Code = 92, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVS - реле сирены"},
    {.Name = "SV21", .Code = 120, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 30"},
    {.Name = "SV22", .Code = 124, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 87a"},
    {.Name = "SVD1", .Code = 184, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 30"},
    {.Name = "SVD2", .Code = 188, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 87a"},
    {.Name = "SVL1", .Code = 216, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 30"},
    {.Name = "SVL2", .Code = 220, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 87a"},
};

constexpr TInRow kSecondInputs[] = {
    {.Name = "4.о", .Code = 36, .Task = 1, .Flags = kInTrigger, .Description = "вход датчиков дверей, 4, белый, основной разъем"},
    {.Name = "2.о", .Code = 68, .Task = 2, .Flags = kInTrigger, .Description = "вход датчика багажника, 2, зеленый, основной разъем"},
    {.Name = "5.о", .Code = 4, .Task = 3, .Flags = kInPolarity | kInTrigger | kInSpeed, .Description = "вход датчика капота, 5, зеленый с серым, основной разъем"},
    {.Name = "3.о", .Code = 60, .Task = 4, .Flags = kInTrigger, .Description = "вход зажигания, 3, фиолетовый, основной разъем"},
    {.Name = "pin", .Code = 164, .Task = 5, .Flags = kInNotAssignable | kInTrigger, .Description = "pin"},
};

constexpr TInRow kSecondPagerInputs[] = {
    {.Name = "4.о", .Code = 36, .Task = 1, .Flags = kInTrigger, .Description = "вход датчиков дверей, 4, белый, основной разъем"},
    {.Name = "2.о", .Code = 68, .Task = 2, .Flags = kInTrigger, .Description = "вход датчика багажника, 2, зеленый, основной разъем"},
    {.Name = "4.с", .Code = 161, .Task = 3, .Description = "вход датчика капота, 4, зеленый, разъем сирены"},
    {.Name = "3.о", .Code = 60, .Task = 4, .Flags = kInTrigger, .Description = "вход зажигания, 3, фиолетовый, основной разъем"},
    {.Name = "pin", .Code = 164, .Task = 5, .Flags = kInNotAssignable | kInTrigger, .Description = "pin"},
    {.Name = "5.о", .Code = 4, .Task = 9, .Flags = kInPolarity | kInTrigger | kInSpeed, .Description = "вход спидометра, 5, зеленый с серым, основной разъем"},
};

constexpr TOutRow kFirstOutputs[] = {
    {.Name = "LED", .Code = 169, .Task = 1, .Flags = kOutNotAssignable, .Description = ""},
    {.Name = "18.о", .Code = 42, .Task = 2, .Description = "выход на левый борт, 18, серый с черным. Основной разъем, реле 15А"},
    {.Name = "9.о", .Code = 203, .Task = 3, .Description = "выход на правый борт, 9, серый. Основной разъем, реле 15А"},
    {.Name = "2.д", .Code = 139, .Task = 4, .Description = "выход на запирание замков, 2, зеленый, доп. разъем, реле 15А"},
    {.Name = "5.д", .Code = 171, .Task = 5, .Description = "выход на отпирание замков, 5, синий, доп. разъем, реле 15А"},
    {.Name = "11.о", .Code = 78, .Task = 6, .Flags = kOutPager, .Description = "выход на сирену, 11, коричневый, основной разъем, \"+\" 1.5А"},
    {.Name = "12.о", .Code = 142, .Task = 7, .Flags = kOutPager, .Description = "выход на пейджер, 12, оранжевый, основной разъем, \"+\" 0.7А"},
    {.Name = "13.о", .Code = 111, .Task = 8, .Flags = kOutPager, .Description = "выход на замок багажника, 13, белый с черным, основной разъем, \"-\" 2.0А"},
    {.Name = "1.о", .Code = 15, .Task = 9, .Flags = kOutPager, .Description = "выход на блокировку №1, 1, желтый, основной разъем, \"-\" 0.7А"},
    {.Name = "MR", .Code = 24, .Task = 10, .Flags = kOutExtensionRelay | kOutImmobiliser, .Description = "микроиммобилайзер"},
    {.Name = "SVW", .Code = 56, .Task = 11, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVW - реле стеклоподъемников"},
    {.Name = "14.о", .Code = 174, .Task = 12, .Flags = kOutPager, .Description = "выход на реле поддержки зажигания, 14, синий, основной разъем, \"+\" 0.7А"},
    {.Name = "10.о", .Code = 47, .Task = 13, .Flags = kOutPager, .Description = "выход на реле стартера, 10, розовый, основной разъем, \"-\" 0.7А"},
    {.Name = "SVH1", .Code = 152, .Task = 15, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 30"},
    {.Name = "SVH2", .Code = 156, .Task = 16, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 87a"},
    {.Name = "SVA", .Code = 28, .Task = 17, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVA - реле американского замка"},
    {.Name = "SVI", .Code = 88, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVI - реле поддержки зажигания"},
    {.Name = "SVT", .Code = 60, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVT - реле замка багажника"},
    {.Name = "SVS", .Code = 92, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVS - реле сирены"},
    {.Name = "SV21", .Code = 120, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 30"},
    {.Name = "SV22", .Code = 124, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 87a"},
    {.Name = "SVD1", .Code = 184, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 30"},
    {.Name = "SVD2", .Code = 188, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 87a"},
    {.Name = "SVL1", .Code = 216, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 30"},
    {.Name = "SVL2", .Code = 220, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 87a"},
};

constexpr TOutRow kFirstPagerOutputs[] = {
    {.Name = "LED", .Code = 169, .Task = 1, .Flags = kOutNotAssignable, .Description = ""},
    {.Name = "18.о", .Code = 42, .Task = 2, .Description = "выход на левый борт, 18, серый с черным. Основной разъем, реле 15А"},
    {.Name = "9.о", .Code = 203, .Task = 3, .Description = "выход на правый борт, 9, серый. Основной разъем, реле 15А"},
    {.Name = "2.д", .Code = 139, .Task = 4, .Description = "выход на запирание замков, 2, зеленый, доп. разъем, реле 15А"},
    {.Name = "5.д", .Code = 171, .Task = 5, .Description = "выход на отпирание замков, 5, синий, доп. разъем, реле 15А"},
    {.Name = "12.о", .Code = 142, .Task = 7, .Flags = kOutPager, .Description = "выход на пейджер, 12, оранжевый, основной разъем, \"+\" 0.7А"},
    {.Name = "11.о", .Code = 78, .Task = 8, .Flags = kOutPager, .Description = "выход на реле замка багажника, 11, коричневый, основной разъем, \"+\" 1.5А"},
    {.Name = "1.о", .Code = 15, .Task = 9, .Flags = kOutPager, .Description = "выход на блокировку №1, 1, желтый, основной разъем, \"-\" 0.7А"},
    {.Name = "MR", .Code = 24, .Task = 10, .Flags = kOutExtensionRelay | kOutImmobiliser, .Description = "микроиммобилайзер"},
    {.Name = "13.о", .Code = 111, .Task = 11, .Flags = kOutPager, .Description = "выход на стеклоподъемники, 13, белый с черным, основной разъем, \"-\" 2.0А"},
    {.Name = "14.о", .Code = 174, .Task = 12, .Flags = kOutPager, .Description = "выход на реле поддержки зажигания, 14, синий, основной разъем, \"+\" 0.7А"},
    {.Name = "10.о", .Code = 47, .Task = 13, .Flags = kOutPager, .Description = "выход на реле стартера, 10, розовый, основной разъем, \"-\" 0.7А"},
    {.Name = "MV1", .Code = 248, .Task = 15, .Flags = kOutExtensionRelay, .Description = "выход сирены Brevant - 5, желтый, \"-\" 0.7А"},
    {.Name = "MV2", .Code = 252, .Task = 16, .Flags = kOutExtensionRelay, .Description = "выход сирены Brevant - 3, синий, \"-\" 0.7А"},
    {.Name = "SVA", .Code = 28, .Task = 17, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVA - реле американского замка"},
    {.Name = "SVW", .Code = 56, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVW - реле стеклоподъемников"},
    {.Name = "SVH1", .Code = 152, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 30"},
    {.Name = "SVH2", .Code = 156, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVH - реле замка капота, 87a"},
    {.Name = "SVI", .Code = 88, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVI - реле поддержки зажигания"},
    {.Name = "SVT", .Code = 60, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVT - реле замка багажника"},
    {.Name = "SVS", .Code = 92, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVS - реле сирены"},
    {.Name = "SV21", .Code = 120, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 30"},
    {.Name = "SV22", .Code = 124, .Flags = kOutExtensionRelay, .Description = "сервисное реле SV2 - двойное реле, 87a"},
    {.Name = "SVD1", .Code = 184, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 30"},
    {.Name = "SVD2", .Code = 188, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVD - реле замков дверей, 87a"},
    {.Name = "SVL1", .Code = 216, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 30"},
    {.Name = "SVL2", .Code = 220, .Flags = kOutExtensionRelay, .Description = "сервисное реле SVL - реле указателей поворота, 87a"},
};

constexpr TInRow kFirstInputs[] = {
    {.Name = "5.о", .Code = 4, .Task = 1, .Flags = kInTrigger, .Description = "вход датчиков дверей, 5, белый, основной разъем"},
    {.Name = "6.о", .Code = 36, .Task = 2, .Flags = kInTrigger, .Description = "вход датчика багажника, 6, зеленый, основной разъем"},
    {.Name = "2.о", .Code = 0, .Task = 3, .Flags = kInTrigger | kInSpeed, .Description = "вход датчика капота, 2, зеленый с серым, основной разъем"},
    {.Name = "7.о", .Code = 28, .Task = 4, .Flags = kInTrigger, .Description = "вход зажигания, 7, фиолетовый, основной разъем"},
    {.Name = "pin", .Code = 8, .Task = 5, .Flags = kInNotAssignable | kInTrigger, .Description = "pin"},
    {.Name = "3.о", .Code = 32, .Task = 7, .Flags = kInTrigger, .Description = "вход датчика ПАРК, оранж. с серым, 3, основной разъем"},
    {.Name = "8.о", .Code = 60, .Task = 10, .Flags = kInTrigger | kInSpeed | kInTacho, .Description = "вход тахометра, красный с розовым, 8, основной разъем"},
};

constexpr TInRow kFirstPagerInputs[] = {
    {.Name = "5.о", .Code = 4, .Task = 1, .Flags = kInTrigger, .Description = "вход датчиков дверей, 5, белый, основной разъем"},
    {.Name = "6.о", .Code = 36, .Task = 2, .Flags = kInTrigger, .Description = "вход датчика багажника, 6, зеленый, основной разъем"},
    {.Name = "4.с", .Code = 161, .Task = 3, .Description = "вход датчика капота, 4, зеленый, разъем сирены"},
    {.Name = "7.о", .Code = 28, .Task = 4, .Flags = kInTrigger, .Description = "вход зажигания, 7, фиолетовый, основной разъем"},
    {.Name = "pin", .Code = 8, .Task = 5, .Flags = kInNotAssignable | kInTrigger, .Description = "pin"},
    {.Name = "3.о", .Code = 32, .Task = 7, .Flags = kInTrigger, .Description = "вход датчика ПАРК, оранж. с серым, 3, основной разъем"},
    {.Name = "2.о", .Code = 0, .Flags = kInTrigger | kInSpeed, .Description = "вход спидометра, 2, зеленый с серым, основной разъем"},
    {.Name = "8.о", .Code = 60, .Task = 10, .Flags = kInTrigger | kInSpeed | kInTacho, .Description = "вход тахометра, красный с розовым, 8, основной разъем"},
};

constexpr TTaskRow kTasks[] = {
    {.Id = 1, .HasColumn = false, .Name = "Светодиод"},
    {.Id = 2, .HasColumn = true, .Name = "Левый борт"},
    {.Id = 3, .HasColumn = true, .Name = "Правый борт"},
    {.Id = 4, .HasColumn = true, .Name = "Запирание замков дверей"},
    {.Id = 5, .HasColumn = true, .Name = "Отпирание замков дверей"},
    {.Id = 6, .HasColumn = true, .Name = "Звуковые сигналы"},
    {.Id = 7, .HasColumn = false, .Name = "Пейджер"},
    {.Id = 8, .HasColumn = true, .Name = "Отпирание замка багажника"},
    {.Id = 9, .HasColumn = true, .Name = "Блокировка №1"},
    {.Id = 10, .HasColumn = true, .Name = "Блокировка №2 (для полного отключения беспроводного кода блокировки №2 необходимо установить функцию)"},
    {.Id = 11, .HasColumn = true, .Name = "Управление стеклоподъемниками"},
    {.Id = 12, .HasColumn = true, .Name = "Включение поддержки зажигания"},
    {.Id = 14, .HasColumn = true, .Name = "ACC"},
    {.Id = 13, .HasColumn = true, .Name = "Включение реле стартера"},
    {.Id = 15, .HasColumn = true, .Name = "Запирание замка капота"},
    {.Id = 16, .HasColumn = true, .Name = "Отпирание замка капота"},
    {.Id = 17, .HasColumn = true, .Name = "Блокировка №3"},
    {.Id = 18, .HasColumn = true, .Name = "Программа №1"},
    {.Id = 19, .HasColumn = true, .Name = "Программа №2"},
    {.Id = 20, .HasColumn = true, .Name = "Программа №3"},
    {.Id = 21, .HasColumn = true, .Name = "Программа №4"},
    {.Id = 22, .HasColumn = true, .Name = "Программа №5"},
    {.Id = 23, .HasColumn = true, .Name = "Программа №6"},
    {.Id = 24, .HasColumn = true, .Name = "Программа №7"},
    {.Id = 25, .HasColumn = true, .Name = "Программа №8"},
    {.Id = 26, .HasColumn = true, .Name = "Программа №9"},
    {.Id = 27, .HasColumn = true, .Name = "Программа №10"},
    {.Id = 28, .HasColumn = true, .Name = "Программа №11"},
    {.Id = 29, .HasColumn = true, .Name = "Программа №12"},
    {.Id = 30, .HasColumn = true, .Name = "Программа №13"},
    {.Id = 31, .HasColumn = true, .Name = "Программа №14"},
    {.Id = 32, .HasColumn = true, .Name = "Программа №15"},
    {.Id = 33, .HasColumn = true, .Name = "Программа №16"},
    {.Id = 34, .HasColumn = true, .Name = "Программа №17"},
    {.Id = 35, .HasColumn = true, .Name = "Программа №18"},
    {.Id = 36, .HasColumn = true, .Name = "Программа №19"},
    {.Id = 37, .HasColumn = true, .Name = "Программа №20"},
};

constexpr TTaskInRow kTasksIn[] = {
    {.Id = 1, .FixedCode = 1, .Column = 3, .Name = "Датчик открытия дверей"},
    {.Id = 2, .FixedCode = 17, .Column = 4, .Name = "Датчик открытия багажника"},
    {.Id = 3, .FixedCode = 33, .Column = 5, .Name = "Датчик открытия капота"},
    {.Id = 4, .FixedCode = 49, .Column = 6, .Name = "Датчик включения зажигания"},
    {.Id = 5, .FixedCode = 65, .Name = "Кнопка"},
    {.Id = 7, .FixedCode = 97, .Column = 7, .Name = "Датчик положения ПАРК/ручник"},
    {.Id = 8, .FixedCode = 113, .Column = 8, .Name = "Датчик заряда аккумулятора"},
    {.Id = 9, .FixedCode = 255, .Column = 9, .Name = "Датчик скорости автомобиля"},
    {.Id = 10, .FixedCode = 255, .Column = 10, .Name = "Датчик оборотов двигателя"},
    {.Id = 11, .FixedCode = 5, .Column = 11, .Name = "Кнопка управления центральным замком"},
    {.Id = 13, .FixedCode = 37, .Column = 12, .Name = "Сигнал включения противоразбойного режима"},
    {.Id = 14, .FixedCode = 53, .Column = 13, .Name = "Блок аналоговых кнопок"},
    {.Id = 15, .FixedCode = 69, .Column = 14, .Name = "Датчик открытия дверей пассажиров"},
    {.Id = 16, .FixedCode = 85, .Column = 15, .Name = "Ключ в замке"},
    {.Id = 17, .FixedCode = 101, .Column = 16, .Name = "Стоп сигнал"},
    {.Id = 18, .FixedCode = 117, .Name = "Доп. датчик"},
    {.Id = 12, .FixedCode = 21, .Column = 17, .Name = "Импульсное управление №1"},
    {.Id = 19, .FixedCode = 9, .Column = 18, .Name = "Импульсное управление №2"},
    {.Id = 6, .FixedCode = 81, .Column = 19, .Name = "Импульсное управление №3"},
};

// clang-format on

}  // namespace

std::span<const TOutRow> OutputRows(TPcbGeneration generation, bool pager) {
  switch (generation) {
    case TPcbGeneration::Third:
      return kThirdOutputs;
    case TPcbGeneration::Second:
      return pager ? std::span<const TOutRow>(kSecondPagerOutputs) : kSecondOutputs;
    case TPcbGeneration::First:
      break;
  }
  return pager ? std::span<const TOutRow>(kFirstPagerOutputs) : kFirstOutputs;
}

std::span<const TInRow> InputRows(TPcbGeneration generation, bool pager) {
  switch (generation) {
    case TPcbGeneration::Third:
      return kThirdInputs;
    case TPcbGeneration::Second:
      return pager ? std::span<const TInRow>(kSecondPagerInputs) : kSecondInputs;
    case TPcbGeneration::First:
      break;
  }
  return pager ? std::span<const TInRow>(kFirstPagerInputs) : kFirstInputs;
}

std::span<const TTaskRow> TaskRows() {
  return kTasks;
}

std::span<const TTaskInRow> TaskInRows() {
  return kTasksIn;
}
