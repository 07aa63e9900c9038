#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class IPageHost;
class QWidget;
class TVDFrame;
struct TPageTable;

// One settings page the program offers: its name (the page command without the leading
// "a"), its module's bus address (0 for pages that span modules), how to make it and, for a
// settings page, its table: what the command line lists and the generic page tests check.
struct TPageInfo {
  QString Name;
  uint8_t LanAddr = 0;
  std::function<TVDFrame*(QWidget* parent, IPageHost& host)> Create;
  const TPageTable* Table = nullptr;
};

// Pages register here; the main window creates, binds and shows them, so that adding a page
// never touches the window.
class TPageRegistry {
 public:
  void Register(TPageInfo page) { pages_.push_back(std::move(page)); }
  const std::vector<TPageInfo>& Pages() const { return pages_; }
  const TPageInfo* Find(const QString& name) const {
    for (const auto& page : pages_) {
      if (page.Name == name) return &page;
    }
    return nullptr;
  }

 private:
  std::vector<TPageInfo> pages_;
};
