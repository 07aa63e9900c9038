#pragma once

#include <QString>
#include <QWidget>
#include <span>

class QComboBox;
class TVDData;

// A one-byte data item shown as a drop-down list whose item index is the byte. A byte
// without an item selects nothing and is stored back as it was; a selection the user clears
// stores 255, so a byte the list does not know never passes for one of its items.
class TDataCombo : public QWidget {
  Q_OBJECT

 public:
  static constexpr uint8_t kNoItem = 255;

  TDataCombo(TVDData& item, const QString& caption, std::span<const char* const> items,
             QWidget* parent = nullptr);

  QComboBox& List() const { return *list_; }

 private:
  QComboBox* list_;
  bool keepsUnknown_ = false;
};
