#include "firmdesc/ini_file.h"

#include "copy/text_file.h"
#include "sharedfile/file_mode.h"
#include "text/polish.h"

namespace qz {

namespace {

/// Lets a `TextReader` read a file that stays owned (and locked) by the
/// settings file: every call goes through, closing does nothing.
class BorrowedFile : public File {
 public:
  explicit BorrowedFile(File& file) : file_(file) {}
  int Read(void* buf, std::size_t n, std::size_t* got) override { return file_.Read(buf, n, got); }
  int Write(const void* buf, std::size_t n) override { return file_.Write(buf, n); }
  int Seek(uint64_t pos) override { return file_.Seek(pos); }
  int Tell(uint64_t* pos) override { return file_.Tell(pos); }
  int Size(uint64_t* size) override { return file_.Size(size); }
  int Truncate() override { return file_.Truncate(); }
  int Flush() override { return file_.Flush(); }
  int Lock(uint32_t off, uint32_t len) override { return file_.Lock(off, len); }
  int Unlock(uint32_t off, uint32_t len) override { return file_.Unlock(off, len); }
  int Close() override { return dos::kOk; }

 private:
  File& file_;
};

TextView Trim(TextView s) {
  while (!s.empty() && static_cast<uint8_t>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<uint8_t>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

bool SameName(TextView a, TextView b) { return a.size() == b.size() && UpperPL(a) == UpperPL(b); }

Text KeyLine(TextView key, TextView value) { return Text(key) + "=" + Text(value); }

}  // namespace

IniFile::IniFile(std::unique_ptr<File> file, bool for_writing)
    : file_(std::move(file)), for_writing_(for_writing) {
  sections_.push_back(Section{true, Text(), {}});
}

IniFile::~IniFile() {
  if (file_) {
    if (locked_) UnlockFirstByte(*file_);
    file_->Close();
  }
}

std::unique_ptr<IniFile> IniFile::Open(FileSystem& fs, const Text& path, bool for_writing) {
  std::unique_ptr<File> file;
  bool exists = NameExists(fs, path);
  if (!for_writing) {
    std::unique_ptr<IniFile> ini(new IniFile(nullptr, false));
    if (!exists) return ini;
    if (fs.Open(path, Access::kRead, Sharing::kDenyNone, &file) != dos::kOk) return nullptr;
    int err = ini->ReadLines(*file);
    file->Close();
    if (err != dos::kOk) return nullptr;
    return ini;
  }
  int err = exists ? fs.Open(path, Access::kReadWrite, Sharing::kDenyNone, &file)
                   : fs.Create(path, &file);
  if (err != dos::kOk) return nullptr;
  std::unique_ptr<IniFile> ini(new IniFile(std::move(file), true));
  if (exists && ini->ReadLines(*ini->file_) != dos::kOk) return nullptr;
  if (!LockFirstByte(*ini->file_)) return nullptr;
  ini->locked_ = true;
  return ini;
}

int IniFile::ReadLines(File& file) {
  TextReader reader(std::make_unique<BorrowedFile>(file));
  Section* current = &sections_.front();
  Text line;
  int err;
  while ((err = reader.ReadLine(&line)) == dos::kOk) {
    TextView t = Trim(line);
    if (t.empty()) continue;
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      sections_.push_back(Section{false, Text(t.substr(1, t.size() - 2)), {}});
      current = &sections_.back();
    } else {
      current->lines.emplace_back(t);
    }
  }
  return err == dos::kHandleEof ? dos::kOk : err;
}

const IniFile::Section* IniFile::FindSection(TextView name) const {
  for (const Section& s : sections_) {
    if (!s.head && SameName(s.name, name)) return &s;
  }
  return nullptr;
}

int IniFile::FindKey(const Section& section, TextView key) {
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    TextView line = section.lines[i];
    std::size_t eq = line.find('=');
    if (eq != TextView::npos && SameName(line.substr(0, eq), key)) return static_cast<int>(i);
  }
  return -1;
}

Text IniFile::ReadString(TextView section, TextView key, TextView def) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return Text(def);
  int i = FindKey(*s, key);
  if (i < 0) return Text(def);
  const Text& line = s->lines[static_cast<std::size_t>(i)];
  return line.substr(line.find('=') + 1, kMaxTextLine);
}

void IniFile::WriteString(TextView section, TextView key, TextView value) {
  Section* s = const_cast<Section*>(FindSection(section));
  if (s == nullptr) {
    sections_.push_back(Section{false, Text(section), {}});
    s = &sections_.back();
  }
  int i = FindKey(*s, key);
  if (i < 0) {
    s->lines.push_back(KeyLine(key, value));
    modified_ = true;
    return;
  }
  Text& line = s->lines[static_cast<std::size_t>(i)];
  if (TextView(line).substr(line.find('=') + 1) != value) {
    line = KeyLine(key, value);
    modified_ = true;
  }
}

uint16_t IniFile::ReadWord(TextView section, TextView key, uint16_t def) const {
  Text v = ReadString(section, key, "");
  if (v.empty() || v.size() > 5) return def;
  uint32_t n = 0;
  for (char c : v) {
    if (c < '0' || c > '9') return def;
    n = n * 10 + static_cast<uint32_t>(c - '0');
  }
  return n > 0xFFFF ? def : static_cast<uint16_t>(n);
}

void IniFile::WriteWord(TextView section, TextView key, uint16_t value) {
  WriteString(section, key, std::to_string(value));
}

uint8_t IniFile::ReadChar(TextView section, TextView key, uint8_t def) const {
  const Section* s = FindSection(section);
  if (s == nullptr || FindKey(*s, key) < 0) return def;
  Text v = ReadString(section, key, "");
  return v.empty() ? ' ' : static_cast<uint8_t>(v[0]);
}

void IniFile::WriteChar(TextView section, TextView key, uint8_t value) {
  WriteString(section, key, Text(1, static_cast<char>(value == 0 ? ' ' : value)));
}

bool IniFile::ReadYesNo(TextView section, TextView key, bool def) const {
  Text v = UpperPL(ReadString(section, key, ""));
  if (v == "NIE") return false;
  if (v == "TAK") return true;
  return def;
}

void IniFile::WriteYesNo(TextView section, TextView key, bool value) {
  WriteString(section, key, value ? "TAK" : "NIE");
}

Text IniFile::Render() const {
  Text out;
  for (const Section& s : sections_) {
    if (!s.head) out += "[" + s.name + "]\r\n";
    for (const Text& line : s.lines) out += line + "\r\n";
    if (!s.lines.empty()) out += "\r\n";
  }
  return out;
}

int IniFile::Close() {
  if (!file_) return dos::kOk;
  int err = dos::kOk;
  auto keep_first = [&err](int e) {
    if (err == dos::kOk) err = e;
  };
  if (for_writing_ && modified_) {
    Text content = Render();
    keep_first(file_->Seek(0));
    if (err == dos::kOk) keep_first(file_->Write(content.data(), content.size()));
    if (err == dos::kOk) keep_first(file_->Truncate());
  }
  if (locked_) {
    keep_first(file_->Unlock(0, 1));
    locked_ = false;
  }
  keep_first(file_->Close());
  file_.reset();
  return err;
}

}  // namespace qz
