#pragma once

#include <QString>

class QObject;

// The help anchor of a bound check box, track bar or radio group; empty for anything else.
QString ControlHelpAnchor(const QObject* control);
