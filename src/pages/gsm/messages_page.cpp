#include "pages/gsm/messages_page.h"

#include <QAction>
#include <QRadioButton>
#include <string>
#include <vector>

#include "binding/ui/category_panels.h"
#include "binding/ui/check_rules.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_labeled_memo.h"
#include "binding/ui/vd_radio_group.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/messages_table.h"

namespace {

// The module variant whose version answer starts with this letter sends no English texts
// and knows no service device events.
constexpr uint8_t kVariantWithoutEnglish = 'P';
constexpr int kServiceDeviceRecords[] = {27, 28};
constexpr const char* kRecordControls[] = {"eR",      "eE",      "cbCall",      "cbSMS",
                                           "cbFlash", "rgOwner", "cbShortCall", "cbNoServer"};

// The check box rules of one record, by the names of its controls.
struct TRecordRule {
  const char* Box;
  bool When;
  const char* Target;
  bool Then;
};
constexpr TRecordRule kRecordRules[] = {
    {"cbShortCall", true, "cbCall", true},
    {"cbFlash", true, "cbSMS", true},
    {"cbSMS", false, "cbFlash", false},
};

}  // namespace

TGSMMessages::TGSMMessages(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent), controls_(BuildTablePage(*this, GsmMessagesTable(), host)) {
  AttachRules();
  ShowTextLimits();
  for (int n = 1; n <= kGsmRecordCount; ++n) AttachOwnerRules(n);
  AttachVariant();
  AddSectionMenu();
}

void TGSMMessages::Initialize() {
  CollapseAll(true);
}

void TGSMMessages::CollapseAll(bool collapsed) {
  for (auto* category : findChildren<TPanelCategory*>()) category->SetCollapsed(collapsed);
}

void TGSMMessages::AddSectionMenu() {
  auto* collapse = new QAction(QStringLiteral("Свернуть все"), this);
  auto* expand = new QAction(QStringLiteral("Раскрыть все"), this);
  connect(collapse, &QAction::triggered, this, [this] { CollapseAll(true); });
  connect(expand, &QAction::triggered, this, [this] { CollapseAll(false); });
  addAction(collapse);
  addAction(expand);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TGSMMessages::ShowTextLimits() {
  const QString limit = QStringLiteral(" (не более %1 символов)").arg(kGsmTextSize);
  for (int n = 1; n <= kGsmRecordCount; ++n) {
    for (const char* stem : {"eE", "eR"}) {
      auto& memo = controls_.Get<TVDLabeledMemo>(GsmRecordControl(stem, n));
      memo.setToolTip(memo.toolTip() + limit);
    }
  }
}

void TGSMMessages::AttachRules() {
  // The rules hold the names only while they attach to the boxes.
  std::vector<std::string> names;
  names.reserve(std::size(kRecordRules) * 2 * kGsmRecordCount);
  std::vector<TCheckRule> rules;
  for (int n = 1; n <= kGsmRecordCount; ++n) {
    for (const TRecordRule& rule : kRecordRules) {
      const char* box = names.emplace_back(GsmRecordControl(rule.Box, n)).c_str();
      const char* target = names.emplace_back(GsmRecordControl(rule.Target, n)).c_str();
      rules.push_back({.Box = box, .When = rule.When, .Target = target, .Then = rule.Then});
    }
  }
  new TCheckRules(controls_, rules, {}, this);
}

// A short call rings the owner alone without waiting for an answer; choosing to notify
// others takes the short call away. Both follow the user's clicks only.
void TGSMMessages::AttachOwnerRules(int n) {
  auto& owner = controls_.Get<TVDRadioGroup>(GsmRecordControl("rgOwner", n));
  auto& shortCall = controls_.Get<TVDCheckBox>(GsmRecordControl("cbShortCall", n));
  for (int item = 1; item < static_cast<int>(owner.Items().size()); ++item) {
    connect(owner.Button(item), &QRadioButton::clicked, &shortCall,
            [&shortCall] { shortCall.SetChecked(false); });
  }
  connect(&shortCall, &QCheckBox::clicked, &owner, [&owner](bool checked) {
    if (checked) owner.SetItemIndex(0);
  });
}

void TGSMMessages::AttachVariant() {
  controls_.Get<TVDData>("vddGSMV").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index == 0) ShowVariant(byte == kVariantWithoutEnglish);
  };
}

void TGSMMessages::ShowVariant(bool withoutEnglish) {
  for (int n = 1; n <= kGsmRecordCount; ++n) {
    controls_.Get<TVDLabeledMemo>(GsmRecordControl("eE", n)).SetDisabled(drRule, withoutEnglish);
  }
  for (const int n : kServiceDeviceRecords) {
    for (const char* stem : kRecordControls) {
      auto* control =
          dynamic_cast<TBoundControlBase*>(&controls_.Get<QObject>(GsmRecordControl(stem, n)));
      if (control != nullptr) control->SetDisabled(drRule, withoutEnglish);
    }
  }
}
