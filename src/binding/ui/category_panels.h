#pragma once

#include <QColor>
#include <QScrollArea>
#include <QWidget>
#include <vector>

class QVBoxLayout;
class TCategoryPanels;

// One collapsible section of a settings page: a header that toggles the section's panel.
class TPanelCategory : public QWidget {
  Q_OBJECT

 public:
  TPanelCategory(const QString& caption, QWidget* panel, TCategoryPanels& list);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption) {
    caption_ = caption;
    update();
  }
  bool Collapsed() const { return collapsed_; }
  // Collapsing hides the panel; expanding shows it and scrolls the list to it.
  void SetCollapsed(bool collapsed);
  QWidget* Panel() const { return panel_; }
  QColor TextColor() const { return textColor_; }
  void SetTextColor(const QColor& color);
  int HeaderHeight() const;
  // Something in the section differs from what the module holds: the header carries the
  // pending mark at its right end.
  bool Pending() const { return pending_; }
  void SetPending(bool pending);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  QSize sizeHint() const override;

 private:
  QRect HeaderRect() const;

  QString caption_;
  QWidget* panel_;
  TCategoryPanels& list_;
  bool collapsed_ = false;
  bool pending_ = false;
  QColor textColor_;
};

// The vertical list of collapsible sections every settings page shows. A single section
// fills the list; taller content scrolls in steps of one header.
class TCategoryPanels : public QScrollArea {
  Q_OBJECT

 public:
  explicit TCategoryPanels(QWidget* parent = nullptr);

  TPanelCategory* AddCategory(const QString& caption, QWidget* panel);
  // Puts a section after all others: pages that add sections of their own after their table's
  // use it to keep the order a user reads them in.
  void MoveToEnd(TPanelCategory* category);
  const std::vector<TPanelCategory*>& Categories() const { return categories_; }
  void SetCategoryColors(const QColor& color, const QColor& gradient, const QColor& body);
  QColor CategoryColor() const { return categoryColor_; }
  QColor CategoryGradientColor() const { return gradientColor_; }
  // Scrolls so that the whole header of `category` (and as much of its panel as fits) shows.
  void ScrollToCategory(TPanelCategory* category);

 signals:
  // A category collapsed or expanded.
  void CategoryCollapsed(TPanelCategory* category);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TPanelCategory;
  void Relayout();

  QWidget* content_;
  QVBoxLayout* layout_;
  std::vector<TPanelCategory*> categories_;
  QColor categoryColor_{0xB9, 0xD3, 0xFF};
  QColor gradientColor_{0xD0, 0xEB, 0xFD};
  QColor bodyColor_{0xE0, 0xE4, 0xDF};
};
