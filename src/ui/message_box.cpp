#include "ui/message_box.h"

#include <vector>

#include "platform/keys.h"
#include "text/cp852.h"
#include "ui/dialog_page.h"
#include "ui/hint_bar.h"
#include "ui/input_line.h"
#include "ui/push_button.h"
#include "ui/ui.h"

namespace qz {

namespace {

constexpr int kButtonWidth = 9;

struct ButtonKind {
  uint16_t bit;
  const char* text;
  uint16_t command;
};

std::vector<Text> SplitLines(const Text& text) {
  std::vector<Text> lines(1);
  for (char c : text) {
    if (c == '\r') {
      lines.emplace_back();
    } else {
      lines.back().push_back(c);
    }
  }
  return lines;
}

Text TitleOf(uint16_t kind) {
  switch (kind & 0x0F) {
    case box::kError: return " Błąd "_cp;
    case box::kInformation: return " Informacja "_cp;
    case box::kConfirm: return " Potwierdź "_cp;
    default: return " UWAGA "_cp;
  }
}

}  // namespace

uint16_t MessageBox(Ui& ui, int x, int y, int width, int height, const Text& text,
                    uint16_t kind) {
  static const Text kYes = "Tak"_cp, kNo = "Nie"_cp, kOk = "OK"_cp, kCancel = "Porzuć"_cp;
  const ButtonKind buttons[] = {{box::kYesButton, kYes.c_str(), cmd::kYes},
                                {box::kNoButton, kNo.c_str(), cmd::kNo},
                                {box::kOkButton, kOk.c_str(), cmd::kOk},
                                {box::kCancelButton, kCancel.c_str(), cmd::kCancel}};
  const ColourSet saved = ui.colours();
  if ((kind & 0x0F) == box::kError) {
    ColourSet& c = ui.colours();
    c[4] = c[5] = c[6] = c[8];
  }
  ui.FlushKeys();
  uint16_t result = cmd::kCancel;
  {
    DialogPage page(ui, x, y, width, height, TitleOf(kind));
    if (page.ok()) {
      const uint8_t text_attr = ui.colours()[5];
      int row = 1;
      for (const Text& line : SplitLines(text)) {
        if (!line.empty()) {
          page.WriteAt(text_attr, 1, row, line.substr(0, static_cast<std::size_t>(width - 2)));
        }
        ++row;
      }
      int n = 0;
      for (const ButtonKind& b : buttons) n += (kind & b.bit) != 0 ? 1 : 0;
      const int gap = (width - kButtonWidth * n) / (n + 1);
      int i = 0;
      for (const ButtonKind& b : buttons) {
        if ((kind & b.bit) == 0) continue;
        page.Insert(std::make_unique<PushButton>(gap + i * (gap + kButtonWidth), height - 3,
                                                 kButtonWidth, 1, b.text, b.command));
        ++i;
      }
      page.SetHintBar(std::make_unique<HintBar>(ui, NewHint("?", 0, 0)));
      result = page.Run();
      if (result == cmd::kNone) result = cmd::kCancel;
    }
  }
  ui.colours() = saved;
  return result;
}

uint16_t MessageBoxAt(Ui& ui, const Text& text, uint16_t kind) {
  return MessageBox(ui, 20, 8, 40, 10, text, kind);
}

void ErrorBox(Ui& ui, const Text& text) { MessageBoxAt(ui, text, box::kError | box::kOkButton); }

void SetInputBoxWidth(Ui& ui, int width) { ui.SetInputBoxWidth(width); }

uint16_t InputBox(Ui& ui, const Text& text, Text* value, bool masked) {
  // The whole text is kept, so that a cancel gives the caller back exactly
  // what it had, even a text longer than the field.
  const Text before = *value;
  const int width = ui.input_box_width();
  ui.FlushKeys();
  uint16_t result = cmd::kCancel;
  {
    DialogPage page(ui, 20, 8, 41, 10, Text());
    if (page.ok()) {
      const uint8_t text_attr = ui.colours()[5];
      int row = 2;
      for (const Text& line : SplitLines(text)) {
        if (!line.empty()) page.WriteAt(text_attr, 2, row, line);
        ++row;
      }
      auto* input = page.Add(
          std::make_unique<InputLine>(nullptr, (37 - width) / 2 + 2, 5, width, value));
      input->set_masked(masked);
      input->Draw();
      page.Insert(std::make_unique<PushButton>(16, 7, 8, 1, "OK", cmd::kOk));
      page.SetHintBar(std::make_unique<HintBar>(
          ui, NewHint("Enter - potwierdź"_cp, key::kEnter, cmd::kOk,
                      NewHint("Esc - zrezygnuj"_cp, key::kEsc, cmd::kCancel))));
      result = page.Run();
    }
  }
  if (result != cmd::kOk) {
    *value = before;
    result = cmd::kCancel;
  }
  ui.ResetInputBoxWidth();
  return result;
}

}  // namespace qz
