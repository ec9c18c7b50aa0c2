#include "platform/headless_console.h"

#include "platform/key_script.h"

namespace qz {

bool HeadlessConsole::ReadInput(InputRecord* out) {
  if (queue_.empty()) return false;
  *out = queue_.front();
  queue_.pop_front();
  return true;
}

void HeadlessConsole::WaitForInput(int ms) {
  if (queue_.empty()) {
    throw ScriptExhausted("the program waits for a key but the key script is empty");
  }
  (void)ms;
}

void HeadlessConsole::Beep(int frequency, int ms) {
  beeps_.push_back(frequency);
  if (clock_ != nullptr) clock_->SleepMs(ms);
}

void HeadlessConsole::Type(std::string_view script) {
  for (const InputRecord& r : ParseKeyScript(script)) queue_.push_back(r);
}

}  // namespace qz
