#include "platform/headless_console.h"

#include "platform/key_script.h"

namespace qz {

bool HeadlessConsole::ReadInput(InputRecord* out) {
  if (arrived_ == 0) return false;
  *out = queue_.front();
  queue_.pop_front();
  --arrived_;
  return true;
}

void HeadlessConsole::WaitForInput(int ms) {
  (void)ms;
  if (arrived_ > 0) return;
  if (queue_.empty()) {
    throw ScriptExhausted("the program waits for a key but the key script is empty");
  }
  arrived_ = 1;
}

void HeadlessConsole::PushAhead(const InputRecord& record) {
  // Typed-ahead records go before those still to be typed.
  queue_.insert(queue_.begin() + static_cast<std::ptrdiff_t>(arrived_), record);
  ++arrived_;
}

void HeadlessConsole::TypeAhead(std::string_view script) {
  for (const InputRecord& r : ParseKeyScript(script)) PushAhead(r);
}

void HeadlessConsole::Beep(int frequency, int ms) {
  beeps_.push_back(frequency);
  if (clock_ != nullptr) clock_->SleepMs(ms);
}

void HeadlessConsole::Type(std::string_view script) {
  for (const InputRecord& r : ParseKeyScript(script)) queue_.push_back(r);
}

}  // namespace qz
