#include "ui/wait_box.h"

#include <cstdio>

#include "text/cp852.h"
#include "ui/ui.h"

namespace qz {

namespace {
constexpr int kBarCells = 35;
constexpr uint8_t kLightShade = 0xB0, kMediumShade = 0xB1, kFullBlock = 0xDB;
constexpr uint8_t kCountAttr = 0x4F;
}  // namespace

std::unique_ptr<WaitBox> WaitBox::Open(Ui& ui, uint32_t maximum, const Text& text,
                                       const Text& title) {
  const ColourSet& c = ui.colours();
  // Inner area (20,9)-(56,14); the title goes on in the status colour.
  Window* window = ui.OpenBox(title, c[10], c[4], c[0], true, 19, 8, 57, 15);
  if (window == nullptr) return nullptr;
  std::unique_ptr<WaitBox> box(new WaitBox(ui, window, maximum < 1 ? 1 : maximum));
  Text line = text.empty() ? "Czekaj ..."_cp : text;
  if (line.size() < 32) line.resize(32, ' ');
  ui.WriteIn(window, c[10], 4, 2, line);
  box->WriteBar(kLightShade, kBarCells);
  return box;
}

WaitBox::WaitBox(Ui& ui, Window* window, uint32_t maximum)
    : ui_(ui), window_(window), maximum_(maximum) {}

WaitBox::~WaitBox() { Close(); }

void WaitBox::WriteBar(uint8_t fill, int cells) {
  ui_.WriteIn(window_, ui_.colours()[10], 2, 4,
              Text(static_cast<std::size_t>(cells), static_cast<char>(fill)));
}

void WaitBox::Step(uint32_t n) {
  if (window_ == nullptr) return;
  // Counted in 64 bits: a large maximum must neither wrap the count nor the bar.
  uint64_t next = static_cast<uint64_t>(current_) + n;
  current_ = static_cast<uint32_t>(next > maximum_ ? maximum_ : next);
  int cells = static_cast<int>(static_cast<uint64_t>(current_) * kBarCells / maximum_);
  if (cells > 0) WriteBar(kFullBlock, cells);
  char number[16];
  std::snprintf(number, sizeof number, "%8u", static_cast<unsigned>(current_));
  ui_.WriteIn(window_, kCountAttr, 2, 6, number);
}

void WaitBox::Reset() {
  current_ = 0;
  if (window_ != nullptr) WriteBar(kMediumShade, kBarCells);
}

void WaitBox::Close() {
  if (window_ == nullptr) return;
  ui_.CloseBox(window_);
  window_ = nullptr;
}

}  // namespace qz
