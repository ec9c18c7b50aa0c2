#include "platform/name_match.h"

#include <gtest/gtest.h>

#include "text/cp852.h"

namespace qz {
namespace {

TEST(NameMatchTest, PolishAndLatin2LettersFoldToTheirCapitals) {
  const Text small = "aząćęłńóśźżäöüčřšžéíúý"_cp;
  const Text capital = "AZĄĆĘŁŃÓŚŹŻÄÖÜČŘŠŽÉÍÚÝ"_cp;
  ASSERT_EQ(small.size(), capital.size());
  for (std::size_t i = 0; i < small.size(); ++i) {
    EXPECT_EQ(FoldNameChar(static_cast<uint8_t>(small[i])), static_cast<uint8_t>(capital[i])) << i;
    EXPECT_EQ(FoldNameChar(static_cast<uint8_t>(capital[i])), static_cast<uint8_t>(capital[i])) << i;
  }
  EXPECT_TRUE(SameNameNoCase("Zażółć.rek"_cp, "ZAŻÓŁĆ.REK"_cp));
  EXPECT_FALSE(SameNameNoCase("ł"_cp, "l"_cp));
  EXPECT_FALSE(SameNameNoCase("ab", "abc"));
  // Box-drawing bytes and ß are not letters with a capital.
  EXPECT_EQ(FoldNameChar(0xC4), 0xC4);
  EXPECT_EQ(FoldNameChar(0xE1), 0xE1);
}

TEST(NameMatchTest, Patterns) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  };
  const Case cases[] = {
      {"*.*", "README", true},     {"*.*", "a.b.c", true},        {"*", "x.y", true},
      {"*.rek", "2019VJ17.REK", true}, {"*.rek", "2019VJ17.REKX", false},
      {"2019????.REK", "2019vJ17.rek", true}, {"2019????.REK", "2019vJ1.rek", false},
      {"?", "", false},            {"a*b*c", "aXbYbZc", true},    {"a*b*c", "aXbYc_", false},
      {"DRA*.*", "dra01.xml", true}, {"dra*.*", "dra", true},     {"x.*", "xy", false},
      {"", "", true},              {"", "a", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchNamePattern(c.pattern, c.name), c.match) << c.pattern << " ~ " << c.name;
  }
}

}  // namespace
}  // namespace qz
