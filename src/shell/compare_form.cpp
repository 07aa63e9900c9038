#include "shell/compare_form.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/diff_tree.h"

TCompareForm::TCompareForm(const TConfigDiff& diff, const TLanDevices& registry,
                           const QString& fileName, QWidget* parent)
    : QDialog(parent),
      tree_(new TDiffTree(QStringLiteral("В программе"), QStringLiteral("В файле"), this)) {
  setObjectName(QStringLiteral("CompareForm"));
  setWindowTitle(QStringLiteral("Сравнение с файлом \"%1\"").arg(fileName));
  resize(900, 500);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Двойной щелчок по настройке показывает её на странице."), this));
  layout->addWidget(tree_);
  tree_->Fill(diff, registry);
  connect(tree_, &TDiffTree::ShowSetting, this, &TCompareForm::ShowSetting);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QTreeWidget* TCompareForm::Tree() const {
  return tree_;
}
