#include "pages/can/can_programs.h"

#include "journal/vocabulary.h"
#include "pages/main/start_relays.h"

namespace {

// The command names of the CAN interface follow its 32 status names in the vocabulary.
constexpr int kCommandNamesFrom = 32;
constexpr int kUnselectableFrom = 15;
constexpr int kUnselectableCount = 2;

// The list names the commands the interface has no name for by their number alone.
constexpr const char* kItemTexts[kCanCommandItems] = {
    "--------",
    "1. Запереть все двери",
    "2. Отпереть двери",
    "3. Запереть и заблокировать двери; вкл. штатную систему",
    "4. Отпереть и деблокировать двери; выкл. штатную систему",
    "5. Открыть багажник (снято с охраны)",
    "6. Мигнуть указателями поворота",
    "7. Запустить комфорт",
    "8. Остановить комфорт",
    "9. Отпереть и деблокировать дверь водителя; выкл. штатную систему",
    "10. Запирание автомобиля с включением штатной сигнализации и комфортом",
    "11. Запереть и заблокировать двери",
    "12. Отпереть и деблокировать двери",
    "13. Запирание автомобиля без включения штатной сигнализации с комфортом",
    "14. Отпереть и деблокировать дверь водителя",
    "17. Перезапуск CANa",
    "18. Сымитировать открытие двери водителя",
    "19. ---",
    "20. Запустить / остановить двигатель",
    "21. ---",
    "22. ---",
    "23. ---",
    "24. ---",
    "25. ---",
    "26. ---",
    "27. ---",
    "28. ---",
    "29. ---",
    "30. ---",
    "31. ---",
    "32. Запустить предпусковой отопитель (KESTRA-2XL)",
    "33. Остановить предпусковой отопитель (KESTRA-2XL)",
    "34. Запуск двигателя (CAN-модуль ДЕЛЬТА)",
    "35. Остановка двигателя (CAN-модуль ДЕЛЬТА)",
    "36. Заблокировать KeyLess (ДЕЛЬТА)",
    "37. Разблокировать KeyLess (ДЕЛЬТА)",
    "38. Запустить обучение обходчика штатного иммобилайзера (ДЕЛЬТА)",
    "39. Запустить обходчик штатного иммобилайзера (ДЕЛЬТА)",
    "40. Запустить блокировку двигателя (ДЕЛЬТА)",
    "41. Отменить блокировку двигателя (ДЕЛЬТА)",
};

}  // namespace

uint8_t& TCanPrograms::EventsByte(int i) {
  TCanProgram& program = programs_.at(static_cast<size_t>(i / 4));
  switch (i % 4) {
    case 0:
      return program.OnEvent;
    case 1:
      return program.Delay;
    case 2:
      return program.Pause;
    default:
      return program.Repeats;
  }
}

uint8_t& TCanPrograms::OffEventsByte(int i) {
  return programs_.at(static_cast<size_t>(i / 4)).OffEvents.at(static_cast<size_t>(i % 4));
}

int CanCommandOfItem(int item) {
  return item < kUnselectableFrom ? item : item + kUnselectableCount;
}

std::optional<int> CanCommandItem(uint8_t command) {
  if (command < kUnselectableFrom) return command;
  const int item = command - kUnselectableCount;
  if (item < kUnselectableFrom || item >= kCanCommandItems) return std::nullopt;
  return item;
}

QString CanCommandItemText(int item) {
  return QString::fromUtf8(kItemTexts[item]);
}

QString CanCommandTitle(uint8_t command) {
  return QStringLiteral("%1. %2").arg(command).arg(
      VocabularyText(CanCommandNames, kCommandNamesFrom + command));
}

QString CanProgramTimeText(int position) {
  return QStringLiteral("T1 = ") + DelayText(position, "%4.2f c");
}
