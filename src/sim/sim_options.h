#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

// Random faults of the line between the PC and the virtual adapter, for trying the program
// on a poor connection. Towards the PC only frames that carry module messages count, as
// with the faults the tests set one by one.
struct TSimFaults {
  static constexpr uint32_t kDefaultSeed = 1;

  // late=P:MS: the share of answers held back By longer. The option may come more than once:
  // each lateness is drawn in turn, the first that hits holds the answer.
  struct TLateness {
    double Share = 0;
    std::chrono::milliseconds By{0};
    friend bool operator==(const TLateness&, const TLateness&) = default;
  };

  double Drop = 0;     // drop=P: the share of frames lost, either way
  double Corrupt = 0;  // corrupt=P[:S]: the share of frames garbled, either way
  // S of corrupt=P:S: the share of the modules' garbled frames that are changed in two bytes
  // that make up for each other, so that the checksum still holds and no test of the frame
  // can tell. The others have one bit flipped, which the checksum catches.
  double ChecksumKept = 0;
  std::vector<TLateness> Late;
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
