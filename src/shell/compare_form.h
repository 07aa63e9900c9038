#pragma once

#include <QDialog>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
class TLanDevices;
struct TConfigDiff;

// "Сравнение с файлом": the differences between the settings the program holds and a
// configuration file, grouped by module and page. A double click on a setting shows it on its
// page.
class TCompareForm : public QDialog {
  Q_OBJECT

 public:
  // The program's settings are side A of `diff`, the file's side B.
  TCompareForm(const TConfigDiff& diff, const TLanDevices& registry, const QString& fileName,
               QWidget* parent = nullptr);

  QTreeWidget* Tree() const { return tree_; }

 signals:
  // `page` is the page's name (its page command without the leading "a"), `control` the
  // control's name on it.
  void ShowSetting(const QString& page, const QString& control);

 private:
  void Fill(const TConfigDiff& diff, const TLanDevices& registry);
  // The item of a module, made on first use.
  QTreeWidgetItem* ModuleItem(const TLanDevices& registry, uint8_t lanAddr);
  // A group under a module's item, made on first use.
  QTreeWidgetItem* GroupItem(QTreeWidgetItem* module, const QString& caption);
  void Activate(QTreeWidgetItem* item);

  QTreeWidget* tree_;
};
