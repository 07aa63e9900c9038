#pragma once

#include <QDockWidget>
#include <QPointer>
#include <QString>
#include <QToolButton>
#include <functional>
#include <vector>

class QAction;
class QSettings;
class TCategoryPanels;
class TOptionsData;
class TPanelCategory;

// The module panel: the page commands grouped by module, one button per command, the button
// of the page being shown checked.
class TElementsForm : public QDockWidget {
  Q_OBJECT

 public:
  // The main window's action of a page command, by name; nullptr when it has none.
  using TActionLookup = std::function<QAction*(const QString& name)>;
  // Where the categories' collapsed states are kept between runs.
  static constexpr char kSelectorValue[] = "Selector";

  explicit TElementsForm(const TActionLookup& actions, QWidget* parent = nullptr);

  TCategoryPanels* Categories() const { return panels_; }
  // The first button of `command` becomes the checked one, its category opens and the button
  // scrolls into view. A command the panel does not offer leaves no button checked.
  void SelectCommand(const QString& command);
  QToolButton* SelectedButton() const { return selected_; }
  // The page of `command` has settings the next write sends: its button is marked, and so is
  // its module's group while any of its buttons is.
  void SetCommandPending(const QString& command, bool pending);
  // Category colour and gradient from the options, the body in the background colour.
  void Recolor(const TOptionsData& options);
  void SaveState(QSettings& settings) const;
  // A category comes up collapsed unless its stored state says otherwise; with nothing stored
  // the categories stay as they are.
  void LoadState(const QSettings& settings);

 private:
  struct TButton {
    QString Command;
    QToolButton* Button;
    TPanelCategory* Category;
  };

  QToolButton* MakeButton(const QString& command, QAction* action, QWidget* parent);

  TCategoryPanels* panels_;
  std::vector<TButton> buttons_;
  QPointer<QToolButton> selected_;
};
