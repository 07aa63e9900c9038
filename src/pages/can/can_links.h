#pragma once

#include <QObject>

// What the CAN pages tell each other: the control page's chosen car gives the outputs
// page's arming and disarming choices their hints. The registration shares one between the
// pages it makes.
class TCanLinks : public QObject {
  Q_OBJECT

 signals:
  void ChoiceHint(const QString& hint);
};
