#ifndef QZ_WIZARD_LOCATIONS_PAGE_H_
#define QZ_WIZARD_LOCATIONS_PAGE_H_

#include <memory>

#include "wizard/wizard_page.h"

namespace qz {

struct Context;

/// Page 1 of the wizard: where the old and the new installation are, and
/// the run-wide options. Leaving it forward checks the directories and,
/// when asked to, remembers them in the location file.
class LocationsPage : public WizardPage {
 public:
  explicit LocationsPage(Context& ctx);

  void HandleEvent(UiEvent* event) override;

  /// `SaveLocations`: the page's own "remember" tick, clear at every build.
  bool save_locations() const { return save_locations_; }

 private:
  Context& ctx_;
  bool save_locations_ = false;
};

/// `NewLocationsPage`: page 1, or null when its window cannot be opened.
std::unique_ptr<DialogPage> NewLocationsPage(Context& ctx);

/// `CheckLocations`: true when the directories may be accepted. Ends both
/// roots with the separator (redrawing the input lines 1 and 2 of `page`);
/// refuses, with an error box, a source without a non-empty firm list
/// (focus to line 1), a missing target directory, and a target equal to the
/// source (focus to line 2).
bool CheckLocations(Context& ctx, DialogPage& page);

}  // namespace qz

#endif  // QZ_WIZARD_LOCATIONS_PAGE_H_
