#include "binding/ui/vd_frame.h"

#include <QLabel>
#include <QVBoxLayout>

#include "link/bus_requests.h"

namespace {

// The frame template's section colours.
const QColor kCategoryColor(0xB9, 0xD3, 0xFF);
const QColor kCategoryGradientColor(0xD0, 0xEB, 0xFD);
const QColor kCategoryBodyColor(0xE0, 0xE4, 0xDF);
// The pale yellow of a note that asks for attention.
const QColor kNoteColor(0xFF, 0xF6, 0xC8);

}  // namespace

TVDFrame::TVDFrame(uint8_t lanAddr, QWidget* parent)
    : QWidget(parent),
      lanAddr_(lanAddr),
      layout_(new QVBoxLayout(this)),
      unavailableNote_(new QLabel(this)),
      categoryPanels_(new TCategoryPanels(this)) {
  setObjectName(QStringLiteral("VDFrame"));
  categoryPanels_->setObjectName(QStringLiteral("CategoryPanels1"));
  categoryPanels_->SetCategoryColors(kCategoryColor, kCategoryGradientColor, kCategoryBodyColor);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  unavailableNote_->setObjectName(QStringLiteral("lbUnavailable"));
  unavailableNote_->setWordWrap(true);
  unavailableNote_->setMargin(8);
  unavailableNote_->setFrameShape(QFrame::StyledPanel);
  unavailableNote_->setAutoFillBackground(true);
  QPalette notePalette = unavailableNote_->palette();
  notePalette.setColor(QPalette::Window, kNoteColor);
  unavailableNote_->setPalette(notePalette);
  unavailableNote_->hide();
  layout_->addWidget(unavailableNote_);
  layout_->addWidget(categoryPanels_, 1);
}

void TVDFrame::ShowUnavailableNote(const QString& why) {
  unavailableNote_->setText(why);
  unavailableNote_->setVisible(!why.isEmpty());
}

QString TVDFrame::UnavailableNote() const {
  return unavailableNote_->isHidden() ? QString() : unavailableNote_->text();
}

void TVDFrame::AddPanel(const QString& caption, QWidget* panel) {
  if (caption.isEmpty()) {
    layout_->insertWidget(layout_->count() - 1, panel);
    return;
  }
  categoryPanels_->AddCategory(caption, panel);
}

void TVDFrame::SetColour(const QColor& colour) {
  const auto apply = [&colour](QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
  };
  apply(this);
  for (auto* category : categoryPanels_->Categories()) apply(category->Panel());
}

void TVDFrame::AddBoundControl(QObject* object, IBoundControl* control) {
  boundControls_.emplace_back(object, control);
}

std::vector<IBoundControl*> TVDFrame::BoundControls() const {
  std::vector<IBoundControl*> controls;
  for (const auto& [object, control] : boundControls_) {
    if (object) controls.push_back(control);
  }
  return controls;
}

void TVDFrame::PageShown() {
  categoryPanels_->setFocus();
}

TVDFrame::~TVDFrame() = default;

void TVDFrame::AttachBus(TBusWorker& worker) {
  requests_ = std::make_unique<TBusRequests>(worker);
}

void TVDFrame::DropRequests() {
  if (!requests_) return;
  requests_->Cancel();
  emit RequestsDropped();
}

TBusRequests& TVDFrame::Requests() const {
  if (!requests_) throw std::logic_error("the page has no bus attached");
  return *requests_;
}
