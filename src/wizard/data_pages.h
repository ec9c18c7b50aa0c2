#ifndef QZ_WIZARD_DATA_PAGES_H_
#define QZ_WIZARD_DATA_PAGES_H_

#include <memory>

#include "wizard/wizard_page.h"

namespace qz {

struct Context;

/// `NewGlobalDataPage`: page 2, the office-wide items (`GlobalItems`).
std::unique_ptr<DialogPage> NewGlobalDataPage(Context& ctx);

/// `NewFirmDataPage`: page 3, the firm items and choices (`FirmItems`,
/// `StaffMode`, `Pid5Mode`, `Entries2019`, `ModuleItems`). Families are
/// never kept ticked without staff.
std::unique_ptr<DialogPage> NewFirmDataPage(Context& ctx);

/// `NewStartPage`: page 4, what to run (`StartItems`, `SourceProgramDir`,
/// `PausePerFirm`) and the start button; the focus starts on the pause box.
std::unique_ptr<DialogPage> NewStartPage(Context& ctx);

/// Page 3's rule: with staff (bit 2) clear, families (bit 4) are cleared.
/// True when it changed `firm_items`.
bool DropFamiliesWithoutStaff(uint16_t* firm_items);

}  // namespace qz

#endif  // QZ_WIZARD_DATA_PAGES_H_
