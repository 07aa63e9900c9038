#pragma once

#include <QPushButton>
#include <QString>

// A page's push button, named so that tests and help find it.
inline QPushButton* NamedButton(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}
