#include "wizard/locations_page.h"

#include "app/context.h"
#include "app/file_tests.h"
#include "app/location.h"
#include "platform/keys.h"
#include "sharedfile/box_text.h"
#include "text/cp852.h"
#include "text/polish.h"
#include "ui/check_box.h"
#include "ui/commands.h"
#include "ui/hint_bar.h"
#include "ui/input_line.h"
#include "ui/message_box.h"
#include "ui/push_button.h"
#include "ui/radio_group.h"

namespace qz {

namespace {

constexpr int kSourceLine = 1;
constexpr int kTargetLine = 2;

bool EndsWithSeparator(const Text& dir) { return !dir.empty() && dir.back() == kPathSep; }

}  // namespace

LocationsPage::LocationsPage(Context& ctx)
    : WizardPage(ctx.ui, " Lokalizacja ", {cmd::kCancel}), ctx_(ctx) {
  if (!ok()) return;
  YearPaths& paths = ctx.run.paths;
  RunOptions& options = ctx.run.options;
  WriteAt(ctx.ui.colours()[0], 22, 3, "tam gdzie jest plik " + ctx.firms.list_name);
  Add(std::make_unique<InputLine>(NewLabel(3, 3, "katalogu źrodłowy:"_cp), 4, 4, 50,
                                  &paths.source_root));
  Add(std::make_unique<InputLine>(NewLabel(3, 6, "lokalizacja docelowa:"), 4, 7, 50,
                                  &paths.target_root));
  Add(std::make_unique<CheckBox>(nullptr, 4, 9, &save_locations_,
                                 "zapisz ustawienie lokalizacji (w pliku qz18-19.PTH)"));
  Add(std::make_unique<RadioGroup>(
      NewLabel(4, 12, "Standard polskich znaków :"_cp), 4, 13,
      Items({"Zachowaj standard PL z poprzedniego roku (domyślnie)"_cp}), &options.char_standard));
  Add(std::make_unique<CheckBox>(
      NewLabel(4, 14, "Dodatkowe opcje:"), 5, 15, &options.warn_open_december,
      "informuj o nie zamkniętym grudniu i związaną z tym konsekwencją"_cp));
  Add(std::make_unique<CheckBox>(nullptr, 5, 16, &options.slow_mode,
                                 "pokazuj powoli szczegóły konwersji"_cp));
  Add(std::make_unique<CheckBox>(
      nullptr, 5, 17, &options.hide_converted,
      "Zasłoń(~) w 2018 przekonwertowane pliki 2019K880.mm i 2019SP.nn"_cp));
  Add(std::make_unique<PushButton>(34, 19, 14, 1, "Poniechaj", cmd::kCancel));
  Add(std::make_unique<PushButton>(54, 19, 14, 1, "Dalej >>", cmd::kNext));
  SetHintBar(std::make_unique<HintBar>(ctx.ui, NewHint("PgDn-Dalej", key::kPgDn, cmd::kNext)));
}

void LocationsPage::HandleEvent(UiEvent* event) {
  // Esc, hot letters and mouse buttons become commands here first, so the
  // "Dalej >>" hot letter is checked like the button.
  WizardPage::HandleEvent(event);
  if (!event->IsCommand()) return;
  if (event->command == cmd::kNext || event->command == cmd::kBack) {
    if (CheckLocations(ctx_, *this)) {
      // The location file is remembered only once the directories passed.
      if (event->command == cmd::kNext && save_locations_) WriteLocationFile(ctx_);
      EndModal();
    } else {
      ClearEvent(event);
    }
  }
}

std::unique_ptr<DialogPage> NewLocationsPage(Context& ctx) {
  auto page = std::make_unique<LocationsPage>(ctx);
  if (!page->ok()) return nullptr;
  return page;
}

bool CheckLocations(Context& ctx, DialogPage& page) {
  YearPaths& paths = ctx.run.paths;
  auto redraw = [&page](int n) {
    if (PageControl* c = page.control(n)) c->Draw();
  };

  if (!EndsWithSeparator(paths.source_root)) {
    paths.source_root += kPathSep;
    redraw(kSourceLine);
  }
  if (FileSizeOf(ctx.fs, paths.source_root + ctx.firms.list_name) == 0) {
    ErrorBox(ctx.ui, BoxText({"Brak pliku " + ctx.firms.list_name, "Musisz wskazać katalog"_cp,
                              "głównym programu RUR_QZ"_cp}));
    page.SetFocus(kSourceLine);
    return false;
  }

  if (!paths.target_root.empty() && !EndsWithSeparator(paths.target_root)) {
    paths.target_root += kPathSep;
    redraw(kTargetLine);
  }
  if (paths.target_root.size() > 3 &&
      !DirExists(ctx.fs, paths.target_root.substr(0, paths.target_root.size() - 1))) {
    ErrorBox(ctx.ui, BoxText({Centred("Brak katalogu"), Centred(paths.target_root)}));
    return false;
  }

  if (UpperPL(paths.target_root) == UpperPL(paths.source_root)) {
    ErrorBox(ctx.ui, BoxText({Centred("Katalogi nię mogą być identyczne !"_cp)}));
    page.SetFocus(kTargetLine);
    return false;
  }
  return true;
}

}  // namespace qz
