#include "support/fixture.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "support/test_env.h"

namespace qz::fixture {

namespace fs = std::filesystem;

Record& Record::Str(std::size_t off, std::size_t max, TextView text) {
  if (text.size() <= max) {
    PutText(bytes(), off, max, text, TextTail::Keep);
    return *this;
  }
  if (text.size() > 255 || off + 1 + text.size() > size()) {
    throw std::out_of_range("over-long text does not fit the record");
  }
  bytes_[off] = static_cast<uint8_t>(text.size());
  std::memcpy(bytes_.data() + off + 1, text.data(), text.size());
  return *this;
}

Record& Record::Raw(std::size_t off, TextView raw) {
  if (off + raw.size() > size()) throw std::out_of_range("raw bytes outside the record");
  std::memcpy(bytes_.data() + off, raw.data(), raw.size());
  return *this;
}

Record PatternRecord(std::size_t size, uint8_t seed) {
  Record r(size);
  for (std::size_t i = 0; i < size; ++i) r.bytes()[i] = static_cast<uint8_t>((seed + i) % 251 + 1);
  return r;
}

std::string JoinRecords(const std::vector<Record>& records) {
  std::string out;
  for (const Record& r : records) out += r.str_bytes();
  return out;
}

std::vector<Record> SplitRecords(const std::string& file, std::size_t size) {
  std::vector<Record> out;
  for (std::size_t at = 0; at < file.size(); at += size) {
    std::size_t n = std::min(size, file.size() - at);
    out.emplace_back(std::vector<uint8_t>(file.begin() + at, file.begin() + at + n));
  }
  return out;
}

Office::Office(TestEnv& env) : env_(env) {
  fs::create_directories(fs::path(env.dir.native()) / "old");
  fs::create_directories(fs::path(env.dir.native()) / "new");
  env.ctx.run.paths.source_root = env.Path("old/");
  env.ctx.run.paths.target_root = env.Path("new/");
}

std::string Office::OldPath(const std::string& firm, const std::string& name) {
  return "old/" + firm + "/" + name;
}

std::string Office::NewPath(const std::string& firm, const std::string& name) {
  return "new/" + firm + "/" + name;
}

void Office::WriteOld(const std::string& firm, const std::string& name, const std::string& bytes) {
  env_.WriteFile(OldPath(firm, name), bytes);
}

void Office::WriteOldRecords(const std::string& firm, const std::string& name,
                             const std::vector<Record>& records) {
  WriteOld(firm, name, JoinRecords(records));
}

void Office::AddFirm(const std::string& firm) {
  AddFirm(firm, PatternRecord(256, 7), {Record(512), Record(512), Record(512)});
}

void Office::AddFirm(const std::string& firm, const Record& marker,
                     const std::vector<Record>& settings) {
  WriteOldRecords(firm, "_qz_rur.rek", {marker});
  WriteOldRecords(firm, "2018_ROK.REK", settings);
}

std::string Office::ReadNew(const std::string& firm, const std::string& name) const {
  return env_.ReadFile(NewPath(firm, name));
}

std::string Office::ReadOld(const std::string& firm, const std::string& name) const {
  return env_.ReadFile(OldPath(firm, name));
}

std::vector<Record> Office::ReadNewRecords(const std::string& firm, const std::string& name,
                                           std::size_t size) const {
  return SplitRecords(ReadNew(firm, name), size);
}

bool Office::NewExists(const std::string& firm, const std::string& name) const {
  return env_.Exists(NewPath(firm, name));
}

bool Office::OldExists(const std::string& firm, const std::string& name) const {
  return env_.Exists(OldPath(firm, name));
}

std::vector<std::pair<std::string, std::string>> Office::SnapshotOld() const {
  std::vector<std::pair<std::string, std::string>> out;
  fs::path root = fs::path(env_.dir.native()) / "old";
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    std::string rel = fs::relative(e.path(), env_.dir.native()).string();
    out.emplace_back(rel, env_.ReadFile(rel));
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool AnsweringConsole::ReadInput(InputRecord* out) {
  if (HeadlessConsole::ReadInput(out)) return true;
  if (!armed_) return false;
  armed_ = false;
  ++answers_;
  *out = InputRecord{};
  out->kind = InputRecord::Kind::kKey;
  out->key.code = key_;
  return true;
}

void AnsweringConsole::WaitForInput(int ms) {
  if (pending() > 0) {
    HeadlessConsole::WaitForInput(ms);
    return;
  }
  armed_ = true;
}

std::string ScreenText(TestEnv& env) {
  std::string out;
  for (int row = 1; row <= 25; ++row) out += env.Row(row) + "\n";
  return out;
}

}  // namespace qz::fixture
