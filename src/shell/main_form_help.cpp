// The main window's help: F1, the help of a control and the help window.

#include <QApplication>

#include "binding/help_anchor.h"
#include "binding/ui/control_help.h"
#include "binding/ui/page_registry.h"
#include "shell/help_topics.h"
#include "shell/main_form.h"

THelpWindow& TMainForm::HelpWindow() {
  if (helpWindow_ == nullptr) helpWindow_ = new THelpWindow(help_.Folder(), this);
  return *helpWindow_;
}

void TMainForm::OpenHelp(const QString& topic, const QString& anchor) {
  const bool known = anchor.isEmpty() || HelpWindow().Index().HasAnchor(topic, anchor);
  if (!help_.Show(topic, known ? anchor : QString())) {
    dialogs_->Inform(QStringLiteral("Справка не найдена!"));
  }
}

QString TMainForm::PageTopic(const QString& pageName) const {
  const TPageInfo* info = pages_.Find(pageName);
  return PageHelpTopic(pageName, info && info->Table ? info->Table->HelpTopic : nullptr);
}

void TMainForm::ShowControlHelp(QWidget* control, const QString& topic) {
  // The setting's own entry where the page has one, else the section it stands in.
  QString anchor = ControlHelpAnchor(control);
  if (anchor.isEmpty() || !HelpWindow().Index().HasAnchor(topic, anchor)) {
    anchor = ControlSectionAnchor(control);
  }
  OpenHelp(topic, anchor);
}

void TMainForm::ShowHelpTopic(const QString& topic) {
  OpenHelp(topic);
}

void TMainForm::ShowHelp() {
  const TWindowHelp* window = WindowHelpFor(QApplication::focusWidget());
  if (window != nullptr && !inherits(window->ClassName)) {
    OpenHelp(QLatin1String(window->Topic), QLatin1String(window->Anchor));
  } else if (TVDFrame* page = CurrentPage()) {
    OpenHelp(PageTopic(page->objectName()));
  } else {
    OpenHelp(QStringLiteral("main_window"));
  }
}

QString TMainForm::HelpSentence(const QString& topic, const QString& anchor) {
  return HelpWindow().Index().Sentence(topic, anchor);
}
