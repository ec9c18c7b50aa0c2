#include "support/demo_office.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "firms/firm_list.h"
#include "text/cp852.h"
#include "transfer/global_records.h"
#include "transfer/staff_convert.h"

namespace qz::demo {

namespace fs = std::filesystem;
using fixture::JoinRecords;
using fixture::PatternRecord;
using fixture::Record;

namespace {

Text Cp(const std::string& utf8) { return Utf8ToCp852(utf8); }

// CP852 text file with CR LF line ends from UTF-8 lines.
std::string TextFile(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& l : lines) out += Cp(l) + "\r\n";
  return out;
}

Record DateAt(Record r, std::size_t off, int day, int month, int year) {
  r.U8(off, static_cast<uint8_t>(day)).U8(off + 1, static_cast<uint8_t>(month));
  r.U16(off + 2, static_cast<uint16_t>(year));
  return r;
}

Record Address(const std::string& who, const std::string& street, const std::string& city,
               const std::string& nip, int id) {
  Record r(480);
  r.I32(0, id).U8(4, 0);
  r.Str(5, 36, Cp(who)).Str(42, 36, Cp(street)).Str(79, 36, Cp(city));
  r.Str(116, 18, nip).Str(135, 14, "22 628 44 1" + std::to_string(id % 10));
  r.Str(150, 11, "00-950").Str(181, 20, Cp("mazowieckie")).Str(202, 30, "biuro@firma.pl");
  return r;
}

Record TaxOffice(const std::string& name, const std::string& code, const std::string& street,
                 int id) {
  Record r(480);
  r.I32(0, id).U8(4, 1);
  r.Str(5, 48, Cp(name)).Str(54, 6, code).Str(61, 26, Cp(street));
  r.Str(88, 44, Cp("00-950 Warszawa")).Str(133, 52, Cp("NBP O/O Warszawa"));
  r.Str(186, 20, "10101010").Str(402, 4, code);
  return r;
}

Record Operator(const std::string& login, const std::string& password, const std::string& name,
                uint16_t rights3, uint16_t rights5) {
  Record r(512);
  r.Str(24, 30, Cp(login)).Str(55, 16, Cp(password)).Str(93, 37, Cp(name));
  for (int g = 0; g < 8; ++g) r.U16(133 + 2 * static_cast<std::size_t>(g), 0x0001);
  r.U16(139, rights3).U16(143, rights5);
  ScrambleOperatorRecord(r.bytes());
  return r;
}

Record Office() {
  Record r(384);
  r.Str(0, 36, Cp("Biuro Rachunkowe \"Saldo\" s.c.")).Str(37, 36, Cp("ul. Marszałkowska 84"));
  r.Str(74, 36, "00-514 Warszawa").Str(111, 13, "525-000-12-34").Str(125, 26, "Warszawa");
  for (std::size_t i = 0; i < 4; ++i) r.U16(152 + 13 * i, 57).Str(154 + 13 * i, 10, "/2018");
  r.Str(204, 40, "PL61 1090 1014 0000 0712 1981 2874").Str(283, 26, Cp("Ewa Kamińska"));
  return r;
}

Record YearMarker() {
  Record r(256);
  r.U16(0, 2018).U16(2, 2018).U16(4, 2018).U8(7, 1);
  return r;
}

// Annual settings: `open_month` is the first month not yet approved (13:
// December approved); `proportion` > 0 settles VAT by that proportion.
std::vector<Record> AnnualSettings(uint8_t open_month, uint16_t proportion, int year) {
  Record r1(512);
  r1.U8(2, 12).U8(3, open_month).U8(4, 3);
  for (int k = 1; k <= 12; ++k) r1.U16(16 + 8 * static_cast<std::size_t>(k - 1), 1);
  if (proportion > 0) r1.U8(117, 1).U16(118, proportion).U16(120, proportion);
  for (int k = 0; k <= 12; ++k) r1.Real(150 + 8 * static_cast<std::size_t>(k), 1250.0 * k);
  r1.Real(344, 8400.0);
  r1.U16(416, static_cast<uint16_t>(year == 2019 ? 1 : 12));
  Record r2(512);
  const char* codes[] = {"SPRZ", "ZAK", "KOSZ", "WYN", "POZ"};
  for (std::size_t k = 0; k < 5; ++k) {
    r2.Str(2 + 16 * k, 6, codes[k]).U16(2 + 16 * k + 7, 7).Str(2 + 16 * k + 9, 6, codes[k]);
  }
  Record r3(512);
  r3.Real(2, 152340.55).Real(10, 98311.20).Real(270, 54029.35);
  return {r1, r2, r3};
}

Record Staff(int64_t id, const std::string& surname, const std::string& first_name,
             bool scrambled, int dismissed_year) {
  Record r(2048);
  r.I32(0, static_cast<int32_t>(id)).I32(4, 0);
  r.Str(40, 31, Cp(surname)).Str(72, 22, Cp(first_name)).Str(95, 22, Cp("Warszawa"));
  r.Str(168, 40, Cp("ul. Polna 7 m. 3"));
  if (dismissed_year != 0) r = DateAt(r, 213, 30, 11, dismissed_year);
  r.Str(513, 65, Cp(surname + " " + first_name)).Str(579, 4, "E" + std::to_string(id));
  r.Str(1256, 30, Cp("kierowca")).Str(2000, 15, "PL" + std::to_string(id));
  if (scrambled) {
    ScrambleStaffRecord(r.bytes());
    r.U8(8, 2);
  }
  return r;
}

Record Family(int64_t staff_id, const std::string& surname, const std::string& first_name) {
  Record r(352);
  r.I32(0, static_cast<int32_t>(staff_id));
  r.Str(46, 9, "dziecko").Str(56, 31, Cp(surname)).Str(88, 22, Cp(first_name));
  return r;
}

Record TaxPerson(int64_t id, int year, const std::string& surname, const std::string& first) {
  Record r(13952);
  r.I32(0, static_cast<int32_t>(id));
  r = DateAt(r, 12, 1, 1, year);
  r.Str(20, 65, Cp(surname + " " + first));
  r.Str(105, 31, Cp(surname)).Str(137, 22, Cp(first));
  return r;
}

Record Contract(int64_t id, const std::string& what) {
  Record r(552);
  r.I32(0, static_cast<int32_t>(id)).Str(20, 10, "01-02-2019").Str(31, 10, "28-02-2019");
  r.Str(42, 60, Cp(what));
  return r;
}

Record LedgerEntry(int no, int day, int month, const std::string& text, double amount) {
  Record r(400);
  r.U16(0, static_cast<uint16_t>(no));
  r = DateAt(r, 18, day, month, 2019);
  r.Str(55, 18, "FV " + std::to_string(no) + "/" + std::to_string(month) + "/2019");
  r.Str(74, 36, Cp("Kontrahent sp. z o.o.")).Str(148, 36, Cp(text)).Real(240, amount);
  return r;
}

Record Repayment(int day, int month, const std::string& document) {
  Record r(48);
  r = DateAt(r, 5, day, month, 2019);
  r.Str(17, 12, document);
  return r;
}

std::string Description(const std::string& name, const std::string& nip) {
  return TextFile({"[RUR]", "NAZWA_ZUS=" + name, "INFO1=" + name, "PATHXML=C:\\RUR_2018\\XML",
                   "PATH2018=C:\\RUR_2018", "", "[FIRMA]", "TYP=1", "NIP=" + nip,
                   "REGON=014512345", "", "[BANKI]", "DEF=1", "NAZWA1=PKO BP SA",
                   "NRB1=PL27 1020 1097 0000 7102 0155 5555", ""});
}

}  // namespace

std::string FirmListRecord(const std::string& name, const std::string& dir,
                           const std::string& info) {
  Record r(firm_list::kRecordSize, ' ');
  r.Str(firm_list::kNameOff, firm_list::kNameMax, Cp(name));
  r.Str(firm_list::kDirOff, firm_list::kDirMax, Cp(dir));
  r.Str(firm_list::kInfoOff, firm_list::kInfoMax, Cp(info));
  return r.str_bytes();
}

void OfficeWriter::Write(const std::string& relative, const std::string& bytes) const {
  fs::path p = fs::path(root_) / relative;
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + p.string());
}

void OfficeWriter::WriteRecords(const std::string& relative,
                                const std::vector<Record>& records) const {
  Write(relative, JoinRecords(records));
}

void OfficeWriter::MakeDir(const std::string& relative) const {
  fs::create_directories(fs::path(root_) / relative);
}

void WriteProgramDirectory(const OfficeWriter& w, const std::string& old_root) {
  const std::string bin = old_root + "/#BIN980/";
  w.WriteRecords(bin + "baza_ad8.rek",
                 {Address("Hurtownia \"Mazowsze\" Sp. z o.o.", "ul. Grójecka 112", "Warszawa",
                          "5260250995", 1),
                  Address("PHU Jan Kowalski", "ul. Leśna 4", "Piaseczno", "1230456789", 2),
                  Address("Zakład Energetyczny S.A.", "ul. Świętokrzyska 20", "Warszawa",
                          "5250007313", 3)});
  w.WriteRecords(bin + "baza_us8.rek",
                 {TaxOffice("Urząd Skarbowy Warszawa-Śródmieście", "1449", "ul. Lindleya 14", 1),
                  TaxOffice("Urząd Skarbowy w Piasecznie", "1434", "ul. Czajewicza 2/4", 2)});
  w.Write(bin + "baza_ff.txt", TextFile({"F2=Zapłacono gotówką", "F3=Przelew 14 dni",
                                         "F4=Zakup materiałów biurowych"}));
  w.WriteRecords(bin + "2018_BR.REK", {Office()});
  w.Write(bin + "RUR_QZ.INI", TextFile({"[DLL]", "ST=1", "KM=150", "[DRUKARKA]", "LPT=1"}));
  w.Write(bin + "rur_2018.ini", TextFile({"[ROK]", "ROK=2018", "MINIMALNA=2100,00"}));
  w.Write(bin + "2018spd.ini", TextFile({"[PODATEK]", "PROG1=85528", "KWOTA_WOLNA=3091"}));
  w.WriteRecords(bin + "2018_lp.cc", {PatternRecord(2048, 40)});
  w.Write(bin + "KOLORY.QZ", std::string(64, '\x1F'));
  w.WriteRecords(bin + "OPERATOR.REK",
                 {Operator("ADMIN", "start", "Ewa Kamińska", 0x0005, 0x0002),
                  Operator("KSIEGOWA", "bilans", "Marta Lewandowska", 0x0014, 0x0000)});
  w.Write(bin + "ZUS_PEL.INI", TextFile({"[ZUS]", "PLATNIK=Biuro Rachunkowe Saldo"}));
  w.Write(bin + "UMOWY.INI", TextFile({"[UMOWY]", "WZOR=umowa_zlecenia.txt"}));
}

void WritePlainFirm(const OfficeWriter& w, const std::string& old_root, const std::string& dir,
                    const std::string& name) {
  const std::string firm = old_root + "/" + dir + "/";
  w.WriteRecords(firm + "_qz_rur.rek", {YearMarker()});
  w.WriteRecords(firm + "2018_ROK.REK", AnnualSettings(13, 0, 2018));
  w.Write(firm + "FIRMATXT.INI", Description(name, "5261040828"));
  w.WriteRecords(firm + "FIRMA_A8.REK", {PatternRecord(224, 3)});
  w.Write(firm + "baza_ff.txt", TextFile({"F2=Sprzedaż towarów"}));
}

void WriteSmallOffice(const OfficeWriter& w) {
  WriteProgramDirectory(w, "RUR_2018");
  for (const char* dir : {"ALFA", "BETA", "GAMMA"}) {
    WritePlainFirm(w, "RUR_2018", dir, std::string("Firma ") + dir);
  }
  WritePlainFirm(w, "RUR_2018", "DELTA", "Firma DELTA");
  w.MakeDir("RUR_2019/DELTA");
  w.Write("RUR_2018/SPISFIRM.DAT", FirmListRecord("Gamma Sp. z o.o.", "GAMMA", "trzecia") +
                                       FirmListRecord("Alfa s.c.", "ALFA", "pierwsza") +
                                       FirmListRecord("Omega", "OMEGA", "bez katalogu") +
                                       FirmListRecord("Delta", "DELTA", "już przeniesiona") +
                                       FirmListRecord("Beta", "BETA", "druga"));
  w.MakeDir("RUR_2019");
}

void WriteDemoOffice(const OfficeWriter& w) {
  const std::string old_root = "RUR_2018";
  WriteProgramDirectory(w, old_root);

  // A bakery with both annual settings files, staff and their families,
  // wages and ledger entries already made for 2019.
  {
    const std::string f = old_root + "/ZLOTYKLO/";
    WritePlainFirm(w, old_root, "ZLOTYKLO", "Piekarnia \"Złoty Kłos\" s.c.");
    w.WriteRecords(f + "2019_ROK.REK", AnnualSettings(2, 0, 2019));
    w.WriteRecords(f + "DANE_PR8.REK",
                   {Staff(101, "Wójcik", "Stanisław", false, 0),
                    Staff(102, "Kowalczyk", "Agnieszka", true, 0),
                    Staff(103, "Mazur", "Paweł", false, 2018)});
    w.WriteRecords(f + "DANE_PF8.REK", {Family(101, "Wójcik", "Zofia"),
                                        Family(102, "Kowalczyk", "Tymon"),
                                        Family(103, "Mazur", "Lena")});
    w.Write(f + "UMOWY.INI", TextFile({"[UMOWY]", "OKRES=nieokreślony"}));
    w.WriteRecords(f + "2019K880.1", {LedgerEntry(1, 3, 1, "Zakup mąki - Młyn Pol", 2150.40),
                                      LedgerEntry(2, 15, 1, "Sprzedaż pieczywa", 8430.00)});
    w.WriteRecords(f + "2019K880.2", {LedgerEntry(1, 4, 2, "Energia elektryczna", 912.35)});
    w.WriteRecords(f + "2019SP.1", {Repayment(20, 1, "FV 12/2018")});
    w.WriteRecords(f + "2019WP2.REK", {PatternRecord(10176, 22)});
    w.Write(f + "2019D401.001", std::string(896 + 448, '\0'));
  }

  // A builder with December not yet approved and VAT settled by proportion;
  // some staff scrambled, one dismissed in 2018; PID-5 and PIT-28 persons.
  {
    const std::string f = old_root + "/WISNIEW/";
    WritePlainFirm(w, old_root, "WISNIEW", "Usługi Remontowe Wiśniewski");
    w.WriteRecords(f + "2018_ROK.REK", AnnualSettings(12, 73, 2018));
    w.WriteRecords(f + "DANE_PR8.REK",
                   {Staff(201, "Wiśniewski", "Tomasz", true, 0),
                    Staff(202, "Zieliński", "Michał", true, 2018),
                    Staff(203, "Szymańska", "Joanna", false, 0)});
    w.WriteRecords(f + "DANE_PF8.REK", {Family(201, "Wiśniewska", "Maria")});
    w.WriteRecords(f + "2018p5.13", {TaxPerson(201, 2018, "Wiśniewski", "Tomasz")});
    w.WriteRecords(f + "2018_p28.rek", {TaxPerson(204, 2018, "Dąbrowski", "Krzysztof")});
    w.WriteRecords(f + "2019UZ3.REK", {Contract(203, "Malowanie klatki schodowej"),
                                       Contract(299, "Umowa osoby spoza listy")});
    w.WriteRecords(f + "2019K880.1", {LedgerEntry(1, 10, 1, "Faktura FV 1/2019 - remont", 12300)});
    w.WriteRecords(f + "2019K880.3", {LedgerEntry(1, 5, 3, "Zakup farb - Castorama", 1843.21)});
  }

  // A pharmacy with the fixed-asset and mileage module data.
  {
    const std::string f = old_root + "/APTEKA/";
    WritePlainFirm(w, old_root, "APTEKA", "Apteka pod Lipami Sp.j.");
    w.WriteRecords(f + "srodki.rek", {Record(39771)});
    w.WriteRecords(f + "stbazy.rek", {Record(367).Str(51, 12, "MASZYNY")});
    w.WriteRecords(f + "MASZYNY.REK", {Record(39771)});
    w.Write(f + "km__1.rek", "km");
    w.WriteRecords(f + "2019K880.1", {LedgerEntry(1, 2, 1, "Utarg dzienny", 5210.80)});
    w.WriteRecords(f + "2019SP.1", {Repayment(28, 1, "FV 7/12/2018")});
    w.WriteRecords(f + "AUTOV26.REK", {Record(320).Str(0, 30, "WX 12345 Skoda Octavia")});
  }

  // A florist: a plain firm with only its description and bases.
  WritePlainFirm(w, old_root, "BRATEK", "Kwiaciarnia Bratek Anna Zając");

  // A haulier whose old directory is gone, and a design office already
  // carried into the new installation.
  WritePlainFirm(w, old_root, "NOWAKBP", "Biuro Projektowe Nowak");
  w.MakeDir("RUR_2019/NOWAKBP");

  w.Write(old_root + "/SPISFIRM.DAT",
          FirmListRecord("Piekarnia \"Złoty Kłos\" s.c.", "ZLOTYKLO", "Kraków, ul. Długa 12") +
              FirmListRecord("Usługi Remontowe Wiśniewski", "WISNIEW", "Radom, VAT proporcja") +
              FirmListRecord("Apteka pod Lipami Sp.j.", "APTEKA", "Lublin, środki trwałe") +
              FirmListRecord("Kwiaciarnia Bratek A. Zając", "BRATEK", "Łódź") +
              FirmListRecord("Transport Kowalczyk", "KOWALCZ", "brak katalogu") +
              FirmListRecord("Biuro Projektowe Nowak", "NOWAKBP", "już w 2019"));
  w.MakeDir("RUR_2019");
}

}  // namespace qz::demo
