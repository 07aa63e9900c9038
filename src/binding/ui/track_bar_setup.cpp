#include "binding/ui/track_bar_setup.h"

#include <QAbstractButton>
#include <memory>

#include "binding/ui/page_controls.h"
#include "binding/ui/page_host.h"
#include "binding/ui/vd_memo.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "link/lan_msg.h"
#include "memory/device_memory_item.h"

namespace {

std::optional<int> ImageByte(const TBaseDeviceMemoryItem* mem, int index) {
  const auto* area = dynamic_cast<const TDeviceMemoryItem*>(mem);
  if (area == nullptr || index < 0 || index >= area->Capacity()) return std::nullopt;
  return area->Image()[static_cast<std::size_t>(index)];
}

// The page's controls as its value labels read them.
class TPageLabelContext final : public ILabelContext {
 public:
  TPageLabelContext(QWidget& page, const TPageControls& controls, const IPageHost* host)
      : page_(page), controls_(controls), host_(host) {}

  std::optional<int> Shown(std::string_view name) const override {
    QObject* control = controls_.Find(name);
    if (control == nullptr) {
      control = page_.findChild<QAbstractButton*>(
          QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    if (auto* bar = qobject_cast<TVDTrackBar*>(control)) return bar->Position();
    if (auto* group = qobject_cast<TVDRadioGroup*>(control)) return group->ItemIndex();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->isChecked() ? 1 : 0;
    // A data item shows what its cell holds, a message's bytes as soon as one came. The
    // image is read without GetByte, which would take the byte's mark of a fresh message
    // from the control still to load it.
    if (auto* bound = dynamic_cast<TBoundControlBase*>(control)) {
      return ImageByte(bound->GetMem(), bound->GetAddr());
    }
    return std::nullopt;
  }

  bool DemoMode() const override { return host_ != nullptr && host_->DemoMode(); }

  // The board configuration byte that every control of the main module's settings can see.
  int BoardGeneration() const override {
    for (std::size_t i = 0; i < controls_.Rows().size(); ++i) {
      auto* bound = dynamic_cast<TBoundControlBase*>(controls_.At(i));
      if (bound == nullptr || bound->GetLanAddr() != kMainModuleAddr ||
          bound->GetMemID() != mlExt) {
        continue;
      }
      const TBaseDeviceMemoryItem* mem = bound->GetMem();
      const std::optional<int> configuration = ImageByte(mem, 0);
      return mem != nullptr && mem->IsLoaded() && configuration
                 ? BoardGenerationOf(static_cast<uint8_t>(*configuration))
                 : 0;
    }
    return 0;
  }

 private:
  QWidget& page_;
  // A copy: the page keeps its own, and the labels outlive the builder's.
  const TPageControls controls_;
  const IPageHost* host_;
};

}  // namespace

std::shared_ptr<const ILabelContext> PageLabelContext(QWidget& page, const TPageControls& controls,
                                                      const IPageHost* host) {
  return std::make_shared<const TPageLabelContext>(page, controls, host);
}

void ApplyValueLabels(std::shared_ptr<const ILabelContext> page, const TPageControls& controls,
                      std::span<const TValueLabelRow> rows) {
  for (const TValueLabelRow& row : rows) {
    controls.Get<TVDTrackBar>(row.Name).SetValueFormat(
        [row, page](int position) { return ValueLabelText(row, position, *page); });
  }
}

void ApplyByteLines(std::shared_ptr<const ILabelContext> page, const TPageControls& controls) {
  for (std::size_t i = 0; i < controls.Rows().size(); ++i) {
    const auto byteLine = controls.Rows()[i].ByteLine;
    auto* memo = qobject_cast<TVDMemo*>(controls.At(i));
    if (byteLine == nullptr || memo == nullptr) continue;
    memo->OnLoad = [byteLine, page](QObject&, uint8_t byte, QString& line) {
      line = byteLine(byte, *page);
    };
  }
}
