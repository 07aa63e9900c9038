#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "shell/version_rules.h"

class QLabel;
class QPushButton;

// The version notice: the main module (or the validator) runs firmware this program is not
// built for, and OK hands the user over to the archived program that suits it. It never
// interrupts a transfer, and the program only ends once the other program has started.
class TmInfoForm : public QDialog {
  Q_OBJECT

 public:
  // Starts `program` in `folder` without a shell; true when it started.
  using TStarter = std::function<bool(const QString& program, const QString& folder)>;
  // Ends this program.
  using TCloser = std::function<void()>;

  explicit TmInfoForm(QWidget* parent = nullptr);

  void SetStarter(TStarter starter) { starter_ = std::move(starter); }
  void SetCloser(TCloser closer) { closer_ = std::move(closer); }
  // The folder that holds the "Arh" folder; the program's own folder unless set.
  void SetProgramFolder(const QString& folder) { programFolder_ = folder; }

  // Shows the notice now, or when the running transfer ends. A notice the user has
  // already answered is not shown again.
  void Notify(const TVersionNotice& notice);
  // A transfer started or ended.
  void SetBusy(bool busy);
  bool HasPending() const { return pending_.has_value(); }

  QString Heading() const;
  QString Text() const;
  bool LinkShown() const;
  // What OK does.
  void Confirm();

 public slots:
  void reject() override;

 private:
  void Present(const TVersionNotice& notice);
  // The user answered: the notice stays answered and the window goes.
  void Dismiss();
  void Explain(const QString& text);

  QLabel* heading_;
  QLabel* text_;
  QLabel* link_;
  QPushButton* ok_;
  TStarter starter_;
  TCloser closer_;
  QString programFolder_;
  bool busy_ = false;
  std::optional<TVersionNotice> pending_;
  std::optional<TVersionNotice> shown_;
  std::optional<TVersionNotice> answered_;
  // What OK does now: hand over, end the program, or only close the window.
  enum class TAction { HandOver, Quit, Close } action_ = TAction::Close;
};
