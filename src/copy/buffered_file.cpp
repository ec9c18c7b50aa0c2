#include "copy/buffered_file.h"

#include <cstring>

namespace qz {

BufferedReader::BufferedReader(File& file, std::size_t buffer_size)
    : file_(file), buffer_(buffer_size > 0 ? buffer_size : 1) {}

int BufferedReader::Fill() {
  pos_ = 0;
  end_ = 0;
  std::size_t got = 0;
  int err = file_.Read(buffer_.data(), buffer_.size(), &got);
  if (err != dos::kOk) return err;
  end_ = got;
  // A regular file gives less than asked for only at its end; further reads
  // would only repeat the empty answer.
  if (got == 0) at_eof_ = true;
  return dos::kOk;
}

int BufferedReader::Read(void* buf, std::size_t n, std::size_t* got) {
  auto* out = static_cast<uint8_t*>(buf);
  std::size_t done = 0;
  int err = dos::kOk;
  while (done < n) {
    if (pos_ == end_) {
      if (at_eof_) break;
      std::size_t want = n - done;
      if (want >= buffer_.size()) {
        // Large requests bypass the buffer; nothing is copied twice.
        std::size_t direct = 0;
        err = file_.Read(out + done, want, &direct);
        if (err != dos::kOk) break;
        if (direct == 0) {
          at_eof_ = true;
          break;
        }
        done += direct;
        continue;
      }
      err = Fill();
      if (err != dos::kOk || end_ == 0) break;
    }
    std::size_t take = end_ - pos_;
    if (take > n - done) take = n - done;
    std::memcpy(out + done, buffer_.data() + pos_, take);
    pos_ += take;
    done += take;
  }
  consumed_ += done;
  *got = done;
  return err;
}

int BufferedReader::ReadView(std::size_t n, uint8_t* scratch, ConstBytes* view) {
  if (pos_ == end_ && !at_eof_ && n <= buffer_.size()) {
    int err = Fill();
    if (err != dos::kOk) {
      *view = ConstBytes(scratch, 0);
      return err;
    }
  }
  if (end_ - pos_ >= n) {
    *view = ConstBytes(buffer_.data() + pos_, n);
    pos_ += n;
    consumed_ += n;
    return dos::kOk;
  }
  std::size_t got = 0;
  int err = Read(scratch, n, &got);
  *view = ConstBytes(scratch, got);
  return err;
}

int BufferedReader::ReadByte(uint8_t* byte, bool* end) {
  *end = false;
  if (pos_ == end_) {
    if (at_eof_) {
      *end = true;
      return dos::kOk;
    }
    int err = Fill();
    if (err != dos::kOk) return err;
    if (end_ == 0) {
      *end = true;
      return dos::kOk;
    }
  }
  *byte = buffer_[pos_++];
  ++consumed_;
  return dos::kOk;
}

BufferedWriter::BufferedWriter(File& file, std::size_t buffer_size)
    : file_(file), buffer_(buffer_size > 0 ? buffer_size : 1) {}

BufferedWriter::~BufferedWriter() {
  if (!closed_) Drain();
}

int BufferedWriter::Drain() {
  if (error_ != dos::kOk) return error_;
  if (used_ == 0) return dos::kOk;
  int err = file_.Write(buffer_.data(), used_);
  used_ = 0;
  if (err != dos::kOk) error_ = err;
  return err;
}

int BufferedWriter::Write(const void* buf, std::size_t n) {
  if (error_ != dos::kOk) return error_;
  if (closed_) return dos::kInvalidHandle;
  const auto* in = static_cast<const uint8_t*>(buf);
  if (used_ + n <= buffer_.size()) {
    std::memcpy(buffer_.data() + used_, in, n);
    used_ += n;
    written_ += n;
    return dos::kOk;
  }
  int err = Drain();
  if (err != dos::kOk) return err;
  if (n >= buffer_.size()) {
    err = file_.Write(in, n);
    if (err != dos::kOk) {
      error_ = err;
      return err;
    }
  } else {
    std::memcpy(buffer_.data(), in, n);
    used_ = n;
  }
  written_ += n;
  return dos::kOk;
}

int BufferedWriter::Flush() {
  if (closed_) return error_ != dos::kOk ? error_ : dos::kInvalidHandle;
  return Drain();
}

int BufferedWriter::Close() {
  if (closed_) return dos::kInvalidHandle;
  bool had_error = error_ != dos::kOk;
  int flush_err = Drain();
  closed_ = true;
  int close_err = file_.Close();
  if (!had_error && flush_err != dos::kOk) return flush_err;
  return close_err;
}

}  // namespace qz
