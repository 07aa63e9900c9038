#include "shell/shell_dialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "shell/warning_form.h"

namespace {

const QString kFilter = QStringLiteral("Файлы настроек (*.ini);;Все файлы (*)");
const QString kConfirmation = QStringLiteral("Подтверждение");

// A Yes/No question whose caption is also its first line: the warning a caption carries
// ("Изменения настроек будут потеряны.") is read where the question is, not only in a title
// bar that some window managers cut short.
bool AskYesNo(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
              const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
  if (caption != kConfirmation) {
    box.setText(caption);
    box.setInformativeText(text);
  }
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

void TShellDialogs::ShowError(const QString& text) {
  QMessageBox::critical(parent_, QStringLiteral("Ошибка"), text);
}

bool TShellDialogs::Confirm(const QString& caption, const QString& text) {
  return AskYesNo(parent_, QMessageBox::Information, caption, text);
}

bool TShellDialogs::ConfirmWarning(const QString& caption, const QString& text) {
  return AskYesNo(parent_, QMessageBox::Warning, caption, text);
}

TUserAnswer TShellDialogs::AskYesNoCancel(const QString& text) {
  switch (QMessageBox::question(parent_, kConfirmation, text,
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
      return TUserAnswer::Yes;
    case QMessageBox::No:
      return TUserAnswer::No;
    default:
      return TUserAnswer::Cancel;
  }
}

void TShellDialogs::Inform(const QString& text) {
  QMessageBox::information(parent_, QStringLiteral("Информация"), text);
}

bool TShellDialogs::Warn(const QString& text, const QString& note) {
  TWarningForm form(text, note, parent_);
  form.exec();
  // The choice counts however the window was closed.
  return form.DoNotShowAgain();
}

QString TShellDialogs::OpenFileName(const QString& folder) {
  return QFileDialog::getOpenFileName(parent_, QString(), folder, kFilter);
}

QString TShellDialogs::SaveFileName(const QString& folder) {
  QFileDialog dialog(parent_, QString(), folder, kFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("ini"));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::optional<std::vector<TSelectDevice::TLine>> TShellDialogs::SelectAreas(
    const std::vector<TSelectDevice::TLine>& lines, const QString& fileName) {
  TSelectDevice dialog(parent_);
  dialog.SetLines(lines, fileName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.CheckedLines();
}

bool IShellDialogs::Review(QDialog& dialog) {
  return dialog.exec() == QDialog::Accepted;
}
