#pragma once

#include <QString>

class QObject;
class QWidget;

// The help anchor of a bound check box, track bar or radio group; empty for anything else.
QString ControlHelpAnchor(const QObject* control);

// The anchor of the help section a control stands in; empty when it stands in none.
QString ControlSectionAnchor(const QObject* control);
void SetControlSectionAnchor(QWidget& control, const QString& anchor);
