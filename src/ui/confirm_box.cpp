// The yes/no confirmation: a two-line menu drawn straight into a window.
#include <algorithm>
#include <vector>

#include "platform/keys.h"
#include "text/cp852.h"
#include "ui/hint_bar.h"
#include "ui/message_box.h"
#include "ui/ui.h"

namespace qz {

namespace {

// The box's own answers, given by its hint bar.
constexpr uint16_t kAnswerYes = cmd::kYes;
constexpr uint16_t kAnswerNo = cmd::kNo;

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

// Draws a menu line: "~" marks the hot letter; the chosen line in the
// status colour, the other in the window colour with its hot letter lit.
void DrawMenuLine(Ui& ui, Window* window, int row, int width, const Text& marked, bool chosen) {
  const ColourSet& c = ui.colours();
  std::size_t hot = marked.find('~');
  Text plain = marked;
  if (hot != Text::npos) plain.erase(hot, 1);
  Text line = " " + plain;
  line.resize(static_cast<std::size_t>(std::max(width, 1)), ' ');
  ui.WriteIn(window, chosen ? c[10] : c[5], 2, row, line);
  if (!chosen && hot != Text::npos && hot < plain.size()) {
    ui.WriteIn(window, c[9], 3 + static_cast<int>(hot), row, plain.substr(hot, 1));
  }
}

}  // namespace

bool ConfirmBox(Ui& ui, int x, int y, const Text& text, bool default_yes) {
  const std::vector<Text> lines = SplitLines(text);
  const int count = static_cast<int>(lines.size());
  int width = 7;
  for (const Text& line : lines) width = std::max(width, static_cast<int>(line.size()));
  width = std::min(width, 76);
  if (x + width > 77) x = 77 - width;
  if (y + count + 5 > 24) y = 24 - (count + 5);

  const ColourSet& c = ui.colours();
  ui.FlushKeys();
  Window* window = ui.OpenBox(Text(), c[4], c[5], c[5], true, x, y, x + width + 3, y + count + 4);
  if (window == nullptr) return false;
  for (int k = 1; k <= count; ++k) {
    Text line = lines[static_cast<std::size_t>(k - 1)].substr(0, static_cast<std::size_t>(width));
    line.resize(static_cast<std::size_t>(width), ' ');
    ui.WriteIn(window, c[7], 2, k, line);
  }
  ui.WriteIn(window, c[5], 1, count + 1, Text(static_cast<std::size_t>(width + 2), '\xC4'));

  HintBar hints(ui, NewHint("^T - tak", key::kCtrlT, kAnswerYes,
                            NewHint("^N - nie", key::kCtrlN, kAnswerNo)));
  bool answer = default_yes;
  for (;;) {
    DrawMenuLine(ui, window, count + 2, width, "~T a k", answer);
    DrawMenuLine(ui, window, count + 3, width, "~N i e", !answer);
    ui.SetCurrentWindow(window);
    UiEvent event;
    ui.GetEvent(&event);
    if (event.what == UiEvent::kCommand) {
      if (event.command == kAnswerYes || event.command == kAnswerNo) {
        answer = event.command == kAnswerYes;
        break;
      }
    } else if (event.what == UiEvent::kMouse) {
      answer = event.buttons == 1 && event.row == y + count + 2 && event.column > x &&
               event.column < x + width + 3;
      break;
    } else if (event.what == UiEvent::kKey) {
      if (event.key_code == key::kEnter) break;
      if (event.extended == 0 && (event.ch == 't' || event.ch == 'T')) {
        answer = true;
        break;
      }
      if (event.extended == 0 && (event.ch == 'n' || event.ch == 'N')) {
        answer = false;
        break;
      }
      if (event.key_code == key::kUp || event.key_code == key::kDown) answer = !answer;
    }
  }
  hints.Close();
  ui.CloseBox(window);
  return answer;
}

}  // namespace qz
