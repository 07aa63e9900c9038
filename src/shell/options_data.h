#pragma once

#include <QColor>
#include <QSettings>
#include <QString>
#include <array>
#include <bitset>

#include "journal/event_favourites.h"
#include "journal/ui/log_colors.h"

// The program's own options, kept per user under the program's key. Every value has a
// default that applies when it is missing or unreadable.
class TOptionsData {
 public:
  static constexpr int kColorCount = 33;
  static constexpr int kEventCount = 241;
  static constexpr char kOrganization[] = "Oltrane";
  static constexpr char kApplication[] = "Vardex";
  // The settings group that holds every value, after the key the options always lived under.
  static constexpr char kGroup[] = "3";

  TOptionsData();

  // The default of colour `index`: listed defaults, the others derived from the background.
  static QColor DefaultColor(int index);
  // Colours are stored as the Windows colour integer: blue in the high byte, red in the low.
  static QColor FromColorRef(quint32 value);
  static quint32 ToColorRef(const QColor& color);

  void Load(QSettings& settings);
  void Save(QSettings& settings) const;

  bool AnswerListCmd = true;
  bool SaveLayout = true;
  bool RestoreDefaultLayout = false;  // a one-shot request, never stored
  QString PortName;
  std::array<QColor, kColorCount> Colors;
  QColor ModuleNameColor;
  QColor ModuleNameGrColor;
  QColor EventsBeaconColor;
  QColor LogHeaderColor;
  bool DataLostNotification = true;
  QString LastDir;
  bool CheckUpdates = true;
  bool AutoArmWarning = true;
  bool PowerDownWarning = true;
  // Every area written is read back and compared with what was sent.
  bool VerifyWrites = true;
  // "Записать" for more than one module lists what it will send first ("Изменения").
  bool ShowChangesBeforeWrite = true;
  std::bitset<kEventCount> FavEvents;  // bit N-1: event N is a favourite

  QColor Background() const { return Colors[0]; }
  // The journal's colours, read from these options whenever the journal draws.
  TLogColors JournalColors() const;
  // The favourite events as the event list reaches them: read and toggled in these options.
  TEventFavourites EventFavourites();
};
