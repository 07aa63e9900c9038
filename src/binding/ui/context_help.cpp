#include "binding/ui/context_help.h"

#include <QWidget>

#include "binding/ui/page_controls.h"
#include "binding/ui/page_host.h"

void AttachControlHelp(const TPageControls& controls, IPageHost& host, const QString& topic) {
  const auto rows = controls.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TControlRow& row = rows[i];
    const bool answers =
        row.Kind == ckCheckBox || row.Kind == ckTrackBar || row.Kind == ckRadioGroup;
    auto* widget = qobject_cast<QWidget*>(controls.At(i));
    if (!answers || row.NoHelp || widget == nullptr) continue;
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [&host, widget, topic] { host.ShowControlHelp(widget, topic); });
  }
}
