#pragma once

#include <QGroupBox>
#include <cstdint>
#include <span>

class QButtonGroup;
class TVDData;

// A one-byte setting shown as a group of radio buttons, each standing for a byte value. A
// byte no button stands for leaves every button clear and stays stored as it is until the
// user picks one.
class TDataChoice : public QGroupBox {
  Q_OBJECT

 public:
  struct TItem {
    const char* Text;
    uint8_t Value;
  };

  TDataChoice(const QString& caption, std::span<const TItem> items, TVDData& cell,
              QWidget* parent = nullptr);

  // The chosen button, -1 for none.
  int Chosen() const;

 private:
  void Show(uint8_t value);

  std::span<const TItem> items_;
  QButtonGroup* buttons_;
};
