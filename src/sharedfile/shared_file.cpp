#include "sharedfile/shared_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/context.h"
#include "app/exit.h"
#include "sharedfile/box_text.h"
#include "sharedfile/file_mode.h"
#include "sharedfile/temp_dir.h"
#include "text/cp852.h"
#include "text/polish.h"
#include "ui/message_box.h"
#include "ui/ui.h"
#include "ui/wait_box.h"

namespace qz {

namespace {

constexpr int kExistsPauseMs = 500;
constexpr int kExistsAskAfter = 4;
/// Bytes of records moved per read and per write while `Insert` makes room
/// (at least one record).
constexpr std::size_t kInsertChunkBytes = 64 * 1024;

}  // namespace

void IoFatal(Context& ctx, const Text& what) {
  Text text = BoxText({Centred("Poważny BŁĄD I/O."_cp), Centred(what), "",
                       Centred("Czy KONTYNUOWAĆ PRACĘ ?"_cp)});
  if (MessageBoxAt(ctx.ui, text, box::kError | box::kYesButton | box::kNoButton) != cmd::kYes) {
    throw ExitRequest{255};
  }
}

SharedFile::SharedFile(Context& ctx, const Text& name, uint16_t rec_size)
    : ctx_(ctx),
      name_(name.substr(0, kMaxName)),
      open_mode_(open_mode::kReadWrite | open_mode::kDenyNone),
      rec_size_(rec_size == 0 ? 1 : rec_size) {}

SharedFile::~SharedFile() {
  // Errors cannot be reported from here; the lock goes with the handle.
  if (file_) {
    if (locked_) file_->Unlock(0, kWholeFile);
    file_->Close();
  }
}

bool SharedFile::ReadRec(Bytes buf) {
  io_count_ = 0;
  std::size_t n = static_cast<std::size_t>(rec_size_);
  if (!file_) {
    last_error_ = dos::kInvalidHandle;
  } else {
    std::size_t got = 0;
    last_error_ = file_->Read(buf.data(), n, &got);
    if (last_error_ == dos::kOk && got == n) io_count_ = 1;
  }
  if (last_error_ != dos::kOk || io_count_ != 1) {
    std::memset(buf.data(), 0, n);
    return false;
  }
  return true;
}

bool SharedFile::WriteRec(ConstBytes buf) {
  io_count_ = 0;
  if (!file_) {
    last_error_ = dos::kInvalidHandle;
    return false;
  }
  last_error_ = file_->Write(buf.data(), static_cast<std::size_t>(rec_size_));
  if (last_error_ == dos::kOk) io_count_ = 1;
  return last_error_ == dos::kOk;
}

Text SharedFile::CreatePrompt() { return Centred("Utworzyć nowy ?"_cp); }

int16_t SharedFile::Compare(ConstBytes existing, ConstBytes added) {
  // `Insert` compares one record with many: its key is made once.
  if (added.data() == inserting_.data() && added.size() == inserting_.size()) {
    return ComparePL(UpperPL(KeyOf(existing)), inserting_key_);
  }
  return ComparePL(UpperPL(KeyOf(existing)), UpperPL(KeyOf(added)));
}

bool SharedFile::SharedReset() {
  uint8_t saved = ctx_.shared.open_mode;
  ctx_.shared.open_mode = open_mode_;
  bool ok = false;
  for (int counter = 0;; ++counter) {
    std::unique_ptr<File> f;
    last_error_ = OpenInFileMode(ctx_, name_, &f);
    if (last_error_ == dos::kOk) {
      file_ = std::move(f);
      state_ = kOpened;
      ok = true;
      break;
    }
    if (last_error_ != dos::kSharingViolation || counter >= kMaxRetries) break;
    ctx_.clock.SleepMs(kRetryDelayMs);
  }
  ctx_.shared.open_mode = saved;
  return ok;
}

bool SharedFile::RetryOp(Op op, RetryMode retry) {
  std::unique_ptr<WaitBox> queue_box;
  bool ok = false;
  int attempt = 1;
  while (attempt <= kMaxRetries) {
    if (op == Op::kOpen) {
      ok = SharedReset();
      break;
    }
    if (!ctx_.shared.network_mode) {
      ok = true;
    } else if (!file_) {
      last_error_ = dos::kInvalidHandle;
      ok = false;
    } else {
      last_error_ = op == Op::kLock ? file_->Lock(0, kWholeFile) : file_->Unlock(0, kWholeFile);
      ok = last_error_ == dos::kOk;
    }
    if (ok) break;
    ++attempt;
    if (retry == RetryMode::kAsk) {
      if (attempt > kMaxRetries) {
        Text text = BoxText({Centred(" NET Info"), Centred("DOSTĘP BLOKOWANY SIECIOWO"_cp),
                             "Czy czekamy ?"});
        if (MessageBoxAt(ctx_.ui, text, box::kInformation | box::kYesButton | box::kNoButton) !=
            cmd::kYes) {
          break;
        }
        attempt = 1;
      } else {
        ctx_.clock.SleepMs(kRetryDelayMs);
      }
    } else if (retry == RetryMode::kQueue) {
      if (attempt > kMaxRetries) {
        attempt = 1;
        if (!queue_box) {
          queue_box = WaitBox::Open(ctx_.ui, kMaxRetries - 1, "Sieciowa KOLEJKA ", "");
        } else {
          queue_box->Reset();
        }
      } else {
        if (queue_box) queue_box->Step(1);
        ctx_.clock.SleepMs(kRetryDelayMs);
      }
    }
  }
  if (queue_box) queue_box->Close();
  ctx_.ui.FlushKeys();
  return ok;
}

bool SharedFile::Exists() {
  int counter = 0;
  for (;;) {
    std::vector<DirEntry> found;
    last_error_ = ctx_.fs.Find(name_, attr::kOrdinary, &found);
    switch (last_error_) {
      case dos::kOk:
        return !found.empty();
      case dos::kAccessDenied:
      case dos::kSharingViolation:
      case dos::kLockViolation:
        if (counter >= kExistsAskAfter) {
          Text text = BoxText({Centred("Dostęp do pliku"_cp), Centred(name_),
                               Centred("niemożliwy/zabroniony !"_cp), Centred("Ponowić próbę ?"_cp)});
          if (MessageBoxAt(ctx_.ui, text, box::kWarning | box::kYesButton | box::kNoButton) ==
              cmd::kNo) {
            return false;
          }
          counter = 0;
        }
        ++counter;
        ctx_.clock.SleepMs(kExistsPauseMs);
        break;
      case dos::kInvalidEnvironment:
      case dos::kInvalidFormat:
        ErrorBox(ctx_.ui, BoxText({Centred("Niepoprawny format nazwy"), Centred(name_)}));
        return false;
      default:
        return false;
    }
  }
}

bool SharedFile::Create(State new_state) {
  std::unique_ptr<File> f;
  last_error_ = ctx_.fs.Create(name_, &f);
  if (last_error_ != dos::kOk) return false;
  file_ = std::move(f);
  state_ = new_state;
  return true;
}

bool SharedFile::OpenShared(RetryMode retry, bool report_denied) {
  bool ok = RetryOp(Op::kOpen, retry);
  if (!ok && report_denied && last_error_ == dos::kAccessDenied) {
    ErrorBox(ctx_.ui, BoxText({Centred("Dostęp do pliku"_cp), Centred(name_),
                               Centred("Zabronony !(?)")}));
  }
  return ok;
}

bool SharedFile::Open(OpenKind kind, RetryMode retry) {
  switch (kind) {
    case OpenKind::kOpenOrCreate:
      if (Exists()) return OpenShared(retry, true);
      return Create(kCreated);
    case OpenKind::kOpenOrAsk: {
      if (Exists()) return OpenShared(retry, true);
      Text text = BoxText({Centred("Nie odnaleziono pliku:"), Centred(name_), CreatePrompt()});
      if (MessageBox(ctx_.ui, 20, 10, 40, 10, text,
                     box::kConfirm | box::kYesButton | box::kNoButton) != cmd::kYes) {
        return false;
      }
      return Create(kCreated);
    }
    case OpenKind::kOpenExisting:
      return Exists() && OpenShared(retry, false);
    case OpenKind::kCreateNew:
      return Create(kCreated);
    case OpenKind::kCreateTemp:
      name_ = MakeTempName(ctx_, name_, ".tmp").substr(0, kMaxName);
      return Create(kTempCreated);
  }
  return false;
}

bool SharedFile::SeekRec(int32_t n) {
  if (!file_) {
    last_error_ = dos::kInvalidHandle;
    return false;
  }
  if (n < 0) {
    last_error_ = dos::kInvalidFormat;
    return false;
  }
  last_error_ = file_->Seek(static_cast<uint64_t>(n) * static_cast<uint64_t>(rec_size_));
  return last_error_ == dos::kOk;
}

bool SharedFile::SeekEnd(int32_t* n) {
  *n = -1;
  if (!file_) {
    last_error_ = dos::kInvalidHandle;
    return false;
  }
  uint64_t size = 0;
  last_error_ = file_->Size(&size);
  if (last_error_ != dos::kOk) return false;
  *n = static_cast<int32_t>(size / static_cast<uint64_t>(rec_size_));
  return SeekRec(*n);
}

bool SharedFile::ReadRecAt(int32_t n, Bytes buf) {
  if (!SeekRec(n)) {
    std::memset(buf.data(), 0, static_cast<std::size_t>(rec_size_));
    return false;
  }
  return ReadRec(buf);
}

bool SharedFile::WriteRecAt(int32_t n, ConstBytes buf) { return SeekRec(n) && WriteRec(buf); }

bool SharedFile::Append(ConstBytes buf) {
  int32_t n = 0;
  return SeekEnd(&n) && WriteRec(buf);
}

bool SharedFile::LockAll(RetryMode retry) {
  locked_ = RetryOp(Op::kLock, retry);
  return locked_;
}

bool SharedFile::Unlock() {
  if (ctx_.shared.network_mode && locked_) {
    bool ok = RetryOp(Op::kUnlock, RetryMode::kAsk);
    locked_ = !ok;
    return ok;
  }
  locked_ = false;
  return true;
}

int32_t SharedFile::MakeRoom(int32_t count, ConstBytes rec, WaitBox* box) {
  const std::size_t size = static_cast<std::size_t>(rec_size_);
  const int32_t per_chunk = static_cast<int32_t>(std::max<std::size_t>(1, kInsertChunkBytes / size));
  std::vector<uint8_t> chunk;
  // Records 0..count-2 are the old ones; slot count-1 holds the appended
  // record. Walk down from the top a chunk at a time: compare backwards
  // until a record sorts before the new one (or equals it), and move the
  // records above that place up by one. Chunks are written top first, so
  // every slot written to has already been moved out of the way.
  int32_t hi = count - 1;
  while (hi > 0) {
    int32_t lo = std::max<int32_t>(0, hi - per_chunk);
    std::size_t n = static_cast<std::size_t>(hi - lo);
    chunk.assign(n * size, 0);
    std::size_t got = 0;
    int err = SeekRec(lo) ? file_->Read(chunk.data(), n * size, &got) : last_error_;
    if (err != dos::kOk || got != n * size) {
      last_error_ = err != dos::kOk ? err : dos::kHandleEof;
      // What could not be read compares as an empty record, as a failed
      // `ReadRec` leaves it.
      std::fill(chunk.begin() + static_cast<std::ptrdiff_t>(got / size * size), chunk.end(), 0);
      IoFatal(ctx_, "odczytu danych");
    }
    int32_t from = lo;
    bool found = false;
    uint32_t compared = 0;
    for (int32_t i = hi - 1; i >= lo; --i) {
      cur_rec_ = i;
      ++compared;
      ConstBytes existing(chunk.data() + static_cast<std::size_t>(i - lo) * size, size);
      if (Compare(existing, rec) >= 0) {
        from = i + 1;
        found = true;
        break;
      }
    }
    // The bar moves once per chunk by the records looked at: drawing it
    // for every record would cost more than the comparisons.
    if (box != nullptr) box->Step(compared);
    if (from < hi) {
      std::size_t moved = static_cast<std::size_t>(hi - from) * size;
      const uint8_t* start = chunk.data() + static_cast<std::size_t>(from - lo) * size;
      int werr = SeekRec(from + 1) ? file_->Write(start, moved) : last_error_;
      if (werr != dos::kOk) {
        last_error_ = werr;
        IoFatal(ctx_, "zapisu danych");
      }
    }
    if (found) return from;
    hi = lo;
  }
  return 0;
}

bool SharedFile::Insert(ConstBytes rec) {
  insert_showed_progress_ = false;
  if (!LockAll(RetryMode::kAsk)) return false;
  if (!Append(rec)) IoFatal(ctx_, "dopisania do  pliku");
  int32_t count = 0;
  if (!SeekEnd(&count)) IoFatal(ctx_, "ustawienia końca pliku"_cp);
  std::unique_ptr<WaitBox> box;
  if (count > 20 && ctx_.shared.insert_progress) {
    box = WaitBox::Open(ctx_.ui, static_cast<uint32_t>(count), "Wstawianie...", "");
    insert_showed_progress_ = box != nullptr;
  }
  bool ok = true;
  if (count <= 1) {
    cur_rec_ = 0;
  } else {
    inserting_ = rec;
    inserting_key_ = UpperPL(KeyOf(rec));
    struct Forget {
      ConstBytes& rec;
      ~Forget() { rec = ConstBytes(); }
    } forget{inserting_};
    cur_rec_ = MakeRoom(count, rec, box.get());
    ok = WriteRecAt(cur_rec_, rec);
  }
  if (box) box->Close();
  box.reset();
  if (!Unlock()) IoFatal(ctx_, "odblokowania pliku");
  if (!ok) IoFatal(ctx_, "wstawienia do pliku");
  Flush();
  return ok;
}

bool SharedFile::Flush() {
  if (!file_) {
    last_error_ = dos::kInvalidHandle;
    return false;
  }
  last_error_ = file_->Flush();
  return last_error_ == dos::kOk;
}

bool SharedFile::Close() {
  if (!Unlock()) return false;
  if (!file_) {
    last_error_ = dos::kInvalidHandle;
    state_ = kClosed;
    return false;
  }
  last_error_ = file_->Close();
  file_.reset();
  state_ = kClosed;
  return last_error_ == dos::kOk;
}

void SharedFile::Done() {
  if (state_ != kClosed) Close();
  if (file_) {
    file_->Close();
    file_.reset();
  }
  state_ = kClosed;
  locked_ = false;
  last_error_ = dos::kOk;
}

}  // namespace qz
