#ifndef QZ_WIZARD_WIZARD_PAGE_H_
#define QZ_WIZARD_WIZARD_PAGE_H_

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "text/text.h"
#include "ui/choice_item.h"
#include "ui/dialog_page.h"

namespace qz {

/// Frame of every wizard page, in screen coordinates.
inline constexpr int kWizardPageX = 3;
inline constexpr int kWizardPageY = 3;
inline constexpr int kWizardPageWidth = 76;
inline constexpr int kWizardPageHeight = 22;

/// A page of the wizard that ends on its own commands (besides those that
/// end every page): a command event with one of them ends the page with it,
/// also when the common handling made it from a button's hot letter.
class WizardPage : public DialogPage {
 public:
  WizardPage(Ui& ui, const Text& title, std::initializer_list<uint16_t> own_commands);

  void HandleEvent(UiEvent* event) override;

 protected:
  /// True when `command` is one of the page's own ending commands.
  bool IsOwnCommand(uint16_t command) const;

 private:
  uint16_t own_[3] = {0, 0, 0};
};

/// The item list of a group, top to bottom.
std::unique_ptr<ChoiceItem> Items(std::initializer_list<Text> texts);

/// The three buttons at the foot of pages 2 and 3: "<< Wstecz", "Poniechaj"
/// and "Dalej >>", and the hint bar "PgUp-Wstecz", "PgDn-Dalej".
void AddBackCancelNext(DialogPage& page);

}  // namespace qz

#endif  // QZ_WIZARD_WIZARD_PAGE_H_
