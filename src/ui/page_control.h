#ifndef QZ_UI_PAGE_CONTROL_H_
#define QZ_UI_PAGE_CONTROL_H_

#include <cstdint>
#include <memory>

#include "text/text.h"
#include "ui/ui_event.h"

namespace qz {

class DialogPage;
class Ui;

/// A static text beside a control, highlighted while its control has the
/// focus. Bounds (x, y)-(x + length, y + 1), page-relative.
class TextLabel {
 public:
  TextLabel(int x, int y, const Text& text);
  bool Contains(int col, int row) const;
  int x() const { return x_; }
  int y() const { return y_; }
  const Text& text() const { return text_; }

 private:
  int x_, y_;
  Text text_;  // at most 80 characters
};

/// A label, or null when `text` is empty.
std::unique_ptr<TextLabel> NewLabel(int x, int y, const Text& text);

/// The common part of every control of a page. Coordinates are relative to
/// the page window's inner area; bounds are (x1, y1)-(x2, y2), x2 and y2
/// exclusive. A control is inserted into exactly one page, which owns it,
/// and is edited only while it has the focus.
class PageControl {
 public:
  enum Kind : uint8_t {
    kInputLine = 1,
    kCheckBox = 9,
    kCheckBoxGroup = 10,
    kRadioGroup = 11,
    kPushButton = 12,
    kPickList = 13,
  };

  PageControl(Kind kind, std::unique_ptr<TextLabel> label, int x1, int y1, int x2, int y2);
  virtual ~PageControl();
  PageControl(const PageControl&) = delete;
  PageControl& operator=(const PageControl&) = delete;

  /// Takes the focus and edits until an event comes that the control does
  /// not consume; that event is left in `*event` for the page.
  virtual void Edit(UiEvent* event) = 0;
  /// Draws the control (its label first) as its focus state says.
  virtual void Draw() = 0;
  /// Releases what the control holds before the page goes away.
  virtual void Done() {}

  Kind kind() const { return kind_; }
  bool focused() const { return focused_; }
  /// True when the page-relative cell lies inside the bounds.
  bool Contains(int col, int row) const;
  /// True when the page-relative cell lies on the label.
  bool LabelContains(int col, int row) const;
  int x1() const { return x1_; }
  int y1() const { return y1_; }
  int x2() const { return x2_; }
  int y2() const { return y2_; }
  const TextLabel* label() const { return label_.get(); }
  DialogPage* owner() const { return owner_; }
  /// Called by `DialogPage::Insert`.
  void set_owner(DialogPage* page) { owner_ = page; }

 protected:
  /// The user interface of the owning page.
  Ui& ui() const;
  /// Writes at the page-relative (x, y) inside the owning page's window.
  void WriteAt(uint8_t attr, int x, int y, TextView text) const;
  /// Puts the cursor at the page-relative (x, y).
  void PlaceCursor(int x, int y) const;
  /// Draws the label (if any) in the label colour of the focus state.
  void DrawLabel() const;
  /// The common start of every control's event reading: shows the cursor
  /// (`show_cursor`: small in insert mode, half otherwise), reads an event,
  /// answers a left press on the label with a click tone and clears it,
  /// hides the cursor again.
  void ReadEvent(UiEvent* event, bool show_cursor) const;
  /// Page-relative column / row of a mouse event.
  int PressColumn(const UiEvent& event) const;
  int PressRow(const UiEvent& event) const;

  bool focused_ = false;
  int x1_, y1_, x2_, y2_;

 private:
  Kind kind_;
  std::unique_ptr<TextLabel> label_;
  DialogPage* owner_ = nullptr;
};

}  // namespace qz

#endif  // QZ_UI_PAGE_CONTROL_H_
