#include "wizard/wizard_page.h"

#include <vector>

#include "platform/keys.h"
#include "ui/commands.h"
#include "ui/hint_bar.h"
#include "ui/push_button.h"

namespace qz {

WizardPage::WizardPage(Ui& ui, const Text& title, std::initializer_list<uint16_t> own_commands)
    : DialogPage(ui, kWizardPageX, kWizardPageY, kWizardPageWidth, kWizardPageHeight, title) {
  std::size_t i = 0;
  for (uint16_t c : own_commands) {
    if (i < 3) own_[i++] = c;
  }
}

bool WizardPage::IsOwnCommand(uint16_t command) const {
  for (uint16_t c : own_) {
    if (c != 0 && c == command) return true;
  }
  return false;
}

void WizardPage::HandleEvent(UiEvent* event) {
  // The common handling first: it turns a button's hot letter into the
  // button's command, which must end the page like the button itself.
  DialogPage::HandleEvent(event);
  if (event->IsCommand() && IsOwnCommand(event->command)) EndModal();
}

std::unique_ptr<ChoiceItem> Items(std::initializer_list<Text> texts) {
  std::vector<Text> list(texts);
  std::unique_ptr<ChoiceItem> head;
  for (auto it = list.rbegin(); it != list.rend(); ++it) head = NewItem(*it, std::move(head));
  return head;
}

void AddBackCancelNext(DialogPage& page) {
  page.Add(std::make_unique<PushButton>(14, 19, 14, 1, "<< Wstecz", cmd::kBack));
  page.Add(std::make_unique<PushButton>(34, 19, 14, 1, "Poniechaj", cmd::kCancel));
  page.Add(std::make_unique<PushButton>(54, 19, 14, 1, "Dalej >>", cmd::kNext));
  page.SetHintBar(std::make_unique<HintBar>(
      page.ui(), NewHint("PgUp-Wstecz", key::kPgUp, cmd::kBack,
                         NewHint("PgDn-Dalej", key::kPgDn, cmd::kNext))));
}

}  // namespace qz
