#ifndef QZ_COPY_BUFFERED_FILE_H_
#define QZ_COPY_BUFFERED_FILE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/file_system.h"
#include "text/record_fields.h"

namespace qz {

/// Size of the buffers that sit between the copiers and the file system, so
/// that the number of system calls does not grow with the number of records.
inline constexpr std::size_t kIoBufferSize = 64 * 1024;

/// Reads a `File` sequentially through a buffer. The file stays owned by the
/// caller; the reader only reads it from its current position on.
class BufferedReader {
 public:
  explicit BufferedReader(File& file, std::size_t buffer_size = kIoBufferSize);

  /// Reads up to `n` bytes into `buf`; `*got` is the count delivered, less
  /// than `n` only at the end of the file (0 there) or on an error. Returns a
  /// DOS error number; after an error `*got` bytes before it were delivered
  /// and the next call tries the file again.
  int Read(void* buf, std::size_t n, std::size_t* got);
  /// Reads up to `n` bytes like `Read` but without copying them when they
  /// lie together in the buffer: `*view` then points into the buffer (valid
  /// until the next call), else the bytes are read into `scratch` (room for
  /// `n`) and `*view` points there. `view->size()` is the count read.
  int ReadView(std::size_t n, uint8_t* scratch, ConstBytes* view);
  /// Reads one byte; `*end` is true (and the result 0) at the end of the file.
  int ReadByte(uint8_t* byte, bool* end);
  /// Bytes delivered so far, counted from where the file stood at the start.
  uint64_t consumed() const { return consumed_; }

 private:
  int Fill();

  File& file_;
  std::vector<uint8_t> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool at_eof_ = false;
  uint64_t consumed_ = 0;
};

/// Writes a `File` sequentially through a buffer. A write error is returned
/// by the call that meets it: by `Write` when the buffer overflows, else by
/// `Flush` or `Close`; it is never dropped. After an error nothing more is
/// written (later data would land after a gap) and `Write`/`Flush` return the
/// same error again.
class BufferedWriter {
 public:
  explicit BufferedWriter(File& file, std::size_t buffer_size = kIoBufferSize);
  /// Unwritten data is written, its error dropped: call `Close` or `Flush`
  /// to learn of it.
  ~BufferedWriter();
  BufferedWriter(const BufferedWriter&) = delete;
  BufferedWriter& operator=(const BufferedWriter&) = delete;

  /// Takes all `n` bytes or fails with a DOS error number.
  int Write(const void* buf, std::size_t n);
  /// Hands the buffered bytes to the file.
  int Flush();
  /// `Flush`, then closes the file. Returns an error of the final flush that
  /// no earlier call has returned, otherwise the error of closing the file.
  /// The file is closed in every case.
  int Close();
  /// Bytes taken by `Write` so far.
  uint64_t written() const { return written_; }

 private:
  int Drain();

  File& file_;
  std::vector<uint8_t> buffer_;
  std::size_t used_ = 0;
  int error_ = 0;
  bool closed_ = false;
  uint64_t written_ = 0;
};

}  // namespace qz

#endif  // QZ_COPY_BUFFERED_FILE_H_
