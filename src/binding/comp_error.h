#pragma once

#include <QString>
#include <exception>
#include <stdexcept>
#include <utility>

#include "memory/bound_cell.h"
#include "memory/lan_dev_error.h"

// A bound control failed to show or store its value. `Cause` keeps the text of the failure
// underneath, which the user-facing message hides.
class EComp : public std::runtime_error {
 public:
  explicit EComp(const QString& message, QString cause = {})
      : std::runtime_error(message.toStdString()), message_(message), cause_(std::move(cause)) {}
  const QString& Message() const { return message_; }
  const QString& Cause() const { return cause_; }

 private:
  QString message_;
  QString cause_;
};

QString InitErrorText(const QString& controlName, const QString& caption);
QString BadDataTypeText(const QString& controlName, TDataType dataType);

[[noreturn]] void ThrowBadDataType(const QString& controlName, TDataType dataType);

// Runs a control's load or store so that whatever fails inside reaches the area's operation
// as one error naming the control. A refused store passes as it is: its text is for the user.
template <class F>
void WrapComp(const QString& controlName, const QString& caption, F&& work) {
  try {
    std::forward<F>(work)();
  } catch (const EStoreRefused&) {
    throw;
  } catch (const std::exception& error) {
    throw EComp(InitErrorText(controlName, caption), QString::fromUtf8(error.what()));
  }
}
