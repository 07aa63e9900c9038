#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <set>

// Random faults of the line between the PC and the virtual adapter, for trying the program
// on a poor connection. Towards the PC only frames that carry module messages count, as
// with the faults the tests set one by one.
struct TSimFaults {
  static constexpr uint32_t kDefaultSeed = 1;

  double Drop = 0;     // drop=P: the share of frames lost, either way
  double Corrupt = 0;  // corrupt=P: the share of frames garbled, either way
  double Late = 0;     // late=P:MS: the share of answers held back LateBy longer
  std::chrono::milliseconds LateBy{0};
  uint32_t Seed = kDefaultSeed;  // seed=N: the same seed and traffic give the same faults
};

// How the virtual vehicle is set up: the text after "sim:" in a port description, or the
// arguments of vardex-sim, e.g. "main,nolink,silent=20".
struct TSimOptions {
  bool MainOnly = false;  // main: only the main module is fitted
  bool Gen2 = false;      // gen2: an older main module (firmware 04.xx, second board generation)
  bool LinkModel = true;  // nolink: frames cross at once instead of at 115200 baud
  std::set<int> Silent;   // silent=ADDR: fitted but never answers
  std::set<int> Refused;  // refuse=ADDR: answers the access query with "refused"
  // miswrite=ADDR: confirms every write but stores a byte of each one wrong
  std::set<int> Miswrite;
  // live / quiet: whether the modules broadcast their state on their own. Unset, the bus is
  // live with the link model and quiet without it, so that unit tests (nolink) see only the
  // traffic they cause.
  std::optional<bool> Live;
  TSimFaults Faults;

  bool LiveTraffic() const { return Live.value_or(LinkModel); }

  // nullopt, with `error` set, for an unknown option or a bad value.
  static std::optional<TSimOptions> Parse(const QString& text, QString* error = nullptr);
  // The options of a port description "sim" or "sim:..."; nullopt when it names no sim.
  static std::optional<TSimOptions> FromDescription(const QString& description,
                                                    QString* error = nullptr);
  static bool IsSimDescription(const QString& description);
};
