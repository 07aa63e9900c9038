#include "binding/ui/check_rules.h"

#include <algorithm>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_check_box.h"

TCheckRules::TCheckRules(const TPageControls& controls, std::span<const TCheckRule> rules,
                         std::span<const TCheckRuleTrigger> triggers, QObject* parent)
    : QObject(parent) {
  std::vector<TVDCheckBox*> boxes;
  for (const TCheckRule& rule : rules) {
    auto& box = controls.Get<TVDCheckBox>(rule.Box);
    rules_.push_back({&box, rule.When, &controls.Get<TVDCheckBox>(rule.Target), rule.Then});
    if (std::find(boxes.begin(), boxes.end(), &box) == boxes.end()) boxes.push_back(&box);
  }
  for (TVDCheckBox* box : boxes) Attach(*box, *box);
  for (const TCheckRuleTrigger& trigger : triggers) {
    Attach(controls.Get<TVDCheckBox>(trigger.Clicked), controls.Get<TVDCheckBox>(trigger.Box));
  }
}

void TCheckRules::Attach(TVDCheckBox& clicked, const TVDCheckBox& box) {
  // clicked comes from the user only (mouse or keyboard), never from setChecked.
  connect(&clicked, &QAbstractButton::clicked, this, [this, &box] { Apply(box); });
}

void TCheckRules::Apply(const TVDCheckBox& box) {
  std::vector<const TVDCheckBox*> settled{&box};
  Cascade(box, settled);
}

void TCheckRules::Cascade(const TVDCheckBox& box, std::vector<const TVDCheckBox*>& settled) {
  for (const TRule& rule : rules_) {
    if (rule.Box != &box || box.isChecked() != rule.When) continue;
    if (std::find(settled.begin(), settled.end(), rule.Target) != settled.end()) continue;
    settled.push_back(rule.Target);
    if (rule.Target->isChecked() == rule.Then) continue;
    rule.Target->SetChecked(rule.Then);
    Cascade(*rule.Target, settled);
  }
}
