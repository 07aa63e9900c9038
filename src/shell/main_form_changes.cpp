// The main window's "Изменения" view and the look at it before "Записать".
#include "binding/ui/page_registry.h"
#include "shell/changes_form.h"
#include "shell/main_form.h"

std::vector<const TPageTable*> TMainForm::PageTables() const {
  std::vector<const TPageTable*> tables;
  for (const TPageInfo& page : pages_.Pages()) {
    if (page.Table) tables.push_back(page.Table);
  }
  return tables;
}

void TMainForm::ShowChanges() {
  if (changesForm_) {
    changesForm_->Refill();
    changesForm_->raise();
    return;
  }
  changesForm_ = new TChangesForm(*registry_, PageTables(), *pendingMarks_,
                                  TChangesForm::TPurpose::View, this);
  changesForm_->setAttribute(Qt::WA_DeleteOnClose);
  connect(changesForm_, &TChangesForm::ShowSetting, this, &TMainForm::ShowSetting);
  changesForm_->show();
}

TChangesForm* TMainForm::ChangesForm() const {
  return changesForm_;
}

bool TMainForm::ConfirmWriteAll() {
  if (!options_.ShowChangesBeforeWrite) return true;
  const auto tables = PageTables();
  if (TChangesForm::PendingModules(TChangesForm::PendingChanges(*registry_, tables)).size() < 2) {
    return true;
  }
  TChangesForm review(*registry_, tables, *pendingMarks_, TChangesForm::TPurpose::BeforeWrite,
                      this);
  connect(&review, &TChangesForm::ShowSetting, this, &TMainForm::ShowSetting);
  return dialogs_->Review(review);
}
