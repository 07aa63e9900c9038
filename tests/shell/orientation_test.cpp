// The parts that tell a user where things stand: the link field of the status bar, the port
// chooser, the fault messages and the fitting of the window to its screen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "memory/lan_devices.h"
#include "memory/transfer_fault.h"
#include "shell/fault_text.h"
#include "shell/func_form.h"
#include "shell/link_status_field.h"
#include "shell/port_chooser.h"
#include "shell/window_geometry.h"

namespace {

TEST(LinkStatusField, SaysThePortAndHowFarTheLinkReaches) {
  struct TCase {
    TLinkState State;
    int Modules;
    const char* Expected;
  };
  const TCase cases[] = {
      {TLinkState::NoAdapter, 0, "Порт: /dev/ttyUSB0 — нет адаптера"},
      {TLinkState::AdapterFound, 0, "Порт: /dev/ttyUSB0 — адаптер найден"},
      {TLinkState::Connected, 1, "Порт: /dev/ttyUSB0 — связь есть, 1 модуль"},
      {TLinkState::Connected, 3, "Порт: /dev/ttyUSB0 — связь есть, 3 модуля"},
      {TLinkState::Connected, 5, "Порт: /dev/ttyUSB0 — связь есть, 5 модулей"},
      {TLinkState::Connected, 11, "Порт: /dev/ttyUSB0 — связь есть, 11 модулей"},
      {TLinkState::Connected, 12, "Порт: /dev/ttyUSB0 — связь есть, 12 модулей"},
      {TLinkState::Connected, 21, "Порт: /dev/ttyUSB0 — связь есть, 21 модуль"},
      {TLinkState::Connected, 22, "Порт: /dev/ttyUSB0 — связь есть, 22 модуля"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(TLinkStatusField::Text(QStringLiteral("/dev/ttyUSB0"), c.State, c.Modules),
              QString::fromUtf8(c.Expected));
  }
}

TEST(TransferFault, TheCauseComesFromWhatTheLinkSaw) {
  struct TCase {
    bool AdapterGone;
    bool LineErrors;
    bool AnsweredBefore;
    TFaultCause Expected;
  };
  const TCase cases[] = {
      {true, true, true, TFaultCause::AdapterMissing},
      {true, false, false, TFaultCause::AdapterMissing},
      {false, false, false, TFaultCause::NoAnswer},
      {false, true, false, TFaultCause::LineErrors},
      // Answers lost on the way look like silence for a packet; the module spoke before.
      {false, false, true, TFaultCause::LineErrors},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ClassifyFault(c.AdapterGone, c.LineErrors, c.AnsweredBefore), c.Expected)
        << c.AdapterGone << c.LineErrors << c.AnsweredBefore;
  }
}

TEST(FaultText, AnOperationMessageNamesEachAreaItsCauseAndWhatToDoOnce) {
  TLanDevices registry;
  const TDeviceMemoryItem* settings = registry.FindMem(2, mlExt);
  const TDeviceMemoryItem* gsm = registry.FindMem(3, mlInt);
  const TDeviceMemoryItem* flash = registry.FindMem(2, mlFlash);
  ASSERT_TRUE(settings && gsm && flash);
  const QString text = OperationFaultText(QStringLiteral("Чтение не завершено."),
                                          {{settings, TFaultCause::AdapterMissing},
                                           {flash, TFaultCause::AdapterMissing},
                                           {gsm, TFaultCause::LineErrors}});
  EXPECT_TRUE(text.startsWith(QStringLiteral("Чтение не завершено.\n\n")));
  EXPECT_TRUE(text.contains(AreaTitle(*settings) + QStringLiteral(": адаптер не найден.")));
  EXPECT_TRUE(text.contains(AreaTitle(*gsm) + QStringLiteral(": ошибки на линии.")));
  EXPECT_EQ(text.count(FaultAdvice(TFaultCause::AdapterMissing)), 1) << text.toStdString();
  EXPECT_EQ(text.count(FaultAdvice(TFaultCause::LineErrors)), 1);
  EXPECT_FALSE(text.contains(FaultAdvice(TFaultCause::NoAnswer)));
}

TEST(WindowGeometry, AWindowIsMadeToFitTheFreeAreaOfItsScreen) {
  const QRect screen(0, 0, 1280, 690);  // 1280x720 less a panel
  struct TCase {
    QRect Wanted;
    QRect Expected;
  };
  const TCase cases[] = {
      {{100, 50, 800, 600}, {100, 50, 800, 600}},      // fits: untouched
      {{0, 0, 1100, 760}, {0, 0, 1100, 690}},          // the first size on a small screen
      {{300, 200, 1100, 600}, {180, 90, 1100, 600}},   // sticks out right and below
      {{-500, -40, 400, 300}, {0, 0, 400, 300}},       // left of and above the screen
      {{0, 0, 1650, 1140}, {0, 0, 1280, 690}},         // saved at a larger scale
      {{2000, 900, 200, 100}, {1080, 590, 200, 100}},  // on a screen that is gone
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ClampToArea(c.Wanted, screen), c.Expected) << c.Wanted.x() << "," << c.Wanted.y();
  }
  const QRect second(1280, 0, 1920, 1050);
  EXPECT_EQ(ClampToArea({1200, 10, 600, 400}, second), QRect(1280, 10, 600, 400))
      << "a second screen's area counts from its own corner";
}

TEST(PortChooser, TheChoiceIsTheListedPortOrTheTypedOne) {
  const std::vector<TPortChoice> choices = {
      {QStringLiteral("Vardex USB adapter"), QStringLiteral("USB-адаптер «Vardex USB adapter»")},
      {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0")},
      {QStringLiteral("sim"), QStringLiteral("виртуальный автомобиль")}};
  TPortChooser chooser(choices, QStringLiteral("sim"));
  auto* list = chooser.findChild<QListWidget*>(QStringLiteral("lbPorts"));
  auto* typed = chooser.findChild<QLineEdit*>(QStringLiteral("edPort"));
  ASSERT_TRUE(list && typed);
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(chooser.Chosen(), QStringLiteral("sim")) << "the port in use is selected";
  list->setCurrentRow(1);
  EXPECT_EQ(chooser.Chosen(), QStringLiteral("/dev/ttyUSB0"));
  QTest::keyClicks(typed, QStringLiteral("/dev/pts/7"));
  EXPECT_EQ(chooser.Chosen(), QStringLiteral("/dev/pts/7")) << "what is typed wins";
  EXPECT_EQ(list->currentItem(), nullptr);

  TPortChooser unlisted(choices, QStringLiteral("/dev/pts/3"));
  EXPECT_EQ(unlisted.Chosen(), QStringLiteral("/dev/pts/3"))
      << "a port in use that no search finds stays chosen";
}

TEST(FuncForm, ShowsThePortInUseAndKeepsTheSavedOneUnlessChanged) {
  TOptionsData options;
  options.PortName = QStringLiteral("Vardex USB adapter");
  TFuncForm form;
  form.Fill(options, QStringLiteral("sim"));
  auto* port = form.findChild<QComboBox*>(QStringLiteral("cbPort"));
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->currentText(), QStringLiteral("sim")) << "the port really in use";
  TOptionsData result = options;
  form.Apply(result);
  EXPECT_EQ(result.PortName, QStringLiteral("Vardex USB adapter"))
      << "a port given for one run is not saved by pressing OK";
  EXPECT_TRUE(form.ChangedPort().isEmpty());
  port->setEditText(QStringLiteral("/dev/ttyUSB1"));
  EXPECT_EQ(form.ChangedPort(), QStringLiteral("/dev/ttyUSB1"));
}

}  // namespace
