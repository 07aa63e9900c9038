#include "pages/extension/radio_page.h"

#include <QHBoxLayout>
#include <algorithm>

#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "binding/value_labels.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/formula_label.h"
#include "pages/extension/radio_figures.h"
#include "pages/extension/radio_table.h"

namespace {

constexpr const char* kModem = "Modem configuration";
constexpr const char* kStateMachine = "Main state machine";
constexpr const char* kWakeOnRadio = "Wake on radio";

// The fields the figures follow from.
constexpr const char* kFigureInputs[] = {"rgChanBwE",  "rgChanBwM",   "rgDrateE",      "tbDrateM",
                                         "rgChanSpcE", "tbChanSpcM",  "rgRxTime",      "rgWorRes",
                                         "tbEvent0",   "tbEvent0Low", "cbWorAutosync", "rgEvent1"};

}  // namespace

TRadioPage::TRadioPage(IPageHost& host, QWidget* parent)
    : TVDFrame(kRadioTransceiverAddr, parent),
      controls_(BuildTablePage(*this, TSPropertiesTable(), host)) {
  AddFigures();
  FollowInputs();
}

// The value of a field as its control shows it; a group with no choice yet counts as 0.
int TRadioPage::Field(const char* name) const {
  QObject& input = controls_.Get<QObject>(name);
  if (auto* group = qobject_cast<TVDRadioGroup*>(&input)) return std::max(0, group->ItemIndex());
  if (auto* bar = qobject_cast<TVDTrackBar*>(&input)) return bar->Position();
  return qobject_cast<TVDCheckBox*>(&input)->isChecked() ? 1 : 0;
}

void TRadioPage::AddFigure(const char* section, const char* caption,
                           std::function<QString()> text) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QString::fromUtf8(caption)));
  auto* figure = new TFormulaLabel(std::move(text));
  layout->addWidget(figure, 1);
  figures_.push_back(figure);
  AddToSection(*this, QString::fromUtf8(section), row);
}

void TRadioPage::AddFigures() {
  AddFigure(kModem, "Полоса пропускания канала", [this] {
    return FormatNumber("= %6.2f kHz", ChannelBandwidthKHz(Field("rgChanBwE"), Field("rgChanBwM")));
  });
  AddFigure(kModem, "Скорость передачи", [this] {
    return FormatNumber("= %8.2f kbps", DataRateKbps(Field("rgDrateE"), Field("tbDrateM")));
  });
  AddFigure(kModem, "Шаг каналов", [this] {
    return FormatNumber("= %8.2f kHz", ChannelSpacingKHz(Field("rgChanSpcE"), Field("tbChanSpcM")));
  });
  AddFigure(kStateMachine, "Тайм-аут приёма, мкс на единицу EVENT0", [this] {
    return FormatNumber("%4.2f", RxTimeFactor(Field("rgRxTime"), Field("rgWorRes")));
  });
  AddFigure(kWakeOnRadio, "Период Event 0", [this] {
    return FormatNumber("%10.4fc",
                        Event0Seconds(Field("tbEvent0"), Field("tbEvent0Low"), Field("rgWorRes")));
  });
  AddFigure(kWakeOnRadio, "Event 0 → Event 1", [this] {
    return FormatNumber("Event1=%10.4f ms",
                        Event1Ms(Field("cbWorAutosync") != 0, Field("rgEvent1")));
  });
}

void TRadioPage::FollowInputs() {
  const auto recompute = [this](QObject&) { RecomputeFigures(); };
  for (const char* name : kFigureInputs) {
    QObject& input = controls_.Get<QObject>(name);
    if (auto* group = qobject_cast<TVDRadioGroup*>(&input)) group->OnClick = recompute;
    if (auto* bar = qobject_cast<TVDTrackBar*>(&input)) bar->OnChange = recompute;
    if (auto* box = qobject_cast<TVDCheckBox*>(&input)) box->OnClick = recompute;
  }
}

void TRadioPage::RecomputeFigures() {
  for (TFormulaLabel* figure : figures_) figure->Recompute();
}
