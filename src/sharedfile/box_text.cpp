#include "sharedfile/box_text.h"

namespace qz {

Text Centred(TextView line, int width) {
  int n = static_cast<int>(line.size());
  int pad = n < width ? (width - n) / 2 : 0;
  return Text(static_cast<std::size_t>(pad), ' ') + Text(line);
}

Text BoxText(std::initializer_list<Text> lines) {
  Text out;
  bool first = true;
  for (const Text& l : lines) {
    if (!first) out.push_back('\r');
    out += l;
    first = false;
  }
  return out;
}

}  // namespace qz
