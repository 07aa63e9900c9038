#pragma once

#include <QString>
#include <array>
#include <stdexcept>

// Numbered link problems; the journal shows them by number and text.
enum TAdapterError : int {
  kErrNoAnswer = 0,
  kErrTransmit = 1,
  kErrAdapterNotFound = 2,
  kErrNoise = 3,
  kErrInternal1 = 4,
  kErrInternal2 = 5,
  kErrBadFormat = 6,
  kErrInternal4 = 7,
  kErrTooLong = 8,
  kErrAccessDenied = 9,
  kErrAdapterFound = 10,
  kErrNetworkDown = 11,
  kErrNetworkFound = 12,
};

inline constexpr int kAdapterErrorCount = 13;
extern const std::array<const char*, kAdapterErrorCount> AdapterErrors;

// Errors of the line itself (noise, garbled or unsendable frames), not of a module or adapter.
constexpr bool IsLineError(int number) {
  return number == kErrTransmit || number == kErrNoise || number == kErrBadFormat ||
         number == kErrTooLong;
}

// The text of an error number (with "%s" where the error names a module); empty outside the
// table.
QString AdapterErrorText(int number);
// The text with its "%s" filled in.
QString AdapterErrorText(int number, const QString& name);

// Raised by GetAnswer instead of journalling error 0 while the caller asked for it.
class EAdapter : public std::runtime_error {
 public:
  EAdapter(const QString& message, int code = 0)
      : std::runtime_error(message.toStdString()), message_(message), code_(code) {}
  const QString& Message() const { return message_; }
  int Code() const { return code_; }

 private:
  QString message_;
  int code_;
};
