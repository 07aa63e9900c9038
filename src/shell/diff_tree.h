#pragma once

#include <QString>
#include <QTreeWidget>

class TLanDevices;
struct TConfigDiff;
struct TSettingChange;

// A setting line as its page shows it: check boxes as marks, a radio group's or track bar's
// own text instead of its number, and a heading where the control has no caption of its own.
struct TDiffRowText {
  QString Caption;
  QString Section;
  QString Old;
  QString New;
};
TDiffRowText PresentSetting(const TSettingChange& change);

// The differences of a comparison grouped by module and page (or memory area): the compare
// window and "Изменения" show them alike. Columns fit their content up to a share of the
// width and elide the rest; every cell shows its whole text as a tooltip.
class TDiffTree : public QTreeWidget {
  Q_OBJECT

 public:
  static constexpr int kPageRole = Qt::UserRole;
  static constexpr int kControlRole = Qt::UserRole + 1;
  static constexpr int kModuleRole = Qt::UserRole + 2;
  // Bytes no setting shows: their area and first offset and count.
  static constexpr int kAreaRole = Qt::UserRole + 3;
  static constexpr int kOffsetRole = Qt::UserRole + 4;
  static constexpr int kCountRole = Qt::UserRole + 5;
  enum TColumn { kCaption, kSection, kSideA, kSideB, kColumnCount };

  // `sideA` and `sideB` head the value columns.
  TDiffTree(const QString& sideA, const QString& sideB, QWidget* parent = nullptr);

  void Fill(const TConfigDiff& diff, const TLanDevices& registry);
  // The number of setting and byte lines.
  int LineCount() const { return lines_; }

 signals:
  // A double click on a setting: `page` is the page's name, `control` the control's on it.
  void ShowSetting(const QString& page, const QString& control);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QTreeWidgetItem* ModuleItem(const TLanDevices& registry, uint8_t lanAddr);
  QTreeWidgetItem* GroupItem(QTreeWidgetItem* module, const QString& caption);
  QTreeWidgetItem* AddLine(QTreeWidgetItem* group, const QStringList& texts);
  void FitColumns();

  int lines_ = 0;
};
