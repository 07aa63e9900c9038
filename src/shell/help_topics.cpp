#include "shell/help_topics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// clang-format off
constexpr TWindowHelp kWindowHelp[] = {
    {"TLogForm", "journal", ""},
    {"TEventsForm", "event_list", ""},
    {"TCompareForm", "compare", ""},
    {"TIndicatorForm", "indicator", ""},
    {"TSettingSearch", "setting_search", ""},
    {"TElementsForm", "main_window", "modules"},
    {"TProgOuts", "program_editor", ""},
    {"TProgCan", "can_program_editor", ""},
    {"TMainGraph", "procedures", "revs"},
    {"TRelayDelayWindow", "main_outputs", ""},
    {"TLearnWait", "procedures", "slave"},
    {"TFuncForm", "program_settings", ""},
    {"TmInfoForm", "version_info", ""},
    {"TSelectDevice", "main_window", "files"},
    {"THelpWindow", "index", ""},
    {"TMainForm", "main_window", ""},
};
// clang-format on

}  // namespace

std::span<const TWindowHelp> WindowHelpTopics() {
  return kWindowHelp;
}

const TWindowHelp* WindowHelpFor(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    for (const TWindowHelp& help : kWindowHelp) {
      if (w->inherits(help.ClassName)) return &help;
    }
  }
  return nullptr;
}

THelpKey::THelpKey(const QWidget& mainWindow, TOpen open, QObject* parent)
    : QObject(parent), mainWindow_(mainWindow), open_(std::move(open)) {}

bool THelpKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
      !watched->isWidgetType()) {
    return false;
  }
  const auto* widget = static_cast<const QWidget*>(watched);
  // The main window answers F1 with its help command, which knows the page shown.
  if (widget->window() == &mainWindow_) return false;
  const TWindowHelp* help = WindowHelpFor(widget);
  if (help == nullptr) return false;
  open_(QLatin1String(help->Topic), QLatin1String(help->Anchor));
  return true;
}
