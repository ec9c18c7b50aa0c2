#include "text/format.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "text/cp852.h"

namespace qz {

namespace {

// Reads a whole field as a number: decimal digits, or "$" and hexadecimal
// digits; false for anything else (an empty field included).
bool ParseNumber(TextView s, uint32_t* out) {
  std::size_t i = 0;
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    i = 1;
  }
  if (i >= s.size()) return false;
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFu) return false;
  }
  *out = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

Text PadRight(std::size_t len, TextView s) {
  Text out(s.substr(0, len));
  out.resize(len, ' ');
  return out;
}

Text Spaces(int n) { return n > 0 ? Text(static_cast<std::size_t>(n), ' ') : Text(); }

Text IntToText(int32_t n) { return std::to_string(n); }

Text TextIf(bool cond, TextView s) { return cond ? Text(s) : Text(); }

Text YearText(int year) {
  Text t = std::to_string(year);
  return t.size() < 4 ? Spaces(static_cast<int>(4 - t.size())) + t : t;
}

Text WordsToText(const Words12& words) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text out;
  for (uint16_t w : words) {
    out += '$';
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(w >> shift) & 0xF];
  }
  return out;
}

Words12 TextToWords(TextView s) {
  Words12 words{};
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::size_t from = 5 * i;
    TextView group = from < s.size() ? s.substr(from, 5) : TextView();
    uint32_t v = 0;
    if (ParseNumber(group, &v) && v <= 0xFFFF) words[i] = static_cast<uint16_t>(v);
  }
  return words;
}

Date MakeDate(int day, int month, int year) {
  return Date{static_cast<uint8_t>(day), static_cast<uint8_t>(month), static_cast<uint16_t>(year)};
}

bool IsValidDate(const Date& d) {
  return d.day >= 1 && d.day <= 31 && d.month >= 1 && d.month <= 12 && d.year >= 1 &&
         d.year <= 2999;
}

Text DateToText(const Date& d) {
  if (!IsValidDate(d)) return "-";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02u-%02u-%04u", unsigned{d.day}, unsigned{d.month},
                unsigned{d.year});
  return buf;
}

Date TextToDate(TextView s) {
  if (s.size() != 10) return Date{};
  uint32_t day = 0, month = 0, year = 0;
  // Only plain decimal fields count as numbers here.
  if (s[0] == '$' || s[3] == '$' || s[6] == '$') return Date{};
  if (!ParseNumber(s.substr(0, 2), &day) || !ParseNumber(s.substr(3, 2), &month) ||
      !ParseNumber(s.substr(6, 4), &year)) {
    return Date{};
  }
  Date d = MakeDate(static_cast<int>(day), static_cast<int>(month), static_cast<int>(year));
  return IsValidDate(d) ? d : Date{};
}

Date GetDate(ConstBytes rec, std::size_t off) {
  return Date{GetU8(rec, off), GetU8(rec, off + 1), GetU16(rec, off + 2)};
}

void PutDate(Bytes rec, std::size_t off, const Date& d) {
  field_detail::Check(rec.size(), off, 4);
  PutU8(rec, off, d.day);
  PutU8(rec, off + 1, d.month);
  PutU16(rec, off + 2, d.year);
}

Text MonthName(int m) {
  static const Text kNames[] = {
      "-"_cp,           "Styczeń"_cp, "Luty"_cp,     "Marzec"_cp,      "Kwiecień"_cp,
      "Maj"_cp,         "Czerwiec"_cp, "Lipiec"_cp,  "Sierpień"_cp,    "Wrzesień"_cp,
      "Październik"_cp, "Listopad"_cp, "Grudzień"_cp, "Zestawienie"_cp, "Oczekujące"_cp,
      "Korekty roku"_cp, "SQL"_cp};
  if (m < 0 || m > 16) m = 0;
  const Text& name = kNames[m];
  return name.size() < 11 ? PadRight(11, name) : name;
}

double RoundMoney(double x) {
  if (x == 0) return 0;
  double r = std::trunc(std::fabs(x) * 100 + 0.500001) / 100;
  return x < 0 ? -r : r;
}

double CentsToAmount(int32_t cents) { return cents == 0 ? 0.0 : cents * 0.01; }

void AddIfNonZero(double x, double* total) {
  if (x != 0) *total += x;
}

void SubtractOrZero(double x, double* total) {
  if (x == 0) return;
  if (*total == x) *total = 0;
  else *total -= x;
}

bool ProportionSet(ConstBytes rec) { return GetI32(rec, 841) != 0 || GetU8(rec, 837) != 0; }

double ApplyProportion(ConstBytes rec, double x) {
  int32_t denominator = GetI32(rec, 841);
  if (denominator != 0) return RoundMoney(GetI32(rec, 837) * x / denominator);
  uint8_t percent = GetU8(rec, 837);
  if (percent != 0) return RoundMoney((100 - percent) * x / 100);
  return x;
}

void ZeroPair(Bytes rec, std::size_t off) {
  PutReal(rec, off, 0.0);
  PutReal(rec, off + 8, 0.0);
}

uint32_t PackedNow(const LocalTime& t) {
  uint32_t date = static_cast<uint32_t>((t.year - 1980) * 512 + t.month * 32 + t.day) & 0xFFFF;
  uint32_t time = static_cast<uint32_t>(t.hour * 2048 + t.minute * 32 + t.second / 2) & 0xFFFF;
  return date << 16 | time;
}

uint32_t PackedNow(Clock& clock) { return PackedNow(clock.Now()); }

}  // namespace qz
