#ifndef QZ_COPY_TEXT_FILE_H_
#define QZ_COPY_TEXT_FILE_H_

#include <cstddef>
#include <memory>

#include "copy/buffered_file.h"
#include "platform/file_system.h"
#include "text/text.h"

namespace qz {

/// The longest line the program keeps; the rest of a longer line is skipped.
inline constexpr std::size_t kMaxTextLine = 255;

/// Reads a text file line by line. A line ends with CR LF, LF or CR alike; a
/// last line without a line end counts. Ctrl+Z (byte 26) bytes that nothing
/// but the end of the file follows end the file (DOS editors put them
/// there); elsewhere they are ordinary characters. A line longer than 255
/// characters is cut to 255 and the rest of it is skipped.
class TextReader {
 public:
  /// Opens `path` for reading, sharing it with other readers and writers.
  static int Open(FileSystem& fs, const Text& path, std::unique_ptr<TextReader>* out);
  explicit TextReader(std::unique_ptr<File> file);
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  /// Reads the next line into `*line` (without its line end). Returns 0,
  /// `dos::kHandleEof` when no line is left, or the read error; a read error
  /// stays: every later call returns it again, so a loop reading until
  /// "not 0" always ends.
  int ReadLine(Text* line);
  /// Closes the file; the close error.
  int Close();

 private:
  /// Next byte of the file with Ctrl+Z bytes before the end removed;
  /// `*end` at the end.
  int Next(uint8_t* byte, bool* end);
  int Peek(uint8_t* byte, bool* end);
  int Decode(uint8_t* byte, bool* end);
  int RawByte(uint8_t* byte, bool* end);

  std::unique_ptr<File> file_;
  BufferedReader reader_;
  int error_ = 0;
  bool at_end_ = false;
  std::size_t pending_eof_chars_ = 0;  ///< Ctrl+Z bytes read ahead that are text
  bool has_raw_ = false;  ///< a byte read past a run of Ctrl+Z bytes
  uint8_t raw_ = 0;
  bool has_peek_ = false;
  uint8_t peek_ = 0;
  bool peek_end_ = false;
};

/// Writes a text file line by line with CR LF line ends, buffered: a write
/// error shows in `WriteLine`, `Flush` or `Close`, never later.
class TextWriter {
 public:
  /// Creates `path` (an existing file of that name, in any letter case, is
  /// emptied).
  static int Create(FileSystem& fs, const Text& path, std::unique_ptr<TextWriter>* out);
  explicit TextWriter(std::unique_ptr<File> file);
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  /// Writes `text` without a line end.
  int Write(TextView text);
  /// Writes `line` and CR LF.
  int WriteLine(TextView line);
  int Flush();
  /// See `BufferedWriter::Close`.
  int Close();

 private:
  std::unique_ptr<File> file_;
  BufferedWriter writer_;
};

}  // namespace qz

#endif  // QZ_COPY_TEXT_FILE_H_
