#include "pages/main/programming_check.h"

#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "link/lan_msg.h"

namespace {

constexpr uint8_t kReadRam = 89;
constexpr uint8_t kProgrammingByte = 61;
constexpr uint8_t kProgrammingBit = 1 << 6;

}  // namespace

void WhenRelaysProgrammed(TVDFrame& page, IPageHost& host, QAbstractButton& button,
                          std::function<void()> then) {
  SendPageCommand(
      page, host, &button,
      {.Source = kPcAddr,
       .Dest = kMainModuleAddr,
       .Command = kReadRam,
       .Data = {1, kProgrammingByte, 0}},
      [&host, then = std::move(then)](const TAdapter::TAnswer& answer) {
        if (!answer.Answered || answer.Length == 0) {
          host.ShowStatusText(QStringLiteral("Главный модуль не ответил: команда не отправлена"),
                              false);
        } else if ((answer.Data[0] & kProgrammingBit) == 0) {
          host.ShowStatusText(
              QStringLiteral("Реле не в режиме программирования: команда не отправлена"), false);
        } else {
          then();
        }
      });
}
