#pragma once

#include <QDialog>
#include <QString>

class QTreeWidget;
class TDiffTree;
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

  QTreeWidget* Tree() const;

 signals:
  // `page` is the page's name (its page command without the leading "a"), `control` the
  // control's name on it.
  void ShowSetting(const QString& page, const QString& control);

 private:
  TDiffTree* tree_;
};
