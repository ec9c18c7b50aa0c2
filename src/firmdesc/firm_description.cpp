#include "firmdesc/firm_description.h"

#include "app/context.h"
#include "app/exit.h"
#include "firmdesc/ini_file.h"
#include "sharedfile/box_text.h"
#include "text/cp852.h"
#include "ui/message_box.h"

namespace qz {

namespace {

constexpr int kFatalExit = 1;
constexpr uint16_t kDefZusUnset = 31;
constexpr std::size_t kMaxFirmSourcePath = 40;

std::vector<FieldDef> BuildKeys(int year) {
  std::vector<FieldDef> k;
  auto text = [&k](const char* section, const Text& key, uint8_t cap) {
    k.push_back(FieldDef{section, key, FieldType::kText, cap, 0});
  };
  auto other = [&k](const char* section, const Text& key, FieldType type, uint16_t def = 0) {
    k.push_back(FieldDef{section, key, type, 0, def});
  };
  auto address = [&text](const char* s) {
    text(s, "KRAJ", 12);
    text(s, "WOJEWODZTWO", 22);
    text(s, "GMINA", 26);
    text(s, "ULICA", 30);
    text(s, "DOM", 7);
    text(s, "LOKAL", 7);
    text(s, "MIEJSCOWOSC", 26);
    text(s, "KOD", 6);
    text(s, "POCZTA", 26);
    text(s, "SKRYTKA", 5);
    text(s, "TELEFON", 12);
    text(s, "POWIAT", 18);
    text(s, "KODUE", 14);
  };
  auto n = [](const char* base, int i) { return Text(base) + std::to_string(i); };

  text("RUR", "NAZWA_ZUS", 31);
  for (int i = 1; i <= 5; ++i) text("RUR", n("INFO", i), 66);
  for (const char* office : {"VAT-7", "PIT-4R", "PIT-8AR", "PIT-XX"}) {
    text("URZEDY_SKARBOWE", office, 65);
    text("URZEDY_SKARBOWE_EKOD", office, 4);
  }
  text("RUR", "PATHXML", 40);
  text("RUR", "PRZEXML", 14);
  other("FIRMA", "TYP", FieldType::kWord);
  text("FIRMA", "NIP", 13);
  text("FIRMA", "REGON", 14);
  for (int i = 1; i <= 4; ++i) text("RUR", n("PATH", year - i), 40);
  other("BANKI", "DEF", FieldType::kWord);
  other("BANKI", "DEF_ZUS", FieldType::kWord, kDefZusUnset);
  for (int i = 1; i <= 5; ++i) {
    text("BANKI", n("NAZWA", i), 36);
    text("BANKI", n("NRB", i), 48);
  }
  text("BANKI", "IRKwZUS", 26);
  other("BANKI", "DATA_ZBA", FieldType::kDate);
  text("OSOBA_FIZYCZNA", "PESEL", 11);
  text("OSOBA_FIZYCZNA", "NIP", 13);
  text("OSOBA_FIZYCZNA", "NAZWISKO", 31);
  for (const char* key : {"IMIE1", "IMIE2", "TATA", "MAMA"}) text("OSOBA_FIZYCZNA", key, 22);
  other("OSOBA_FIZYCZNA", "DATA_URODZENIA", FieldType::kDate);
  text("OSOBA_FIZYCZNA", "MIEJSCE_URODZENIA", 40);
  text("OSOBA_FIZYCZNA", "OBYWATELSTWO", 22);
  other("OSOBA_FIZYCZNA", "INNY_RODZAJ", FieldType::kChar);
  text("OSOBA_FIZYCZNA", "INNY_NUMER", 9);
  text("OSOBA_PRAWNA", "NAZWA_PELNA1", 62);
  text("OSOBA_PRAWNA", "NAZWA_PELNA2", 62);
  text("OSOBA_PRAWNA", "NAZWA_SKROCONA", 31);
  other("OSOBA_PRAWNA", "DATA_ROZPOCZECIA", FieldType::kDate);
  text("ORGAN_REJESTROWY", "ORGAN", 70);
  text("ORGAN_REJESTROWY", "REJESTR", 70);
  other("ORGAN_REJESTROWY", "DATA", FieldType::kDate);
  text("ORGAN_REJESTROWY", "NUMER", 15);
  text("ORGAN_REJESTROWY", "KOD", 2);
  text("ORGAN_REJESTROWY", "ORZAL", 70);
  address("ADRES_SIEDZIBY");
  text("ADRES_SIEDZIBY", "KODGMINY", 7);
  other("ADRES_SIEDZIBY", "IAP", FieldType::kYesNo);
  address("ADRES_KOREPONDENCJA");
  text("ADRES_KOREPONDENCJA", "EMAIL", 30);
  text("ADRES_KOREPONDENCJA", "FAKS", 12);
  address("ADRES_ZAMIESZKANIA");
  address("ADRES_DOKUMENTACJI");
  for (int i = 1; i <= 2; ++i) {
    text("DZIALALNOSC", n("OPIS", i), 45);
    text("DZIALALNOSC", n("KGN", i), 10);
    text("DZIALALNOSC", n("EKD", i), 10);
  }
  text("UPOWAZNIONY", "NAZWISKO", 31);
  text("UPOWAZNIONY", "IMIE", 22);
  text("UPOWAZNIONY", "TELEFON", 31);
  text("UPOWAZNIONY", "EMAIL", 30);
  text("RODO", "iod_nazwisko", 31);
  text("RODO", "iod_imie", 22);
  text("RODO", "iod_email", 30);
  text("RODO", "fpd_nazwa", 70);
  text("RODO", "fpd_adres", 70);
  text("RODO", "fpd_NIP", 13);
  text("RODO", "fpd_email", 30);
  text("BR", "NAZWA", 36);
  text("BR", "NIP", 13);
  text("BR", "REGON", 14);
  text("BR", "UMOWA", 36);
  other("ZUS_ZxA", "DATAPOSK", FieldType::kDate);
  other("ZUS_ZxA", "WYPELNIONO", FieldType::kDate);
  text("ZUS_ZxA", "ZWPA_KOD", 3);
  other("ZUS_ZxA", "ZWPA_DATA", FieldType::kDate);
  other("ZUS_ZxA", "ZPWA_KOR", FieldType::kYesNo);
  text("ZUS_ZxA", "PPPATH", 40);
  other("ZUS_ZxA", "DRAI01", FieldType::kChar);
  other("ZUS_ZxA", n("RENT", year - 1), FieldType::kWord);
  other("ZUS_ZxA", n("RENT", year), FieldType::kWord);
  other("ZUS_ZxA", "RxA", FieldType::kWord);
  other("ZUS_ZxA", "zwFGSP", FieldType::kWord);
  other("ZUS_ZxA", n("DRAIX02_", year), FieldType::kWords);
  other("ZIPA", "I", FieldType::kWord);
  text("ZIPA", "01", 13);
  text("ZIPA", "02", 14);
  text("ZIPA", "03", 11);
  other("ZIPA", "04", FieldType::kChar);
  text("ZIPA", "05", 9);
  text("ZIPA", "06", 31);
  text("ZIPA", "07", 31);
  text("ZIPA", "08", 22);
  other("ZIPA", "09", FieldType::kDate);
  other("ZIPA", "IV09", FieldType::kDate);
  other("RUR", "FAS", FieldType::kYesNo);
  return k;
}

void ReadField(const IniFile& ini, const FieldDef& def, FieldValue& v, FirmDescription& info) {
  switch (def.type) {
    case FieldType::kText:
      v.text = ini.ReadString(def.section, def.key, "").substr(0, def.capacity);
      break;
    case FieldType::kWord:
      v.word = ini.ReadWord(def.section, def.key, def.word_default);
      // An unset ZUS bank is the firm's default bank.
      if (def.key == "DEF_ZUS" && v.word == kDefZusUnset) v.word = info.Find("BANKI", "DEF")->word;
      break;
    case FieldType::kChar:
      v.text = Text(1, static_cast<char>(ini.ReadChar(def.section, def.key, ' ')));
      break;
    case FieldType::kYesNo:
      v.yes = ini.ReadYesNo(def.section, def.key, false);
      break;
    case FieldType::kDate:
      v.date = TextToDate(ini.ReadString(def.section, def.key, "").substr(0, 10));
      break;
    case FieldType::kWords:
      v.words = TextToWords(ini.ReadString(def.section, def.key, ""));
      break;
  }
}

void WriteField(IniFile& ini, const FieldDef& def, FieldValue& v) {
  switch (def.type) {
    case FieldType::kText:
      ini.WriteString(def.section, def.key, TextView(v.text).substr(0, def.capacity));
      break;
    case FieldType::kWord:
      ini.WriteWord(def.section, def.key, v.word);
      break;
    case FieldType::kChar:
      if (v.text.empty() || v.text[0] == '\0') v.text.assign(1, ' ');
      ini.WriteChar(def.section, def.key, static_cast<uint8_t>(v.text[0]));
      break;
    case FieldType::kYesNo:
      ini.WriteYesNo(def.section, def.key, v.yes);
      break;
    case FieldType::kDate:
      ini.WriteString(def.section, def.key, DateToText(v.date));
      break;
    case FieldType::kWords:
      ini.WriteString(def.section, def.key, WordsToText(v.words));
      break;
  }
}

}  // namespace

const std::vector<FieldDef>& FirmDescriptionKeys() {
  static const std::vector<FieldDef> keys = BuildKeys(kWorkingYear);
  return keys;
}

FirmDescription::FirmDescription() : values(FirmDescriptionKeys().size()) {}

FieldValue* FirmDescription::Find(TextView section, TextView key) {
  const std::vector<FieldDef>& keys = FirmDescriptionKeys();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].section == section && keys[i].key == key) return &values[i];
  }
  return nullptr;
}

bool FirmDescriptionFile(Context& ctx, const Text& path, bool write, FirmDescription& info) {
  std::unique_ptr<IniFile> ini = IniFile::Open(ctx.fs, path, write);
  if (!write) info = FirmDescription();
  if (!ini) {
    ErrorBox(ctx.ui, Centred("Błąd odczytu danych firmy"_cp));
    throw ExitRequest{kFatalExit};
  }
  const std::vector<FieldDef>& keys = FirmDescriptionKeys();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (write) {
      WriteField(*ini, keys[i], info.values[i]);
    } else {
      ReadField(*ini, keys[i], info.values[i], info);
    }
  }
  if (ini->Close() != dos::kOk) ctx.log.Line("Błąd zapisu pliku "_cp + path);
  return true;
}

void CarryFirmDescription(Context& ctx, const Text& source_file, const Text& target_file) {
  FirmDescription info;
  FirmDescriptionFile(ctx, source_file, false, info);
  info.Find("RUR", "PATH" + std::to_string(kWorkingYear - 1))->text =
      ctx.firm.firm_source_path.substr(0, kMaxFirmSourcePath);
  FirmDescriptionFile(ctx, target_file, true, info);
}

}  // namespace qz
