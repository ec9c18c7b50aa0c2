#include "copy/buffered_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace qz {
namespace {

std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return s;
}

std::unique_ptr<File> OpenRead(TestEnv& t, const std::string& name) {
  std::unique_ptr<File> f;
  EXPECT_EQ(t.fs.Open(t.Path(name), Access::kRead, Sharing::kDenyNone, &f), dos::kOk);
  return f;
}

std::unique_ptr<File> CreateFile(TestEnv& t, const std::string& name) {
  std::unique_ptr<File> f;
  EXPECT_EQ(t.fs.Create(t.Path(name), &f), dos::kOk);
  return f;
}

// Reading in pieces of any size through buffers of any size gives the file
// back byte for byte, across buffer boundaries and with direct large reads.
TEST(BufferedReaderTest, DeliversTheFileInPiecesOfAnySize) {
  struct Case {
    std::size_t file, buffer, piece;
  } cases[] = {
      {0, 16, 5},      {1, 16, 5},        {16, 16, 16},      {17, 16, 4},
      {1000, 16, 7},   {1000, 16, 100},   {1000, 64, 1000},  {70000, kIoBufferSize, 2048},
      {131072, kIoBufferSize, 2048}, {200000, kIoBufferSize, 224},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " bytes, buffer " << c.buffer << ", piece "
                                    << c.piece);
    TestEnv t;
    std::string data = Pattern(c.file);
    t.WriteFile("in.dat", data);
    auto f = OpenRead(t, "in.dat");
    BufferedReader r(*f, c.buffer);
    std::string back;
    std::string piece(c.piece, '\0');
    // Plain reads and views take turns; both deliver the bytes in order.
    std::vector<uint8_t> scratch(c.piece);
    for (bool view = false;; view = !view) {
      std::size_t got = 99;
      if (view) {
        ConstBytes v;
        ASSERT_EQ(r.ReadView(c.piece, scratch.data(), &v), dos::kOk);
        got = v.size();
        back.append(reinterpret_cast<const char*>(v.data()), got);
      } else {
        ASSERT_EQ(r.Read(piece.data(), piece.size(), &got), dos::kOk);
        back.append(piece, 0, got);
      }
      if (got < piece.size()) break;
    }
    EXPECT_EQ(back, data);
    EXPECT_EQ(r.consumed(), data.size());
    std::size_t got = 99;
    EXPECT_EQ(r.Read(piece.data(), piece.size(), &got), dos::kOk);
    EXPECT_EQ(got, 0u);
    f->Close();
  }
}

TEST(BufferedReaderTest, SystemReadsDoNotGrowWithThePieces) {
  TestEnv t;
  t.WriteFile("in.dat", Pattern(1 << 20));
  auto f = OpenRead(t, "in.dat");
  BufferedReader r(*f);
  char piece[100];
  std::size_t got = 0;
  int before = t.fs.calls(FsOp::kRead);
  do {
    ASSERT_EQ(r.Read(piece, sizeof piece, &got), dos::kOk);
  } while (got > 0);
  // 16 buffer loads and the read that finds the end.
  EXPECT_EQ(t.fs.calls(FsOp::kRead) - before, 17);
  f->Close();
}

TEST(BufferedReaderTest, ReadErrorIsReturnedAndTheNextCallGoesOn) {
  TestEnv t;
  std::string data = Pattern(100);
  t.WriteFile("in.dat", data);
  auto f = OpenRead(t, "in.dat");
  BufferedReader r(*f, 16);
  char piece[10];
  std::size_t got = 0;
  ASSERT_EQ(r.Read(piece, 10, &got), dos::kOk);
  t.fs.FailNth(FsOp::kRead, 1, dos::kReadFault);
  // 6 bytes are still buffered; the refill for the rest fails.
  EXPECT_EQ(r.Read(piece, 10, &got), dos::kReadFault);
  EXPECT_EQ(got, 6u);
  EXPECT_EQ(std::string(piece, 6), data.substr(10, 6));
  uint8_t b = 0;
  bool end = true;
  EXPECT_EQ(r.ReadByte(&b, &end), dos::kOk);
  EXPECT_FALSE(end);
  EXPECT_EQ(static_cast<char>(b), data[16]);
  f->Close();
}

// Every way a write can fail is reported by a call no later than Close, and
// nothing is written after the failure.
TEST(BufferedWriterTest, DeferredWriteErrorIsNeverLost) {
  struct Case {
    const char* name;
    bool flush_first;   // Flush before Close
    int write_bytes;    // in pieces of 10 through a 16-byte buffer
    int write_error_at; // first Write call that fails, -1 when no Write sees it
    int flush_error;    // what Flush returns
    int close_error;    // what Close returns
  } cases[] = {
      {"error shown by Flush", true, 10, -1, dos::kDiskFull, dos::kOk},
      {"error shown by Close", false, 10, -1, 0, dos::kDiskFull},
      {"error shown by the overflowing Write", true, 30, 1, dos::kDiskFull, dos::kOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnv t;
    auto f = CreateFile(t, "out.dat");
    BufferedWriter w(*f, 16);
    t.fs.FailNth(FsOp::kWrite, 1, dos::kDiskFull);
    std::string piece(10, 'x');
    for (int i = 0; i * 10 < c.write_bytes; ++i) {
      bool failed = c.write_error_at >= 0 && i >= c.write_error_at;
      EXPECT_EQ(w.Write(piece.data(), 10), failed ? dos::kDiskFull : dos::kOk)
          << "write " << i;
    }
    if (c.flush_first) {
      EXPECT_EQ(w.Flush(), c.flush_error);
    }
    EXPECT_EQ(w.Close(), c.close_error);
    EXPECT_EQ(t.ReadFile("out.dat"), "");
  }
}

TEST(BufferedWriterTest, WritesEverythingInFewSystemCalls) {
  TestEnv t;
  std::string data = Pattern(300000);
  auto f = CreateFile(t, "out.dat");
  BufferedWriter w(*f);
  int before = t.fs.calls(FsOp::kWrite);
  for (std::size_t i = 0; i < data.size(); i += 300) ASSERT_EQ(w.Write(data.data() + i, 300), 0);
  // A piece larger than the buffer goes straight through.
  std::string big = Pattern(kIoBufferSize + 5);
  ASSERT_EQ(w.Write(big.data(), big.size()), 0);
  ASSERT_EQ(w.Close(), 0);
  EXPECT_LE(t.fs.calls(FsOp::kWrite) - before, 7);
  EXPECT_EQ(t.ReadFile("out.dat"), data + big);
  EXPECT_EQ(w.written(), data.size() + big.size());
}

TEST(BufferedWriterTest, CloseErrorOfTheFileIsReturned) {
  TestEnv t;
  auto f = CreateFile(t, "out.dat");
  BufferedWriter w(*f);
  ASSERT_EQ(w.Write("abc", 3), 0);
  t.fs.FailNth(FsOp::kClose, 1, dos::kWriteFault);
  EXPECT_EQ(w.Close(), dos::kWriteFault);
  EXPECT_EQ(t.ReadFile("out.dat"), "abc");
}

}  // namespace
}  // namespace qz
