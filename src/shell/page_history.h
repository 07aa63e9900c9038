#pragma once

#include <QString>
#include <vector>

// The pages the user has seen, for "Назад" and "Вперед". Entries are never removed; showing
// a page with history appends it at the end.
class TPageHistory {
 public:
  struct TEntry {
    QString Page;
    int Category = -1;  // the slave data page's selected category, -1 for none
  };

  void Append(const QString& page, int category);
  bool CanGoBack() const { return entries_.size() >= 2 && index_ > 0; }
  bool CanGoForward() const {
    return entries_.size() > 1 && index_ < static_cast<int>(entries_.size()) - 1;
  }
  // Move the index by one; the entry to show, or nullptr when the move is not possible.
  const TEntry* Back();
  const TEntry* Forward();
  // The entry the index stands on, or nullptr while the history is empty.
  const TEntry* Current() const;
  // Steps the index back one entry without leaving the list (refresh and reconnect show the
  // current entry again, which appends it).
  void StepBackForReshow();
  int Index() const { return index_; }
  const std::vector<TEntry>& Entries() const { return entries_; }

 private:
  std::vector<TEntry> entries_;
  int index_ = -1;
};
