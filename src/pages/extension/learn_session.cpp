#include "pages/extension/learn_session.h"

#include <QAction>
#include <utility>

#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/vd_frame.h"
#include "pages/extension/learn_wait.h"

namespace {

constexpr uint8_t kListen = 6;

}  // namespace

TLearnSession::TLearnSession(TVDFrame& page, IPageHost& host)
    : QObject(&page), page_(page), host_(host) {
  // A hidden page's requests never answer: a learning that waited for one is over.
  connect(&page_, &TVDFrame::RequestsDropped, this, [this] {
    if (state_ == TState::Starting || state_ == TState::Cancelling) state_ = TState::Idle;
  });
}

void TLearnSession::Start(TLearnProcedure procedure) {
  if (Busy()) return;
  if (!page_.HasBus()) {
    host_.ShowStatusText(QStringLiteral("Нет связи с адаптером: обучение не начато"), false);
    return;
  }
  if (!host_.ModuleAvailable(procedure.Module)) {
    host_.ShowStatusText(
        QStringLiteral("Модуль %1 не отвечает: обучение не начато").arg(procedure.Module), false);
    return;
  }
  procedure_ = std::move(procedure);
  if (!window_) {
    window_ = new TLearnWait(&page_);
    connect(window_, &QDialog::rejected, this, [this] {
      if (state_ == TState::Waiting) CancelLearning();
    });
  }
  if (QAction* write = host_.WindowCommand(procedure_.WriteCommand);
      write != nullptr && write->isEnabled()) {
    write->trigger();
  }
  host_.ShowStatusText(procedure_.Status, true);
  state_ = TState::Starting;
  earlyResult_.reset();
  const uint8_t expected = procedure_.Start.empty() ? 0 : procedure_.Start.front();
  SendPageCommand(
      page_, host_, nullptr,
      {.Dest = procedure_.Module, .Command = procedure_.Command, .Data = procedure_.Start},
      [this, expected](const TAdapter::TAnswer& answer) {
        Started(answer.Answered,
                answer.Length > 0 ? answer.Data[0] : static_cast<uint8_t>(~expected));
      });
}

void TLearnSession::Started(bool answered, uint8_t echo) {
  if (state_ != TState::Starting) return;
  if (!answered) {
    Fail(QStringLiteral("Модуль не ответил на команду обучения: обучение не выполнено"));
    return;
  }
  if (echo != (procedure_.Start.empty() ? 0 : procedure_.Start.front())) {
    // The module refused: it is not learning, so there is nothing to cancel.
    Fail(QStringLiteral("Команда обучения не принята."));
    return;
  }
  if (procedure_.TellMainModule) {
    SendPageCommand(page_, host_, nullptr, {.Dest = 2, .Command = kListen});
  }
  state_ = TState::Waiting;
  window_->Show(procedure_.Caption, procedure_.Prompt, procedure_.Detail);
  if (earlyResult_) TakeResult(*std::exchange(earlyResult_, std::nullopt));
}

void TLearnSession::Fail(const QString& why) {
  state_ = TState::Idle;
  host_.ShowStatusText(why, false);
}

void TLearnSession::TakeResult(bool learned) {
  if (state_ == TState::Starting) earlyResult_ = learned;
  if (state_ != TState::Waiting) return;
  if (!learned) {
    window_->reject();
    return;
  }
  state_ = TState::Idle;
  window_->accept();
  if (OnLearned) OnLearned();
  host_.ShowStatusText(QStringLiteral("Обучение закончено"), false);
  Finish();
}

void TLearnSession::CancelLearning() {
  host_.ShowStatusText(QStringLiteral("Обучение отменено"), false);
  if (procedure_.Cancel.empty()) {
    state_ = TState::Idle;
    if (OnNotLearned) OnNotLearned();
    Finish();
    return;
  }
  state_ = TState::Cancelling;
  const uint8_t expected = procedure_.Cancel.front();
  SendPageCommand(
      page_, host_, nullptr,
      {.Dest = procedure_.Module, .Command = procedure_.Command, .Data = procedure_.Cancel},
      [this, expected](const TAdapter::TAnswer& answer) {
        if (state_ != TState::Cancelling) return;
        state_ = TState::Idle;
        if (!answer.Answered) {
          host_.ShowStatusText(QStringLiteral("Модуль не ответил на команду отмены обучения"),
                               false);
        } else if (procedure_.CancelEchoed && (answer.Length == 0 || answer.Data[0] != expected)) {
          host_.ShowStatusText(QStringLiteral("Команда отмены обучения не принята."), false);
        }
        if (OnNotLearned) OnNotLearned();
        Finish();
      });
}

TLearnWait* TLearnSession::Window() const {
  return window_;
}

void TLearnSession::Finish() {
  if (OnFinished) OnFinished();
}
