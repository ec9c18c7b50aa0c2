#include "ui/ui.h"

#include <algorithm>
#include <cstdio>

#include "app/progress_log.h"
#include "platform/keys.h"
#include "text/cp852.h"
#include "ui/hint_bar.h"

namespace qz {

namespace {

constexpr int kClockCol = 73;
constexpr int kClockRow = 1;
constexpr uint8_t kClockAttr = 0x0F;
constexpr int kIdleWaitMs = 64;

// Alt+letter keys that type the Polish letters: small and capital.
struct AltLetter {
  uint16_t key_code;
  uint8_t small;
  uint8_t capital;
};
constexpr AltLetter kAltLetters[] = {
    {0x1E00, 0xA5, 0xA4}, {0x2E00, 0x86, 0x8F}, {0x1200, 0xA9, 0xA8}, {0x2600, 0x88, 0x9D},
    {0x3100, 0xE4, 0xE3}, {0x1800, 0xA2, 0xE0}, {0x1F00, 0x98, 0x97}, {0x2C00, 0xBE, 0xBD},
    {0x2D00, 0xAB, 0x8D}, {0x1900, 0x15, 0x15},
};

// Shift states that give the capital letter: Alt + Shift with Num Lock on,
// and Alt with Caps Lock and Num Lock on.
constexpr uint8_t kAltShiftNum = 0x2B;
constexpr uint8_t kAltCapsNum = 0x68;
// Shift+Ins is paste only with Num Lock on (Shift + Num Lock exactly).
constexpr uint8_t kShiftNum = 0x23;

}  // namespace

Ui::Ui(Platform& platform) : platform_(platform) { FillColourPairs(); }

Ui::~Ui() = default;

void Ui::FillColourPairs() {
  label_pair_ = ColourPair{colours_[0], colours_[1]};
  input_pair_ = ColourPair{colours_[2], colours_[3]};
}

void Ui::LoadColours(const Text& program_dir, ProgressLog& log) {
  const ColourSet defaults;
  colours_ = defaults;
  std::unique_ptr<File> file;
  if (platform_.fs.Open(program_dir + "kolory.qz"_cp, Access::kRead, Sharing::kDenyNone, &file) ==
      dos::kOk) {
    ColourSet loaded;
    std::size_t got = 0;
    int err = file->Read(loaded.attr.data(), loaded.attr.size(), &got);
    file->Close();
    bool first_four_zero =
        loaded[0] == 0 && loaded[1] == 0 && loaded[2] == 0 && loaded[3] == 0;
    if (err == dos::kOk && got == loaded.attr.size() && !first_four_zero) colours_ = loaded;
  }
  FillColourPairs();
  log.SetNormalColour(colours_[0]);
}

void Ui::WriteAt(uint8_t attr, int x, int y, TextView text) {
  WriteIn(current_, attr, x, y, text);
}

void Ui::WriteTextAt(int x, int y, TextView text) {
  if (current_ != nullptr) {
    current_->WriteAt(screen(), x, y, text, 0, true);
  } else {
    screen().WriteKeepAttr(x, y, text);
  }
  CursorHidden();
}

void Ui::WriteIn(const Window* window, uint8_t attr, int x, int y, TextView text) {
  if (window != nullptr) {
    window->WriteAt(screen(), x, y, text, attr, false);
  } else {
    screen().Write(x, y, text, attr);
  }
  CursorHidden();
}

void Ui::PlaceCursor(const Window* window, int x, int y) {
  if (window != nullptr) {
    screen().SetCursor(window->inner_x1() + x - 1, window->inner_y1() + y - 1);
  } else {
    screen().SetCursor(x, y);
  }
}

Window* Ui::OpenBox(const Text& title, uint8_t title_attr, uint8_t frame_attr,
                    uint8_t text_attr, bool framed, int x1, int y1, int x2, int y2) {
  int min_size = framed ? 2 : 0;
  if (x1 < 1 || y1 < 1 || x2 > Screen::kCols || y2 > Screen::kRows || x2 - x1 < min_size ||
      y2 - y1 < min_size) {
    return nullptr;
  }
  auto window = std::make_unique<Window>(title, WindowColours{text_attr, frame_attr, title_attr},
                                         framed, x1, y1, x2, y2);
  window->SaveUnder(screen());
  window->Draw(screen());
  windows_.push_back(std::move(window));
  current_ = windows_.back().get();
  CursorHidden();
  return current_;
}

void Ui::CloseBox(Window* window) {
  if (window == nullptr) return;
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [window](const std::unique_ptr<Window>& w) { return w.get() == window; });
  if (it == windows_.end()) return;
  window->RestoreUnder(screen());
  windows_.erase(it);
  current_ = windows_.empty() ? nullptr : windows_.back().get();
}

void Ui::RedrawBox(Window* window) {
  if (window != nullptr) window->Draw(screen());
}

bool Ui::NextRecord(InputRecord* record) {
  if (!held_.empty()) {
    *record = held_.front();
    held_.pop_front();
    return true;
  }
  return platform_.console.ReadInput(record);
}

void Ui::GetEvent(UiEvent* event) {
  Console& console = platform_.console;
  for (;;) {
    ClearEvent(event);
    InputRecord record;
    if (!NextRecord(&record)) {
      console.WaitForInput(kIdleWaitMs);
      RunClock();
      continue;
    }
    if (record.kind == InputRecord::Kind::kKey) {
      uint16_t code = record.key.code;
      if (code == 0x1709) code = key::kIns;
      if (code == 0x1011) code = key::kEsc;
      if (code == key::kIns && record.key.shift == kShiftNum) {
        code = key::kPaste;
        set_clipboard(console.Clipboard());
      }
      event->what = UiEvent::kKey;
      event->key_code = code;
      if ((code & 0xFF) == 0) {
        event->ch = ' ';
        event->extended = 1;
        for (const AltLetter& alt : kAltLetters) {
          if (alt.key_code != code) continue;
          bool capital = record.key.shift == kAltShiftNum || record.key.shift == kAltCapsNum;
          event->ch = capital ? alt.capital : alt.small;
          event->extended = 0;
        }
      } else {
        event->ch = static_cast<uint8_t>(code & 0xFF);
        event->extended = 0;
      }
    } else {
      if (record.mouse.buttons == 0) continue;
      event->what = UiEvent::kMouse;
      event->buttons = record.mouse.buttons;
      event->column = static_cast<uint16_t>(record.mouse.column + 1);
      event->row = static_cast<uint16_t>(record.mouse.row + 1);
      if (current_ != nullptr) {
        event->window_column = static_cast<int16_t>(event->column - current_->inner_x1() + 1);
        event->window_row = static_cast<int16_t>(event->row - current_->inner_y1() + 1);
      } else {
        event->window_column = static_cast<int16_t>(event->column - text_window_[0] + 1);
        event->window_row = static_cast<int16_t>(event->row - text_window_[1] + 1);
      }
      // Drop the rest of a burst of mouse records; the first key after it
      // is kept for the next call.
      InputRecord more;
      while (NextRecord(&more)) {
        if (more.kind == InputRecord::Kind::kKey) {
          held_.push_front(more);
          break;
        }
      }
      if (event->row == 1 && event->column <= 2) {
        ClearEvent(event);
        event->what = UiEvent::kKey;
        event->key_code = key::kEsc;
        event->ch = 0x1B;
      }
    }
    break;
  }
  if (hint_ != nullptr) {
    uint16_t command = 0;
    if (event->what == UiEvent::kMouse && event->row == 25) {
      command = hint_->CommandAt(event->column);
    } else if (event->what == UiEvent::kKey) {
      command = hint_->CommandForKey(event->key_code);
    }
    if (command != 0) MakeCommand(event, command);
  }
}

void Ui::FlushKeys() {
  std::deque<InputRecord> kept;
  InputRecord record;
  while (NextRecord(&record)) {
    if (record.kind == InputRecord::Kind::kMouse) kept.push_back(record);
  }
  held_ = std::move(kept);
}

void Ui::RunClock() {
  LocalTime now = platform_.clock.Now();
  if (now.second == clock_second_) return;
  clock_second_ = now.second;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  screen().Write(kClockCol, kClockRow, buf, kClockAttr);
}

void Ui::ClearStatusRow() { screen().Write(1, 25, Text(80, ' '), colours_[0]); }

void Ui::set_clipboard(TextView text) {
  clipboard_ = Text(text.substr(0, kClipboardMax));
}

void Ui::SetInputBoxWidth(int width) {
  if (width >= 1 && width <= kInputBoxWidth - 1) input_box_width_ = width;
}

void Ui::ReadSoundSwitch() { sound_off_ = platform_.process.GetEnv("QZSOUND") == "OFF"; }

void Ui::Beep(int frequency, int units) {
  if (!sound_off_) platform_.console.Beep(frequency, units * 48);
}

std::array<uint8_t, 4> Ui::SaveTextWindow(int x1, int y1, int x2, int y2) {
  std::array<uint8_t, 4> previous = text_window_;
  text_window_ = {static_cast<uint8_t>(x1), static_cast<uint8_t>(y1), static_cast<uint8_t>(x2),
                  static_cast<uint8_t>(y2)};
  return previous;
}

}  // namespace qz
