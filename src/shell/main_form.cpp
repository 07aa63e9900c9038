#include "shell/main_form.h"

#include <QStatusBar>

#include "link/adapter.h"
#include "link/link_keeper.h"
#include "version.h"

TMainForm::TMainForm(TAdapter& adapter, QWidget* parent)
    : QMainWindow(parent), adapter_(adapter) {
  setWindowTitle(QStringLiteral("Vardex"));
  resize(1024, 700);
  auto* welcome = new QLabel(QStringLiteral("Vardex %1").arg(QLatin1String(kVersionText)), this);
  welcome->setAlignment(Qt::AlignCenter);
  setCentralWidget(welcome);

  linkLabel_ = new QLabel(this);
  statusBar()->addWidget(linkLabel_);
  statusBar()->addPermanentWidget(new QLabel(QLatin1String(kVersionText), this));
  connect(&adapter_, &TAdapter::ConnectionChanged, this, &TMainForm::ShowLinkState);
  ShowLinkState(adapter_.IsConnected());

  linkKeeper_ = new TLinkKeeper(adapter_, this);
  linkKeeper_->Start();
}

void TMainForm::ShowLinkState(bool connected) {
  linkLabel_->setText(connected ? QStringLiteral("Адаптер: %1").arg(adapter_.Description())
                                : QStringLiteral("Адаптер не найден"));
}
