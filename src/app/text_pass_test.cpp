#include "app/text_pass.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/cp852.h"

namespace qz {
namespace {

TEST(TextPassTest, CopyNameCodeCutsBothTextsAndKeepsTheRest) {
  std::vector<uint8_t> source(80, 'S');
  source[0] = 70;  // above the name's maximum of 65
  source[66] = 9;  // above the code's maximum of 4
  std::vector<uint8_t> target(80, 0xEE);
  CopyNameCode(target, source);
  EXPECT_EQ(GetText(target, 0, 255), std::string(65, 'S'));
  EXPECT_EQ(target[66], 4);
  EXPECT_EQ(GetText(target, 66, 4), "SSSS");
  EXPECT_EQ(target[71], 0xEE);
  EXPECT_EQ(target[79], 0xEE);

  EXPECT_EQ(PassText("Łódź"_cp), "Łódź"_cp);
  std::vector<uint8_t> block = {1, 2, 3};
  NoBlockConversion(block.size(), block);
  EXPECT_EQ(block, (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace qz
