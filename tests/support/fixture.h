#ifndef QZ_TESTS_SUPPORT_FIXTURE_H_
#define QZ_TESTS_SUPPORT_FIXTURE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless_console.h"
#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

struct TestEnv;

/// Building old installations and reading new ones back, for tests, the
/// demonstration office and benchmarks.
namespace fixture {

/// A fixed-size record of a data file being built or read back. Fields are
/// set and read through the record field helpers; setters chain.
class Record {
 public:
  explicit Record(std::size_t size, uint8_t fill = 0) : bytes_(size, fill) {}
  /// A record over existing bytes (for reading back).
  explicit Record(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  Record& U8(std::size_t off, uint8_t v) { PutU8(bytes(), off, v); return *this; }
  Record& U16(std::size_t off, uint16_t v) { PutU16(bytes(), off, v); return *this; }
  Record& I32(std::size_t off, int32_t v) { PutI32(bytes(), off, v); return *this; }
  Record& Real(std::size_t off, double v) { PutReal(bytes(), off, v); return *this; }
  /// The text field `text (max)` at `off`; a `text` longer than `max` is
  /// stored whole with its real length (an over-long field, as old files
  /// may hold), provided it fits the record.
  Record& Str(std::size_t off, std::size_t max, TextView text);
  /// Raw bytes at `off`.
  Record& Raw(std::size_t off, TextView bytes);
  /// Every byte of [off, off + n) set to `v`.
  Record& Fill(std::size_t off, std::size_t n, uint8_t v) { FillBytes(bytes(), off, n, v); return *this; }

  uint8_t u8(std::size_t off) const { return GetU8(cbytes(), off); }
  uint16_t u16(std::size_t off) const { return GetU16(cbytes(), off); }
  int32_t i32(std::size_t off) const { return GetI32(cbytes(), off); }
  double real(std::size_t off) const { return GetReal(cbytes(), off); }
  /// The text at `off` as stored (its length byte, however large, within the record).
  Text str(std::size_t off) const { return GetText(cbytes(), off, 255); }

  std::size_t size() const { return bytes_.size(); }
  Bytes bytes() { return Bytes(bytes_); }
  ConstBytes cbytes() const { return ConstBytes(bytes_); }
  const std::vector<uint8_t>& data() const { return bytes_; }
  std::string str_bytes() const { return std::string(bytes_.begin(), bytes_.end()); }
  bool operator==(const Record& o) const { return bytes_ == o.bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

/// A record of `size` bytes whose byte i is (seed + i) % 251 + 1: every byte
/// distinct from its neighbours and nonzero, so that carried and untouched
/// bytes are easy to tell from zeroed ones.
Record PatternRecord(std::size_t size, uint8_t seed = 0);

/// The bytes of a file made of `records`, in order.
std::string JoinRecords(const std::vector<Record>& records);
/// `file` cut into records of `size` bytes (a short tail becomes a short record).
std::vector<Record> SplitRecords(const std::string& file, std::size_t size);

/// An office of two installations below a test's directory: the old one at
/// "old/" and the new one at "new/" (both made), set as the run's
/// `SourceRoot` and `TargetRoot`. Firm files are named by the firm's
/// directory and the file name.
class Office {
 public:
  explicit Office(TestEnv& env);

  /// Relative paths (below the test directory) of a firm file.
  static std::string OldPath(const std::string& firm, const std::string& name);
  static std::string NewPath(const std::string& firm, const std::string& name);

  /// Writes a firm file of the old installation.
  void WriteOld(const std::string& firm, const std::string& name, const std::string& bytes);
  void WriteOldRecords(const std::string& firm, const std::string& name,
                       const std::vector<Record>& records);
  /// A firm of the old installation with its year marker (one 256-byte
  /// record, `marker`, a pattern record when not given) and 2018 annual
  /// settings (three 512-byte records, `settings`, zeros when not given).
  void AddFirm(const std::string& firm);
  void AddFirm(const std::string& firm, const Record& marker, const std::vector<Record>& settings);

  /// Reads a file of the new / old installation.
  std::string ReadNew(const std::string& firm, const std::string& name) const;
  std::string ReadOld(const std::string& firm, const std::string& name) const;
  std::vector<Record> ReadNewRecords(const std::string& firm, const std::string& name,
                                     std::size_t size) const;
  bool NewExists(const std::string& firm, const std::string& name) const;
  bool OldExists(const std::string& firm, const std::string& name) const;

  /// Every file below the old installation (relative name -> bytes), to
  /// show that a run left it unchanged.
  std::vector<std::pair<std::string, std::string>> SnapshotOld() const;

  TestEnv& env() { return env_; }

 private:
  TestEnv& env_;
};

/// A headless console that answers every wait for input, once the script
/// is used up, with `key` (an unattended user pressing the same key), and
/// counts those answers.
class AnsweringConsole : public HeadlessConsole {
 public:
  explicit AnsweringConsole(uint16_t key) : key_(key) {}
  bool ReadInput(InputRecord* out) override;
  void WaitForInput(int ms) override;
  int answers() const { return answers_; }

 private:
  uint16_t key_;
  bool armed_ = false;
  int answers_ = 0;
};

/// The whole screen as UTF-8, rows joined by line ends (to find log lines).
std::string ScreenText(TestEnv& env);

}  // namespace fixture
}  // namespace qz

#endif  // QZ_TESTS_SUPPORT_FIXTURE_H_
