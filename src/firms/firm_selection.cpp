#include "firms/firm_selection.h"

#include "app/context.h"
#include "firms/detect_firms.h"
#include "platform/keys.h"
#include "text/cp852.h"
#include "text/format.h"
#include "ui/commands.h"
#include "ui/dialog_page.h"
#include "ui/hint_bar.h"
#include "ui/pick_list.h"

namespace qz {

namespace {

constexpr char kTicked = '\xFE';    // small square, as a chosen radio item
constexpr char kUnticked = '\xFA';  // dot
constexpr int kItemWidth = 52;
constexpr int kDirColumn = 34;  // where the directory starts in a row
constexpr std::size_t kInfoShown = 10;

/// The firms of the table, one per row.
class FirmPickList : public PickList {
 public:
  FirmPickList(FirmTable& table, int32_t* current)
      : PickList(NewLabel(3, 1, "Nazwa                   Wybrana? KATALOG   INFO"), 1, 2,
                 kItemWidth, 10, current),
        table_(table) {}

  void UpdateCount() override { SetCount(table_.count()); }
  Text GetItemText(int32_t index) override {
    const FirmEntry* entry = FirmAt(table_, index);
    return entry != nullptr ? FirmItemText(*entry) : Text();
  }

 private:
  FirmTable& table_;
};

/// The " BAZA FIRM " page: the firm list and the hint bar of its commands.
class FirmSelectionPage : public DialogPage {
 public:
  FirmSelectionPage(Ui& ui, FirmTable& table)
      : DialogPage(ui, 10, 6, 58, 15, " BAZA FIRM "), table_(table) {
    if (!ok()) return;
    list_ = Add(std::make_unique<FirmPickList>(table_, &current_));
    list_->AddSearchColumn(kDirColumn);
    SetHintBar(std::make_unique<HintBar>(
        ui, NewHint("SPACE - Zaznacz (" + Text(1, kTicked) + ")", key::kSpace, firm_cmd::kToggle,
                    NewHint("^W Wszystkie ", key::kCtrlW, firm_cmd::kAll,
                            NewHint("^D Żadna "_cp, key::kCtrlD, firm_cmd::kNone,
                                    NewHint("F5 - ZACZNIJ", key::kF5, cmd::kOk))))));
  }

  void HandleEvent(UiEvent* event) override {
    DialogPage::HandleEvent(event);
    if (!event->IsCommand()) return;
    switch (event->command) {
      case firm_cmd::kToggle:
        if (FirmEntry* entry = FirmAt(table_, current_)) entry->selected = !entry->selected;
        break;
      case firm_cmd::kAll:
      case firm_cmd::kNone:
        for (int32_t i = 1; i <= table_.count(); ++i) {
          FirmAt(table_, i)->selected = event->command == firm_cmd::kAll;
        }
        break;
      default:
        return;
    }
    ClearEvent(event);
    list_->DrawRows();
  }

 private:
  FirmTable& table_;
  int32_t current_ = 1;
  PickList* list_ = nullptr;
};

}  // namespace

Text FirmItemText(const FirmEntry& entry) {
  ConstBytes rec(entry.record);
  Text text = PadRight(firm_list::kNameMax, FirmName(rec));
  text += entry.selected ? kTicked : kUnticked;
  text += ' ';
  text += PadRight(firm_list::kDirMax, FirmDir(rec));
  text += ' ';
  text += PadRight(kInfoShown, FirmInfo(rec));
  return text;
}

std::unique_ptr<DialogPage> NewFirmSelectionPage(Ui& ui, FirmTable& table) {
  auto page = std::make_unique<FirmSelectionPage>(ui, table);
  if (!page->ok()) return nullptr;
  return page;
}

bool ChooseFirms(Context& ctx, FirmTable& table) {
  DetectFirms(ctx, table);
  if (table.count() == 0) return false;
  std::unique_ptr<DialogPage> page = NewFirmSelectionPage(ctx.ui, table);
  if (page == nullptr) return false;
  const uint16_t result = page->Run();
  page.reset();
  return result == cmd::kOk;
}

}  // namespace qz
