#include "binding/ui/context_help.h"

#include <QMenu>
#include <QWidget>

#include "binding/help_anchor.h"
#include "binding/ui/control_help.h"
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
    SetControlSectionAnchor(*widget, RowSectionAnchor(rows, i));
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [&host, widget, topic](const QPoint& pos) {
                       auto* menu = new QMenu(widget);
                       menu->setAttribute(Qt::WA_DeleteOnClose);
                       QAction* help = menu->addAction(QStringLiteral("Справка"));
                       help->setObjectName(QLatin1String(kControlHelpAction));
                       QObject::connect(help, &QAction::triggered, widget, [&host, widget, topic] {
                         host.ShowControlHelp(widget, topic);
                       });
                       menu->popup(widget->mapToGlobal(pos));
                     });
  }
}
