#include "pages/extension/extension_pages.h"

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/extension/relay_io_page.h"
#include "pages/extension/relay_io_table.h"
#include "pages/extension/remote_inputs_page.h"
#include "pages/extension/remote_inputs_table.h"
#include "pages/extension/sensor_pages.h"
#include "pages/extension/sensor_tables.h"
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

}  // namespace

void RegisterExtensionPages(TPageRegistry& registry) {
  RegisterTablePage<TTransceiverPage>(registry, TransceiverTable());
  RegisterTablePage<TRemoteInputsPage>(registry, RemoteInputsTable());
  RegisterTablePage<TSlaveProperties>(registry, SlavePropertiesTable());
  RegisterTablePage<TSlaveOptions>(registry, SlaveOptionsTable());
  RegisterTablePage<TSlaveData>(registry, SlaveDataTable());
  RegisterTablePage<TShockOptions>(registry, ShockOptionsTable());
  RegisterTablePage<TTiltOptions>(registry, TiltOptionsTable());
  RegisterRelayIOPage(registry, RelayIOTable(), TRelayIOPage::kOlder);
  RegisterRelayIOPage(registry, RelayIONewTable(), TRelayIOPage::kNewer);
  RegisterTablePage<TValidatorPage>(registry, ValidatorTable());
}
