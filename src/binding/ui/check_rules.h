#pragma once

#include <QObject>
#include <span>
#include <string_view>
#include <vector>

class TPageControls;
class TVDCheckBox;

// Check boxes that depend on each other: when Box becomes When, Target is set to Then. A rule
// sets its target as the user's click would (the area learns of the change, the caption
// turns bold or normal, twins follow) and the target's own rules run in turn, so rules
// cascade. Rules follow what the user does; a value loaded from the module, a factory reset
// or a twin on another page runs none, so showing the module's settings never changes them.
//
// Within one cascade every box is settled once: the box the user clicked and each box a rule
// has set (or found already as the rule wants it) keep their state, and a later rule that
// would change one of them gives way. So a rule's consequence never undoes its cause (a box
// that checks a box that unchecks it stays checked), and rules that name each other in a
// circle end after at most one change per box.
struct TCheckRule {
  const char* Box = "";
  bool When = true;
  const char* Target = "";
  bool Then = true;
};

// A click on Clicked applies the rules of Box again, for the state Box has.
struct TCheckRuleTrigger {
  const char* Clicked = "";
  const char* Box = "";
};

// Every rule names two different boxes, and no two rules for the same box and state set one
// target both ways. Use as
//   static_assert(CheckRules(kRules) == -1);
// where the compiler then prints the index of the first bad rule.
constexpr int CheckRules(std::span<const TCheckRule> rules) {
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::string_view box = rules[i].Box;
    if (box.empty() || box == rules[i].Target) return static_cast<int>(i);
    for (std::size_t j = 0; j < i; ++j) {
      if (box == rules[j].Box && rules[i].When == rules[j].When &&
          std::string_view(rules[i].Target) == rules[j].Target &&
          rules[i].Then != rules[j].Then) {
        return static_cast<int>(i);
      }
    }
  }
  return -1;
}

// The rules of one page, attached to its check boxes by name. Lives as a child of the page.
class TCheckRules : public QObject {
  Q_OBJECT

 public:
  TCheckRules(const TPageControls& controls, std::span<const TCheckRule> rules,
              std::span<const TCheckRuleTrigger> triggers, QObject* parent);

 private:
  struct TRule {
    TVDCheckBox* Box;
    bool When;
    TVDCheckBox* Target;
    bool Then;
  };

  void Apply(const TVDCheckBox& box);
  void Cascade(const TVDCheckBox& box, std::vector<const TVDCheckBox*>& settled);
  void Attach(TVDCheckBox& clicked, const TVDCheckBox& box);

  std::vector<TRule> rules_;
};
