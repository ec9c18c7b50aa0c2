#include "platform/faulty_file_system.h"

#include <utility>

namespace qz {

namespace {

/// A file opened through the fault-injecting file system: every counted
/// call is first decided by it. A failed `Close` still closes the wrapped
/// file (and so releases it and its locks); only the result is the error.
class FaultyFile : public File {
 public:
  FaultyFile(FaultyFileSystem& fs, std::unique_ptr<File> inner)
      : fs_(fs), inner_(std::move(inner)) {}

  int Read(void* buf, std::size_t n, std::size_t* got) override {
    if (int e = fs_.Check(FsOp::kRead)) {
      *got = 0;
      return e;
    }
    return inner_->Read(buf, n, got);
  }
  int Write(const void* buf, std::size_t n) override {
    if (int e = fs_.Check(FsOp::kWrite)) return e;
    return inner_->Write(buf, n);
  }
  int Seek(uint64_t pos) override {
    if (int e = fs_.Check(FsOp::kSeek)) return e;
    return inner_->Seek(pos);
  }
  int Tell(uint64_t* pos) override { return inner_->Tell(pos); }
  int Size(uint64_t* size) override {
    if (int e = fs_.Check(FsOp::kSize)) {
      *size = 0;
      return e;
    }
    return inner_->Size(size);
  }
  int Truncate() override {
    if (int e = fs_.Check(FsOp::kTruncate)) return e;
    return inner_->Truncate();
  }
  int Flush() override {
    if (int e = fs_.Check(FsOp::kFlush)) return e;
    return inner_->Flush();
  }
  int Lock(uint32_t off, uint32_t len) override {
    if (int e = fs_.Check(FsOp::kLock)) return e;
    return inner_->Lock(off, len);
  }
  int Unlock(uint32_t off, uint32_t len) override {
    if (int e = fs_.Check(FsOp::kUnlock)) return e;
    return inner_->Unlock(off, len);
  }
  int Close() override {
    int e = fs_.Check(FsOp::kClose);
    int r = inner_->Close();
    return e != 0 ? e : r;
  }

 private:
  FaultyFileSystem& fs_;
  std::unique_ptr<File> inner_;
};

}  // namespace

FaultyFileSystem::FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

FaultyFileSystem::~FaultyFileSystem() = default;

void FaultyFileSystem::FailNth(FsOp op, int nth, int error) {
  rules_[op] = Rule{nth, error, false, 0};
}

void FaultyFileSystem::FailFrom(FsOp op, int nth, int error) {
  rules_[op] = Rule{nth, error, true, 0};
}

void FaultyFileSystem::Clear() { rules_.clear(); }

int FaultyFileSystem::calls(FsOp op) const {
  auto it = calls_.find(op);
  return it == calls_.end() ? 0 : it->second;
}

int FaultyFileSystem::Check(FsOp op) {
  ++calls_[op];
  auto it = rules_.find(op);
  if (it == rules_.end()) return 0;
  Rule& r = it->second;
  ++r.seen;
  if (r.seen == r.nth || (r.sticky && r.seen > r.nth)) return r.error;
  return 0;
}

int FaultyFileSystem::Open(const Text& path, Access access, Sharing sharing,
                           std::unique_ptr<File>* out) {
  out->reset();
  if (int e = Check(FsOp::kOpen)) return e;
  std::unique_ptr<File> inner;
  int e = inner_.Open(path, access, sharing, &inner);
  if (e == 0) *out = std::make_unique<FaultyFile>(*this, std::move(inner));
  return e;
}

int FaultyFileSystem::Create(const Text& path, std::unique_ptr<File>* out) {
  out->reset();
  if (int e = Check(FsOp::kCreate)) return e;
  std::unique_ptr<File> inner;
  int e = inner_.Create(path, &inner);
  if (e == 0) *out = std::make_unique<FaultyFile>(*this, std::move(inner));
  return e;
}

int FaultyFileSystem::Find(const Text& pattern, uint8_t attributes, std::vector<DirEntry>* out) {
  if (int e = Check(FsOp::kFind)) {
    out->clear();
    return e;
  }
  return inner_.Find(pattern, attributes, out);
}

int FaultyFileSystem::Rename(const Text& from, const Text& to) {
  if (int e = Check(FsOp::kRename)) return e;
  return inner_.Rename(from, to);
}

int FaultyFileSystem::Remove(const Text& path) {
  if (int e = Check(FsOp::kRemove)) return e;
  return inner_.Remove(path);
}

int FaultyFileSystem::MakeDir(const Text& path) {
  if (int e = Check(FsOp::kMakeDir)) return e;
  return inner_.MakeDir(path);
}

int FaultyFileSystem::CurrentDir(Text* out) { return inner_.CurrentDir(out); }

}  // namespace qz
