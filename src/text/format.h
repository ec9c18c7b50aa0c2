#ifndef QZ_TEXT_FORMAT_H_
#define QZ_TEXT_FORMAT_H_

#include <array>
#include <cstdint>

#include "platform/clock.h"
#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

/// The year the converted data is for.
inline constexpr int kWorkingYear = 2019;

/// `s` followed by spaces up to `len` characters; cut to `len` when longer.
Text PadRight(std::size_t len, TextView s);
/// `n` spaces (none for a negative `n`).
Text Spaces(int n);
/// `n` in decimal, "-" before a negative number, no padding.
Text IntToText(int32_t n);
/// `s` when `cond`, else the empty text.
Text TextIf(bool cond, TextView s);
/// `year` in decimal, right-aligned in 4 characters.
Text YearText(int year = kWorkingYear);

/// The twelve 16-bit words of a firm data row.
using Words12 = std::array<uint16_t, 12>;
/// Twelve groups "$XXXX" (upper-case hexadecimal), 60 characters.
Text WordsToText(const Words12& words);
/// Reads the twelve 5-character groups of `s` ("$" introduces hexadecimal,
/// otherwise decimal); a group that is not a valid 16-bit number gives 0.
Words12 TextToWords(TextView s);

/// The 4-byte date of the data files: day, month, 16-bit year. All zero
/// means no date.
struct Date {
  uint8_t day = 0;
  uint8_t month = 0;
  uint16_t year = 0;
  bool operator==(const Date&) const = default;
};

Date MakeDate(int day, int month, int year);
/// Day 1..31, month 1..12, year 1..2999 (the day is not checked against the
/// length of the month).
bool IsValidDate(const Date& d);
/// "DD-MM-YYYY" for a valid date, "-" otherwise.
Text DateToText(const Date& d);
/// The date of a 10-character "DD?MM?YYYY" text; the zero date for "-",
/// any other length, a field that is not a number or an invalid date.
Date TextToDate(TextView s);
/// The date field at `off` of a record, and its storing.
Date GetDate(ConstBytes rec, std::size_t off);
void PutDate(Bytes rec, std::size_t off, const Date& d);

/// Month name `m` (0 "-", 1..12 the months, 13..16 the period texts) padded
/// to 11 characters; an index outside 0..16 gives the "-" of index 0.
Text MonthName(int m);

/// Rounds to hundredths, halves away from zero, with a small allowance for
/// representation error (0.285 -> 0.29).
double RoundMoney(double x);
/// An amount kept in grosze as a 32-bit integer, in zloty.
double CentsToAmount(int32_t cents);
/// `*total += x` unless `x` is 0.
void AddIfNonZero(double x, double* total);
/// `*total -= x`, giving exactly 0 when `*total` equals `x`; nothing for 0.
void SubtractOrZero(double x, double* total);
/// Whether the record holds a proportion: a fraction at offsets 837/841
/// (32-bit numerator and denominator) or a percentage byte at 837.
bool ProportionSet(ConstBytes rec);
/// `x` reduced by the record's proportion: the fraction of `x`, or `x`
/// less the percentage, rounded to hundredths; `x` itself when none is set.
double ApplyProportion(ConstBytes rec, double x);
/// Sets the two amounts (two reals) of the field at `off` to 0.
void ZeroPair(Bytes rec, std::size_t off);
inline uint16_t Low7(uint16_t w) { return w & 0x7F; }
inline bool CompEqual(int64_t a, int64_t b) { return a == b; }
inline bool CompNegative(int64_t a) { return a < 0; }

/// True when every bit of `mask` is set in `value` (always for mask 0).
inline bool FlagSet(uint32_t value, uint32_t mask) { return (value & mask) == mask; }

/// Date and time in the packed DOS form: high word (year - 1980) * 512 +
/// month * 32 + day, low word hour * 2048 + minute * 32 + second / 2.
uint32_t PackedNow(const LocalTime& t);
uint32_t PackedNow(Clock& clock);

}  // namespace qz

#endif  // QZ_TEXT_FORMAT_H_
