#ifndef QZ_COPY_COPY_TEST_ENV_H_
#define QZ_COPY_COPY_TEST_ENV_H_

// Test fixture of the copy engine's tests (header only, used by *_test.cpp).

#include <memory>
#include <string>
#include <vector>

#include "support/test_env.h"
#include "text/cp852.h"

namespace qz {

/// Passes every call on and counts the files that are open, so that a test
/// can check that a copy closed everything it opened, also after a failure.
class OpenFileCounter : public FileSystem {
 public:
  explicit OpenFileCounter(FileSystem& inner) : inner_(inner) {}

  int open_files() const { return open_; }

  int Open(const Text& path, Access access, Sharing sharing, std::unique_ptr<File>* out) override {
    int e = inner_.Open(path, access, sharing, out);
    Wrap(e, out);
    return e;
  }
  int Create(const Text& path, std::unique_ptr<File>* out) override {
    int e = inner_.Create(path, out);
    Wrap(e, out);
    return e;
  }
  int Find(const Text& pattern, uint8_t attributes, std::vector<DirEntry>* out) override {
    return inner_.Find(pattern, attributes, out);
  }
  int Rename(const Text& from, const Text& to) override { return inner_.Rename(from, to); }
  int Remove(const Text& path) override { return inner_.Remove(path); }
  int MakeDir(const Text& path) override { return inner_.MakeDir(path); }
  int CurrentDir(Text* out) override { return inner_.CurrentDir(out); }

 private:
  class CountedFile : public File {
   public:
    CountedFile(std::unique_ptr<File> inner, int* open) : inner_(std::move(inner)), open_(open) {
      ++*open_;
    }
    ~CountedFile() override {
      if (!closed_) inner_->Close();
    }
    int Read(void* b, std::size_t n, std::size_t* got) override { return inner_->Read(b, n, got); }
    int Write(const void* b, std::size_t n) override { return inner_->Write(b, n); }
    int Seek(uint64_t p) override { return inner_->Seek(p); }
    int Tell(uint64_t* p) override { return inner_->Tell(p); }
    int Size(uint64_t* s) override { return inner_->Size(s); }
    int Truncate() override { return inner_->Truncate(); }
    int Flush() override { return inner_->Flush(); }
    int Lock(uint32_t o, uint32_t l) override { return inner_->Lock(o, l); }
    int Unlock(uint32_t o, uint32_t l) override { return inner_->Unlock(o, l); }
    int Close() override {
      if (!closed_) {
        closed_ = true;
        --*open_;
      }
      return inner_->Close();
    }

   private:
    std::unique_ptr<File> inner_;
    int* open_;
    bool closed_ = false;
  };

  void Wrap(int e, std::unique_ptr<File>* out) {
    if (e == 0 && *out) *out = std::make_unique<CountedFile>(std::move(*out), &open_);
  }

  FileSystem& inner_;
  int open_ = 0;
};

/// A `TestEnv` whose context sees the file system through an
/// `OpenFileCounter` (faults armed on `env.fs` still apply), with helpers to
/// read the progress log.
struct CopyTestEnv {
  TestEnv env;
  OpenFileCounter counter{env.fs};
  HeadlessConsole& console = env.console;
  Platform platform{counter, env.console, env.clock, env.process};
  Context ctx{platform};

  Text Path(const std::string& name) const { return env.Path(Utf8ToCp852(name)); }
  /// `Path` as UTF-8, as the log shows it.
  std::string Shown(const std::string& name) const { return Cp852ToUtf8(Path(name)); }
  /// The log rows 1 to 24 up to the last written one, as UTF-8 without
  /// trailing blanks.
  std::vector<std::string> Log() {
    std::vector<std::string> rows;
    for (int r = 1; r <= 24; ++r) {
      std::string s = env.Row(r);
      s.erase(s.find_last_not_of(' ') + 1);
      rows.push_back(s);
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
  }
  /// Attribute of the first cell of log row `row`.
  uint8_t ColourOf(int row) { return env.console.screen().AttrAt(1, row); }
};

}  // namespace qz

#endif  // QZ_COPY_COPY_TEST_ENV_H_
