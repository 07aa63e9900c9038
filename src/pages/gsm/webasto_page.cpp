#include "pages/gsm/webasto_page.h"

#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include "binding/ui/page_command.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_track_bar.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/gsm_codings.h"
#include "pages/gsm/named_button.h"
#include "pages/gsm/webasto_table.h"

namespace {

constexpr uint8_t kStatusWithBoiler = 2;
constexpr int kStatusLength = 7;
constexpr int kBoilerByte = 5;
constexpr char kTemperatureSection[] = "Контроль температуры";

}  // namespace

TGSMWebasto::TGSMWebasto(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmWebastoTable(), host)) {
  AddBoilerTemperature();
}

void TGSMWebasto::AddBoilerTemperature() {
  boiler_ = new QLabel(QStringLiteral("-"));
  boiler_->setObjectName(QStringLiteral("lbBoilerTemperature"));
  auto* request = NamedButton(QStringLiteral("Запросить температуру котла"),
                              QStringLiteral("btBoilerTemperature"));
  connect(request, &QPushButton::clicked, this, &TGSMWebasto::RequestBoilerTemperature);
  auto* note = new QLabel(QStringLiteral(
      "Данная функция доступна, если установлен штатный датчик температуры Webasto. Для "
      "проверки нажмите \"Запросить температуру котла\""));
  note->setWordWrap(true);
  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  form->addRow(QStringLiteral("Температура котла:"), boiler_);
  form->addRow(note);
  form->addRow(request);
  AddToSection(*this, QString::fromUtf8(kTemperatureSection), part);
}

// The module answers with its status record; this request's own answer carries the boiler's
// temperature, so no other answer to the same command is taken for it.
void TGSMWebasto::RequestBoilerTemperature() {
  auto* request = findChild<QPushButton*>(QStringLiteral("btBoilerTemperature"));
  SendPageCommand(*this, host_, request,
                  {.Dest = kGsmModuleAddr, .Command = kModemCommand, .Data = {kStatusWithBoiler}},
                  [this](const TAdapter::TAnswer& answer) {
                    if (!answer.Answered || answer.Length != kStatusLength) {
                      boiler_->setText(QStringLiteral("нет ответа"));
                      return;
                    }
                    boiler_->setText(BoilerTemperatureText(answer.Data[kBoilerByte]));
                  });
}

QString TGSMWebasto::BoilerTemperature() const {
  return boiler_->text();
}
