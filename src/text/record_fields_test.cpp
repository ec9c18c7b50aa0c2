#include "text/record_fields.h"

#include <gtest/gtest.h>

#include <vector>

namespace qz {
namespace {

TEST(RecordFieldsTest, TextFieldReadIsCutToItsField) {
  struct Case {
    uint8_t stored_len;
    std::size_t max;
    std::size_t record_size;
    const char* want;
  } cases[] = {
      {3, 5, 10, "abc"},
      {5, 5, 10, "abcde"},
      {9, 5, 10, "abcde"},     // length byte above the field's maximum
      {255, 20, 10, "abcdefghi"},  // length byte reaching past the record
      {0, 5, 10, ""},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> rec(c.record_size);
    rec[0] = c.stored_len;
    for (std::size_t i = 1; i < rec.size(); ++i) rec[i] = static_cast<uint8_t>('a' + i - 1);
    EXPECT_EQ(GetText(rec, 0, c.max), c.want) << int{c.stored_len} << "/" << c.max;
  }
  std::vector<uint8_t> rec(4);
  EXPECT_THROW(GetText(rec, 4, 3), std::out_of_range);
}

TEST(RecordFieldsTest, PutTextCutsAndKeepsOrZeroesTheTail) {
  std::vector<uint8_t> rec(8, 0xEE);
  PutText(rec, 1, 4, "abcdef");
  EXPECT_EQ(rec, (std::vector<uint8_t>{0xEE, 4, 'a', 'b', 'c', 'd', 0xEE, 0xEE}));
  PutText(rec, 1, 4, "x");
  EXPECT_EQ(rec, (std::vector<uint8_t>{0xEE, 1, 'x', 'b', 'c', 'd', 0xEE, 0xEE}));
  PutText(rec, 1, 4, "y", TextTail::Zero);
  EXPECT_EQ(rec, (std::vector<uint8_t>{0xEE, 1, 'y', 0, 0, 0, 0xEE, 0xEE}));
  // The whole field must fit even when the text is short.
  EXPECT_THROW(PutText(rec, 4, 4, ""), std::out_of_range);
}

TEST(RecordFieldsTest, NumbersAndBoundsOfTheRecord) {
  std::vector<uint8_t> rec(12, 0);
  PutU16(rec, 0, 0xBEEF);
  PutI32(rec, 2, -2);
  PutReal(rec, 4, 0.0);
  EXPECT_EQ(rec[0], 0xEF);
  EXPECT_EQ(rec[1], 0xBE);
  EXPECT_EQ(GetU16(rec, 0), 0xBEEF);
  PutReal(rec, 4, -12.5);
  EXPECT_EQ(GetReal(rec, 4), -12.5);
  PutI32(rec, 0, -2);
  EXPECT_EQ(GetI32(rec, 0), -2);
  EXPECT_THROW(GetReal(rec, 5), std::out_of_range);
  EXPECT_THROW(PutU16(rec, 11, 1), std::out_of_range);
  EXPECT_THROW(GetU32(rec, static_cast<std::size_t>(-1)), std::out_of_range);
  EXPECT_THROW(CopyBytes(rec, 10, rec, 0, 3), std::out_of_range);
  EXPECT_THROW(FillBytes(rec, 13, 0, 0), std::out_of_range);
  FillBytes(rec, 12, 0, 0);  // an empty run at the end is fine
  CopyBytes(rec, 1, rec, 0, 4);  // overlapping moves are safe
}

}  // namespace
}  // namespace qz
