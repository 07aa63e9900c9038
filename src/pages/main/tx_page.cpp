#include "pages/main/tx_page.h"

#include <QComboBox>
#include <QLabel>

#include "binding/ui/data_combo.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "link/lan_msg.h"
#include "pages/main/tx_table.h"

namespace {

constexpr char kCarKeyFobSection[] = "Штатный брелок автомобиля (CAN)";
constexpr char kKeyFobSection[] = "Функции брелоков и меток";

// Index = the stored byte.
constexpr const char* kDoubleArmItems[] = {
    "<нет>",
    "дневной режим (без датчиков)",
    "выкл/вкл поиск метки (в охране)",
    "отпереть крышку багажника",
    "включить программируемый выход",
    "запустить двигатель (остановка по функции)",
    "поиск на стоянке (в охране)"};
constexpr const char* kDoubleDisarmItems[] = {
    "<нет>",
    "выключить иммобилайзер/повторку",
    "отменить автопостановку/перепостановку",
    "отпереть крышку багажника",
    "отпереть двери пассажиров",
    "включить программируемый выход",
    "запустить двигатель"};

}  // namespace

TMainTX::TMainTX(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent), controls_(BuildTablePage(*this, MainTXTable(), host)) {
  AddCarKeyFobLists();
  AddIgnitionNote();
}

void TMainTX::AddCarKeyFobLists() {
  auto* arm = new TDataCombo(controls_.Get<TVDData>("vdDoubleArmCan"),
                             QStringLiteral("Повторное нажатие кнопки \"Поставить на охрану\""),
                             kDoubleArmItems);
  arm->List().setObjectName(QStringLiteral("cbDoubleArmCan"));
  AddToSection(*this, QString::fromUtf8(kCarKeyFobSection), arm);
  auto* disarm = new TDataCombo(controls_.Get<TVDData>("vdDoubleDisarmCAN"),
                                QStringLiteral("Повторное нажатие кнопки \"Снять с охраны\""),
                                kDoubleDisarmItems);
  disarm->List().setObjectName(QStringLiteral("cbDoubleDisarmCAN"));
  AddToSection(*this, QString::fromUtf8(kCarKeyFobSection), disarm);
}

void TMainTX::AddIgnitionNote() {
  auto* note = new QLabel(QStringLiteral(
      "Постановка в Охрану с включенным зажиганием разрешается только при наличии сигнала Парк/Ручник"));
  note->setObjectName(QStringLiteral("lbIgnitionNote"));
  note->setWordWrap(true);
  AddToSection(*this, QString::fromUtf8(kKeyFobSection), note);
}
