#pragma once

#include <QString>

class IPageHost;
class TPageControls;

// Routes the right click on the page's check boxes, track bars and radio groups to the host's
// help on the page's topic, except on rows marked NoHelp.
void AttachControlHelp(const TPageControls& controls, IPageHost& host, const QString& topic);
