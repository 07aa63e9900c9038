#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class IPageHost;
class QWidget;
class TVDFrame;

// One settings page the program offers: its name (the page command without the leading
// "a"), its module's bus address (0 for pages that span modules) and how to make it.
struct TPageInfo {
  QString Name;
  uint8_t LanAddr = 0;
  std::function<TVDFrame*(QWidget* parent, IPageHost& host)> Create;
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
