#pragma once

#include <QDockWidget>
#include <vector>

class TLiveStatus;

// The lamps of the indicator, each with its name beside it, in window order and in as many
// columns as the width holds (filled row by row): a lit lamp is bright, an unlit one grey; the
// hint of the lamp under the mouse shows as a tool tip.
class TLampPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TLampPanel(QWidget* parent = nullptr);

  bool Lit(int lamp) const;
  void SetLit(int lamp, bool lit);
  // The lamp at a point of the panel; -1 between lamps.
  int LampAt(const QPoint& point) const;
  // How wide one lamp with its name stands: the panel never gets narrower.
  int CellWidth() const;
  int Columns() const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QRect LampRect(int lamp) const;
  int ColumnsFor(int width) const;

  std::vector<bool> lit_;
  int cellWidth_ = 0;
};

// "Индикатор": a lamp per input, output and state of the main module, lit while the module
// says it is on.
class TIndicatorForm : public QDockWidget {
  Q_OBJECT

 public:
  TIndicatorForm(const TLiveStatus& status, QWidget* parent = nullptr);

  const TLampPanel& Lamps() const { return *lamps_; }

 private:
  TLampPanel* lamps_ = nullptr;
};
