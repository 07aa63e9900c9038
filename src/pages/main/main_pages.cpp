#include "pages/main/main_pages.h"

#include <memory>

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/main/diag_page.h"
#include "pages/main/diag_table.h"
#include "pages/main/inputs_page.h"
#include "pages/main/inputs_table.h"
#include "pages/main/learn_page.h"
#include "pages/main/learn_table.h"
#include "pages/main/main_board.h"
#include "pages/main/options_page.h"
#include "pages/main/options_table.h"
#include "pages/main/outputs_page.h"
#include "pages/main/outputs_table.h"
#include "pages/main/relays_page.h"
#include "pages/main/relays_table.h"
#include "pages/main/rstart_page.h"
#include "pages/main/rstart_table.h"
#include "pages/main/security_page.h"
#include "pages/main/security_table.h"
#include "pages/main/sensors_page.h"
#include "pages/main/sensors_table.h"
#include "pages/main/times_page.h"
#include "pages/main/times_table.h"
#include "pages/main/tx_page.h"
#include "pages/main/tx_table.h"

namespace {

// A page over the board that the inputs and outputs pages share; the registry's pages keep it
// alive as long as any of them may be made.
template <class TPage>
void RegisterBoardPage(TPageRegistry& registry, const TPageTable& table,
                       const std::shared_ptr<TMainBoard>& board) {
  registry.RegisterTable(
      table, [board](QWidget* parent, IPageHost& host) { return new TPage(host, *board, parent); });
}

}  // namespace

void RegisterMainPages(TPageRegistry& registry) {
  const auto board = std::make_shared<TMainBoard>();
  registry.RegisterTable<TMainOptions>(MainOptionsTable());
  registry.RegisterTable<TMainSecurity>(MainSecurityTable());
  registry.RegisterTable<TMainTimes>(MainTimesTable());
  registry.RegisterTable<TMainSensors>(MainSensorsTable());
  RegisterBoardPage<TMainInputs>(registry, MainInputsTable(), board);
  RegisterBoardPage<TMainOutputs>(registry, MainOutputsTable(), board);
  registry.RegisterTable<TMainRelays>(MainRelaysTable());
  RegisterBoardPage<TMainRStart>(registry, MainRStartTable(), board);
  registry.RegisterTable<TMainTX>(MainTXTable());
  registry.RegisterTable<TMainLearn>(MainLearnTable());
  RegisterBoardPage<TMainDiag>(registry, MainDiagTable(), board);
}
