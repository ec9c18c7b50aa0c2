#include "transfer/staff_convert.h"

#include <algorithm>

#include "app/context.h"
#include "app/text_pass.h"
#include "text/cp852.h"
#include "transfer/staff_question.h"
#include "transfer/staff_text_pass.h"

namespace qz {

namespace {

constexpr std::size_t kStaffRecordSize = 2048;
constexpr std::size_t kMarkOffset = 8;
constexpr uint8_t kScrambledMark = 2;
constexpr uint8_t kPlainMark = 1;
constexpr std::size_t kDismissalOffset = 213;
constexpr std::size_t kScrambleFirst = 14;
constexpr std::size_t kScrambleLast = 2021;

// 31 December 2018 read as one little-endian 32-bit number (day, month,
// 16-bit year), so that a later date is a larger number.
constexpr uint32_t kCutoffDate = 31u | (12u << 8) | (2018u << 16);

int64_t PersonId(ConstBytes rec) { return static_cast<int64_t>(GetLe<uint64_t>(rec, 0)); }

// Whether `id` is among the listed persons. Only filled slots are searched:
// the last slot of the list is never filled, and a zero there must not
// match a person with identifier 0 who was not carried.
bool PersonListed(const StaffState& staff, uint16_t count, int64_t id) {
  std::size_t n = std::min<std::size_t>(count, StaffState::kPersonSlots - 1);
  const auto* first = staff.person_list.data();
  return std::find(first, first + n, id) != first + n;
}

// The number of list slots to search for a family member or contract, with
// the count message when more persons were carried than the list holds.
uint16_t SearchCount(Context& ctx, const Text& too_many) {
  uint16_t n = ctx.staff.person_count;
  if (n > StaffState::kPersonSlots) {
    ctx.log.Line(too_many);
    ctx.log.WaitKey();
    n = StaffState::kPersonSlots;
  }
  return n;
}

}  // namespace

void StartStaffList(Context& ctx) {
  ctx.staff.ask_mode = ctx.run.options.staff_mode;
  ctx.staff.person_list.fill(0);
  ctx.staff.person_count = 0;
}

void ScrambleStaffRecord(Bytes rec) {
  // The run-time generator of the accounting program: a linear congruential
  // step, then the high 32 bits of seed * range.
  uint32_t seed = kStaffScrambleSeed;
  for (std::size_t p = kScrambleFirst; p <= kScrambleLast; ++p) {
    seed = seed * 134775813u + 1u;
    auto r = static_cast<uint8_t>((uint64_t{seed} * 255u) >> 32);
    PutU8(rec, p, static_cast<uint8_t>(GetU8(rec, p) ^ r));
  }
}

bool ConvertStaffRecord(Context& ctx, ConstBytes in, Bytes out) {
  // The record is worked on in `out`; the input buffer stays as read.
  CopyBytes(out, 0, in, 0, kStaffRecordSize);
  bool scrambled = GetU8(out, kMarkOffset) == kScrambledMark;
  if (scrambled) {
    ScrambleStaffRecord(out);
    PutU8(out, kMarkOffset, kPlainMark);
  }
  int64_t id = PersonId(out);
  if (id < 0) return false;

  ctx.log.SetColour(8);
  ctx.log.Write("osoba: "_cp);
  ctx.log.SetColour(15);
  ctx.log.Write(PassText(GetText(out, 40, 31) + " " + GetText(out, 72, 22)));
  ctx.log.SetColour(7);

  bool take = true;
  switch (ctx.staff.ask_mode) {
    case 0:
      break;
    case 1: {
      uint32_t dismissed = GetU32(out, kDismissalOffset);
      if (dismissed != 0 && dismissed < kCutoffDate) {
        ctx.log.Line(" - zwolniony"_cp);
        ctx.clock.SleepMs(250);
        return false;
      }
      break;
    }
    default: {
      ctx.log.SetColour(10);
      ctx.log.Write(" Przenieść T/N /W  ? "_cp);
      ctx.log.SetColour(7);
      char answer = AskStaffKey(ctx, "TNW");
      take = answer != 'N';
      if (answer == 'W') ctx.staff.ask_mode = 0;
      break;
    }
  }
  ctx.log.Line("");
  if (!take) return false;

  if (ctx.staff.person_count < UINT16_MAX) ++ctx.staff.person_count;
  uint16_t count = ctx.staff.person_count;
  if (count < StaffState::kPersonSlots) {
    ctx.staff.person_list[count - 1] = id;
  } else if (count == StaffState::kPersonSlots) {
    ctx.log.Line("Upss... za dużo pracowników, nie połapię się w rodzinach !"_cp);
    ctx.log.WaitKey();
  }

  PassTextFields(out, {{40, 31}, {72, 22}, {95, 22}, {118, 22}, {141, 22}, {168, 40},
                            {219, 31}, {251, 22}, {1256, 30}});
  for (std::size_t k = 0; k < 8; ++k) PassTextField(out, 1300 + 51 * k, 50);
  CopyNameCodeBlock(out, out, 513);
  PassTextFields(out, {{1745, 31}, {1925, 70}, {2000, 15}, {427, 36}, {1710, 24}, {1915, 8}});

  if (scrambled) {
    ScrambleStaffRecord(out);
    PutU8(out, kMarkOffset, kScrambledMark);
  }
  return true;
}

bool ConvertFamilyRecord(Context& ctx, ConstBytes in, Bytes out) {
  constexpr std::size_t kFamilyRecordSize = 352;
  FillBytes(out, 0, kFamilyRecordSize, 0);
  int64_t id = PersonId(in);
  if (id < 0) return false;
  uint16_t n = SearchCount(ctx, "Upss... Wskaźnik osoby > max ilość osob !"_cp);
  if (!PersonListed(ctx.staff, n, id)) {
    ctx.log.Line("Nie odnaleziono osoby związanej z członkiem rodziny !"_cp);
    ctx.log.WaitKey();
    return false;
  }
  CopyBytes(out, 0, in, 0, kFamilyRecordSize);
  PassTextFields(out, {{46, 9}, {56, 31}, {88, 22}});
  ctx.log.Line("  " + GetText(out, 56, 31) + " " + GetText(out, 88, 22));
  return true;
}

bool CheckContractRecord(Context& ctx, Bytes rec) {
  int64_t id = PersonId(rec);
  if (id < 0) return false;
  uint16_t n = SearchCount(ctx, "Upss... za duża ilość pracownikow !"_cp);
  if (!PersonListed(ctx.staff, n, id)) {
    ctx.log.Line("Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !"_cp);
    ctx.log.WaitKey();
    return false;
  }
  PassTextFields(rec, {{20, 10}, {31, 10}, {42, 60}, {103, 60}, {164, 60}});
  return true;
}

}  // namespace qz
