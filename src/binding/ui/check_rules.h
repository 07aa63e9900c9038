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

namespace check_rules_detail {

// A cascade from (box, state) that runs longer than there are rules goes round in a circle.
constexpr bool Circles(std::span<const TCheckRule> rules, std::string_view box, bool state,
                       std::size_t depth) {
  if (depth > rules.size()) return true;
  for (const TCheckRule& rule : rules) {
    if (box == rule.Box && state == rule.When &&
        Circles(rules, rule.Target, rule.Then, depth + 1)) {
      return true;
    }
  }
  return false;
}

}  // namespace check_rules_detail

// Every rule names two different boxes and no cascade runs for ever. Use as
//   static_assert(CheckRules(kRules) == -1);
// where the compiler then prints the index of the first bad rule.
constexpr int CheckRules(std::span<const TCheckRule> rules) {
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::string_view box = rules[i].Box;
    if (box.empty() || box == rules[i].Target ||
        check_rules_detail::Circles(rules, box, rules[i].When, 0)) {
      return static_cast<int>(i);
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
  void Attach(TVDCheckBox& clicked, const TVDCheckBox& box);

  std::vector<TRule> rules_;
};
