#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QListWidget;
class QLineEdit;

// A port the user may choose: the adapter description the program opens it by, and how it
// reads in a list.
struct TPortChoice {
  QString Description;
  QString Title;
};

// What ports there are now and how each reads; the program knows its kinds of port.
class IPortCatalogue {
 public:
  virtual ~IPortCatalogue() = default;
  virtual std::vector<TPortChoice> Choices() = 0;
  virtual QString Title(const QString& description) const = 0;
};

// "Выбор порта": the ports found now, the one in use selected; another description may be
// typed in.
class TPortChooser : public QDialog {
  Q_OBJECT

 public:
  TPortChooser(const std::vector<TPortChoice>& choices, const QString& current,
               QWidget* parent = nullptr);

  // The description to open; empty when nothing is chosen or typed.
  QString Chosen() const;

 private:
  QListWidget* list_;
  QLineEdit* typed_;
};
