#include "copy/text_file.h"

namespace qz {

namespace {
constexpr uint8_t kCtrlZ = 0x1A;
constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;
}  // namespace

int TextReader::Open(FileSystem& fs, const Text& path, std::unique_ptr<TextReader>* out) {
  std::unique_ptr<File> file;
  int err = fs.Open(path, Access::kRead, Sharing::kDenyNone, &file);
  if (err != dos::kOk) return err;
  *out = std::make_unique<TextReader>(std::move(file));
  return dos::kOk;
}

TextReader::TextReader(std::unique_ptr<File> file) : file_(std::move(file)), reader_(*file_) {}

int TextReader::RawByte(uint8_t* byte, bool* end) {
  if (has_raw_) {
    has_raw_ = false;
    *byte = raw_;
    *end = false;
    return dos::kOk;
  }
  return reader_.ReadByte(byte, end);
}

int TextReader::Decode(uint8_t* byte, bool* end) {
  if (pending_eof_chars_ > 0) {
    --pending_eof_chars_;
    *byte = kCtrlZ;
    *end = false;
    return dos::kOk;
  }
  int err = RawByte(byte, end);
  if (err != dos::kOk || *end || *byte != kCtrlZ) return err;
  // A run of Ctrl+Z bytes: the end of the file when nothing follows it,
  // text otherwise.
  std::size_t run = 1;
  for (;;) {
    uint8_t next = 0;
    bool next_end = false;
    err = RawByte(&next, &next_end);
    if (err != dos::kOk) return err;
    if (next_end) {
      *end = true;
      return dos::kOk;
    }
    if (next != kCtrlZ) {
      has_raw_ = true;
      raw_ = next;
      break;
    }
    ++run;
  }
  pending_eof_chars_ = run - 1;
  *byte = kCtrlZ;
  *end = false;
  return dos::kOk;
}

int TextReader::Next(uint8_t* byte, bool* end) {
  if (has_peek_) {
    has_peek_ = false;
    *byte = peek_;
    *end = peek_end_;
    return dos::kOk;
  }
  return Decode(byte, end);
}

int TextReader::Peek(uint8_t* byte, bool* end) {
  if (!has_peek_) {
    int err = Decode(&peek_, &peek_end_);
    if (err != dos::kOk) return err;
    has_peek_ = true;
  }
  *byte = peek_;
  *end = peek_end_;
  return dos::kOk;
}

int TextReader::ReadLine(Text* line) {
  if (error_ != dos::kOk) return error_;
  if (at_end_) return dos::kHandleEof;
  uint8_t b = 0;
  bool end = false;
  int err = Next(&b, &end);
  if (err != dos::kOk) return error_ = err;
  if (end) {
    at_end_ = true;
    return dos::kHandleEof;
  }
  line->clear();
  for (;;) {
    if (b == kLf) return dos::kOk;
    if (b == kCr) {
      uint8_t c = 0;
      bool c_end = false;
      err = Peek(&c, &c_end);
      if (err != dos::kOk) return error_ = err;
      if (!c_end && c == kLf) has_peek_ = false;
      return dos::kOk;
    }
    if (line->size() < kMaxTextLine) line->push_back(static_cast<char>(b));
    err = Next(&b, &end);
    if (err != dos::kOk) return error_ = err;
    if (end) {
      at_end_ = true;
      return dos::kOk;
    }
  }
}

int TextReader::Close() {
  if (!file_) return dos::kInvalidHandle;
  return file_->Close();
}

int TextWriter::Create(FileSystem& fs, const Text& path, std::unique_ptr<TextWriter>* out) {
  std::unique_ptr<File> file;
  int err = fs.Create(path, &file);
  if (err != dos::kOk) return err;
  *out = std::make_unique<TextWriter>(std::move(file));
  return dos::kOk;
}

TextWriter::TextWriter(std::unique_ptr<File> file) : file_(std::move(file)), writer_(*file_) {}

int TextWriter::Write(TextView text) { return writer_.Write(text.data(), text.size()); }

int TextWriter::WriteLine(TextView line) {
  int err = writer_.Write(line.data(), line.size());
  if (err != dos::kOk) return err;
  return writer_.Write("\r\n", 2);
}

int TextWriter::Flush() { return writer_.Flush(); }

int TextWriter::Close() { return writer_.Close(); }

}  // namespace qz
