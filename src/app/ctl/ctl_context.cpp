#include "app/ctl/ctl_context.h"

#include <QFile>

TCtlContext::TCtlContext(QTextStream& out, QTextStream& err, QString portDescription)
    : out_(out), err_(err), portDescription_(std::move(portDescription)) {}

TCtlContext::~TCtlContext() = default;

TAdapter* TCtlContext::Adapter() {
  if (adapter_) return adapter_.get();
  adapter_ = std::make_unique<TAdapter>(ports_.Factory());
  adapter_->SetDescription(portDescription_);
  if (!adapter_->IsConnected()) {
    err_ << "vardexctl: cannot open the adapter '" << portDescription_ << "'\n";
    err_.flush();
    adapter_.reset();
  }
  return adapter_.get();
}

QString TCtlContext::ReadStdin() {
  QFile in;
  if (!in.open(stdin, QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(in.readAll());
}

std::optional<unsigned> ParseCtlNumber(const QString& text) {
  bool ok = false;
  unsigned value = 0;
  if (text.startsWith(u"0x") || text.startsWith(u"0X")) {
    value = text.mid(2).toUInt(&ok, 16);
  } else {
    value = text.toUInt(&ok, 10);
  }
  if (!ok) return std::nullopt;
  return value;
}
