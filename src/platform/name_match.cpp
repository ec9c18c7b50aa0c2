#include "platform/name_match.h"

#include <array>

namespace qz {

namespace {

// Lower-case CP852 letters above 0x7F and their capitals (ß has none).
constexpr uint8_t kLatin2Pairs[][2] = {
    {0x81, 0x9A}, {0x82, 0x90}, {0x83, 0xB6}, {0x84, 0x8E}, {0x85, 0xDE}, {0x86, 0x8F},
    {0x87, 0x80}, {0x88, 0x9D}, {0x89, 0xD3}, {0x8B, 0x8A}, {0x8C, 0xD7}, {0x92, 0x91},
    {0x93, 0xE2}, {0x94, 0x99}, {0x96, 0x95}, {0x98, 0x97}, {0x9C, 0x9B}, {0x9F, 0xAC},
    {0xA0, 0xB5}, {0xA1, 0xD6}, {0xA2, 0xE0}, {0xA3, 0xE9}, {0xA5, 0xA4}, {0xA7, 0xA6},
    {0xA9, 0xA8}, {0xAB, 0x8D}, {0xAD, 0xB8}, {0xBE, 0xBD}, {0xC7, 0xC6}, {0xD0, 0xD1},
    {0xD4, 0xD2}, {0xD8, 0xB7}, {0xE4, 0xE3}, {0xE5, 0xD5}, {0xE7, 0xE6}, {0xEA, 0xE8},
    {0xEC, 0xED}, {0xEE, 0xDD}, {0xFB, 0xEB}, {0xFD, 0xFC},
};

constexpr std::array<uint8_t, 256> MakeFoldTable() {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
  for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<uint8_t>(c - 'a' + 'A');
  for (const auto& p : kLatin2Pairs) t[p[0]] = p[1];
  return t;
}

constexpr std::array<uint8_t, 256> kFold = MakeFoldTable();

bool SameChar(char a, char b) {
  return kFold[static_cast<uint8_t>(a)] == kFold[static_cast<uint8_t>(b)];
}

// Glob match with one backtracking point for the last `*` seen.
bool Glob(TextView p, TextView n) {
  std::size_t pi = 0, ni = 0;
  std::size_t star = TextView::npos, star_n = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      star_n = ni;
    } else if (pi < p.size() && (p[pi] == '?' || SameChar(p[pi], n[ni]))) {
      ++pi;
      ++ni;
    } else if (star != TextView::npos) {
      pi = star + 1;
      ni = ++star_n;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

}  // namespace

uint8_t FoldNameChar(uint8_t c) { return kFold[c]; }

bool SameNameNoCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameChar(a[i], b[i])) return false;
  }
  return true;
}

bool MatchNamePattern(TextView pattern, TextView name) {
  if (Glob(pattern, name)) return true;
  // "NAME.*" also stands for "NAME" without an extension.
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == TextView::npos) {
    return Glob(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

}  // namespace qz
