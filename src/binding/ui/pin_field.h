#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

class TPinEdit;
class TVDData;

// How one code field shows and names itself.
struct TPinFieldForm {
  // The field as the refusal of an incomplete code names it: "ПИН".
  QString Name;
  // The two digits a stored byte shows.
  QString (*PairText)(uint8_t byte) = nullptr;
  // The factory digits.
  QString Default;
};

// A four-digit code kept in a two-byte data item (see pin_coding.h) and typed into an edit:
// the data item's hooks load, store and reset the code, and what the user types marks the
// area changed. An incomplete code is refused at write time, byte 0 first, so the write
// stores nothing of it and the module keeps the code it has.
class TPinField : public QObject {
  Q_OBJECT

 public:
  TPinField(TVDData& data, TPinEdit& edit, TPinFieldForm form, QObject* parent);

  // Digits that page logic enters (a button), as if the user had typed them.
  void Enter(const QString& digits);

 private:
  void Load(uint8_t byte, int index);
  void Store(uint8_t& byte, int index) const;
  void SetDefault(uint8_t& byte, int index);
  void MarkChanged();

  TVDData& data_;
  TPinEdit& edit_;
  TPinFieldForm form_;
  // The digits each stored byte showed, so that the edit is rebuilt after each byte.
  std::array<QString, 2> pairs_;
};
