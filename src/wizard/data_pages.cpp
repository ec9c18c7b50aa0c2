#include "wizard/data_pages.h"

#include "app/context.h"
#include "platform/keys.h"
#include "text/cp852.h"
#include "ui/check_box.h"
#include "ui/commands.h"
#include "ui/hint_bar.h"
#include "ui/input_line.h"
#include "ui/push_button.h"
#include "ui/radio_group.h"

namespace qz {

namespace {

constexpr uint16_t kFirmStaff = 0x0002;     // "dane pracowników, właścicieli *)"
constexpr uint16_t kFirmFamilies = 0x0004;  // "dane rodzin ww                *)"

template <typename Page>
std::unique_ptr<DialogPage> Built(std::unique_ptr<Page> page) {
  if (!page->ok()) return nullptr;
  return page;
}

class GlobalDataPage : public WizardPage {
 public:
  explicit GlobalDataPage(Context& ctx)
      : WizardPage(ctx.ui, " Dane globalne, konfiguracyjne ",
                   {cmd::kBack, cmd::kNext, cmd::kCancel}) {
    if (!ok()) return;
    Add(std::make_unique<CheckBoxGroup>(
        NewLabel(3, 3, "Zaznaczam do kopiowania :"), 4, 4,
        Items({"Globalnę bazę adresów"_cp, "Bazę Urzędów Skarbowych"_cp, "Bazę stałych F1..F10"_cp,
               "Dane BIURA do wystawienia rachunków"_cp, "Dane konfiguracji DLL z RUR_QZ.INI",
               "Stałe podatkowe na 2018 rok"_cp, "Ustawienia składników wynagrodzeń"_cp,
               "Ustawienia kolorów"_cp, "Ustawienia rur_2018.ini -> rur_2019.ini",
               "Plik \"OPERATOR.REK\"", "Plik \"ZUS_PEL.INI\",\"UMOWY.INI\""}),
        &ctx.run.options.global_items));
    AddBackCancelNext(*this);
  }
};

class FirmDataPage : public WizardPage {
 public:
  explicit FirmDataPage(Context& ctx)
      : WizardPage(ctx.ui, " Dane firmowe  ", {cmd::kBack, cmd::kNext, cmd::kCancel}),
        options_(ctx.run.options) {
    if (!ok()) return;
    Add(std::make_unique<CheckBoxGroup>(
        NewLabel(1, 2, "Zaznaczam do kopiowania :"), 2, 3,
        Items({"dane tekstowe firmy", "dane pracowników, właścicieli *)"_cp,
               "dane rodzin ww                *)", "dane do PIT-D  **)", "bazę adresów lokalnych"_cp,
               "bazę automatów sprzedaży"_cp, "bazę automatów zakupów"_cp,
               "bazę stalych F1..F10, Notatnik"_cp, "baze przekazów pieniężnych"_cp,
               "ustawienia składnikow wynagrodzeń"_cp, "Dane ZUS-PEL ZUS_PEL.INI",
               "środki trwałe umożone jednorazowo"_cp, "ustawienia danych na przelewach",
               "bazę dowodów wewnętrznych"_cp, "bazę wystawionych odsetek"_cp,
               "listę pojazdów na cele VAT"_cp}),
        &options_.firm_items));
    Add(std::make_unique<RadioGroup>(
        NewLabel(41, 1, "*) Dane - przenieś :"_cp), 42, 2,
        Items({"wszystkich", "zatrudnionych na 31.12.2018", "pytaj sie o każdego"_cp}),
        &options_.staff_mode));
    Add(std::make_unique<RadioGroup>(NewLabel(41, 5, "**) z PID-5 - przenieś :"_cp), 42, 6,
                                     Items({"wszystkich", "pytaj sie o każdego"_cp}),
                                     &options_.pid5_mode));
    Add(std::make_unique<CheckBoxGroup>(
        NewLabel(41, 8, "Wprowadzone już w 2019 roku "_cp), 42, 9,
        Items({"dokumenty księgowe"_cp, "wynagrodzenia pracowników"_cp, "umowy zlecenia",
               "noty księgowe"_cp, "Deklaracje DRA"}),
        &options_.entries_2019));
    Add(std::make_unique<CheckBoxGroup>(
        NewLabel(41, 14, "Programy \"DLL\""), 42, 15,
        Items({"ST 140/150 \"Trion/qz\"", "KM 140 \"Trion\"", "KM 150 \"qz\""}),
        &options_.module_items));
    AddBackCancelNext(*this);
  }

  void HandleEvent(UiEvent* event) override {
    if (DropFamiliesWithoutStaff(&options_.firm_items)) control(1)->Draw();
    WizardPage::HandleEvent(event);
  }

 private:
  RunOptions& options_;
};

class StartPage : public WizardPage {
 public:
  explicit StartPage(Context& ctx)
      : WizardPage(ctx.ui, " START KOPIOWANIA ", {cmd::kBack, cmd::kStart, cmd::kCancel}) {
    if (!ok()) return;
    RunOptions& options = ctx.run.options;
    Add(std::make_unique<CheckBoxGroup>(
        NewLabel(3, 3, "Co pokopiowac :"), 4, 4,
        Items({"Dane Globalne z", "Dane pózniej wskazanych firm"_cp}), &options.start_items));
    Add(std::make_unique<InputLine>(NewLabel(32, 4, "(tylko z 880 .. 980) do #BIN990"), 24, 4, 7,
                                    &ctx.run.paths.source_program_dir));
    Add(std::make_unique<CheckBox>(NewLabel(3, 7, "Wykonanie kopiowania"), 4, 8,
                                   &options.pause_per_firm, "Zatrzymywac akcje co firme"));
    Add(std::make_unique<PushButton>(14, 12, 14, 3, "ZACZNIJ", cmd::kStart));
    Add(std::make_unique<PushButton>(14, 19, 14, 1, "<< Wstecz", cmd::kBack));
    Add(std::make_unique<PushButton>(34, 19, 14, 1, "Poniechaj", cmd::kCancel));
    SetHintBar(std::make_unique<HintBar>(
        ctx.ui, NewHint("PgUp-Wstecz", key::kPgUp, cmd::kBack,
                        NewHint("F5-ZACZNIJ", key::kF5, cmd::kStart))));
    SetFocus(3);
  }
};

}  // namespace

bool DropFamiliesWithoutStaff(uint16_t* firm_items) {
  if ((*firm_items & kFirmStaff) != 0 || (*firm_items & kFirmFamilies) == 0) return false;
  *firm_items = static_cast<uint16_t>(*firm_items & ~kFirmFamilies);
  return true;
}

std::unique_ptr<DialogPage> NewGlobalDataPage(Context& ctx) {
  return Built(std::make_unique<GlobalDataPage>(ctx));
}

std::unique_ptr<DialogPage> NewFirmDataPage(Context& ctx) {
  return Built(std::make_unique<FirmDataPage>(ctx));
}

std::unique_ptr<DialogPage> NewStartPage(Context& ctx) {
  return Built(std::make_unique<StartPage>(ctx));
}

}  // namespace qz
