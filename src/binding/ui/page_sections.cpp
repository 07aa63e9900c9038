#include "binding/ui/page_sections.h"

#include <QFormLayout>
#include <QGridLayout>
#include <stdexcept>

#include "binding/ui/category_panels.h"
#include "binding/ui/vd_frame.h"

void AddToSection(TVDFrame& frame, const QString& caption, QWidget* part) {
  for (const TPanelCategory* category : frame.CategoryPanels1()->Categories()) {
    if (category->Caption() != caption) continue;
    QLayout* layout = category->Panel()->layout();
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
      grid->addWidget(part, grid->rowCount(), 0, 1, grid->columnCount());
    } else {
      layout->addWidget(part);
    }
    return;
  }
  throw std::logic_error("no such section on the page: " + caption.toStdString());
}

QFormLayout* NewPartForm(QWidget* part) {
  auto* form = new QFormLayout(part);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return form;
}
