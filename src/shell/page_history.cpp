#include "shell/page_history.h"

void TPageHistory::Append(const QString& page, int category) {
  entries_.push_back({page, category});
  index_ = static_cast<int>(entries_.size()) - 1;
}

const TPageHistory::TEntry* TPageHistory::Back() {
  if (!CanGoBack()) return nullptr;
  --index_;
  return Current();
}

const TPageHistory::TEntry* TPageHistory::Forward() {
  if (!CanGoForward()) return nullptr;
  ++index_;
  return Current();
}

const TPageHistory::TEntry* TPageHistory::Current() const {
  if (index_ < 0 || index_ >= static_cast<int>(entries_.size())) return nullptr;
  return &entries_[static_cast<size_t>(index_)];
}

void TPageHistory::StepBackForReshow() {
  if (index_ > 0) --index_;
}
