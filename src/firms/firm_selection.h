#ifndef QZ_FIRMS_FIRM_SELECTION_H_
#define QZ_FIRMS_FIRM_SELECTION_H_

#include <cstdint>
#include <memory>

#include "firms/firm_table.h"
#include "text/text.h"

namespace qz {

struct Context;
class DialogPage;
class Ui;

/// Commands of the firm selection page (from its hint bar).
namespace firm_cmd {
inline constexpr uint16_t kToggle = 0x00F0;  ///< Space: tick / untick the current firm
inline constexpr uint16_t kAll = 0x00F1;     ///< Ctrl+W: tick every firm
inline constexpr uint16_t kNone = 0x00F2;    ///< Ctrl+D: untick every firm
}  // namespace firm_cmd

/// The row of a firm on the selection list, 52 characters: the name (31),
/// the selection mark, the directory from column 34 and the first 10
/// characters of the information text from column 43.
Text FirmItemText(const FirmEntry& entry);

/// The " BAZA FIRM " page listing the firms of `table`, or null when its
/// window cannot be opened. F5 ends it with `cmd::kOk`, Esc with
/// `cmd::kCancel`; the ticks it changes stay in the table.
std::unique_ptr<DialogPage> NewFirmSelectionPage(Ui& ui, FirmTable& table);

/// Detects the firms into `table` and lets the user tick the ones to carry
/// over (all are ticked at first). True only when the user started the
/// transfer with F5; false without a page when no firm was found.
bool ChooseFirms(Context& ctx, FirmTable& table);

}  // namespace qz

#endif  // QZ_FIRMS_FIRM_SELECTION_H_
