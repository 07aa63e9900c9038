#pragma once

#include <QString>
#include <vector>

#include "link/lan_msg.h"

// What the adapter reports into: every link problem as a numbered error entry and every
// incoming bus message. The bus journal implements it; tests and the command line use the
// in-memory sink below.
class IAdapterJournal {
 public:
  virtual ~IAdapterJournal() = default;
  virtual void AddError(int number, const QString& text) = 0;
  virtual void AddMessage(const TLanMsg& msg) = 0;
};

class TMemoryJournal : public IAdapterJournal {
 public:
  struct TEntry {
    bool IsError = false;
    int Number = 0;
    QString Text;
    TLanMsg Msg;
  };

  void AddError(int number, const QString& text) override {
    entries_.push_back({true, number, text, {}});
  }
  void AddMessage(const TLanMsg& msg) override { entries_.push_back({false, 0, {}, msg}); }

  const std::vector<TEntry>& Entries() const { return entries_; }
  int CountErrors(int number) const {
    int count = 0;
    for (const auto& e : entries_) count += e.IsError && e.Number == number ? 1 : 0;
    return count;
  }
  void Clear() { entries_.clear(); }

 private:
  std::vector<TEntry> entries_;
};
