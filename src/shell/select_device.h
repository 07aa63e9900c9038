#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

// "Выбор элементов": the areas a save or an open works on, one line per area written as
// module name + " -> " + area name.
class TSelectDevice : public QDialog {
  Q_OBJECT

 public:
  struct TLine {
    QString Module;
    QString Area;
    bool Allowed = true;  // a refused line is unchecked and greyed
  };
  static constexpr char kSeparator[] = " -> ";

  explicit TSelectDevice(QWidget* parent = nullptr);

  // Fills the list. `fileName` names the file of an open: with no line the dialog says the
  // file holds no usable data and offers only "Закрыть".
  void SetLines(const std::vector<TLine>& lines, const QString& fileName = {});
  // The checked lines, as they were given.
  std::vector<TLine> CheckedLines() const;

  QString Heading() const;
  bool NoteVisible() const;
  bool OkVisible() const;
  bool OkEnabled() const;
  QString CancelText() const;
  QListWidget* List() const { return list_; }

 private:
  void UpdateOk();
  void FitLines();

  QLabel* heading_;
  QListWidget* list_;
  QLabel* note_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::vector<TLine> lines_;
};
