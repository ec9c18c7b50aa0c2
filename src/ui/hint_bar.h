#ifndef QZ_UI_HINT_BAR_H_
#define QZ_UI_HINT_BAR_H_

#include <cstdint>
#include <memory>

#include "text/text.h"

namespace qz {

class Ui;

/// One hot key of a hint bar: its text (the caller's text followed by "│",
/// at most 40 characters), the command it gives and the key that gives it
/// (0 for none), and its place on the status row once laid out.
struct HintItem {
  Text text;
  uint16_t command = 0;
  uint16_t key_code = 0;
  int left = 0;   ///< first column of the text
  int right = 0;  ///< last column a press counts on (the "│" excluded)
  std::unique_ptr<HintItem> next;
};

/// Creates an item in front of `next`; lists are written from the last item
/// to the first, so the first call makes the item shown last.
std::unique_ptr<HintItem> NewHint(const Text& text, uint16_t key_code, uint16_t command,
                                  std::unique_ptr<HintItem> next = nullptr);

/// A line of hot keys on the status row (row 25). Showing one makes it the
/// current bar; closing it (or destroying it) brings back the bar that was
/// current before, or blanks the status row when there was none.
class HintBar {
 public:
  HintBar(Ui& ui, std::unique_ptr<HintItem> items);
  ~HintBar();
  HintBar(const HintBar&) = delete;
  HintBar& operator=(const HintBar&) = delete;

  /// Writes the bar on row 25 in the status colour.
  void Draw() const;
  /// Releases the items and restores the previous bar; idempotent.
  void Close();

  const HintItem* items() const { return items_.get(); }
  /// The command of the first item whose key is `key_code`, or 0.
  uint16_t CommandForKey(uint16_t key_code) const;
  /// The command of the item under the status-row column `col`, or 0.
  uint16_t CommandAt(int col) const;

 private:
  Ui& ui_;
  std::unique_ptr<HintItem> items_;
  HintBar* previous_;
  bool open_ = true;
};

}  // namespace qz

#endif  // QZ_UI_HINT_BAR_H_
