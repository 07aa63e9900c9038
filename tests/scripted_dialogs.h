#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "shell/shell_dialogs.h"

// Answers the window's questions from a script and records what was asked.
class TScriptedDialogs : public IShellDialogs {
 public:
  TUserAnswer AskStep(const QString& text) override {
    asked << text;
    return TUserAnswer::No;
  }
  void ShowError(const QString& text) override { errors << text; }
  bool Confirm(const QString&, const QString& text) override {
    asked << text;
    return confirmAnswer;
  }
  bool ConfirmWarning(const QString& caption, const QString& text) override {
    return Confirm(caption, text);
  }
  TUserAnswer AskYesNoCancel(const QString& text) override {
    asked << text;
    return TUserAnswer::Yes;
  }
  void Inform(const QString& text) override { informed << text; }
  bool Warn(const QString& text, const QString&) override {
    warned << text;
    return false;
  }
  QString OpenFileName(const QString&) override { return fileName; }
  QString SaveFileName(const QString&) override { return fileName; }
  // Offers what the dialog would: every allowed line checked.
  std::optional<std::vector<TSelectDevice::TLine>> SelectAreas(
      const std::vector<TSelectDevice::TLine>& lines, const QString& file) override {
    selectCalls++;
    offeredLines = lines;
    offeredFile = file;
    std::vector<TSelectDevice::TLine> checked;
    for (const auto& line : lines) {
      if (line.Allowed) checked.push_back(line);
    }
    return checked;
  }
  bool Review(QDialog& dialog) override {
    reviewed << dialog.objectName();
    return reviewAnswer;
  }
  QStringList Offered() const {
    QStringList texts;
    for (const auto& line : offeredLines) {
      texts << line.Module + QStringLiteral(" -> ") + line.Area +
                   (line.Allowed ? QString() : QStringLiteral(" (grey)"));
    }
    return texts;
  }

  QString fileName;
  int selectCalls = 0;
  std::vector<TSelectDevice::TLine> offeredLines;
  QString offeredFile;

  bool confirmAnswer = false;
  bool reviewAnswer = true;
  QStringList reviewed;
  QStringList asked;
  QStringList errors;
  QStringList warned;
  QStringList informed;
};
