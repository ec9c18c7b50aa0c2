#include "copy/text_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace qz {
namespace {

std::vector<std::string> ReadAll(TestEnv& t, const std::string& name, int* last_error) {
  std::unique_ptr<TextReader> r;
  EXPECT_EQ(TextReader::Open(t.fs, t.Path(name), &r), dos::kOk);
  std::vector<std::string> lines;
  Text line;
  int err = 0;
  // Bounded so that a reader that never ends fails the test instead of hanging.
  for (int i = 0; i < 100000 && (err = r->ReadLine(&line)) == dos::kOk; ++i) lines.push_back(line);
  *last_error = err;
  EXPECT_EQ(r->Close(), dos::kOk);
  return lines;
}

TEST(TextReaderTest, SplitsLinesAtEveryKindOfLineEnd) {
  const std::string z = "\x1A";
  const std::string long_line(300, 'x');
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"empty file", "", {}},
      {"CR LF", "ab\r\ncd\r\n", {"ab", "cd"}},
      {"LF", "ab\ncd\n", {"ab", "cd"}},
      {"CR", "ab\rcd\r", {"ab", "cd"}},
      {"mixed, last line without end", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"empty lines", "\r\n\r\na\r\n", {"", "", "a"}},
      {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
      {"Ctrl+Z at the end", "a\r\n" + z, {"a"}},
      {"Ctrl+Z after the last line", "a" + z, {"a"}},
      {"padding of Ctrl+Z", "a\r\nb\r\n" + z + z + z, {"a", "b"}},
      {"only Ctrl+Z", z, {}},
      {"Ctrl+Z inside the text", "a" + z + z + "b\r\nc", {"a" + z + z + "b", "c"}},
      {"300 characters", long_line + "\r\nnext", {long_line.substr(0, 255), "next"}},
      {"exactly 255", long_line.substr(0, 255) + "\n", {long_line.substr(0, 255)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnv t;
    t.WriteFile("in.txt", c.bytes);
    int err = 0;
    EXPECT_EQ(ReadAll(t, "in.txt", &err), c.lines);
    EXPECT_EQ(err, dos::kHandleEof);
  }
}

// Line ends and long lines that straddle the 64 KiB buffer are read alike.
TEST(TextReaderTest, LinesAcrossBufferBoundaries) {
  TestEnv t;
  std::string bytes;
  std::vector<std::string> expected;
  for (int i = 0; bytes.size() < 3 * kIoBufferSize; ++i) {
    std::string line(static_cast<std::size_t>(i * 37 % 400), static_cast<char>('a' + i % 26));
    bytes += line + "\r\n";
    expected.push_back(line.substr(0, 255));
  }
  t.WriteFile("in.txt", bytes);
  int err = 0;
  EXPECT_EQ(ReadAll(t, "in.txt", &err), expected);
  EXPECT_EQ(err, dos::kHandleEof);
}

// A read error ends the reading: it is returned, and again on every later
// call, so that no loop over the lines can run for ever.
TEST(TextReaderTest, ReadErrorEndsTheReading) {
  TestEnv t;
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += "line of some length\r\n";
  t.WriteFile("in.txt", bytes);
  std::unique_ptr<TextReader> r;
  ASSERT_EQ(TextReader::Open(t.fs, t.Path("in.txt"), &r), dos::kOk);
  t.fs.FailNth(FsOp::kRead, 2, dos::kReadFault);
  Text line;
  int lines = 0;
  int err = 0;
  while ((err = r->ReadLine(&line)) == dos::kOk) ++lines;
  EXPECT_EQ(err, dos::kReadFault);
  EXPECT_EQ(lines, static_cast<int>(kIoBufferSize / 21));
  EXPECT_EQ(r->ReadLine(&line), dos::kReadFault);
  EXPECT_EQ(r->Close(), dos::kOk);
}

TEST(TextWriterTest, WritesCrLfLineEnds) {
  TestEnv t;
  std::unique_ptr<TextWriter> w;
  ASSERT_EQ(TextWriter::Create(t.fs, t.Path("out.txt"), &w), dos::kOk);
  EXPECT_EQ(w->WriteLine("abc"), 0);
  EXPECT_EQ(w->WriteLine(""), 0);
  EXPECT_EQ(w->Write("x"), 0);
  EXPECT_EQ(w->WriteLine("y"), 0);
  EXPECT_EQ(w->Close(), 0);
  EXPECT_EQ(t.ReadFile("out.txt"), "abc\r\n\r\nxy\r\n");
}

TEST(TextWriterTest, WriteErrorIsReportedByClose) {
  TestEnv t;
  std::unique_ptr<TextWriter> w;
  ASSERT_EQ(TextWriter::Create(t.fs, t.Path("out.txt"), &w), dos::kOk);
  t.fs.FailNth(FsOp::kWrite, 1, dos::kDiskFull);
  EXPECT_EQ(w->WriteLine("abc"), 0);
  EXPECT_EQ(w->Close(), dos::kDiskFull);
}

}  // namespace
}  // namespace qz
