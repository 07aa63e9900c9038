#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "memory/user_questions.h"
#include "shell/select_device.h"

class QDialog;
class QWidget;

// Every question and message the main window puts to the user, in one place, so that the
// workflow can be driven without a person at the keyboard (the tests do).
class IShellDialogs : public IUserQuestions {
 public:
  // A Yes/No question with No as the default; true for Yes.
  virtual bool Confirm(const QString& caption, const QString& text) = 0;
  // The same with a warning sign, for a choice with consequences.
  virtual bool ConfirmWarning(const QString& caption, const QString& text) = 0;
  // A Yes/No/Cancel confirmation.
  virtual TUserAnswer AskYesNoCancel(const QString& text) = 0;
  virtual void Inform(const QString& text) = 0;
  // A warning with the choice not to show it again; true when the user chose that.
  virtual bool Warn(const QString& text, const QString& note) = 0;
  // The configuration file to open or to save to; empty when the user cancelled.
  virtual QString OpenFileName(const QString& folder) = 0;
  virtual QString SaveFileName(const QString& folder) = 0;
  // The module selection; nullopt when cancelled.
  virtual std::optional<std::vector<TSelectDevice::TLine>> SelectAreas(
      const std::vector<TSelectDevice::TLine>& lines, const QString& fileName) = 0;
  // Shows a dialog that asks whether to go on (the changes before a write); true to go on.
  virtual bool Review(QDialog& dialog);
};

// The real dialogs.
class TShellDialogs : public IShellDialogs {
 public:
  explicit TShellDialogs(QWidget* parent) : parent_(parent) {}

  TUserAnswer AskStep(const QString& text) override { return AskYesNoCancel(text); }
  void ShowError(const QString& text) override;
  bool Confirm(const QString& caption, const QString& text) override;
  bool ConfirmWarning(const QString& caption, const QString& text) override;
  TUserAnswer AskYesNoCancel(const QString& text) override;
  void Inform(const QString& text) override;
  bool Warn(const QString& text, const QString& note) override;
  QString OpenFileName(const QString& folder) override;
  QString SaveFileName(const QString& folder) override;
  std::optional<std::vector<TSelectDevice::TLine>> SelectAreas(
      const std::vector<TSelectDevice::TLine>& lines, const QString& fileName) override;

 private:
  QWidget* parent_;
};
