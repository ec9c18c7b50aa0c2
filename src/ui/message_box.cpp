// Interim boxes: drawn plainly and answered by keys, so that the transfers
// can show and test their questions before the dialog pages exist.
#include "ui/message_box.h"

#include <vector>

#include "platform/keys.h"
#include "text/cp852.h"
#include "ui/ui.h"
#include "ui/wait_box.h"

namespace qz {

namespace {

std::vector<Text> SplitLines(const Text& text) {
  std::vector<Text> lines(1);
  for (char c : text) {
    if (c == '\r') lines.emplace_back();
    else lines.back().push_back(c);
  }
  return lines;
}

void DrawFrame(Screen& s, int x, int y, int w, int h, uint8_t attr) {
  s.Fill(x, y, x + w - 1, y + h - 1, Cell{' ', attr});
  for (int c = x; c < x + w; ++c) {
    s.Set(c, y, Cell{0xC4, attr});
    s.Set(c, y + h - 1, Cell{0xC4, attr});
  }
  for (int r = y; r < y + h; ++r) {
    s.Set(x, r, Cell{0xB3, attr});
    s.Set(x + w - 1, r, Cell{0xB3, attr});
  }
}

KeyStroke NextKey(Console& console) {
  InputRecord r;
  for (;;) {
    if (console.ReadInput(&r)) {
      if (r.kind == InputRecord::Kind::kKey) return r.key;
      continue;
    }
    console.WaitForInput(64);
  }
}

int g_input_width = 37;

}  // namespace

uint16_t MessageBox(Ui& ui, int x, int y, int width, int height, const Text& text,
                    uint16_t kind) {
  Console& console = ui.platform().console;
  Screen& s = console.screen();
  Screen saved = s;
  DrawFrame(s, x, y, width, height, 0x07);
  int row = y + 1;
  for (const Text& line : SplitLines(text)) s.Write(x + 1, row++, line.substr(0, width - 2), 0x02);
  struct Button { uint16_t bit; const char* label; char hot; uint16_t command; };
  const Button buttons[] = {{box::kYesButton, "Tak", 't', cmd::kYes},
                            {box::kNoButton, "Nie", 'n', cmd::kNo},
                            {box::kOkButton, "OK", 'o', cmd::kOk},
                            {box::kCancelButton, "Porzuc", 'p', cmd::kCancel}};
  uint16_t first = cmd::kCancel;
  int col = x + 2;
  for (const Button& b : buttons) {
    if (kind & b.bit) {
      if (first == cmd::kCancel) first = b.command;
      s.Write(col, y + height - 3, b.label, 0x70);
      col += 10;
    }
  }
  uint16_t result = cmd::kCancel;
  for (;;) {
    KeyStroke k = NextKey(console);
    if (k.code == key::kEsc) break;
    if (k.code == key::kEnter || k.code == key::kSpace) { result = first; break; }
    char c = static_cast<char>(k.code & 0xFF);
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    bool hit = false;
    for (const Button& b : buttons) {
      if ((kind & b.bit) && c == b.hot) { result = b.command; hit = true; }
    }
    if (hit) break;
  }
  s = saved;
  return result;
}

uint16_t MessageBoxAt(Ui& ui, const Text& text, uint16_t kind) {
  return MessageBox(ui, 20, 8, 40, 10, text, kind);
}

void ErrorBox(Ui& ui, const Text& text) { MessageBoxAt(ui, text, box::kError | box::kOkButton); }

void SetInputBoxWidth(Ui&, int width) {
  if (width >= 1 && width <= 36) g_input_width = width;
}

uint16_t InputBox(Ui& ui, const Text& text, Text* value, bool masked) {
  Console& console = ui.platform().console;
  Screen& s = console.screen();
  Screen saved = s;
  DrawFrame(s, 20, 8, 41, 10, 0x07);
  int row = 10;
  for (const Text& line : SplitLines(text)) s.Write(22, row++, line, 0x02);
  Text edit = *value;
  uint16_t result = cmd::kCancel;
  for (;;) {
    s.Write(22, 13, Text(static_cast<std::size_t>(g_input_width), ' '), 0x70);
    s.Write(22, 13, masked ? Text(edit.size(), '*') : edit, 0x70);
    KeyStroke k = NextKey(console);
    if (k.code == key::kEsc) break;
    if (k.code == key::kEnter) { result = cmd::kOk; break; }
    if (k.code == key::kBackspace) { if (!edit.empty()) edit.pop_back(); continue; }
    uint8_t c = static_cast<uint8_t>(k.code & 0xFF);
    if (c >= 0x20 && static_cast<int>(edit.size()) < g_input_width) edit.push_back(static_cast<char>(c));
  }
  if (result == cmd::kOk) *value = edit;
  g_input_width = 37;
  s = saved;
  return result;
}

bool ConfirmBox(Ui& ui, int x, int y, const Text& text, bool default_yes) {
  uint16_t r = MessageBox(ui, x, y, 50, 8, text, box::kConfirm | box::kYesButton | box::kNoButton);
  if (r == cmd::kCancel) return false;
  (void)default_yes;
  return r == cmd::kYes;
}

std::unique_ptr<WaitBox> WaitBox::Open(Ui& ui, uint32_t maximum, const Text&, const Text&) {
  return std::unique_ptr<WaitBox>(new WaitBox(ui, maximum < 1 ? 1 : maximum));
}
WaitBox::WaitBox(Ui& ui, uint32_t maximum) : ui_(ui), maximum_(maximum) {}
WaitBox::~WaitBox() { Close(); }
void WaitBox::Step(uint32_t n) { current_ = current_ + n > maximum_ ? maximum_ : current_ + n; }
void WaitBox::Reset() { current_ = 0; }
void WaitBox::Close() { open_ = false; }

}  // namespace qz
