#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "pages/main/input_commands.h"

class TVDGrid;

// The steering-wheel buttons: which buttons make up each of the eight combinations, what each
// combination and each press count runs, what is learned, and the buttons held right now.
// Clicks edit the bytes; learning is asked of the page, which talks to the module.
class TButtonCommands : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kButtons = 8;
  static constexpr int kCombinations = 8;
  // Columns of the buttons grid.
  static constexpr int kCommandColumn = 9;
  static constexpr int kTagColumn = 10;
  static constexpr int kLearnedColumn = 11;
  static constexpr int kLearnColumn = 12;
  // Rows below the combinations on third-generation boards.
  static constexpr int kLearnedRow = 9;
  static constexpr int kLearnRow = 10;

  explicit TButtonCommands(QWidget* parent = nullptr);

  std::array<uint8_t, kCombinations> Masks{};
  std::array<uint8_t, kCombinations> Commands{};
  std::array<uint8_t, kCombinations> LearnedCombinations{};
  uint8_t LearnedButtons = 0;
  uint8_t Pressed = 0;
  // By byte: byte 0 holds 16 presses.
  std::array<uint8_t, kPressCounts> PressCommands{};

  TVDGrid& ButtonsGrid() const { return *buttons_; }
  TVDGrid& PressGrid() const { return *presses_; }
  void SetButtonRows(bool learnRows);
  void Redraw();

  void ClickButtonCell(int row, int column);
  void ClickPressCell(int row, int column);
  void ChooseCombinationCommand(int combination, int index);
  // index -1: no command.
  void ChoosePressCommand(int presses, int index);

 signals:
  void MasksEdited();
  void CommandsEdited();
  void LearnedEdited();
  void PressCommandsEdited();
  // Learning a combination or a button (k from 0).
  void LearnRequested(bool combination, int k);

 private:
  // -1: the menu was closed; -2: "no command" was chosen.
  int ChooseFromMenu(TVDGrid& grid, int row, int column, uint8_t current, bool offerNone);
  uint8_t& PressByte(int presses);

  TVDGrid* buttons_ = nullptr;
  TVDGrid* presses_ = nullptr;
};
