#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>

#include "binding/ui/category_panels.h"

class QVBoxLayout;

// The base of every settings page: it belongs to one module, takes the colour of the
// program's scheme and shows its panels as a list of collapsible sections.
class TVDFrame : public QWidget {
  Q_OBJECT

 public:
  TVDFrame(uint8_t lanAddr, QWidget* parent = nullptr);

  uint8_t LanAddr() const { return lanAddr_; }
  TCategoryPanels* CategoryPanels1() const { return categoryPanels_; }

  // A panel with a caption becomes a section of the list; one without stays an ordinary
  // part of the page, above the list.
  void AddPanel(const QString& caption, QWidget* panel);
  // Every panel of the page stops taking its parent's colour and gets `colour`.
  void SetColour(const QColor& colour);

  // Hooks for the main window and the page itself.
  virtual void Initialize() {}
  virtual void PageShown();
  virtual void PageHidden() {}

 private:
  uint8_t lanAddr_;
  QVBoxLayout* layout_;
  TCategoryPanels* categoryPanels_;
};
