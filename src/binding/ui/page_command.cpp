#include "binding/ui/page_command.h"

#include <QAbstractButton>
#include <QPointer>
#include <algorithm>

#include "binding/ui/page_host.h"
#include "binding/ui/vd_frame.h"
#include "link/bus_requests.h"

void SendPageCommand(TVDFrame& page, IPageHost& host, QAbstractButton* button, TPageCommand command,
                     TOnPageAnswer onAnswer) {
  if (!page.HasBus()) {
    host.ShowStatusText(QStringLiteral("Нет связи с адаптером: команда не отправлена"), false);
    return;
  }
  if (command.Dest != kBroadcastAddr && !host.ModuleAvailable(command.Dest)) {
    host.ShowStatusText(
        QStringLiteral("Модуль %1 не отвечает: команда не отправлена").arg(command.Dest), false);
    return;
  }
  if (!command.Confirm.isEmpty() && !host.Confirm(command.Confirm)) return;
  if (!onAnswer) {
    TLanMsg msg;
    msg.Source = command.Source;
    msg.Dest = command.Dest;
    msg.Command = command.Command;
    msg.Length = static_cast<uint8_t>(std::min<std::size_t>(command.Data.size(), kMaxMsgData));
    std::copy_n(command.Data.begin(), msg.Length, msg.Data.begin());
    page.Requests().Send(msg);
    return;
  }
  QPointer<QAbstractButton> pressed = button;
  if (pressed) {
    pressed->setEnabled(false);
    // A dropped request never answers: the button must not stay greyed for good.
    QObject::connect(
        &page, &TVDFrame::RequestsDropped, pressed, [pressed] { pressed->setEnabled(true); },
        Qt::SingleShotConnection);
  }
  page.Requests().Request(
      command.Dest, command.Command, std::move(command.Data),
      [pressed, onAnswer = std::move(onAnswer)](const TAdapter::TAnswer& answer) {
        if (pressed) pressed->setEnabled(true);
        onAnswer(answer);
      });
}
