#include "ui/dialog_page.h"

#include "platform/keys.h"
#include "text/polish.h"
#include "ui/commands.h"
#include "ui/push_button.h"
#include "ui/ui.h"

namespace qz {

namespace {

bool ClosesPage(uint16_t command) {
  return command == cmd::kYes || command == cmd::kNo || command == cmd::kOk ||
         command == cmd::kCancel;
}

}  // namespace

DialogPage::DialogPage(Ui& ui, int x, int y, int width, int height, const Text& title)
    : ui_(ui) {
  const ColourSet& c = ui.colours();
  window_ = ui.OpenBox(title, c[6], c[4], c[5], true, x, y, x + width - 1, y + height - 1);
}

DialogPage::~DialogPage() { Done(); }

std::unique_ptr<DialogPage> DialogPage::Init(Ui& ui, int x, int y, int width, int height,
                                             const Text& title) {
  auto page = std::make_unique<DialogPage>(ui, x, y, width, height, title);
  if (!page->ok()) return nullptr;
  return page;
}

PageControl* DialogPage::Insert(std::unique_ptr<PageControl> control) {
  if (control == nullptr) return nullptr;
  PageControl* raw = control.get();
  raw->set_owner(this);
  controls_.push_back(std::move(control));
  if (raw->kind() == PageControl::kPushButton && first_button_ == 0) first_button_ = count();
  raw->Draw();
  return raw;
}

void DialogPage::SetFocus(int n) {
  if (n >= 1 && n <= count()) focus_ = n;
}

PageControl* DialogPage::control(int n) const {
  if (n < 1 || n > count()) return nullptr;
  return controls_[static_cast<std::size_t>(n - 1)].get();
}

uint16_t DialogPage::Run() {
  if (window_ == nullptr) return cmd::kCancel;
  ended_ = false;
  UiEvent event;
  do {
    ui_.SetCurrentWindow(window_);
    if (count() > 0) {
      control(focus_)->Edit(&event);
    } else {
      ui_.GetEvent(&event);
    }
    HandleEvent(&event);
  } while (!ended_);
  return event.what == UiEvent::kCommand ? event.command : cmd::kNone;
}

void DialogPage::HandleEvent(UiEvent* event) {
  if (event->what == UiEvent::kKey) {
    uint16_t code = event->key_code;
    if (code == key::kEsc) {
      MakeCommand(event, cmd::kCancel);
    } else if (count() > 1 && (code == key::kUp || code == key::kShiftTab || code == key::kLeft)) {
      focus_ = focus_ > 1 ? focus_ - 1 : count();
      ClearEvent(event);
    } else if (count() > 1 && (code == key::kDown || code == key::kTab || code == key::kRight ||
                               code == key::kEnter)) {
      focus_ = focus_ < count() ? focus_ + 1 : 1;
      ClearEvent(event);
    } else if (event->extended == 0 && first_button_ != 0) {
      uint8_t typed = UpCaseKey(event->ch);
      for (int n = first_button_; n <= count(); ++n) {
        PageControl* c = control(n);
        if (c->kind() != PageControl::kPushButton) continue;
        auto* button = static_cast<PushButton*>(c);
        if (button->hot_letter() != 0 && UpCaseKey(button->hot_letter()) == typed) {
          focus_ = n;
          MakeCommand(event, button->command());
          break;
        }
      }
    }
  } else if (event->what == UiEvent::kMouse) {
    if (event->buttons == 1) {
      int col = PressColumn(*event);
      int row = PressRow(*event);
      const Window* w = window_;
      bool inside = w != nullptr && event->column >= w->x1() && event->column <= w->x2() &&
                    event->row >= w->y1() && event->row <= w->y2();
      if (inside) {
        for (int n = 1; n <= count(); ++n) {
          if (control(n)->Contains(col, row) || control(n)->LabelContains(col, row)) {
            focus_ = n;
            break;
          }
        }
        ClearEvent(event);
      }
    } else if (event->buttons == 2) {
      MakeCommand(event, cmd::kCancel);
    } else if (event->buttons == 3) {
      MakeCommand(event, cmd::kOk);
    }
  }
  if (event->what == UiEvent::kCommand && ClosesPage(event->command)) EndModal();
}

void DialogPage::Done() {
  if (hint_bar_ != nullptr) {
    hint_bar_->Close();
    hint_bar_.reset();
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) (*it)->Done();
  while (!controls_.empty()) controls_.pop_back();
  if (window_ != nullptr) {
    ui_.CloseBox(window_);
    window_ = nullptr;
  }
}

void DialogPage::SetHintBar(std::unique_ptr<HintBar> bar) {
  if (hint_bar_ != nullptr) hint_bar_->Close();
  hint_bar_ = std::move(bar);
}

void DialogPage::WriteAt(uint8_t attr, int x, int y, TextView text) {
  if (window_ != nullptr) ui_.WriteIn(window_, attr, x, y, text);
}

int DialogPage::PressColumn(const UiEvent& event) const {
  return window_ == nullptr ? event.column : event.column - window_->inner_x1() + 1;
}

int DialogPage::PressRow(const UiEvent& event) const {
  return window_ == nullptr ? event.row : event.row - window_->inner_y1() + 1;
}

}  // namespace qz
