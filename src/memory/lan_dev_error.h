#pragma once

#include <QString>
#include <stdexcept>

// A failure of the module memory layer that the user has to see (a refused store, a write
// the module did not confirm as asked).
class ELanDev : public std::runtime_error {
 public:
  explicit ELanDev(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

// A control refuses to store what it holds until the user changes it (a PIN with fewer than
// four digits). Nothing of it is stored; the text says what to change, and the question about
// the failed area shows it.
class EStoreRefused : public std::runtime_error {
 public:
  explicit EStoreRefused(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};
