#ifndef QZ_UI_WAIT_BOX_H_
#define QZ_UI_WAIT_BOX_H_

#include <cstdint>
#include <memory>

#include "text/text.h"

namespace qz {

class Ui;
class Window;

/// A small box with one text line and a progress bar of 35 cells; the
/// count reached is shown under the bar.
class WaitBox {
 public:
  /// Opens the box; null when the window cannot be made. An empty `text`
  /// becomes "Czekaj ...", a `maximum` below 1 becomes 1.
  static std::unique_ptr<WaitBox> Open(Ui& ui, uint32_t maximum, const Text& text,
                                       const Text& title);
  ~WaitBox();
  /// Advances the bar by `n`, at most to the maximum.
  void Step(uint32_t n);
  /// Empties the bar.
  void Reset();
  /// Erases the box (also done by the destructor).
  void Close();

  uint32_t current() const { return current_; }
  uint32_t maximum() const { return maximum_; }

 private:
  WaitBox(Ui& ui, Window* window, uint32_t maximum);
  void WriteBar(uint8_t fill, int cells);
  Ui& ui_;
  Window* window_;
  uint32_t maximum_;
  uint32_t current_ = 0;
};

}  // namespace qz

#endif  // QZ_UI_WAIT_BOX_H_
