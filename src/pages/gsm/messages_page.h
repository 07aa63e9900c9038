#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;

// The messages page of the GSM module: for each of the system's events whether and how the
// module reports it, and the SMS texts in English and Russian, one section per event.
class TGSMMessages : public TVDFrame {
  Q_OBJECT

 public:
  explicit TGSMMessages(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  void Initialize() override;
  void CollapseAll(bool collapsed);

 private:
  void AttachRules();
  void ShowTextLimits();
  void AttachOwnerRules(int n);
  void AttachVariant();
  void ShowVariant(bool withoutEnglish);
  void AddSectionMenu();

  TPageControls controls_;
};
