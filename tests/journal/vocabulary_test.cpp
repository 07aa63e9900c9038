#include "journal/vocabulary.h"

#include <gtest/gtest.h>

#include "journal/event_table.h"
#include "test_support.h"

namespace {

TEST(Vocabulary, SpotChecksAcrossTables) {
  const struct {
    const TVocabulary& table;
    int index;
    const char* text;
  } cases[] = {
      {DiagnosticCodes, 77, "произошел старт процессора"},
      {EventCauseCodes, 97, "произошел старт процессора"},
      {EventCauseCodes, 130, "Температура датчика салона выше 14°С"},
      {EventCauseCodes, 138, "Таймер ДЗ продлён по команде от GSM «Запустить двигатель»"},
      {EventCauseCodes, 25, "тревога при наклоне автомобиля "},
      {InputStateTexts, 0, "Дверь водителя закрыта"},
      {InputStateTexts, 1, "Дверь водителя открыта"},
      {InputStateTexts, 111, "Дверь пассажира (задняя, правая) открыта"},
      {RemoteInputStateTexts, 43, "Вход доп. датчика активен"},
      {CanCommandNames, 32, "Команда не назначена"},
      {CanCommandNames, 51, "---"},
      {CanCommandNames, 1, "Команда \"Запереть все двери\" "},
      {CanSignalNames, 41, "Стартер"},
      {MainModeNames, 10, "Запуск разрешён, код не введён"},
      {AlgorithmNames, 36, "Программа №20"},
      {SensorTexts, 15, "GSM-cеть недоступна"},
      {OutgoingServerMessageNames, 222, "Выключение повторной авторизации меткой заблокировано"},
      {IncomingServerMessageNames, 98, "Удаление аккаунта"},
      {MelodyNames, 180, "\"Исчерпано количество попыток ввода ПИН-кода\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VocabularyText(c.table, c.index), QString::fromUtf8(c.text)) << c.index;
  }
}

TEST(Vocabulary, UnlistedAndOutOfRangeIndexesGiveEmptyText) {
  const struct {
    const TVocabulary& table;
    int index;
  } cases[] = {
      {DiagnosticCodes, 0},        {DiagnosticCodes, 76},        {DiagnosticCodes, 129},
      {EventCauseCodes, 9},        {EventCauseCodes, 175},       {MainModeNames, 11},
      {AlgorithmNames, 37},        {CanCommandNames, 0},         {CanCommandNames, 96},
      {RemoteInputStateTexts, 64}, {RemoteInputStateTexts, 141}, {SensorTexts, 17},
      {SensorTexts, 23},           {InputStateTexts, -1},        {InputStateTexts, 128},
  };
  for (const auto& c : cases) EXPECT_TRUE(VocabularyText(c.table, c.index).isEmpty()) << c.index;
}

TEST(Vocabulary, TablesHaveTheirDocumentedSizes) {
  EXPECT_EQ(MainModeNames.Size, 11);
  EXPECT_EQ(DiagnosticCodes.Size, 129);
  EXPECT_EQ(EventCauseCodes.Size, 175);
  EXPECT_EQ(InputStateTexts.Size, 128);
  EXPECT_EQ(RemoteInputStateTexts.Size, 64);
  EXPECT_EQ(AlgorithmNames.Size, 37);
  EXPECT_EQ(CanCommandNames.Size, 96);
  EXPECT_EQ(CanSignalNames.Size, 128);
  EXPECT_EQ(SensorTexts.Size, 23);
}

TEST(Vocabulary, RuleTablesFallBackAndTakeTheirArgument) {
  const std::vector<std::pair<QString, QString>> cases = {
      {MainEventText(8), QStringLiteral("Введён неверный ПИН")},
      // Beyond its own reports, the main module's event codes name events of the event list;
      // a code that neither knows says so, with its value.
      {MainEventText(0), QStringLiteral("Неизвестное событие 0 [00]")},
      {MainEventText(255), QStringLiteral("Неизвестное событие 255 [FF]")},
      {MainEventText(26), EventName(EventNumberOfCode(26))},
      {MainEventText(200), EventName(1)},
      {GsmStatusText(48, 0), QStringLiteral("Сообщение на сервер: (нет)")},
      {GsmStatusText(48, 80), QStringLiteral("Сообщение на сервер: Баланс счёта")},
      {GsmStatusText(49, 33), QStringLiteral("Сообщение от сервера: Поставить на охрану")},
      {GsmStatusText(49, 200), QStringLiteral("Сообщение от сервера: (нет)")},
      {GsmStatusText(9, 0), QStringLiteral("Микрофон выключен")},
      {GsmStatusText(13, 7), QStringLiteral("Перезапуск модема (7)")},
      {GsmStatusText(13, 0), QStringLiteral("Перезапуск модема")},
      {GsmStatusText(15, 1), QStringLiteral("Доступ к сети запрещён (GPRS)")},
      {GsmStatusText(16, 2), QStringLiteral("Неизвестная причина отказа")},
      {GsmStatusText(47, 3), QStringLiteral("Входящий звонок (телефон №3)")},
      {GsmStatusText(255, 0), QStringLiteral("Команда принята")},
      {GsmStatusText(34, 0), QStringLiteral("IntCmd: 22")},
      {GsmErrorText(36, 4), QStringLiteral("Соединение закрыто (ошибка)")},
      {GsmErrorText(36, 255), QStringLiteral("Соединение закрыто")},
      {GsmErrorText(35, 1), QStringLiteral("Ошибка подключения к серверу")},
      {GsmErrorText(0, 0), QStringLiteral("Error: 0")},
      {AnswerResultText(4), QStringLiteral(" (?)")},
      {GpsCommandName(397), QStringLiteral("Настройка порога скорости")},
      {GpsCommandName(1), QStringLiteral("?")},
      {GpsDeviceText(4), QStringLiteral("?")},
  };
  for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
}

}  // namespace
