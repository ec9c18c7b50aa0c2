#include "text/cp852.h"

namespace qz {

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

namespace {

// Reverse lookup built once from the table above.
struct ReverseTable {
  std::array<uint8_t, 0x2600> bytes{};
  std::array<bool, 0x2600> present{};
  ReverseTable() {
    for (int i = 0; i < 256; ++i) {
      char32_t c = kCp852ToUnicode[i];
      if (c < bytes.size()) {
        bytes[c] = static_cast<uint8_t>(i);
        present[c] = true;
      }
    }
  }
};

const ReverseTable& Reverse() {
  static const ReverseTable table;
  return table;
}

}  // namespace

Text Utf8ToCp852(std::string_view utf8, char replacement) {
  Text out;
  out.reserve(utf8.size());
  const ReverseTable& rev = Reverse();
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0;
    int extra = 0;
    if (c < 0x80) { cp = c; }
    else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
    else { out.push_back(replacement); ++i; continue; }
    bool ok = i + extra < utf8.size() || extra == 0;
    for (int k = 1; ok && k <= extra; ++k) {
      unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) { out.push_back(replacement); ++i; continue; }
    i += 1 + extra;
    if (cp < rev.bytes.size() && rev.present[cp]) {
      out.push_back(static_cast<char>(rev.bytes[cp]));
    } else {
      uint8_t b = 0;
      out.push_back(UnicodeToCp852(cp, &b) ? static_cast<char>(b) : replacement);
    }
  }
  return out;
}

std::string Cp852ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (unsigned char b : text) AppendUtf8(kCp852ToUnicode[b], &out);
  return out;
}

std::string Cp852GlyphsToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (unsigned char b : text) AppendUtf8(Cp852Glyph(b), &out);
  return out;
}

}  // namespace qz
