#pragma once

#include <QWidget>
#include <cstdint>

class QComboBox;
class QToolButton;

// A field that holds one event as the module stores it (its code, 0 for none): a drop-down
// list of the events and a button that opens the event list. A code the list does not know
// is kept as it is and shown as "Событие N", so that storing the field writes it back.
class TEventField : public QWidget {
  Q_OBJECT

 public:
  explicit TEventField(QWidget* parent = nullptr);

  uint8_t Code() const;
  // Shows a stored code without counting as the user's choice.
  void SetCode(uint8_t code);
  // The user's choice by event number (0 for none), from the list or the event list window.
  void ChooseNumber(int number);
  QComboBox& List() const { return *list_; }
  QToolButton& PickerButton() const { return *picker_; }

 signals:
  void Chosen();
  void PickerRequested();

 private:
  void DropUnknown();

  QComboBox* list_ = nullptr;
  QToolButton* picker_ = nullptr;
  int unknownIndex_ = -1;
};
