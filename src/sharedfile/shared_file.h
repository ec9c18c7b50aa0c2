#ifndef QZ_SHAREDFILE_SHARED_FILE_H_
#define QZ_SHAREDFILE_SHARED_FILE_H_

#include <cstdint>
#include <memory>

#include "platform/file_system.h"
#include "text/record_fields.h"
#include "text/text.h"

namespace qz {

struct Context;

/// How `SharedFile::Open` finds or makes its file.
enum class OpenKind : uint8_t {
  kOpenOrCreate = 0,  ///< open shared when present, else create
  kOpenExisting = 1,  ///< open shared when present, else fail quietly
  kCreateNew = 2,     ///< create or empty
  kCreateTemp = 3,    ///< create a fresh temporary file in the named directory
  kOpenOrAsk = 4,     ///< open shared when present, else ask before creating
};

/// How a shared operation waits for another workstation.
enum class RetryMode : uint8_t {
  kSilent = 0,  ///< one cycle of attempts without pauses
  kAsk = 1,     ///< cycles with pauses; asks whether to go on waiting
  kQueue = 2,   ///< waits with a "Sieciowa KOLEJKA " box until it succeeds
};

/// The operation ends the process with exit code 255 unless the user
/// chooses to go on: a serious I/O error on a shared file. `what` names the
/// failed step.
void IoFatal(Context& ctx, const Text& what);

/// A file of fixed-size records that other workstations may hold open: it
/// is opened read-write deny-none, waits while others hold it, locks the
/// whole file while it changes it, and inserts records at their sorted
/// place. A record type derives from it and supplies `KeyOf`.
class SharedFile {
 public:
  static constexpr int kMaxRetries = 30;
  static constexpr int kRetryDelayMs = 50;
  static constexpr std::size_t kMaxName = 79;
  static constexpr uint32_t kWholeFile = 2147483647;

  enum State : uint8_t { kClosed = 0, kOpened = 1, kCreated = 2, kTempCreated = 3 };

  /// `Init`: binds `name` (cut to 79 characters); a record size of 0 becomes 1.
  SharedFile(Context& ctx, const Text& name, uint16_t rec_size);
  /// Closes quietly what `Done` did not close.
  virtual ~SharedFile();
  SharedFile(const SharedFile&) = delete;
  SharedFile& operator=(const SharedFile&) = delete;

  /// Reads one record at the position; true when exactly one was read. On
  /// failure `buf` is zero-filled.
  virtual bool ReadRec(Bytes buf);
  /// Writes one record at the position; true when one was written.
  virtual bool WriteRec(ConstBytes buf);
  /// Last line of the question `OpenOrAsk` asks for a missing file.
  virtual Text CreatePrompt();
  /// +1 when `existing` sorts before `added`, 0 for equal keys, -1 after;
  /// by default the upper-cased keys in Polish order.
  virtual int16_t Compare(ConstBytes existing, ConstBytes added);
  /// The sort key of a record.
  virtual Text KeyOf(ConstBytes rec) = 0;

  /// Opens or creates the file as `kind` says; waits for others as `retry` says.
  bool Open(OpenKind kind, RetryMode retry);
  /// Existence test that waits on access errors and asks after a while.
  bool Exists();
  bool SeekRec(int32_t n);
  /// `*n` := the number of records (-1 when the size cannot be read);
  /// positions after the last one.
  bool SeekEnd(int32_t* n);
  /// `SeekRec` then `ReadRec`; `buf` zero-filled on any failure.
  bool ReadRecAt(int32_t n, Bytes buf);
  bool WriteRecAt(int32_t n, ConstBytes buf);
  bool Append(ConstBytes buf);
  /// Takes the whole-file lock, waiting as `retry` says.
  bool LockAll(RetryMode retry);
  /// Releases the whole-file lock (asking while it cannot).
  bool Unlock();
  /// Inserts `rec` after every record whose key sorts before it or equals
  /// it, under the whole-file lock. False (nothing written) when the lock
  /// cannot be had; other failures go through `IoFatal`.
  bool Insert(ConstBytes rec);
  bool Flush();
  /// `Unlock`, then closes; a failed unlock leaves the file open.
  bool Close();
  /// Closes the file if it is open; the object can then be dropped.
  void Done();

  const Text& name() const { return name_; }
  uint8_t open_mode() const { return open_mode_; }
  void set_open_mode(uint8_t mode) { open_mode_ = mode; }
  State state() const { return state_; }
  int32_t io_count() const { return io_count_; }
  int32_t rec_size() const { return rec_size_; }
  bool locked() const { return locked_; }
  int last_error() const { return last_error_; }
  int32_t cur_rec() const { return cur_rec_; }
  /// Whether the last `Insert` showed its progress box.
  bool insert_showed_progress() const { return insert_showed_progress_; }

 protected:
  Context& ctx() { return ctx_; }

 private:
  enum class Op { kOpen, kLock, kUnlock };
  bool SharedReset();
  bool RetryOp(Op op, RetryMode retry);
  bool Create(State new_state);
  bool OpenShared(RetryMode retry, bool report_denied);
  /// Moves the records after the new record's place up by one, reading and
  /// writing them in chunks; returns the place.
  int32_t MakeRoom(int32_t count, ConstBytes rec, class WaitBox* box);

  Context& ctx_;
  std::unique_ptr<File> file_;
  Text name_;
  uint8_t open_mode_;
  State state_ = kClosed;
  int32_t io_count_ = 0;
  int32_t rec_size_;
  bool locked_ = false;
  int last_error_ = 0;
  int32_t cur_rec_ = 0;
  bool insert_showed_progress_ = false;
  ConstBytes inserting_;  ///< the record `Insert` is placing, while it compares
  Text inserting_key_;    ///< its upper-cased key
};

}  // namespace qz

#endif  // QZ_SHAREDFILE_SHARED_FILE_H_
