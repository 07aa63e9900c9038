#pragma once

#include <QString>
#include <optional>
#include <set>

// How the virtual vehicle is set up: the text after "sim:" in a port description, or the
// arguments of vardex-sim, e.g. "main,nolink,silent=20".
struct TSimOptions {
  bool MainOnly = false;  // main: only the main module is fitted
  bool Gen2 = false;      // gen2: an older main module (firmware 04.xx, second board generation)
  bool LinkModel = true;  // nolink: frames cross at once instead of at 115200 baud
  std::set<int> Silent;   // silent=ADDR: fitted but never answers
  std::set<int> Refused;  // refuse=ADDR: answers the access query with "refused"
  // live / quiet: whether the modules broadcast their state on their own. Unset, the bus is
  // live with the link model and quiet without it, so that unit tests (nolink) see only the
  // traffic they cause.
  std::optional<bool> Live;

  bool LiveTraffic() const { return Live.value_or(LinkModel); }

  // nullopt, with `error` set, for an unknown option or a bad address.
  static std::optional<TSimOptions> Parse(const QString& text, QString* error = nullptr);
  // The options of a port description "sim" or "sim:..."; nullopt when it names no sim.
  static std::optional<TSimOptions> FromDescription(const QString& description,
                                                    QString* error = nullptr);
  static bool IsSimDescription(const QString& description);
};
