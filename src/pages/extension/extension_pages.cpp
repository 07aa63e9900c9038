#include "pages/extension/extension_pages.h"

#include <memory>

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/extension/relay_io_page.h"
#include "pages/extension/relay_io_table.h"
#include "pages/extension/remote_inputs_page.h"
#include "pages/extension/remote_inputs_table.h"
#include "pages/extension/sensor_pages.h"
#include "pages/extension/sensor_tables.h"
#include "pages/extension/slave_events.h"
#include "pages/extension/slave_pages.h"
#include "pages/extension/slave_tables.h"
#include "pages/extension/validator_page.h"
#include "pages/extension/validator_table.h"

namespace {

template <class TPage>
void RegisterTablePage(TPageRegistry& registry, const TPageTable& table) {
  registry.Register(
      {.Name = QLatin1String(table.Name),
       .LanAddr = table.LanAddr,
       .Create = [](QWidget* parent, IPageHost& host) { return new TPage(host, parent); },
       .Table = &table});
}

void RegisterRelayIOPage(TPageRegistry& registry, const TPageTable& table,
                         TRelayIOPage::TGeneration generation) {
  registry.Register({.Name = QLatin1String(table.Name),
                     .LanAddr = table.LanAddr,
                     .Create =
                         [generation](QWidget* parent, IPageHost& host) {
                           return new TRelayIOPage(host, generation, parent);
                         },
                     .Table = &table});
}

// The slave module's pages share its events: the registry's pages keep them alive as long as
// any of them may be made.
void RegisterSlavePages(TPageRegistry& registry) {
  const auto events = std::make_shared<TSlaveEvents>();
  registry.Register(
      {.Name = QLatin1String(SlavePropertiesTable().Name),
       .LanAddr = SlavePropertiesTable().LanAddr,
       .Create = [events](QWidget* parent,
                          IPageHost& host) { return new TSlaveProperties(host, events, parent); },
       .Table = &SlavePropertiesTable()});
  RegisterTablePage<TSlaveOptions>(registry, SlaveOptionsTable());
  registry.Register(
      {.Name = QLatin1String(SlaveDataTable().Name),
       .LanAddr = SlaveDataTable().LanAddr,
       .Create = [events](QWidget* parent,
                          IPageHost& host) { return new TSlaveData(host, events, parent); },
       .Table = &SlaveDataTable()});
}

}  // namespace

void RegisterExtensionPages(TPageRegistry& registry) {
  RegisterTablePage<TTransceiverPage>(registry, TransceiverTable());
  RegisterTablePage<TRemoteInputsPage>(registry, RemoteInputsTable());
  RegisterSlavePages(registry);
  RegisterTablePage<TShockOptions>(registry, ShockOptionsTable());
  RegisterTablePage<TTiltOptions>(registry, TiltOptionsTable());
  RegisterRelayIOPage(registry, RelayIOTable(), TRelayIOPage::kOlder);
  RegisterRelayIOPage(registry, RelayIONewTable(), TRelayIOPage::kNewer);
  RegisterTablePage<TValidatorPage>(registry, ValidatorTable());
}
