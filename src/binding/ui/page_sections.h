#pragma once

#include <QString>

class QFormLayout;
class QWidget;
class TVDFrame;

// Adds a part the table cannot describe (edits, buttons, notes) at the end of the section
// with this caption, across its whole width; the section's panel becomes its parent. A wrong
// caption is a programming error.
void AddToSection(TVDFrame& frame, const QString& caption, QWidget* part);

// The captions and fields of such a part. Fields keep the width their content needs (a time,
// a PIN, a volume), as in a dialog, instead of stretching across a wide page.
QFormLayout* NewPartForm(QWidget* part);
