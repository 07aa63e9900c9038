#pragma once

#include <QDialog>
#include <set>
#include <vector>

#include "binding/config_diff.h"

class QPushButton;
class QTreeWidgetItem;
class TDeviceMemoryItem;
class TDiffTree;
class TLanDevices;
class TPendingMarks;
struct TPageTable;

// "Изменения": what the next write sends, setting by setting, as the difference between what
// the modules hold (as last read, opened or written) and what the program holds. A setting or
// a whole page can be put back to what the module holds; a double click shows the setting on
// its page. Before a write it asks whether to go on.
class TChangesForm : public QDialog {
  Q_OBJECT

 public:
  enum class TPurpose { View, BeforeWrite };

  TChangesForm(TLanDevices& registry, std::vector<const TPageTable*> tables,
               TPendingMarks& marks, TPurpose purpose, QWidget* parent = nullptr);

  // The pending changes, modules' settings areas only: side A what the modules hold, side B
  // what the next write sends.
  static TConfigDiff PendingChanges(TLanDevices& registry,
                                    const std::vector<const TPageTable*>& tables);
  // The modules with something pending.
  static std::set<uint8_t> PendingModules(const TConfigDiff& diff);

  TDiffTree* Tree() const { return tree_; }
  // Lists the changes again, as they are now.
  void Refill();
  // Puts back what the module holds: the setting or bytes of `line`, or every line of its page
  // (or area); the page shows it and the marks follow.
  void RevertLine(QTreeWidgetItem* line);
  void RevertPage(QTreeWidgetItem* line);

 signals:
  void ShowSetting(const QString& page, const QString& control);

 private:
  // Reverts one line; returns the area it changed, nullptr for none.
  TDeviceMemoryItem* Revert(QTreeWidgetItem* line);
  void Reload(const std::set<TDeviceMemoryItem*>& areas);
  void FollowSelection();

  TLanDevices& registry_;
  std::vector<const TPageTable*> tables_;
  TPendingMarks& marks_;
  TDiffTree* tree_;
  QPushButton* revertLine_;
  QPushButton* revertPage_;
};
