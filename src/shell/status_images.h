#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QToolBar;
class TLiveStatus;
struct TStatusPicture;

// One drawn image of the toolbar's live status.
class TStatusImage : public QWidget {
  Q_OBJECT

 public:
  using TDraw = std::function<void(QPainter& painter, const QRect& area)>;
  TStatusImage(const QString& name, int width, TDraw draw, QWidget* parent = nullptr);

  QSize sizeHint() const override { return size(); }

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TDraw draw_;
};

// The live status images on the main window's toolbar, drawn from the live picture in the
// window's background colour; they scale with the screen, so they stay sharp on any.
class TStatusImages : public QObject {
  Q_OBJECT

 public:
  TStatusImages(const TLiveStatus& status, QToolBar& bar);

  void SetBackground(const QColor& colour);
  TStatusImage* Image(const QString& name) const;
  // Redraws every image.
  void Refresh();

 private:
  void Add(QToolBar& bar, const QString& name, int width, const QString& hint,
           TStatusImage::TDraw draw);

  const TLiveStatus& status_;
  QColor background_;
  std::vector<TStatusImage*> images_;
};
