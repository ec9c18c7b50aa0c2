#ifndef QZ_UI_DIALOG_PAGE_H_
#define QZ_UI_DIALOG_PAGE_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "text/text.h"
#include "ui/hint_bar.h"
#include "ui/page_control.h"
#include "ui/ui_event.h"

namespace qz {

class Ui;
class Window;

/// A framed window holding an ordered list of controls, run modally. The
/// focused control edits until it meets an event it does not consume; the
/// page's `HandleEvent` then moves the focus, presses buttons by their hot
/// letters or ends the page. The result of `Run` is the command that ended
/// it. Concrete pages derive from it, build their controls in their
/// constructor and override `HandleEvent` for their own commands.
class DialogPage {
 public:
  /// Opens the framed page window with outer rectangle (x, y)-(x + width - 1,
  /// y + height - 1), text colour [5], frame [4], title [6]. When the window
  /// cannot be opened `ok()` is false and the page must not be run.
  DialogPage(Ui& ui, int x, int y, int width, int height, const Text& title);
  /// Closes the page (`Done`) if still open.
  virtual ~DialogPage();
  DialogPage(const DialogPage&) = delete;
  DialogPage& operator=(const DialogPage&) = delete;

  /// A plain page, or null when its window cannot be opened.
  static std::unique_ptr<DialogPage> Init(Ui& ui, int x, int y, int width, int height,
                                          const Text& title);

  bool ok() const { return window_ != nullptr; }

  /// Appends `control` (nothing for null), makes the page its owner and
  /// draws it; returns it.
  PageControl* Insert(std::unique_ptr<PageControl> control);
  /// Typed form of `Insert`.
  template <typename T>
  T* Add(std::unique_ptr<T> control) {
    T* raw = control.get();
    Insert(std::move(control));
    return raw;
  }
  /// Gives the focus to control `n` (1-based); out of range changes nothing.
  void SetFocus(int n);
  /// Makes `Run` return after the current event.
  void EndModal() { ended_ = true; }
  /// Runs the page until a handler ends it; the command that ended it.
  virtual uint16_t Run();
  /// Reacts to an event the focused control handed back: Esc cancels;
  /// Up/Shift+Tab/Left and Down/Tab/Right/Enter move the focus (wrapping);
  /// a character presses the push button whose hot letter it is; a left
  /// press focuses the control under it, the right button cancels, both
  /// buttons give OK; `CmdYes`, `CmdNo`, `CmdOk`, `CmdCancel` end the page.
  /// The event is changed in place, so a derived page may call this first
  /// and then react to the command it produced.
  virtual void HandleEvent(UiEvent* event);
  /// Closes the hint bar, disposes the controls from the last to the first
  /// and closes the window. Idempotent.
  void Done();

  /// Shows `bar` as the page's own hint bar, closed with the page.
  void SetHintBar(std::unique_ptr<HintBar> bar);
  /// Writes at the inner position (x, y) of the page window.
  void WriteAt(uint8_t attr, int x, int y, TextView text);

  Ui& ui() const { return ui_; }
  Window* window() const { return window_; }
  int count() const { return static_cast<int>(controls_.size()); }
  int focus() const { return focus_; }
  PageControl* control(int n) const;
  bool ended() const { return ended_; }

 protected:
  /// Inner-area position of a mouse event.
  int PressColumn(const UiEvent& event) const;
  int PressRow(const UiEvent& event) const;

 private:
  Ui& ui_;
  Window* window_ = nullptr;
  std::vector<std::unique_ptr<PageControl>> controls_;
  int focus_ = 1;
  int first_button_ = 0;  // 0: no push button yet
  bool ended_ = false;
  std::unique_ptr<HintBar> hint_bar_;
};

}  // namespace qz

#endif  // QZ_UI_DIALOG_PAGE_H_
