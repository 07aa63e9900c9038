#include "shell/about_form.h"

#include <QLabel>
#include <QVBoxLayout>

#include "version.h"

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
  setObjectName(QStringLiteral("AboutForm"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("<h2>Vardex</h2>"), this);
  auto* purpose = new QLabel(QStringLiteral("Программа настройки охранных систем"), this);
  auto* version = new QLabel(QStringLiteral("%1.%2.%3.%4")
                                 .arg(kVersionMajor)
                                 .arg(kVersionMinor)
                                 .arg(kVersionRelease)
                                 .arg(kVersionBuild),
                             this);
  version->setObjectName(QStringLiteral("lbVersion"));
  for (QLabel* label : {title, purpose, version}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  setMinimumSize(320, 160);
}

void TAboutForm::mousePressEvent(QMouseEvent*) {
  accept();
}
