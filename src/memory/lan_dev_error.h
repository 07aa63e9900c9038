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
