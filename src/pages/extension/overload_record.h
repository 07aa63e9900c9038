#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class TVDData;

// The overload record of a module's two outputs (two bits of one byte) with the button that
// clears it. Clearing takes effect at the next write, as every edit does, so that the record
// is not lost when the user never writes.
class TOverloadRecord : public QWidget {
  Q_OBJECT

 public:
  struct TOutputs {
    int FirstBit = 0;
    int First = 0;
    int Second = 0;
  };
  TOverloadRecord(TVDData& item, TOutputs outputs, QWidget* parent = nullptr);

  QString Text() const;

 private:
  void Show();

  TVDData& item_;
  TOutputs outputs_;
  uint8_t record_ = 0;
  bool reset_ = false;
  QLabel* text_;
};
