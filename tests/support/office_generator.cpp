#include "support/office_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "support/fixture.h"
#include "text/cp852.h"

namespace qz::fixture {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kWriteBuffer = 1 << 20;

const char* const kSurnames[] = {"Kowalski", "Nowak", "Wiśniewski", "Wójcik", "Kowalczyk",
                                 "Kamiński", "Lewandowski", "Zieliński", "Szymański", "Woźniak",
                                 "Dąbrowski", "Kozłowski", "Jankowski", "Mazur", "Krawczyk"};
const char* const kNames[] = {"Jan", "Anna", "Piotr", "Małgorzata", "Krzysztof", "Agnieszka",
                              "Andrzej", "Barbara", "Tomasz", "Ewa", "Paweł", "Łucja", "Michał",
                              "Żaneta", "Grzegorz"};
const char* const kGoods[] = {"Usługa", "Towar", "Materiał", "Paliwo", "Czynsz", "Energia",
                              "Telefon", "Księgowość", "Transport", "Naprawa"};

Text Cp(const std::string& utf8) { return Utf8ToCp852(utf8); }

template <typename T, std::size_t N>
const char* Pick(const T (&list)[N], int i) {
  return list[static_cast<std::size_t>(i) % N];
}

std::string Num(int n, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, n);
  return buf;
}

// Writes one file of the office record by record through a large buffer.
class FileWriter {
 public:
  FileWriter(const fs::path& path, OfficeTotals* totals)
      : path_(path), buffer_(std::make_unique<char[]>(kWriteBuffer)), totals_(totals) {
    out_.rdbuf()->pubsetbuf(buffer_.get(), kWriteBuffer);
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_) throw std::runtime_error("cannot create " + path.string());
  }
  /// Closes the file; throws when any of it could not be written.
  void Close() {
    out_.close();
    if (!out_) throw std::runtime_error("cannot write " + path_.string());
    ++totals_->files;
  }
  void Write(const Record& r) { Write(r.data().data(), r.size()); }
  void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
  void Line(const std::string& cp852) { Write(cp852 + "\r\n"); }

 private:
  void Write(const void* data, std::size_t n) {
    out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(n));
    totals_->bytes += static_cast<int64_t>(n);
  }

  fs::path path_;
  std::unique_ptr<char[]> buffer_;
  std::ofstream out_;
  OfficeTotals* totals_;
};

void WriteRecords(const fs::path& path, const std::vector<Record>& records, OfficeTotals* totals) {
  FileWriter w(path, totals);
  for (const Record& r : records) w.Write(r);
  w.Close();
}

void WriteText(const fs::path& path, const std::vector<std::string>& utf8_lines,
               OfficeTotals* totals) {
  FileWriter w(path, totals);
  for (const std::string& line : utf8_lines) w.Line(Cp(line));
  w.Close();
}

// A date record: day, month, 16-bit year.
Record& Date(Record& r, std::size_t off, int day, int month, int year) {
  return r.U8(off, static_cast<uint8_t>(day)).U8(off + 1, static_cast<uint8_t>(month))
      .U16(off + 2, static_cast<uint16_t>(year));
}

// Records of `size` bytes: a pattern in the carried bytes, texts where the
// converters read them (`texts` gives offset and capacity pairs).
std::vector<Record> TextRecords(std::size_t size, int count, int seed,
                                const std::vector<std::pair<std::size_t, std::size_t>>& texts) {
  std::vector<Record> out;
  for (int i = 0; i < count; ++i) {
    Record r = PatternRecord(size, static_cast<uint8_t>(seed + i));
    for (const auto& [off, max] : texts) {
      r.Str(off, max, Cp(std::string(Pick(kGoods, i + static_cast<int>(off))) + " nr " +
                         std::to_string(i + 1)).substr(0, max));
    }
    out.push_back(std::move(r));
  }
  return out;
}

Record FirmListRecord(int n) {
  Record r(103);
  r.Str(0, 31, Cp("Firma " + std::string(Pick(kSurnames, n)) + " " + Num(n, 3) + " s.c."));
  r.Str(32, 8, OfficeFirmDir(n));
  r.Str(41, 25, Cp("biuro, teczka " + std::to_string(n)));
  r.Fill(67, 36, static_cast<uint8_t>(n % 200));
  return r;
}

// Annual settings for 2018: December approved (byte 3 = 13) and VAT not
// settled by proportion, so the conversion asks nothing.
std::vector<Record> AnnualSettings(int firm) {
  Record r1 = PatternRecord(512, static_cast<uint8_t>(firm));
  r1.U8(2, 12).U8(3, 13).U8(117, 0).U16(118, 0).U16(120, 0);
  for (int k = 0; k <= 12; ++k) r1.Real(150 + 8 * static_cast<std::size_t>(k), 1000.0 * k + firm);
  for (int k = 0; k < 12; ++k) r1.Real(256 + 8 * static_cast<std::size_t>(k), 10.5 * k);
  r1.Real(408, 0.0);
  Record r2(512);
  for (int k = 0; k < 10; ++k) {
    std::size_t at = 2 + 16 * static_cast<std::size_t>(k);
    r2.Str(at, 6, "K" + std::to_string(k)).U16(at + 7, 5).Str(at + 9, 6, "/2018");
  }
  Record r3 = PatternRecord(512, static_cast<uint8_t>(firm + 1));
  r3.Real(2, 123.45).Real(10, 67.89).Real(270, 0.5);
  return {r1, r2, r3};
}

std::vector<std::string> FirmDescription(int firm) {
  std::string name = std::string(Pick(kSurnames, firm));
  return {
      "[RUR]", "NAZWA_ZUS=" + name + " " + Num(firm, 3), "INFO1=Biuro rachunkowe, firma " +
      std::to_string(firm), "INFO2=ul. Długa " + std::to_string(firm), "PATHXML=C:\\XML\\",
      "PATH2018=C:\\RUR_2018\\" + OfficeFirmDir(firm), "FAS=NIE", "",
      "[FIRMA]", "TYP=1", "NIP=521-000-" + Num(firm, 2) + "-" + Num(firm % 97, 2),
      "REGON=01234" + Num(firm, 4), "",
      "[URZEDY_SKARBOWE]", "VAT-7=Urząd Skarbowy Warszawa-Śródmieście", "PIT-4R=Urząd Skarbowy Łódź", "",
      "[URZEDY_SKARBOWE_EKOD]", "VAT-7=1438", "PIT-4R=1007", "",
      "[BANKI]", "DEF=1", "DEF_ZUS=31", "NAZWA1=Bank Spółdzielczy", "NRB1=12 3456 7890 1234 5678 9012 3456",
      "DATA_ZBA=02-01-2018", "",
      "[OSOBA_FIZYCZNA]", "PESEL=7001010" + Num(firm, 4), "NAZWISKO=" + name, "IMIE1=" +
      std::string(Pick(kNames, firm)), "DATA_URODZENIA=01-01-1970", "OBYWATELSTWO=polskie", "",
      "[ADRES_SIEDZIBY]", "KRAJ=Polska", "WOJEWODZTWO=mazowieckie", "GMINA=Warszawa",
      "ULICA=Żółkiewskiego", "DOM=" + std::to_string(firm), "MIEJSCOWOSC=Warszawa", "KOD=00-950",
      "IAP=TAK", "",
      "[ZUS_ZxA]", "RENT2018=1", "DRAIX02_2019=$0001$0002$0003$0004$0005$0006$0007$0008$0009$000A$000B$000C",
      "",
  };
}

std::vector<Record> Staff(int firm, int count) {
  std::vector<Record> out;
  for (int i = 1; i <= count; ++i) {
    Record r = PatternRecord(2048, static_cast<uint8_t>(i));
    r.Fill(0, 8, 0).I32(0, firm * 1000 + i).U8(8, 1);
    r.Str(40, 31, Cp(Pick(kSurnames, i))).Str(72, 22, Cp(Pick(kNames, i + firm)));
    r.Str(95, 22, Cp(Pick(kNames, i + 3))).Str(118, 22, "").Str(141, 22, "");
    r.Str(168, 40, Cp("ul. Polna " + std::to_string(i)));
    r.Fill(213, 4, 0);  // still employed
    r.Str(219, 31, "").Str(251, 22, "").Str(427, 36, "");
    r.Str(513, 65, Cp("Urząd Skarbowy")).Str(579, 4, "1438");
    r.Str(1256, 30, "");
    for (int k = 0; k < 8; ++k) r.Str(1300 + 51 * static_cast<std::size_t>(k), 50, "");
    r.Str(1710, 24, "").Str(1745, 31, "").Str(1915, 8, "").Str(1925, 70, "").Str(2000, 15, "");
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<Record> Families(int firm, int staff, int per_person) {
  std::vector<Record> out;
  for (int i = 1; i <= staff; ++i) {
    for (int k = 0; k < per_person; ++k) {
      Record r = PatternRecord(352, static_cast<uint8_t>(i + k));
      r.Fill(0, 8, 0).I32(0, firm * 1000 + i);
      r.Str(46, 9, "dziecko").Str(56, 31, Cp(Pick(kSurnames, i))).Str(88, 22, Cp(Pick(kNames, i + k + 5)));
      out.push_back(std::move(r));
    }
  }
  return out;
}

// PID-5 / PIT-28 persons of 2018: the first staff persons.
std::vector<Record> TaxFormPersons(int firm, int count) {
  std::vector<Record> out;
  for (int i = 1; i <= count; ++i) {
    Record r(13952);
    r.I32(0, firm * 1000 + i);
    Date(r, 12, 1, 1, 2018);
    Date(r, 16, 31, 12, 2018);
    r.Str(20, 65, Cp("Urząd Skarbowy")).Str(86, 4, "1438");
    r.Str(105, 31, Cp(Pick(kSurnames, i))).Str(137, 22, Cp(Pick(kNames, i)));
    r.U8(13888, 1).U8(13889, 1).U8(13890, 1);
    out.push_back(std::move(r));
  }
  return out;
}

// One ledger entry of the old layout: a dated purchase or sale with net and
// VAT amounts, not struck out.
void LedgerEntry(Record& r, int firm, int month, int i) {
  r.I32(0, i);
  Date(r, 18, 1 + i % 28, month, 2019);
  r.U16(30, 0);
  r.Str(32, 22, Cp(std::string(Pick(kGoods, i)) + " " + std::to_string(i)));
  r.Str(55, 18, "FV/" + std::to_string(i) + "/" + std::to_string(month));
  r.Str(74, 36, Cp(std::string("Kontrahent ") + Pick(kSurnames, i + firm)));
  r.Str(111, 36, Cp("ul. Krótka " + std::to_string(i % 100)));
  r.Str(148, 36, Cp(Pick(kGoods, i + month)));
  r.Str(185, 50, "");
  r.U8(237, 0).U8(242, static_cast<uint8_t>(10 + i % 4)).U16(243, 0);
  double net = 100.0 + (i % 1000) * 1.25;
  r.Real(248, net).Real(256, std::round(net * 23.0) / 100.0);
  r.Real(264, 0).Real(272, 0).Real(280, 0).Real(288, 0).Real(296, 0).Real(304, 0);
  r.Real(312, 0).Real(320, 0).Real(328, 0).Real(336, 0);
  r.U16(344, 0).U8(347, 0).U8(348, 0).U8(349, 0).Real(369, net);
}

void Ledger(const fs::path& dir, int firm, int per_month, int repayments, OfficeTotals* totals) {
  Record r = PatternRecord(400, static_cast<uint8_t>(firm));
  for (int m = 1; m <= 12; ++m) {
    {
      FileWriter w(dir / ("2019K880." + std::to_string(m)), totals);
      for (int i = 1; i <= per_month; ++i) {
        LedgerEntry(r, firm, m, i);
        w.Write(r);
      }
      w.Close();
      totals->ledger_entries += per_month;
    }
    std::vector<Record> sp;
    for (int i = 1; i <= repayments; ++i) {
      Record s = PatternRecord(48, static_cast<uint8_t>(i));
      Date(s, 5, 10 + i, m, 2019);
      s.Str(17, 12, "FV/" + std::to_string(i));
      sp.push_back(std::move(s));
    }
    WriteRecords(dir / ("2019SP." + std::to_string(m)), sp, totals);
  }
}

std::vector<Record> Wages(int firm, int count) {
  std::vector<Record> out;
  for (int i = 1; i <= count; ++i) {
    Record r = PatternRecord(10176, static_cast<uint8_t>(i));
    r.Fill(0, 8, 0).I32(0, firm * 1000 + i);
    for (int m = 0; m < 12; ++m) r.I32(423 + 800 * static_cast<std::size_t>(m) + 776, 450000 + i);
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<Record> Contracts(int firm, int count) {
  std::vector<Record> out;
  for (int i = 1; i <= count; ++i) {
    Record r = PatternRecord(552, static_cast<uint8_t>(i));
    r.Fill(0, 8, 0).I32(0, firm * 1000 + i);
    r.Str(20, 10, "UZ/" + std::to_string(i)).Str(31, 10, "2019");
    r.Str(42, 60, Cp("Umowa zlecenia – prace biurowe")).Str(103, 60, "").Str(164, 60, "");
    out.push_back(std::move(r));
  }
  return out;
}

std::string Dra(int n) {
  Record decl = PatternRecord(896, static_cast<uint8_t>(n));
  for (std::size_t off : {526u, 534u, 582u, 598u, 606u, 614u, 630u, 688u}) decl.Real(off, 10.0 * n);
  std::string bytes = decl.str_bytes();
  for (int k = 0; k < 2; ++k) bytes += PatternRecord(448, static_cast<uint8_t>(k)).str_bytes();
  return bytes;
}

void GlobalData(const fs::path& bin, OfficeTotals* totals) {
  fs::create_directories(bin);
  WriteRecords(bin / "baza_ad8.rek", TextRecords(480, 50, 1, {{5, 36}, {42, 36}, {79, 36}}), totals);
  WriteRecords(bin / "baza_us8.rek", TextRecords(480, 20, 2, {{5, 48}, {61, 26}}), totals);
  WriteText(bin / "baza_ff.txt", {"F2=Zapłacono gotówką", "F3=Przelew"}, totals);
  WriteText(bin / "RUR_QZ.INI", {"[DLL]", "ST=1", "KM=1"}, totals);
  Record lp(2048);
  lp.U8(610, 3).U16(611, 2018);
  WriteRecords(bin / "2018_lp.cc", {lp}, totals);
  WriteText(bin / "KOLORY.QZ", {"0"}, totals);
  WriteRecords(bin / "OPERATOR.REK", {PatternRecord(512, 1), PatternRecord(512, 2)}, totals);
  WriteText(bin / "ZUS_PEL.INI", {"[ZUS]", "KOD=0510"}, totals);
  WriteText(bin / "UMOWY.INI", {"[UMOWY]", "RODZAJ=1"}, totals);
}

void Firm(const fs::path& root, int n, const OfficeSize& size, OfficeTotals* totals) {
  fs::path dir = root / OfficeFirmDir(n);
  fs::create_directories(dir);
  WriteRecords(dir / "_qz_rur.rek", {PatternRecord(256, static_cast<uint8_t>(n))}, totals);
  WriteRecords(dir / "2018_ROK.REK", AnnualSettings(n), totals);
  WriteText(dir / "FIRMATXT.INI", FirmDescription(n), totals);
  WriteRecords(dir / "FIRMA_A8.REK", {PatternRecord(224, static_cast<uint8_t>(n))}, totals);
  WriteRecords(dir / "DANE_PR8.REK", Staff(n, size.staff), totals);
  WriteRecords(dir / "DANE_PF8.REK", Families(n, size.staff, size.family_per_person), totals);
  WriteText(dir / "UMOWY.INI", {"[UMOWY]", "RODZAJ=1"}, totals);
  WriteRecords(dir / "2018p5.13", TaxFormPersons(n, 2), totals);
  WriteRecords(dir / "2018_p28.rek", TaxFormPersons(n, 1), totals);
  WriteRecords(dir / "baza_ad8.rek", TextRecords(480, 20, n, {{5, 36}, {42, 36}, {79, 36}}), totals);
  WriteRecords(dir / "baza_sp8.rek", TextRecords(160, 10, n, {{0, 18}, {19, 36}, {56, 36}}), totals);
  WriteRecords(dir / "baza_za8.rek", TextRecords(160, 10, n, {{0, 18}, {19, 36}, {56, 36}}), totals);
  WriteText(dir / "baza_ff.txt", {"F2=Zapłacono gotówką"}, totals);
  WriteText(dir / "Notatnik.txt", {"Zadzwonić do klienta " + std::to_string(n)}, totals);
  WriteRecords(dir / "BAZA_PP8.REK", TextRecords(432, 10, n, {{1, 54}, {56, 54}}), totals);
  Record lp(2048);
  lp.U8(610, 3).U16(611, 2018);
  WriteRecords(dir / "2018_lp.cc", {lp}, totals);
  WriteText(dir / "ZUS_PEL.INI", {"[ZUS]", "KOD=0510"}, totals);
  WriteRecords(dir / "ESTUJ.REK", TextRecords(768, 5, n, {}), totals);
  WriteText(dir / "BAZA_PP8.INI", {"[PRZELEW]", "BANK=1"}, totals);
  WriteRecords(dir / "BAZA_DW8.REK", TextRecords(784, 5, n, {{5, 22}, {28, 36}}), totals);
  WriteRecords(dir / "ODS_ZOB.REK", TextRecords(200, 5, n, {}), totals);
  WriteRecords(dir / "AUTOV26.REK", TextRecords(320, 2, n, {}), totals);

  bool big = n <= size.big_firms;
  Ledger(dir, n, big ? size.big_entries_per_month : size.entries_per_month,
         size.repayments_per_month, totals);
  WriteRecords(dir / "2019WP2.REK", Wages(n, size.wage_records), totals);
  WriteRecords(dir / "2019UZ3.REK", Contracts(n, std::min(5, size.staff)), totals);
  WriteRecords(dir / "2019_NK8.REK", TextRecords(848, 3, n, {{4, 16}, {25, 20}}), totals);
  for (int d = 1; d <= size.dra_files; ++d) {
    FileWriter w(dir / ("2019D4" + Num(d, 2) + ".001"), totals);
    w.Write(Dra(d));
    w.Close();
  }

  // Fixed-asset module ("SRODKI" is the base kept in srodki.rek; "MASZYNY"
  // is a further base) and the mileage log of the second edition.
  WriteText(dir / "dokument.rek", {"OT 1/2018", "LT 2/2018"}, totals);
  WriteRecords(dir / "srodki.rek", TextRecords(39771, 2, n, {{4, 60}, {65, 60}}), totals);
  WriteRecords(dir / "wyposaz.rek", TextRecords(39771, 1, n, {{4, 60}}), totals);
  WriteRecords(dir / "st.cnf", TextRecords(3837, 1, n, {{0, 40}}), totals);
  Record base1(367), base2(367);
  base1.Str(0, 50, Cp("Środki trwałe")).Str(51, 12, "SRODKI");
  base2.Str(0, 50, Cp("Maszyny")).Str(51, 12, "MASZYNY");
  WriteRecords(dir / "stbazy.rek", {base1, base2}, totals);
  WriteRecords(dir / "MASZYNY.REK", TextRecords(39771, 1, n, {{4, 60}}), totals);
  WriteRecords(dir / "km__cfg.rek", {PatternRecord(300, 1)}, totals);
  WriteRecords(dir / "km19_01.rek", TextRecords(128, 20, n, {}), totals);
  WriteText(dir / "rur_import.xml", {"<?xml version=\"1.0\"?>", "<import/>"}, totals);
}

int ScaledCount(int full, double scale) {
  return std::max(1, static_cast<int>(std::lround(full * scale)));
}

}  // namespace

OfficeSize OfficeSize::Scaled(double scale) {
  OfficeSize s;
  s.firms = ScaledCount(300, scale);
  s.big_firms = std::min(s.firms, ScaledCount(10, scale));
  s.entries_per_month = ScaledCount(200, scale);
  s.big_entries_per_month = ScaledCount(5000, scale);
  return s;
}

std::string OfficeFirmDir(int n) { return "F" + Num(n, 3); }

OfficeTotals WriteOffice(const std::string& root_native, const OfficeSize& size) {
  OfficeTotals totals;
  fs::path root(root_native);
  fs::create_directories(root);
  {
    FileWriter list(root / "SPISFIRM.DAT", &totals);
    for (int n = 1; n <= size.firms; ++n) list.Write(FirmListRecord(n));
    list.Close();
  }
  GlobalData(root / "#BIN980", &totals);
  for (int n = 1; n <= size.firms; ++n) Firm(root, n, size, &totals);
  totals.firms = size.firms;
  return totals;
}

}  // namespace qz::fixture
