#pragma once

#include <QWidget>
#include <array>

class QButtonGroup;
class QCheckBox;

// The algorithms of the three impulse inputs, and for inputs 2 and 3 whether they also take
// the beach-mode PIN. The two PIN boxes exclude each other, and a PIN box and an algorithm
// that does not go with the beach mode exclude each other unless Shift keeps both. Showing
// loaded values runs none of these rules.
class TImpulseInputs : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kInputs = 3;

  explicit TImpulseInputs(QWidget* parent = nullptr);

  // Input 0 to 2; item -1 for none. Input 0 has no PIN box. An item that has no button is
  // shown as none and kept.
  int Item(int input) const;
  bool BeachPin(int input) const;
  void Show(int input, int item, bool beachPin);

  // What the user does, with the rules.
  void ChooseItem(int input, int item, bool shift);
  void SetBeachPin(int input, bool checked, bool shift);

 signals:
  void Edited();

 private:
  bool GoesWithBeachPin(int input, int item) const;
  void ShowBeachPin(int input, bool checked);

  std::array<QButtonGroup*, kInputs> groups_{};
  // The item as loaded or chosen; an item without a button of its own is kept as it is.
  std::array<int, kInputs> items_{};
  std::array<QCheckBox*, kInputs> beachPins_{};
};
