#pragma once

#include <QObject>
#include <QString>
#include <set>
#include <vector>

#include "binding/pending_cells.h"
#include "binding/ui/coalesced_call.h"

class IBoundControl;
class QWidget;
class TDeviceMemoryItem;
class TElementsForm;
class TLanDevices;
class TPageArea;
class TPageRegistry;
class TVDFrame;

// Keeps the pending marks up to date: a control whose value the next write would send, the
// section it stands in, its page's button in the module panel and its module's group there.
// An area that the user edited, or whose baseline a read, open or write moved, is looked at
// once on the next turn of the event loop; only its controls and its pages are looked at
// again, so typing into one field never scans every page.
class TPendingMarks : public QObject {
  Q_OBJECT

 public:
  TPendingMarks(TLanDevices& registry, TPageArea& pages, const TPageRegistry& tables,
                TElementsForm* panel, QObject* parent = nullptr);

  // Looks at the areas that changed now instead of on the next turn of the event loop.
  void Update();
  // The page ("MainOptions") has a pending setting.
  bool PagePending(const QString& name) const;
  // The widget that carries a bound control's mark; nullptr for one that shows no setting.
  static QWidget* MarkedWidget(IBoundControl* control);
  // The area changed outside the controls (a revert): its controls show it again and its
  // marks follow.
  void Reload(TDeviceMemoryItem& area);

 signals:
  // The marks were looked at again; what the next write sends may have changed.
  void Changed();

 private:
  struct TPageCells {
    QString Name;
    std::vector<TShownCell> Cells;
    bool Pending = false;
  };

  void MarkPage(TVDFrame& page, const std::set<TDeviceMemoryItem*>* only);
  void SetPagePending(const QString& name, bool pending);

  TLanDevices& registry_;
  TPageArea& pages_;
  TElementsForm* panel_;
  std::vector<TPageCells> tables_;
  std::set<TDeviceMemoryItem*> dirty_;
  TCoalescedCall update_;
};
