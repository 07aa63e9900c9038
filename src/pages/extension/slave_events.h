#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

#include "pages/extension/slave_records.h"

// The slave module's inputs and events as its three pages share them: the bytes the events
// page loads and stores, the live input levels and version, and the recordings the graphs
// page loads from the data flash. Inputs are numbered 1 to 6, events 1 to 8.
class TSlaveEvents : public QObject {
  Q_OBJECT

 public:
  static constexpr int kInputs = 6;
  static constexpr int kEvents = kSlaveEvents;
  static constexpr int kTimeColumns = 15;
  static constexpr int kSamples = 8;
  // The command byte of an event that carries none.
  static constexpr uint8_t kNoCommand = 0xFF;

  std::array<uint8_t, 1> UpDown{};
  std::array<uint8_t, 1> Learned{};
  std::array<uint8_t, 8> Masks{};
  std::array<uint8_t, 8> Commands{};
  std::array<uint8_t, 1> Sources{};
  std::array<uint8_t, 8> SequenceLengths{};
  std::array<std::array<uint8_t, kSlaveRecordBytes>, kSlaveEvents> Recordings{};
  std::array<std::array<uint8_t, kSlaveSequenceBytes>, kSlaveEvents> Sequences{};
  std::array<uint8_t, 2> Version{};
  uint8_t Inputs = 0;
  // The event whose diagram the graphs page opens on next; −1 for all.
  int Focus = -1;

  static bool PolarityFixed(int input) { return input == 1 || input == 6; }
  int Polarity(int input) const;
  bool Active(int input, uint8_t levels) const;
  bool LiveActive(int input) const { return Active(input, Inputs); }
  // From firmware word 0x0510 on an event may be taught as an order of inputs ("ручной
  // ввод") instead of their timing; the events page offers the choice also while no
  // version has arrived.
  bool HasSourceFeature(bool unknownCounts) const;
  bool SequenceSource(int event, bool unknownCounts) const;
  bool Counts(int event, int input) const;
  bool HasCommand(int event) const { return Command(event) != kNoCommand; }
  uint8_t Command(int event) const { return Commands.at(static_cast<std::size_t>(event - 1)); }
  bool Enabled(int event) const { return (Learned[0] >> (event - 1) & 1) != 0; }

  void TogglePolarity(int input);
  void ToggleMask(int event, int input);
  void ToggleSource(int event);
  void ToggleEnabled(int event);
  void SetCommand(int event, uint8_t code);

  // The eight sample pictures of one cell of an event's diagram: 0 inactive, 1 active and
  // counted, 2 active but not counted (or beyond the taught steps), 3 an active step of a
  // taught order.
  std::array<int, kSamples> Pictures(int event, int input, int column) const;

  static const std::array<uint8_t, 1> kFactoryUpDown;
  static const std::array<uint8_t, 8> kFactoryMasks;
  static const std::array<uint8_t, 8> kFactoryCommands;

  // Tells every page that shows the events to draw them again.
  void Changed() { emit Redraw(); }

 signals:
  void Redraw();
  // A page changed a mask; the events page stores it.
  void MaskEdited();
};
