#pragma once

#include <QString>

class TVirtualAdapter;

// One line of the scenario a user drives the virtual vehicle with ("arm", "alarm 12",
// "ignition on"...); what went wrong, or an empty text when the line was carried out.
QString RunScenarioLine(TVirtualAdapter& vehicle, const QString& line);

// The lines the scenario knows, for the help text.
QString ScenarioHelp();
