#pragma once

#include <QPointer>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/main/tacho_scale.h"

class IPageHost;
class QCheckBox;
class TMainBoard;
class TMainGraph;
class TVDTrackBar;

// The remote start page of the main module: remote and timer start, the turbo timer, the
// tacho and speedometer signals and the engine-speed thresholds, shown in rotations per
// minute from the measured tacho period; "Диагностика" shows the live engine speed.
class TMainRStart : public TVDFrame {
  Q_OBJECT

 public:
  TMainRStart(IPageHost& host, TMainBoard& board, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QCheckBox& HalfCoefficient() const { return *halfCoefficient_; }
  QCheckBox& TachoFromCan() const { return *tachoFromCan_; }
  // The graph while it is open; nullptr before.
  TMainGraph* Graph() const;
  // The window of the engine speed's graph; the main window's tacho image opens it too.
  Q_INVOKABLE void ShowGraph();

 private:
  void AddTachoControls();
  void AttachLabels();
  void AttachCanSources();
  void ShowTachoSource();
  void VersionLoaded(uint8_t major);
  void ShowSpeeds();
  TTachoScale Scale() const;

  IPageHost& host_;
  TMainBoard& board_;
  TPageControls controls_;
  TVDTrackBar& period_;
  TVDTrackBar& speedometer_;
  QCheckBox* halfCoefficient_ = nullptr;
  QCheckBox* tachoFromCan_ = nullptr;
  QPointer<TMainGraph> graph_;
};
