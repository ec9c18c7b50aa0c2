#include "ui/input_line.h"

#include "platform/keys.h"
#include "text/polish.h"
#include "ui/dialog_page.h"
#include "ui/ui.h"

namespace qz {

namespace {

// Trailing blanks and control characters (codes up to 0x20) are not kept.
void TrimRight(Text* s) {
  while (!s->empty() && static_cast<uint8_t>(s->back()) <= 0x20) s->pop_back();
}

}  // namespace

InputLine::InputLine(std::unique_ptr<TextLabel> label, int x, int y, int max_len, Text* value)
    : PageControl(kInputLine, std::move(label), x, y, x + max_len, y + 1),
      value_(value),
      max_len_(max_len < 0 ? 0 : (max_len > 255 ? 255 : max_len)) {
  if (static_cast<int>(value_->size()) > max_len_) {
    value_->resize(static_cast<std::size_t>(max_len_));
  } else {
    TrimRight(value_);
  }
}

bool InputLine::Accepts(uint8_t ch) {
  return ch == 0x15 || (ch >= 0x20 && ch <= 0x7E) || (ch >= 0x80 && ch <= 0xFE);
}

void InputLine::Draw() {
  if (owner() == nullptr) return;
  DrawLabel();
  std::size_t width = static_cast<std::size_t>(max_len_);
  Text shown = masked_ ? Text(std::min(value_->size(), width), '*') : value_->substr(0, width);
  shown.resize(width, ' ');
  WriteAt(ui().input_pair().For(focused_), x1_, y1_, shown);
}

void InputLine::Edit(UiEvent* event) {
  const Text undo = value_->substr(0, static_cast<std::size_t>(max_len_));
  cursor_ = static_cast<int>(value_->size()) + 1;
  if (cursor_ == max_len_ + 1) cursor_ = max_len_;
  if (cursor_ < 1) cursor_ = 1;
  focused_ = true;
  for (;;) {
    Draw();
    PlaceCursor(x1_ + cursor_ - 1, y1_);
    ReadEvent(event, true);
    if (event->what == UiEvent::kNothing) continue;
    if (event->what == UiEvent::kMouse) {
      if (!event->IsLeftPress() || !Contains(PressColumn(*event), PressRow(*event))) break;
      cursor_ = std::min(PressColumn(*event) - x1_ + 1, static_cast<int>(value_->size()) + 1);
      ClearEvent(event);
      continue;
    }
    if (event->what != UiEvent::kKey) break;
    if (!HandleKey(*event, undo)) break;
  }
  Finish();
}

void InputLine::Finish() {
  focused_ = false;
  if (static_cast<int>(value_->size()) > max_len_) value_->resize(static_cast<std::size_t>(max_len_));
  TrimRight(value_);
  Draw();
}

bool InputLine::HandleKey(const UiEvent& event, const Text& undo) {
  Text& s = *value_;
  const std::size_t max = static_cast<std::size_t>(max_len_);
  const int length = static_cast<int>(s.size());
  switch (event.key_code) {
    case key::kCtrlW:
      s = ui().clipboard().substr(0, max);
      cursor_ = static_cast<int>(s.size()) + 1;
      return true;
    case key::kCtrlK:
      ui().set_clipboard(s);
      return true;
    case key::kCtrlIns:
      ui().platform().console.SetClipboard(s);
      return true;
    case key::kPaste: {
      Text clip = ui().platform().console.Clipboard().substr(0, 255);
      std::size_t end = 0;
      while (end < clip.size() && static_cast<uint8_t>(clip[end]) > 13) ++end;
      s = clip.substr(0, std::min(end, max));
      cursor_ = static_cast<int>(s.size()) + 1;
      return true;
    }
    case key::kCtrlD:
      s = UpperPL(s);
      return true;
    case key::kCtrlM:
      s = LowerPL(s);
      return true;
    case key::kCtrlP:
      s = undo;
      cursor_ = static_cast<int>(s.size()) + 1;
      return true;
    case key::kCtrlY:
      s.clear();
      cursor_ = 1;
      return true;
    case key::kIns:
      ui().set_insert_mode(!ui().insert_mode());
      return true;
    case key::kDel:
      if (cursor_ <= max_len_) {
        if (cursor_ <= length) s.erase(static_cast<std::size_t>(cursor_ - 1), 1);
      } else {
        ui().Beep(2250, 1);
      }
      return true;
    case key::kBackspace:
      if (cursor_ > 1) {
        --cursor_;
        if (cursor_ <= length) s.erase(static_cast<std::size_t>(cursor_ - 1), 1);
      } else {
        ui().Beep(1200, 1);
      }
      return true;
    case key::kLeft:
      if (cursor_ > 1) {
        --cursor_;
        return true;
      }
      return false;
    case key::kRight:
      if (cursor_ < max_len_) {
        if (cursor_ <= length) ++cursor_;
        return true;
      }
      return false;
    case key::kCtrlLeft:
      cursor_ = 1;
      return true;
    case key::kCtrlRight:
      cursor_ = length < 1 ? 1 : length;
      return true;
    default:
      break;
  }
  if (event.extended != 0 || !Accepts(event.ch)) return false;
  if (cursor_ > max_len_) {
    ui().Beep(3000, 1);
    return true;
  }
  const std::size_t at = static_cast<std::size_t>(cursor_ - 1);
  const char c = static_cast<char>(event.ch);
  if (ui().insert_mode()) {
    if (s.size() >= max) s.resize(max - 1);
    if (at >= s.size()) {
      // Typing past the end of a short text fills the gap with spaces.
      s.resize(at, ' ');
      s.push_back(c);
    } else {
      s.insert(at, 1, c);
    }
  } else if (at < s.size()) {
    s[at] = c;
  } else {
    s.resize(at, ' ');
    s.push_back(c);
  }
  ++cursor_;
  return true;
}

}  // namespace qz
