#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;

// The slave module's page of events: which inputs make each event, its command, learning.
class TSlaveProperties : public TVDFrame {
  Q_OBJECT

 public:
  explicit TSlaveProperties(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  IPageHost& host_;
  TPageControls controls_;
};

// The slave module's recording parameters.
class TSlaveOptions : public TVDFrame {
  Q_OBJECT

 public:
  explicit TSlaveOptions(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  TPageControls controls_;
};

// The slave module's recordings: one timing diagram per event.
class TSlaveData : public TVDFrame {
  Q_OBJECT

 public:
  explicit TSlaveData(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  IPageHost& host_;
  TPageControls controls_;
};
