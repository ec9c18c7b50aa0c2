#include "transfer/firm_records.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fixture.h"
#include "transfer/module_data.h"

namespace qz {
namespace {

using fixture::PatternRecord;
using fixture::Record;

struct TextSpot {
  std::size_t off;
  std::size_t max;
};

// Offset of the first byte where the two records differ, for the failure text.
std::string FirstDiff(const Record& got, const Record& want) {
  if (got.size() != want.size()) return "sizes differ";
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (got.data()[i] != want.data()[i]) {
      return "first difference at byte " + std::to_string(i) + ": got " +
             std::to_string(got.data()[i]) + ", want " + std::to_string(want.data()[i]);
    }
  }
  return "equal";
}

#define EXPECT_SAME_RECORD(got, want) EXPECT_TRUE((got) == (want)) << FirstDiff((got), (want))

struct HookCase {
  const char* name;
  std::function<bool(Bytes)> hook;
  std::size_t size;
  std::vector<TextSpot> texts;
};

std::vector<TextSpot> AssetRecordTexts() {
  std::vector<TextSpot> t = {{4, 60},    {65, 60},   {126, 30},  {157, 30},  {192, 60},
                             {253, 60},  {314, 60},  {543, 30},  {578, 60},  {639, 60},
                             {700, 60},  {761, 60},  {822, 60},  {883, 60},  {944, 60},
                             {1305, 60}, {1366, 60}, {1427, 60}, {1488, 60}, {1579, 60},
                             {1640, 60}, {1701, 60}, {1762, 20}, {1783, 60}, {39143, 15},
                             {39159, 18}};
  for (int y = 1985; y <= 2020; ++y) {
    for (int m = 1; m <= 12; ++m) {
      t.push_back({static_cast<std::size_t>(2075 + 1020 * (y - 1985) + 85 * (m - 1)), 30});
    }
  }
  return t;
}

std::vector<TextSpot> ZalTexts() {
  std::vector<TextSpot> t;
  for (std::size_t k = 1; k <= 12; ++k) t.push_back({14 + 71 * (k - 1), 70});
  return t;
}

// Every text-pass hook: each listed field holds a stored length one above its
// maximum and must come back cut to the maximum; nothing else may change.
TEST(TextPassHooks, CutEveryListedTextAndTouchNothingElse) {
  const std::vector<HookCase> cases = {
      {"Zal", ZalTextHook, 1024, ZalTexts()},
      {"Interest", InterestTextHook, 200, {{14, 40}, {55, 40}, {108, 30}, {146, 20}}},
      {"Vehicle", VehicleTextHook, 320, {{4, 32}, {37, 32}, {70, 12}}},
      {"OneOffAsset", OneOffAssetTextHook, 768,
       {{20, 16}, {37, 16}, {54, 43}, {98, 12}, {111, 60}, {172, 18}, {199, 50}, {250, 50},
        {301, 50}, {352, 50}, {411, 43}}},
      {"AssetBaseList", AssetBaseListTextHook, 367, {{0, 50}, {64, 50}}},
      {"AssetConfig", AssetConfigTextHook, 3837,
       {{0, 40}, {41, 40}, {82, 40}, {151, 20}, {172, 30}, {1272, 30}}},
      {"AssetRecord", AssetRecordTextHook, kAssetRecordSize, AssetRecordTexts()},
      {"MileageConfig", MileageConfigTextHook, 2395, {{58, 40}, {99, 40}, {140, 40}, {337, 10}}},
      {"MileageAddress", MileageAddressTextHook, 557,
       {{4, 40}, {45, 40}, {127, 37}, {219, 20}, {240, 30}, {271, 20}, {292, 20}, {313, 30},
        {344, 30}, {375, 40}, {416, 40}}},
      {"MileageCar", MileageCarTextHook, 704, {{4, 12}, {17, 35}, {69, 40}, {110, 40}}},
      {"MileageKst", MileageKstTextHook, 572,
       {{6, 20}, {31, 40}, {72, 40}, {141, 20}, {162, 30}, {193, 50}}},
      {"MileageWyj", MileageWyjTextHook, 128, {{24, 35}, {60, 35}}},
  };
  for (const HookCase& c : cases) {
    SCOPED_TRACE(c.name);
    Record rec = PatternRecord(c.size, 3);
    for (const TextSpot& t : c.texts) rec.U8(t.off, static_cast<uint8_t>(t.max + 1));
    Record want = rec;
    for (const TextSpot& t : c.texts) want.U8(t.off, static_cast<uint8_t>(t.max));
    EXPECT_TRUE(c.hook(rec.bytes()));
    EXPECT_SAME_RECORD(rec, want);
  }
}

TEST(TextPassHooks, KeepTextsWithinTheirMaximum) {
  Record rec = PatternRecord(200, 9);
  rec.Str(14, 40, "Odsetki od zaległości podatkowych").Str(55, 40, "Kontrahent")
      .Str(108, 30, std::string(30, 't')).Str(146, 20, "");
  Record want = rec;
  EXPECT_TRUE(InterestTextHook(rec.bytes()));
  EXPECT_SAME_RECORD(rec, want);
}

TEST(ConvertAutomatRecord, WidensTextsAndSetsFlag) {
  Record in = PatternRecord(160, 5);
  in.Str(0, 18, "Sprzedaz detal")
      .Str(19, 36, std::string(36, 'A'))
      .Str(56, 36, "Opis drugi")
      .Str(93, 36, "Konto 701-01")
      .Str(130, 20, std::string(25, 'Z'));  // over-long: cut to 20
  Record out = PatternRecord(512, 77);     // the buffer holds an earlier record
  EXPECT_TRUE(ConvertAutomatRecord(in.cbytes(), out.bytes()));

  Record want(512);
  want.Str(0, 18, "Sprzedaz detal")
      .Str(19, 128, std::string(36, 'A'))
      .Str(148, 128, "Opis drugi")
      .Str(277, 80, "Konto 701-01")
      .Str(358, 40, std::string(20, 'Z'))
      .U8(399, in.u8(151))
      .U8(400, 1)
      .U8(401, in.u8(153))
      .U8(402, in.u8(154))
      .I32(403, in.i32(155));
  EXPECT_SAME_RECORD(out, want);
}

TEST(ConvertInternalDocRecord, PassesTextsAndEntries) {
  Record in = PatternRecord(784, 11);
  in.Str(5, 22, "DW/1/2019").Str(28, 36, "Wydatek wewnetrzny").Str(684, 31, "Sporzadzil")
      .Str(716, 22, std::string(30, 'K'));
  for (std::size_t k = 0; k < 10; ++k) {
    in.Str(74 + 61 * k, 36, "Pozycja " + std::to_string(k + 1))
        .Real(74 + 61 * k + 37, 1.5 * k).Real(74 + 61 * k + 45, -2.25).Real(74 + 61 * k + 53, 1e6 + k);
  }
  Record out = PatternRecord(784, 99);
  EXPECT_TRUE(ConvertInternalDocRecord(in.cbytes(), out.bytes()));

  Record want(784);
  want.U8(0, in.u8(0)).I32(1, in.i32(1)).Str(5, 22, "DW/1/2019").Str(28, 36, "Wydatek wewnetrzny")
      .U8(65, in.u8(65)).Str(684, 31, "Sporzadzil").Str(716, 22, std::string(22, 'K'));
  for (std::size_t k = 0; k < 10; ++k) {
    want.Str(74 + 61 * k, 36, "Pozycja " + std::to_string(k + 1))
        .Real(74 + 61 * k + 37, 1.5 * k).Real(74 + 61 * k + 45, -2.25).Real(74 + 61 * k + 53, 1e6 + k);
  }
  EXPECT_SAME_RECORD(out, want);
}

Record TransferSource(uint8_t kind) {
  Record in = PatternRecord(432, 21);
  in.U8(0, kind).Str(1, 54, "Urzad Skarbowy Krakow").Str(56, 54, std::string(60, 'N'))
      .Str(150, 54, "PL61 1090 1014 0000 0712 1981 2874").Str(205, 54, "Tytul przelewu");
  return in;
}

// The fields carried whatever the kind; the block 299..408 is the caller's.
Record TransferCommon(const Record& in) {
  Record want(432);
  want.U8(0, in.u8(0)).Str(1, 54, "Urzad Skarbowy Krakow").Str(56, 54, std::string(54, 'N'))
      .Raw(111, in.str_bytes().substr(111, 39))
      .Str(150, 54, "PL61 1090 1014 0000 0712 1981 2874").Str(205, 54, "Tytul przelewu")
      .Raw(260, in.str_bytes().substr(260, 39))
      .Real(409, in.real(409)).I32(417, in.i32(417)).U16(421, in.u16(421));
  return want;
}

TEST(ConvertTransferRecord, BlockTextsFollowTheKind) {
  {
    SCOPED_TRACE("kind 0: texts 299 and 354");
    Record in = TransferSource(0);
    in.Str(299, 54, "Odbiorca").Str(354, 54, std::string(60, 'x'));
    Record out(432);
    EXPECT_TRUE(ConvertTransferRecord(in.cbytes(), out.bytes()));
    Record want = TransferCommon(in);
    want.Raw(299, in.str_bytes().substr(299, 110)).U8(354, 54);
    EXPECT_SAME_RECORD(out, want);
  }
  {
    SCOPED_TRACE("kind 1: text 362");
    Record in = TransferSource(1);
    in.Str(362, 20, std::string(25, 'y'));
    Record out(432);
    EXPECT_TRUE(ConvertTransferRecord(in.cbytes(), out.bytes()));
    Record want = TransferCommon(in);
    want.Raw(299, in.str_bytes().substr(299, 110)).U8(362, 20);
    EXPECT_SAME_RECORD(out, want);
  }
  {
    SCOPED_TRACE("kind 2: block byte for byte");
    Record in = TransferSource(2);
    in.U8(299, 200).U8(354, 200).U8(362, 200);  // would be cut under another kind
    Record out(432);
    EXPECT_TRUE(ConvertTransferRecord(in.cbytes(), out.bytes()));
    Record want = TransferCommon(in);
    want.Raw(299, in.str_bytes().substr(299, 110));
    EXPECT_SAME_RECORD(out, want);
  }
}

TEST(ConvertCorrectiveNoteRecord, CarriesHeaderPartiesAndLines) {
  Record in = PatternRecord(848, 33);
  in.Str(4, 16, "NK/7/2019").Str(25, 20, "Korekta ceny").Str(46, 22, std::string(40, 'q'));
  for (std::size_t base : {73u, 225u}) {
    in.Str(base, 18, "1234567890").Str(base + 19, 36, "Firma Sp. z o.o.")
        .Str(base + 56, 36, "ul. Długa 5").Str(base + 93, 6, "30-001")
        .Str(base + 100, 20, "Kraków").Str(base + 121, 30, std::string(31, 'w'));
  }
  for (std::size_t k = 0; k < 12; ++k) in.Str(377 + 39 * k, 38, "Linia " + std::to_string(k));
  Record out = PatternRecord(848, 1);
  EXPECT_TRUE(ConvertCorrectiveNoteRecord(in.cbytes(), out.bytes()));

  Record want(848);
  want.I32(0, in.i32(0)).Str(4, 16, "NK/7/2019").I32(21, in.i32(21)).Str(25, 20, "Korekta ceny")
      .Str(46, 22, std::string(22, 'q')).I32(69, in.i32(69));
  for (std::size_t base : {73u, 225u}) {
    want.Str(base, 18, "1234567890").Str(base + 19, 36, "Firma Sp. z o.o.")
        .Str(base + 56, 36, "ul. Długa 5").Str(base + 93, 6, "30-001")
        .Str(base + 100, 20, "Kraków").Str(base + 121, 30, std::string(30, 'w'));
  }
  for (std::size_t k = 0; k < 12; ++k) want.Str(377 + 39 * k, 38, "Linia " + std::to_string(k));
  EXPECT_SAME_RECORD(out, want);
}

}  // namespace
}  // namespace qz
