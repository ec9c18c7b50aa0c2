#ifndef QZ_UI_PICK_LIST_H_
#define QZ_UI_PICK_LIST_H_

#include <array>
#include <cstdint>
#include <memory>

#include "ui/page_control.h"

namespace qz {

/// Commands a pick list sends to its page; the base page ignores them.
namespace pick_cmd {
inline constexpr uint16_t kDelete = 0xF403;     ///< Del
inline constexpr uint16_t kCtrlEnter = 0xF404;  ///< Ctrl+Enter
inline constexpr uint16_t kSelect = 0xF405;     ///< Enter, or a press on the current row
inline constexpr uint16_t kInsert = 0xF406;     ///< Ins
}  // namespace pick_cmd

/// A framed, scrolling list of text rows with one current item, moved by the
/// cursor and page keys and the mouse, or by typing the beginning of an
/// item's text (the prompter search). The list holds no items: a derived
/// list supplies their number (`UpdateCount`) and texts (`GetItemText`).
///
/// Placed at page-relative (x, y) with rows of `width` characters: the frame
/// runs from column x to x + width + 3 and from row y to y + rows + 1; row r
/// of text is at column x + 2, row y + r. The bottom frame line carries the
/// search text, under the item column it is compared with.
class PickList : public PageControl {
 public:
  static constexpr int kSearchMax = 40;
  static constexpr int kSearchSlots = 5;

  /// `current` is the caller's 1-based item number, kept up to date while
  /// the user moves; null makes the list keep its own.
  PickList(std::unique_ptr<TextLabel> label, int x, int y, int width, int rows,
           int32_t* current);

  void Edit(UiEvent* event) override;
  /// Refreshes the count, brings the current item into range and into view,
  /// and draws the frame, the rows and the label.
  void Draw() override;

  /// Sets the item count (through `SetCount`); called before every redraw
  /// and every search.
  virtual void UpdateCount() = 0;
  /// The text of item `index` (1..count); cut or padded to the width when shown.
  virtual Text GetItemText(int32_t index) = 0;
  /// Draws item `index` on row `row` (1..rows), highlighted or plain.
  virtual void DrawItem(int row, int32_t index, bool highlighted);
  /// Draws every row, the empty ones blank, then the scroll marks and the
  /// search line.
  virtual void DrawRows();
  /// Chooses the first shown item so that the current one stands in the
  /// middle where the list allows it.
  virtual void Recentre();

  /// Makes `column` (1-based, of the item text) a further column where the
  /// search can start; nothing when all five are taken.
  void AddSearchColumn(int column);

  int32_t current() const { return *current_; }
  int32_t count() const { return count_; }
  int32_t top() const { return top_; }
  int cursor_row() const { return cursor_row_; }
  int visible() const { return visible_; }
  const Text& search_text() const { return search_; }
  /// The item column the search compares from.
  int search_column() const { return search_columns_[static_cast<std::size_t>(search_slot_)]; }

 protected:
  void SetCount(int32_t count) { count_ = count < 0 ? 0 : count; }

 private:
  // Moving.
  void LineUp();
  void LineDown();
  void PageUp();
  void PageDown();
  void JumpTo(int32_t item);
  void MoveHighlightTo(int32_t item);
  /// Scrolls the text area inside the frame by one line.
  void ScrollText(bool down);

  // Drawing.
  void DrawFrame();
  void DrawScrollMarks();
  void DrawSearchLine();

  // Searching.
  void NextSearchColumn();
  void Search(bool fresh);

  /// Handles a key; false when it ends editing (the event then goes to the page).
  bool HandleKey(UiEvent* event, bool* keep_search);
  /// Handles a mouse press; false when it ends editing.
  bool HandleMouse(UiEvent* event);

  int x_, y_, width_, rows_;
  int32_t own_current_ = 1;
  int32_t* current_;
  int32_t count_ = 0;
  int visible_ = 0;
  int32_t top_ = 0;
  int cursor_row_ = 1;
  Text search_;
  std::array<int, kSearchSlots> search_columns_ = {1, 0, 0, 0, 0};
  int search_slot_ = 0;  // 0-based index into search_columns_
};

}  // namespace qz

#endif  // QZ_UI_PICK_LIST_H_
