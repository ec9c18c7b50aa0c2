#ifndef QZ_UI_COLOURS_H_
#define QZ_UI_COLOURS_H_

#include <array>
#include <cstdint>

namespace qz {

/// The eleven screen attributes every window and control draws with
/// (background * 16 + foreground). Index roles: 0 unfocused text, 1 focused
/// text and marks, 2 input line, 3 focused input line / button / list item,
/// 4 window frame, 5 window text, 6 window title, 7 confirm-box text,
/// 8 error colour, 9 confirm-box hot letter, 10 status row and button face.
struct ColourSet {
  static constexpr int kCount = 11;
  std::array<uint8_t, kCount> attr = {0x07, 0x0F, 0x1F, 0x70, 0x07, 0x02,
                                      0x0F, 0x0F, 0x4F, 0x0F, 0x70};
  uint8_t operator[](int i) const { return attr[static_cast<std::size_t>(i)]; }
  uint8_t& operator[](int i) { return attr[static_cast<std::size_t>(i)]; }
  bool operator==(const ColourSet&) const = default;
};

/// A normal / focused pair of attributes (the label pair and the input pair).
struct ColourPair {
  uint8_t normal = 0x07;
  uint8_t focused = 0x0F;
  uint8_t For(bool focused_now) const { return focused_now ? focused : normal; }
};

}  // namespace qz

#endif  // QZ_UI_COLOURS_H_
