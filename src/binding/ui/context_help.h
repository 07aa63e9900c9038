#pragma once

#include <QString>

class IPageHost;
class TPageControls;

// Gives the page's check boxes, track bars and radio groups a context menu with "Справка",
// which asks the host for the help of the control on the page's topic, except on rows marked
// NoHelp. Each control learns the anchor of the section it stands in, where the help goes
// when it has no entry of the control's own.
inline constexpr char kControlHelpAction[] = "miControlHelp";
void AttachControlHelp(const TPageControls& controls, IPageHost& host, const QString& topic);
