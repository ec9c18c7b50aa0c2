#ifndef QZ_UI_WINDOW_H_
#define QZ_UI_WINDOW_H_

#include <cstdint>
#include <vector>

#include "platform/screen.h"
#include "text/text.h"

namespace qz {

/// Colours of a toolkit window.
struct WindowColours {
  uint8_t text = 0x07;
  uint8_t frame = 0x07;
  uint8_t title = 0x0F;
};

/// A rectangle of the screen owned by a window of the toolkit: its outer
/// rectangle (frame included), its inner area, and the cells it covers,
/// put back when it closes. Created and released by `Ui::OpenBox` /
/// `Ui::CloseBox`.
class Window {
 public:
  Window(const Text& title, WindowColours colours, bool framed, int x1, int y1, int x2,
         int y2);

  /// Draws the frame (single line), the centred title and the blank inner area.
  void Draw(Screen& screen) const;
  /// Keeps what the window is about to cover.
  void SaveUnder(const Screen& screen);
  /// Puts back what the window covered.
  void RestoreUnder(Screen& screen) const;
  /// Writes `text` at the inner position (col, row), cut at the window's
  /// right edge; nothing when the row is outside the inner area. With
  /// `keep_attr` the attributes on the screen stay.
  void WriteAt(Screen& screen, int col, int row, TextView text, uint8_t attr,
               bool keep_attr) const;

  int x1() const { return x1_; }
  int y1() const { return y1_; }
  int x2() const { return x2_; }
  int y2() const { return y2_; }
  /// The inner area, 1-based screen cells, inclusive.
  int inner_x1() const { return framed_ ? x1_ + 1 : x1_; }
  int inner_y1() const { return framed_ ? y1_ + 1 : y1_; }
  int inner_x2() const { return framed_ ? x2_ - 1 : x2_; }
  int inner_y2() const { return framed_ ? y2_ - 1 : y2_; }
  int inner_width() const { return inner_x2() - inner_x1() + 1; }
  int inner_height() const { return inner_y2() - inner_y1() + 1; }
  const WindowColours& colours() const { return colours_; }
  const Text& title() const { return title_; }

 private:
  Text title_;
  WindowColours colours_;
  bool framed_;
  int x1_, y1_, x2_, y2_;
  std::vector<Cell> under_;
};

}  // namespace qz

#endif  // QZ_UI_WINDOW_H_
