#ifndef QZ_TESTS_SUPPORT_PACED_CONSOLE_H_
#define QZ_TESTS_SUPPORT_PACED_CONSOLE_H_

#include "platform/headless_console.h"

namespace qz {

/// A console that hands out a headless console's scripted input one record
/// at a time, only when the program waits for input: nothing is pending
/// before that, so code that drops keys typed ahead (as `WaitKey` does)
/// leaves the answers to later questions in the script.
class PacedConsole : public Console {
 public:
  explicit PacedConsole(HeadlessConsole& inner) : inner_(inner) {}

  Screen& screen() override { return inner_.screen(); }
  bool ReadInput(InputRecord* out) override {
    if (released_ == 0 || !inner_.ReadInput(out)) return false;
    --released_;
    return true;
  }
  bool InputPending() override { return released_ > 0 && inner_.InputPending(); }
  void WaitForInput(int ms) override {
    if (released_ > 0) return;
    inner_.WaitForInput(ms);  // throws when the script is used up
    released_ = 1;
  }
  void Present() override { inner_.Present(); }
  void Beep(int frequency, int ms) override { inner_.Beep(frequency, ms); }
  void SetClipboard(const Text& text) override { inner_.SetClipboard(text); }
  Text Clipboard() override { return inner_.Clipboard(); }
  void PrintLine(const Text& line) override { inner_.PrintLine(line); }

 private:
  HeadlessConsole& inner_;
  int released_ = 0;
};

}  // namespace qz

#endif  // QZ_TESTS_SUPPORT_PACED_CONSOLE_H_
