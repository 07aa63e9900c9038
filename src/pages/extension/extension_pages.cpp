#include "pages/extension/extension_pages.h"

#include <memory>

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/extension/radio_page.h"
#include "pages/extension/radio_table.h"
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

void RegisterRelayIOPage(TPageRegistry& registry, const TPageTable& table,
                         TRelayIOPage::TGeneration generation) {
  registry.RegisterTable(table, [generation](QWidget* parent, IPageHost& host) {
    return new TRelayIOPage(host, generation, parent);
  });
}

// The slave module's pages share its events: the registry's pages keep them alive as long as
// any of them may be made.
void RegisterSlavePages(TPageRegistry& registry) {
  const auto events = std::make_shared<TSlaveEvents>();
  registry.RegisterTable(SlavePropertiesTable(), [events](QWidget* parent, IPageHost& host) {
    return new TSlaveProperties(host, events, parent);
  });
  registry.RegisterTable<TSlaveOptions>(SlaveOptionsTable());
  registry.RegisterTable(SlaveDataTable(), [events](QWidget* parent, IPageHost& host) {
    return new TSlaveData(host, events, parent);
  });
}

}  // namespace

void RegisterExtensionPages(TPageRegistry& registry) {
  registry.RegisterTable<TTransceiverPage>(TransceiverTable());
  registry.RegisterTable<TRemoteInputsPage>(RemoteInputsTable());
  RegisterSlavePages(registry);
  registry.RegisterTable<TShockOptions>(ShockOptionsTable());
  registry.RegisterTable<TTiltOptions>(TiltOptionsTable());
  RegisterRelayIOPage(registry, RelayIOTable(), TRelayIOPage::kOlder);
  RegisterRelayIOPage(registry, RelayIONewTable(), TRelayIOPage::kNewer);
  registry.RegisterTable<TValidatorPage>(ValidatorTable());
  registry.RegisterTable<TRadioPage>(TSPropertiesTable());
}
