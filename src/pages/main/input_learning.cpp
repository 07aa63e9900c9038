#include "pages/main/input_learning.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/vd_frame.h"
#include "link/lan_msg.h"

namespace {

constexpr uint8_t kLearnCommand = 54;
constexpr uint8_t kLearnEnded = 55;
constexpr uint8_t kLearnButton = 1;
constexpr uint8_t kLearnCombination = 2;
constexpr uint8_t kCancelButton = 0;
constexpr uint8_t kCancelCombination = 3;

}  // namespace

TInputLearning::TInputLearning(TVDFrame& page, IPageHost& host)
    : QObject(&page), page_(page), host_(host) {
  // A hidden page drops its requests: an echo that never comes ends nothing but the wait.
  connect(&page_, &TVDFrame::RequestsDropped, this, [this] {
    if (!accepted_) active_ = false;
  });
  host_.WatchMessages(*this, [this](const TLanMsg& msg) {
    if (msg.Source == kMainModuleAddr && msg.Dest == kBroadcastAddr &&
        msg.Command == kLearnEnded && msg.Length >= 1) {
      EndReported(msg.Data[0] != 0);
    }
  });
}

uint8_t TInputLearning::Mode() const {
  return combination_ ? kLearnCombination : kLearnButton;
}

void TInputLearning::Start(bool combination, int k) {
  if (active_) return;
  combination_ = combination;
  k_ = k;
  active_ = true;
  accepted_ = false;
  earlyEnd_ = -1;
  host_.ShowStatusText(combination ? QStringLiteral("Обучение событию")
                                   : QStringLiteral("Обучение входу"),
                       true);
  const auto index = static_cast<uint8_t>(k);
  const bool sent = page_.HasBus() && host_.ModuleAvailable(kMainModuleAddr);
  SendPageCommand(page_, host_, nullptr,
                  {.Source = kPcAddr, .Dest = kMainModuleAddr, .Command = kLearnCommand,
                   .Data = {index, Mode()}},
                  [this, index](const TAdapter::TAnswer& answer) {
                    if (!answer.Answered || answer.Length < 1 || answer.Data[0] != index) {
                      active_ = false;
                      host_.ShowStatusText(QStringLiteral("Команда обучения не принята."), true);
                      return;
                    }
                    Accepted();
                  });
  if (!sent) active_ = false;
}

void TInputLearning::Accepted() {
  accepted_ = true;
  if (earlyEnd_ >= 0) {
    Finish(earlyEnd_ != 0);
    return;
  }
  ShowWindow();
}

void TInputLearning::EndReported(bool learned) {
  if (!active_) return;
  if (!accepted_) {
    earlyEnd_ = learned ? 1 : 0;
    return;
  }
  if (learned) {
    Finish(true);
  } else {
    Cancel();
  }
}

void TInputLearning::Cancel() {
  if (!active_ || !accepted_) return;
  Finish(false);
}

void TInputLearning::Finish(bool learned) {
  active_ = false;
  if (window_ != nullptr) window_->hide();
  host_.ShowStatusText(learned ? QStringLiteral("Обучение закончено")
                               : QStringLiteral("Обучение отменено"),
                       true);
  if (!learned) {
    const auto index = static_cast<uint8_t>(k_);
    SendPageCommand(page_, host_, nullptr,
                    {.Source = kPcAddr, .Dest = kMainModuleAddr, .Command = kLearnCommand,
                     .Data = {index, combination_ ? kCancelCombination : kCancelButton}},
                    [this, index](const TAdapter::TAnswer& answer) {
                      if (!answer.Answered || answer.Length < 1 || answer.Data[0] != index) {
                        host_.ShowStatusText(QStringLiteral("Команда отмены обучения не принята."),
                                             true);
                      }
                    });
  }
  emit Ended(combination_);
}

void TInputLearning::ShowWindow() {
  if (window_ == nullptr) {
    window_ = new QDialog(&page_);
    window_->setModal(true);
    auto* column = new QVBoxLayout(window_);
    column->addWidget(new QLabel);
    lower_ = new QLabel;
    column->addWidget(lower_);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"));
    cancel->setObjectName(QStringLiteral("btCancelLearning"));
    column->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &TInputLearning::Cancel);
    connect(window_, &QDialog::rejected, this, &TInputLearning::Cancel);
  }
  window_->setWindowTitle(combination_ ? QStringLiteral("Обучить событию  %1").arg(k_ + 1)
                                       : QStringLiteral("Обучить входу  %1").arg(k_ + 1));
  lower_->setText(combination_
                      ? QStringLiteral("Нажмите комбинацию клавиш")
                      : QStringLiteral(
                            "Нажмите кнопку и удерживайте до автоматического выхода из режима обучения"));
  window_->open();
}
