#include "transfer/global_records.h"

#include <gtest/gtest.h>

#include "support/fixture.h"
#include "text/cp852.h"

namespace qz {
namespace {

using fixture::PatternRecord;
using fixture::Record;

// One record whose every field holds something, read by both address base
// items: which fields come out depends only on the mode.
Record AddressBaseSource() {
  Record in = PatternRecord(480, 7);
  in.I32(0, 123456)
      .U8(4, 9)
      .Str(5, 36, "Kowalski Jan")
      .Str(42, 36, "ul. Łąkowa 5")
      .Str(79, 36, "Żary")
      .Str(116, 18, "PL123-456-32-18")
      .Str(135, 14, "501 222 333")
      .Str(150, 11, "68-200")
      .Str(162, 6, "AB12")
      .Str(181, 20, "Śląskie")
      .Str(202, 30, "jan@example.pl")
      .Str(233, 20, "żarski")
      .Str(254, 20, "Żary")
      .Str(275, 36, "notatka")
      .Str(388, 36, "uwagi 1")
      .Str(425, 36, "uwagi 2");
  return in;
}

TEST(ConvertAddressBaseRecordTest, AddressModeCarriesTheAddressFields) {
  Record in = AddressBaseSource();
  Record out(480, 0xEE);
  EXPECT_TRUE(ConvertAddressBaseRecord(false, in.cbytes(), out.bytes()));

  Record want(480);
  want.I32(0, 123456).U8(4, 0);
  for (std::size_t off : {5, 42, 79, 275, 388, 425}) want.Str(off, 36, in.str(off));
  want.Str(116, 18, in.str(116)).Str(135, 14, in.str(135)).Str(150, 11, in.str(150));
  want.Str(162, 6, in.str(162)).Str(181, 20, in.str(181)).Str(202, 30, in.str(202));
  want.Str(233, 20, in.str(233)).Str(254, 20, in.str(254));
  want.U8(462, in.u8(462)).Raw(312, in.str_bytes().substr(312, 39));
  EXPECT_EQ(out, want);
}

TEST(ConvertAddressBaseRecordTest, TaxOfficeModeCarriesTheOfficeFieldsOfTheSameRecord) {
  Record in = AddressBaseSource();
  in.Str(5, 48, "Pierwszy Urząd Skarbowy w Żarach")
      .Str(54, 6, "0812")
      .Str(61, 26, "ul. Podchorążych 1")
      .Str(88, 44, "68-200 Żary")
      .Str(133, 52, "NBP O/Zielona Góra")
      .Str(186, 20, "konto")
      .Str(402, 4, "US1");
  Record out(480, 0xEE);
  EXPECT_TRUE(ConvertAddressBaseRecord(true, in.cbytes(), out.bytes()));

  Record want(480);
  want.I32(0, 123456).U8(4, 1);
  want.Str(5, 48, in.str(5)).Str(54, 6, in.str(54)).Str(61, 26, in.str(61));
  want.Str(88, 44, in.str(88)).Str(133, 52, in.str(133)).Str(186, 20, in.str(186));
  want.Str(402, 4, in.str(402));
  for (std::size_t off : {207, 246, 285, 324, 363}) {
    want.Raw(off, in.str_bytes().substr(off, 39));
  }
  EXPECT_EQ(out, want);

  Record as_address(480);
  ConvertAddressBaseRecord(false, in.cbytes(), as_address.bytes());
  EXPECT_NE(as_address, out);
}

TEST(ConvertAddressBaseRecordTest, OverlongTextsAreCutToTheirField) {
  Record in(480);
  in.Str(5, 36, std::string(40, 'N')).Str(162, 6, "ABCDEFGH");
  Record out(480);
  ConvertAddressBaseRecord(false, in.cbytes(), out.bytes());
  EXPECT_EQ(out.str(5), std::string(36, 'N'));
  EXPECT_EQ(out.str(162), "ABCDEF");
}

Record OfficeSource(TextView billing_line) {
  Record in = PatternRecord(384, 3);
  in.Str(0, 36, "Biuro Rachunkowe \"Bilans\"")
      .Str(37, 36, "ul. Grunwaldzka 12")
      .Str(74, 36, "80-236 Gdańsk")
      .Str(111, 13, "584-123-45-67")
      .Str(125, 26, "Gdańsk")
      .Str(204, 40, "12 1020 1811 0000 0000 0000 0000")
      .Str(245, 36, billing_line)
      .Str(283, 26, "Anna Nowak")
      .U16(349, 0xBEEF);
  for (std::size_t i = 0; i < 4; ++i) in.U16(152 + 13 * i, 77).Str(154 + 13 * i, 10, "/2018/FV");
  return in;
}

TEST(ConvertOfficeRecordTest, CarriesTheOfficeAndRestartsTheNumberings) {
  Record in = OfficeSource("Usługi księgowe za {zamiesiac}"_cp);
  Record out(384, 0xEE);
  EXPECT_TRUE(ConvertOfficeRecord(in.cbytes(), out.bytes()));

  Record want(384);
  for (std::size_t off : {0, 37, 74, 245}) want.Str(off, 36, in.str(off));
  want.Str(111, 13, in.str(111)).Str(125, 26, in.str(125)).Str(204, 40, in.str(204));
  want.U8(282, in.u8(282)).Str(283, 26, in.str(283)).U16(349, 0xBEEF);
  want.Raw(310, in.str_bytes().substr(310, 39));
  for (std::size_t i = 0; i < 4; ++i) want.U16(152 + 13 * i, 1).Str(154 + 13 * i, 10, "/2019");
  EXPECT_EQ(out, want);
}

TEST(ConvertOfficeRecordTest, EmptyBillingLineGetsTheDefault) {
  Record out(384);
  ConvertOfficeRecord(OfficeSource("").cbytes(), out.bytes());
  EXPECT_EQ(Cp852ToUtf8(out.str(245)), "Prowadzenie księgi - {zamiesiac}");
}

Record PlainOperator(uint16_t group3, uint16_t group5) {
  Record rec = PatternRecord(512, 11);
  rec.Str(24, 30, "KIEROWNIK").Str(55, 16, "tajne").Str(93, 37, "Maria Wiśniewska"_cp);
  rec.U16(133, 0x00FF).U16(135, 0x0F0F).U16(137, 0xFFFF).U16(139, group3).U16(141, 0x1234);
  rec.U16(143, group5);
  return rec;
}

TEST(ConvertOperatorRecordTest, AddsTheSplitRightsAndKeepsEveryOtherByte) {
  struct Case {
    uint16_t group3, group5, want3;
  } cases[] = {
      {0x0004, 0x0000, 0x0014},  // (3, 4) without (3, 16) gains (3, 16)
      {0x0014, 0x0000, 0x0014},  // already has it
      {0x0000, 0x0002, 0x0008},  // (5, 2) without (3, 8) gains (3, 8)
      {0x0008, 0x0002, 0x0008},
      {0x0004, 0x0002, 0x001C},  // both
      {0x8001, 0xFFFD, 0x8001},  // neither right: nothing changes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.group3);
    Record plain = PlainOperator(c.group3, c.group5);
    Record stored = plain;
    ScrambleOperatorRecord(stored.bytes());
    Record converted = stored;
    EXPECT_TRUE(ConvertOperatorRecord(converted.bytes()));

    // Apart from word 139 the stored file is unchanged byte for byte.
    for (std::size_t p = 0; p < 512; ++p) {
      if (p == 139 || p == 140) continue;
      ASSERT_EQ(converted.u8(p), stored.u8(p)) << "byte " << p;
    }
    Record back = converted;
    ScrambleOperatorRecord(back.bytes());
    Record want = plain;
    want.U16(139, c.want3);
    EXPECT_EQ(back, want);
  }
}

TEST(ConvertOperatorRecordTest, OverlongTextIsCut) {
  Record plain = PlainOperator(0, 0);
  plain.Str(55, 16, std::string(20, 'x'));
  Record rec = plain;
  ScrambleOperatorRecord(rec.bytes());
  ConvertOperatorRecord(rec.bytes());
  ScrambleOperatorRecord(rec.bytes());
  EXPECT_EQ(rec.str(55), std::string(16, 'x'));
}

TEST(ScrambleOperatorRecordTest, FixedKeyStreamUndoesItself) {
  Record rec(512);
  ScrambleOperatorRecord(rec.bytes());
  // The key stream of the fixed seed: stored operator files depend on it.
  EXPECT_EQ(rec.u8(0), 217);
  EXPECT_EQ(rec.u8(1), 250);
  EXPECT_EQ(rec.u8(2), 2);
  EXPECT_EQ(rec.u8(3), 89);
  ScrambleOperatorRecord(rec.bytes());
  EXPECT_EQ(rec, Record(512));
}

}  // namespace
}  // namespace qz
