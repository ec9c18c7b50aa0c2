#ifndef QZ_PLATFORM_HEADLESS_CONSOLE_H_
#define QZ_PLATFORM_HEADLESS_CONSOLE_H_

#include <deque>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/console.h"

namespace qz {

/// The console of tests and unattended runs: the in-memory screen, a queue
/// of scripted input and a virtual clock. Scripted input arrives the way a
/// user types: one record each time the program waits for input, so keys
/// meant for later questions are not "typed ahead" and survive the flushes
/// before boxes and after log keys. `TypeAhead` queues records that have
/// already arrived. Waiting with an empty script throws `ScriptExhausted`
/// instead of hanging.
class HeadlessConsole : public Console {
 public:
  explicit HeadlessConsole(VirtualClock* clock = nullptr) : clock_(clock) {}

  Screen& screen() override { return screen_; }
  bool ReadInput(InputRecord* out) override;
  bool InputPending() override { return arrived_ > 0; }
  void WaitForInput(int ms) override;
  void Present() override {}
  void Beep(int frequency, int ms) override;
  void SetClipboard(const Text& text) override { clipboard_ = text; }
  Text Clipboard() override { return clipboard_; }
  void PrintLine(const Text& line) override { printed_.push_back(line); }

  /// Appends the records of a key script (see `ParseKeyScript`); each
  /// arrives when the program next waits for input.
  void Type(std::string_view script);
  void Push(const InputRecord& record) { queue_.push_back(record); }
  /// Appends records that have arrived already, as keys typed ahead.
  void TypeAhead(std::string_view script);
  void PushAhead(const InputRecord& record);
  std::size_t pending() const { return queue_.size(); }

  /// Lines written by `PrintLine`, and the beeps (frequency) so far.
  const std::vector<Text>& printed() const { return printed_; }
  const std::vector<int>& beeps() const { return beeps_; }

 private:
  Screen screen_;
  std::deque<InputRecord> queue_;
  std::size_t arrived_ = 0;  ///< records at the front of `queue_` already typed
  VirtualClock* clock_;
  Text clipboard_;
  std::vector<Text> printed_;
  std::vector<int> beeps_;
};

}  // namespace qz

#endif  // QZ_PLATFORM_HEADLESS_CONSOLE_H_
