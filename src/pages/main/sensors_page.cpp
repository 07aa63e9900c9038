#include "pages/main/sensors_page.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "binding/ui/page_command.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "link/lan_msg.h"
#include "pages/main/sensors_table.h"

namespace {

constexpr uint8_t kShockSensorAddr = 20;
// Command 0 with this data byte switches the shock sensor's adaptation off.
constexpr uint8_t kSwitchOffAdaptation = 64;

constexpr char kShockSection[] = "Чувствительность датчика удара";

}  // namespace

TMainSensors::TMainSensors(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, MainSensorsTable(), host)) {
  AddAdaptationButton();
}

void TMainSensors::AddAdaptationButton() {
  auto* part = new QWidget;
  auto* row = new QHBoxLayout(part);
  row->setContentsMargins(0, 4, 0, 0);
  auto* button = new QPushButton(QStringLiteral("Отключить адаптацию"));
  button->setObjectName(QStringLiteral("btSwitchOffAdaptation"));
  connect(button, &QPushButton::clicked, this, [this, button] { SwitchOffAdaptation(*button); });
  row->addWidget(button);
  row->addStretch();
  AddToSection(*this, QString::fromUtf8(kShockSection), part);
}

// The sensor does not answer this command: it goes once, unanswered.
void TMainSensors::SwitchOffAdaptation(QPushButton& button) {
  SendPageCommand(
      *this, host_, &button,
      {.Source = kPcAddr, .Dest = kShockSensorAddr, .Command = 0, .Data = {kSwitchOffAdaptation}});
}
