#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "memory/transfer_fault.h"
#include "memory/user_questions.h"

class TDeviceMemoryItem;

// The questions of a transfer go to the user as they come; its error notes are kept, since a
// poor line would otherwise raise one box per packet and cause. The command shows one message
// with the causes when it ends.
class TTransferQuestions : public IUserQuestions {
 public:
  explicit TTransferQuestions(IUserQuestions& target) : target_(target) {}

  // A new operation: nothing asked, nothing kept.
  void Begin();
  // The user was asked about a failed area during the operation; an abandoning answer needs
  // no second message.
  bool Asked() const { return asked_; }
  const QStringList& Notes() const { return notes_; }

  TUserAnswer AskStep(const QString& text) override;
  void ShowError(const QString& text) override { notes_ << text; }

 private:
  IUserQuestions& target_;
  bool asked_ = false;
  QStringList notes_;
};

// One area that an operation left undone, and why.
struct TAreaFault {
  const TDeviceMemoryItem* Area = nullptr;
  TFaultCause Cause = TFaultCause::None;
};

// "Главный модуль — Память настроек": how messages name an area.
QString AreaTitle(const TDeviceMemoryItem& area);
// What to do about each of the causes, once each, one per line.
QString AdviceFor(const std::vector<TFaultCause>& causes);
// The message of an operation that left areas undone: its heading ("Чтение не завершено."),
// each area with its cause, then what to do.
QString OperationFaultText(const QString& heading, const std::vector<TAreaFault>& faults);
