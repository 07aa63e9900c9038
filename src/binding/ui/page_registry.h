#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "binding/page_table.h"

class IPageHost;
class QWidget;
class TVDFrame;

// One settings page the program offers: its name (the page command without the leading
// "a"), its module's bus address (0 for pages that span modules), how to make it and, for a
// settings page, its table: what the command line lists and the generic page tests check.
struct TPageInfo {
  using TCreate = std::function<TVDFrame*(QWidget* parent, IPageHost& host)>;
  QString Name;
  uint8_t LanAddr = 0;
  TCreate Create;
  const TPageTable* Table = nullptr;
};

// Pages register here; the main window creates, binds and shows them, so that adding a page
// never touches the window.
class TPageRegistry {
 public:
  void Register(TPageInfo page) { pages_.push_back(std::move(page)); }
  // A settings page made by `create`, named and placed as its table says.
  void RegisterTable(const TPageTable& table, TPageInfo::TCreate create) {
    Register({.Name = QLatin1String(table.Name),
              .LanAddr = table.LanAddr,
              .Create = std::move(create),
              .Table = &table});
  }
  // A settings page whose constructor takes only the host and the parent.
  template <class TPage>
  void RegisterTable(const TPageTable& table) {
    RegisterTable(table, [](QWidget* parent, IPageHost& host) -> TVDFrame* {
      return new TPage(host, parent);
    });
  }
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
