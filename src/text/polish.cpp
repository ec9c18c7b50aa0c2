#include "text/polish.h"

#include <array>

namespace qz {

namespace {

// The special letters, small and capital paired position by position.
constexpr uint8_t kSmall[] = {0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xBE,
                              0xAB, 0x81, 0x89, 0x84, 0x94, 0x8B, 0x9F, 0xE7};
constexpr uint8_t kCapital[] = {0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0xBD,
                                0x8D, 0x9A, 0xD3, 0x8E, 0x99, 0x8A, 0xAC, 0xE6};

struct CaseTables {
  std::array<uint8_t, 256> upper{};
  std::array<uint8_t, 256> lower{};
  std::array<uint8_t, 256> key{};
};

constexpr CaseTables MakeCaseTables() {
  CaseTables t;
  for (int i = 0; i < 256; ++i) {
    t.upper[i] = t.lower[i] = t.key[i] = static_cast<uint8_t>(i);
  }
  for (int c = 'a'; c <= 'z'; ++c) {
    t.upper[c] = t.key[c] = static_cast<uint8_t>(c - 32);
    t.lower[c - 32] = static_cast<uint8_t>(c);
  }
  for (std::size_t k = 0; k < sizeof kSmall; ++k) {
    t.upper[kSmall[k]] = kCapital[k];
    t.lower[kCapital[k]] = kSmall[k];
  }
  // The code page's own upper-case pairs for the small letters in
  // 0x80..0xA5 (what a DOS country table gives for CP852).
  constexpr uint8_t kKeyPairs[][2] = {
      {0x81, 0x9A}, {0x82, 0x90}, {0x83, 0xB6}, {0x84, 0x8E}, {0x85, 0xDE}, {0x86, 0x8F},
      {0x87, 0x80}, {0x88, 0x9D}, {0x89, 0xD3}, {0x8B, 0x8A}, {0x8C, 0xD7}, {0x92, 0x91},
      {0x94, 0x99}, {0x96, 0x95}, {0x98, 0x97}, {0x9C, 0x9B}, {0x9F, 0xAC}, {0xA0, 0xB5},
      {0xA1, 0xD6}, {0xA2, 0xE0}, {0xA3, 0xE9}, {0xA5, 0xA4}};
  for (const auto& p : kKeyPairs) t.key[p[0]] = p[1];
  return t;
}

constexpr CaseTables kCase = MakeCaseTables();

constexpr std::array<uint8_t, 256> MakeWeights() {
  std::array<uint8_t, 256> w{};
  for (auto& x : w) x = 255;
  int pos = 1;
  for (int c = 0x00; c <= 0x1F; ++c) w[c] = static_cast<uint8_t>(pos++);
  w['_'] = static_cast<uint8_t>(pos++);
  for (int c = 0x20; c <= 0x40; ++c) w[c] = static_cast<uint8_t>(pos++);
  // Capital directly before its small letter; the Polish and other special
  // letters follow the plain letter they derive from.
  constexpr uint8_t kLetters[][2] = {
      {'A', 'a'},   {0xA4, 0xA5}, {0x8E, 0x84}, {'B', 'b'},   {'C', 'c'},   {0x8F, 0x86},
      {0xAC, 0x9F}, {'D', 'd'},   {'E', 'e'},   {0xA8, 0xA9}, {0xD3, 0x89}, {'F', 'f'},
      {'G', 'g'},   {'H', 'h'},   {'I', 'i'},   {'J', 'j'},   {'K', 'k'},   {'L', 'l'},
      {0x9D, 0x88}, {'M', 'm'},   {'N', 'n'},   {0xE3, 0xE4}, {'O', 'o'},   {0xE0, 0xA2},
      {0x99, 0x94}, {0x8A, 0x8B}, {'P', 'p'},   {'Q', 'q'},   {'R', 'r'},   {'S', 's'},
      {0x97, 0x98}, {0xE6, 0xE7}, {'T', 't'},   {'U', 'u'},   {0x9A, 0x81}, {'V', 'v'},
      {'W', 'w'},   {'X', 'x'},   {'Y', 'y'},   {'Z', 'z'},   {0xBD, 0xBE}, {0x8D, 0xAB}};
  for (const auto& l : kLetters) {
    w[l[0]] = static_cast<uint8_t>(pos++);
    w[l[1]] = static_cast<uint8_t>(pos++);
  }
  for (uint8_t c : {'[', '\\', ']', '^', '`', '{', '|', '}', '~'}) w[c] = static_cast<uint8_t>(pos++);
  return w;
}

constexpr std::array<uint8_t, 256> kWeights = MakeWeights();
static_assert(kWeights['~'] == 159, "the alphabet holds 159 bytes");
static_assert(kWeights['A'] == 67 && kWeights[0xAB] == 150);

}  // namespace

uint8_t UpCasePL(uint8_t c) { return kCase.upper[c]; }
uint8_t LoCasePL(uint8_t c) { return kCase.lower[c]; }
uint8_t UpCaseKey(uint8_t c) { return kCase.key[c]; }
uint8_t CollationWeight(uint8_t c) { return kWeights[c]; }

Text UpperPL(TextView s) {
  Text out(s);
  for (char& c : out) c = static_cast<char>(UpCasePL(static_cast<uint8_t>(c)));
  return out;
}

Text LowerPL(TextView s) {
  Text out(s);
  for (char& c : out) c = static_cast<char>(LoCasePL(static_cast<uint8_t>(c)));
  return out;
}

Text UpperKey(TextView s) {
  Text out(s);
  for (char& c : out) c = static_cast<char>(UpCaseKey(static_cast<uint8_t>(c)));
  return out;
}

int16_t ComparePL(TextView a, TextView b) {
  std::size_t n = a.size() > b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    uint8_t ca = i < a.size() ? static_cast<uint8_t>(a[i]) : 0;
    uint8_t cb = i < b.size() ? static_cast<uint8_t>(b[i]) : 0;
    uint8_t wa = kWeights[ca];
    uint8_t wb = kWeights[cb];
    if (wa != wb) return wa < wb ? 1 : -1;
  }
  return 0;
}

}  // namespace qz
