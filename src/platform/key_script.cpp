#include "platform/key_script.h"

#include <cctype>
#include <string>

#include "text/cp852.h"

namespace qz {

namespace {

InputRecord KeyRecord(KeyStroke k) {
  InputRecord r;
  r.kind = InputRecord::Kind::kKey;
  r.key = k;
  return r;
}

// A whole word of decimal digits, at most four.
bool ParseNumber(std::string_view s, int* out) {
  if (s.empty() || s.size() > 4) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *out = v;
  return true;
}

bool ParseClick(std::string_view word, std::vector<InputRecord>* out) {
  uint8_t buttons = 0;
  std::string_view rest;
  for (auto [prefix, b] : {std::pair<std::string_view, uint8_t>{"click(", 1},
                           {"rclick(", 2}, {"bclick(", 3}}) {
    if (word.substr(0, prefix.size()) == prefix) {
      buttons = b;
      rest = word.substr(prefix.size());
      break;
    }
  }
  if (buttons == 0 || rest.empty() || rest.back() != ')') return false;
  rest.remove_suffix(1);
  auto comma = rest.find(',');
  if (comma == std::string_view::npos) return false;
  int col = 0, row = 0;
  if (!ParseNumber(rest.substr(0, comma), &col) || !ParseNumber(rest.substr(comma + 1), &row)) {
    return false;
  }
  if (col < 1 || col > Screen::kCols || row < 1 || row > Screen::kRows) return false;
  InputRecord r;
  r.kind = InputRecord::Kind::kMouse;
  r.mouse = MouseRecord{buttons, col - 1, row - 1};
  out->push_back(r);
  return true;
}

}  // namespace

std::vector<InputRecord> ParseKeyScript(std::string_view script) {
  std::vector<InputRecord> out;
  std::size_t i = 0;
  while (i < script.size()) {
    if (std::isspace(static_cast<unsigned char>(script[i]))) {
      ++i;
      continue;
    }
    if (script[i] == '"') {
      std::string utf8;
      ++i;
      bool closed = false;
      while (i < script.size()) {
        char c = script[i++];
        if (c == '\\' && i < script.size()) {
          utf8.push_back(script[i++]);
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          utf8.push_back(c);
        }
      }
      if (!closed) throw KeyScriptError("unterminated text in key script");
      for (char b : Utf8ToCp852(utf8)) out.push_back(KeyRecord(CharKey(static_cast<uint8_t>(b))));
      continue;
    }
    std::size_t start = i;
    while (i < script.size() && !std::isspace(static_cast<unsigned char>(script[i]))) ++i;
    std::string_view word = script.substr(start, i - start);
    if (ParseClick(word, &out)) continue;
    auto k = NamedKey(word);
    if (!k) throw KeyScriptError("unknown key in key script: " + std::string(word));
    out.push_back(KeyRecord(*k));
  }
  return out;
}

}  // namespace qz
