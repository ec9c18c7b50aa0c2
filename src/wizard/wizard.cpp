#include "wizard/wizard.h"

#include <memory>

#include "app/context.h"
#include "text/cp852.h"
#include "ui/commands.h"
#include "ui/message_box.h"
#include "wizard/data_pages.h"
#include "wizard/locations_page.h"

namespace qz {

namespace {

constexpr int kLastPage = 4;

std::unique_ptr<DialogPage> NewPage(Context& ctx, int index) {
  switch (index) {
    case 1: return NewLocationsPage(ctx);
    case 2: return NewGlobalDataPage(ctx);
    case 3: return NewFirmDataPage(ctx);
    default: return NewStartPage(ctx);
  }
}

}  // namespace

bool RunWizard(Context& ctx) {
  int page_index = 1;
  for (;;) {
    uint16_t page_command;
    {
      std::unique_ptr<DialogPage> page = NewPage(ctx, page_index);
      // A page that cannot be shown leaves nothing to choose: the run is
      // not started.
      if (page == nullptr) return false;
      page_command = page->Run();
    }
    switch (page_command) {
      case cmd::kCancel:
        if (ConfirmBox(ctx.ui, 10, 10, "Rezygnujesz z konwersji danych na nowy rok ?", false)) {
          return false;
        }
        break;
      case cmd::kBack:
        if (page_index > 1) --page_index;
        break;
      case cmd::kNext:
        if (page_index < kLastPage) ++page_index;
        break;
      case cmd::kStart:
        return true;
      default:
        break;
    }
  }
}

}  // namespace qz
