#pragma once

#include <QLabel>

// Where an attached label stands relative to its control.
enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };

// A label owned by a bound control (its setting's name or its value as text). The control
// decides where it stands; it follows the control's visibility and enabled state. It keeps the
// width of its bold look, so that turning bold moves nothing beside it.
class TVDBoundLabel : public QLabel {
  Q_OBJECT

 public:
  // Starts with the owner's name as its text until the page gives it its caption.
  TVDBoundLabel(const QString& role, const QString& ownerName, QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};
