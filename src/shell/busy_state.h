#pragma once

#include <functional>

// Nesting of busy commands: the window is disabled by the outermost begin and enabled again
// only by the matching end, however deep an automatic read nests inside a command.
class TBusyState {
 public:
  // `setWindowEnabled` enables or disables the main window; `showProgress` shows or hides
  // the progress window.
  TBusyState(std::function<void(bool)> setWindowEnabled, std::function<void(bool)> showProgress)
      : setWindowEnabled_(std::move(setWindowEnabled)), showProgress_(std::move(showProgress)) {}

  void Begin() {
    if (depth_++ == 0) setWindowEnabled_(false);
    showProgress_(true);
  }
  void End() {
    if (depth_ == 0) return;
    if (--depth_ == 0) {
      setWindowEnabled_(true);
      showProgress_(false);
    }
  }
  int Depth() const { return depth_; }
  bool IsBusy() const { return depth_ > 0; }

 private:
  std::function<void(bool)> setWindowEnabled_;
  std::function<void(bool)> showProgress_;
  int depth_ = 0;
};
