#pragma once

#include <QString>

class QWidget;
class TVDFrame;

// Adds a part the table cannot describe (edits, buttons, notes) at the end of the section
// with this caption, across its whole width; the section's panel becomes its parent. A wrong
// caption is a programming error.
void AddToSection(TVDFrame& frame, const QString& caption, QWidget* part);
