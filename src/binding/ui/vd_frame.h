#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "binding/ui/category_panels.h"

class IBoundControl;
class TBusRequests;
class TBusWorker;

class QLabel;
class QVBoxLayout;

// The base of every settings page: it belongs to one module, takes the colour of the
// program's scheme and shows its panels as a list of collapsible sections.
class TVDFrame : public QWidget {
  Q_OBJECT

 public:
  TVDFrame(uint8_t lanAddr, QWidget* parent = nullptr);
  ~TVDFrame() override;

  uint8_t LanAddr() const { return lanAddr_; }
  TCategoryPanels* CategoryPanels1() const { return categoryPanels_; }

  // A panel with a caption becomes a section of the list; one without stays an ordinary
  // part of the page, above the list.
  void AddPanel(const QString& caption, QWidget* panel);
  // Every panel of the page stops taking its parent's colour and gets `colour`.
  void SetColour(const QColor& colour);

  // The page's bound controls in page order: what the registry binds, loads and stores.
  // `object` is the control itself; a control the page deletes drops out of the list.
  void AddBoundControl(QObject* object, IBoundControl* control);
  std::vector<IBoundControl*> BoundControls() const;
  // A control of the page by name, for attaching the page's handlers; a wrong name or kind
  // is a programming error.
  template <class T>
  T& Control(const QString& name) const {
    if (auto* control = findChild<T*>(name)) return *control;
    throw std::logic_error("no such control on the page: " + name.toStdString());
  }

  // The page's requests to the modules. The window attaches the bus worker and cancels the
  // requests when it hides the page, so an answer never reaches a page that is not shown.
  void AttachBus(TBusWorker& worker);
  TBusRequests& Requests() const;
  bool HasBus() const { return requests_ != nullptr; }
  // Drops every request not answered yet (the page is being hidden); whoever waits for one
  // learns it from RequestsDropped.
  void DropRequests();

  // A note above the sections saying why the page's settings are greyed; empty hides it.
  void ShowUnavailableNote(const QString& why);
  QString UnavailableNote() const;

  // Hooks for the main window and the page itself.
  virtual void Initialize() {}
  virtual void PageShown();
  virtual void PageHidden() {}

 signals:
  void RequestsDropped();

 private:
  uint8_t lanAddr_;
  QVBoxLayout* layout_;
  QLabel* unavailableNote_;
  TCategoryPanels* categoryPanels_;
  std::vector<std::pair<QPointer<QObject>, IBoundControl*>> boundControls_;
  std::unique_ptr<TBusRequests> requests_;
};
