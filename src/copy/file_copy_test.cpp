#include "copy/file_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copy/buffered_file.h"
#include "copy/copy_test_env.h"

namespace qz {
namespace {

using Lines = std::vector<std::string>;

std::string Data(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 13 + i / 2048) & 0xFF);
  return s;
}

Lines QuestionFor(const std::string& shown) {
  return {"Stwierdzono obecność pliku " + shown,
          " W-wykonaj kopiownie (zastępując) [A-i wszystkie następne]",
          " Z-zostaw plik                    [N-i wszystkie następne] ?",
          "---->  Z(n)/W(a)"};
}

TEST(AskOverwriteTest, AnswersInEitherCaseAndIgnoresOtherKeys) {
  struct Case {
    const char* keys;
    bool keep;
    int32_t sticky;
  } cases[] = {
      {"A", false, -1}, {"a", false, -1}, {"N", true, 1},  {"n", true, 1},
      {"W", false, 0},  {"w", false, 0},  {"Z", true, 0},  {"z", true, 0},
      {"T Enter Esc F1 Space 1 w", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    CopyTestEnv t;
    t.console.Type(c.keys);
    EXPECT_EQ(AskOverwrite(t.ctx, t.Path("x.dat")), c.keep);
    EXPECT_EQ(t.ctx.copy.overwrite_answer, c.sticky);
    EXPECT_EQ(t.console.pending(), 0u);
    EXPECT_EQ(t.Log(), QuestionFor(t.Shown("x.dat")));
    EXPECT_EQ(t.ColourOf(1), 12);
    EXPECT_EQ(t.ColourOf(2), 14);
    EXPECT_EQ(t.ColourOf(3), 7);
    EXPECT_EQ(t.ColourOf(4), 15);
    // The prompt line is ended: the next line starts on the row below.
    EXPECT_EQ(t.ctx.log.row(), 5);
  }
}

TEST(AskOverwriteTest, StickyAnswerIsUsedWithoutAsking) {
  for (int32_t answer : {-1, 1}) {
    CopyTestEnv t;
    t.ctx.copy.overwrite_answer = answer;
    EXPECT_EQ(AskOverwrite(t.ctx, t.Path("x.dat")), answer == 1);
    EXPECT_TRUE(t.Log().empty());
  }
}

// "A" makes every later existing target be overwritten, "N" kept, for all
// following copies of the run.
TEST(AskOverwriteTest, AllAnswerHoldsForLaterCopies) {
  for (const char* key : {"a", "n"}) {
    SCOPED_TRACE(key);
    CopyTestEnv t;
    bool overwrite = key[0] == 'a';
    for (int i = 0; i < 3; ++i) {
      std::string n = std::to_string(i);
      t.env.WriteFile("src" + n, "new" + n);
      t.env.WriteFile("dst" + n, "old" + n);
    }
    t.console.Type(key);
    for (int i = 0; i < 3; ++i) {
      std::string n = std::to_string(i);
      EXPECT_TRUE(CopyBinaryFile(t.ctx, t.Path("src" + n), t.Path("dst" + n), true));
      CopyWholeText(t.ctx, t.Path("src" + n), t.Path("dst" + n));
      EXPECT_EQ(t.env.ReadFile("dst" + n), (overwrite ? "new" : "old") + n + (overwrite ? "\r\n" : ""));
    }
    // One question in all.
    int questions = 0;
    for (const std::string& row : t.Log()) questions += row.rfind("Stwierdzono", 0) == 0;
    EXPECT_EQ(questions, 1);
  }
}

TEST(CopyTextFileTest, CopiesLinesWithCrLfCutTo255) {
  CopyTestEnv t;
  std::string long_line(300, 'q');
  t.env.WriteFile("src.txt", "one\ntwo\rthree\r\n" + long_line + "\r\nżółć\x1A");
  CopyWholeText(t.ctx, t.Path("src.txt"), t.Path("dst.txt"));
  EXPECT_EQ(t.env.ReadFile("dst.txt"),
            "one\r\ntwo\r\nthree\r\n" + long_line.substr(0, 255) + "\r\nżółć\r\n");
  EXPECT_EQ(t.Log(), Lines{"Kopiuję plik " + t.Shown("src.txt")});
  EXPECT_EQ(t.ColourOf(1), 9);
  EXPECT_EQ(t.counter.open_files(), 0);
}

TEST(CopyTextFileTest, FilterChangesAndDropsLines) {
  CopyTestEnv t;
  t.env.WriteFile("src.txt", "keep 1\r\ndrop\r\nkeep 2\r\n");
  CopyTextFile(t.ctx, t.Path("src.txt"), t.Path("dst.txt"), [](Text& line) {
    if (line == "drop") return false;
    line += '!';
    return true;
  });
  EXPECT_EQ(t.env.ReadFile("dst.txt"), "keep 1!\r\nkeep 2!\r\n");

  CopyTextFile(t.ctx, t.Path("src.txt"), t.Path("none.txt"), [](Text&) { return false; });
  EXPECT_TRUE(t.env.Exists("none.txt"));
  EXPECT_EQ(t.env.ReadFile("none.txt"), "");
  EXPECT_EQ(t.counter.open_files(), 0);
}

// A missing or empty source is passed over in silence; an existing target
// that is empty is replaced without a question.
TEST(FileCopyTest, EmptySourceAndEmptyTarget) {
  for (bool text : {true, false}) {
    SCOPED_TRACE(text ? "text" : "binary");
    CopyTestEnv t;
    t.env.WriteFile("empty", "");
    t.env.WriteFile("dst", "kept");
    auto copy = [&](const char* src, const char* dst) {
      if (text) {
        CopyWholeText(t.ctx, t.Path(src), t.Path(dst));
      } else {
        EXPECT_TRUE(CopyBinaryFile(t.ctx, t.Path(src), t.Path(dst), false));
      }
    };
    copy("empty", "dst");
    copy("missing", "dst2");
    EXPECT_EQ(t.env.ReadFile("dst"), "kept");
    EXPECT_FALSE(t.env.Exists("dst2"));
    EXPECT_TRUE(t.Log().empty());

    t.env.WriteFile("src", "data");
    t.env.WriteFile("empty_dst", "");
    copy("src", "empty_dst");
    EXPECT_EQ(t.env.ReadFile("empty_dst"), text ? "data\r\n" : "data");
    EXPECT_EQ(t.Log().size(), 1u);  // the copy line only, no question
  }
}

TEST(FileCopyTest, KeptTargetIsLeftAlone) {
  CopyTestEnv t;
  t.env.WriteFile("src", "new");
  t.env.WriteFile("dst", "old");
  t.console.Type("z z");
  CopyWholeText(t.ctx, t.Path("src"), t.Path("dst"));
  EXPECT_TRUE(CopyBinaryFile(t.ctx, t.Path("src"), t.Path("dst"), true));
  EXPECT_EQ(t.env.ReadFile("dst"), "old");
  EXPECT_EQ(t.counter.open_files(), 0);
}

TEST(CopyBinaryFileTest, CopiesByteForByte) {
  for (std::size_t size : {std::size_t{1}, std::size_t{2047}, std::size_t{2048},
                           std::size_t{2049}, std::size_t{2048 * 40}, std::size_t{200001}}) {
    SCOPED_TRACE(size);
    CopyTestEnv t;
    std::string data = Data(size);
    t.env.WriteFile("src.bin", data);
    EXPECT_TRUE(CopyBinaryFile(t.ctx, t.Path("src.bin"), t.Path("dst.bin"), true));
    EXPECT_EQ(t.env.ReadFile("dst.bin"), data);
    EXPECT_EQ(t.Log(), Lines{"Kopiuję " + t.Shown("src.bin") + "  " + std::to_string(size) +
                             " bytów..."});
    EXPECT_EQ(t.ColourOf(1), 9);
    EXPECT_EQ(t.counter.open_files(), 0);
  }
}

// Each failure writes its own line, waits for a key where the user must see
// it, closes both files and gives its result.
TEST(CopyBinaryFileTest, EachFailureIsReported) {
  struct Case {
    const char* name;
    FsOp op;
    int nth;
    const char* message;  // followed by the file name when `file` is set
    const char* file;
    bool result;
  } cases[] = {
      {"source open", FsOp::kOpen, 1, "Błąd otwarcia pliku ", "src.bin", false},
      {"target create", FsOp::kCreate, 1, "Błąd Utworzenia pliku ", "dst.bin", false},
      {"block read", FsOp::kRead, 2, "Błąd odczytu danych", nullptr, false},
      {"block write", FsOp::kWrite, 1, "Błąd zapisu danych", nullptr, false},
      {"source close", FsOp::kClose, 1, "Błąd zamknięcia zbioru ", "src.bin", true},
      {"target close", FsOp::kClose, 2, "Błąd zamknięcia zbioru ", "dst.bin", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CopyTestEnv t;
    t.env.WriteFile("src.bin", Data(3 * kIoBufferSize));
    t.env.fs.FailNth(c.op, c.nth, dos::kAccessDenied);
    t.console.Type("Enter");
    EXPECT_EQ(CopyBinaryFile(t.ctx, t.Path("src.bin"), t.Path("dst.bin"), true), c.result);
    std::string expected = std::string(c.message) + (c.file ? t.Shown(c.file) : "");
    Lines log = t.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), expected);
    EXPECT_EQ(t.ColourOf(static_cast<int>(log.size())), 12);
    EXPECT_EQ(t.console.pending(), 0u) << "no key was awaited";
    EXPECT_EQ(t.counter.open_files(), 0);
  }
}

TEST(CopyTextFileTest, EachFailureIsReported) {
  struct Case {
    const char* name;
    FsOp op;
    const char* message;
    const char* file;
    bool waits;
  } cases[] = {
      {"source open", FsOp::kOpen, "Błąd otwarcia pliku ", "src.txt", true},
      {"target create", FsOp::kCreate, "Błąd utworzenia pliku ", "dst.txt", true},
      {"line read", FsOp::kRead, "Błąd odczytu z pliku ", "src.txt", false},
      {"line write", FsOp::kWrite, "Błąd zapisu do pliku ", "dst.txt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CopyTestEnv t;
    t.env.WriteFile("src.txt", "a line\r\nanother line\r\n");
    t.env.fs.FailNth(c.op, 1, dos::kAccessDenied);
    t.console.Type("Enter");
    CopyWholeText(t.ctx, t.Path("src.txt"), t.Path("dst.txt"));
    Lines log = t.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), c.message + t.Shown(c.file));
    EXPECT_EQ(t.ColourOf(static_cast<int>(log.size())), 12);
    EXPECT_EQ(t.console.pending(), c.waits ? 0u : 1u);
    EXPECT_EQ(t.counter.open_files(), 0);
  }
}

// Close errors of a text copy are not reported: the lines were all written.
TEST(CopyTextFileTest, CloseErrorsAreDiscarded) {
  CopyTestEnv t;
  t.env.WriteFile("src.txt", "a\r\n");
  t.env.fs.FailFrom(FsOp::kClose, 1, dos::kAccessDenied);
  CopyWholeText(t.ctx, t.Path("src.txt"), t.Path("dst.txt"));
  EXPECT_EQ(t.Log().size(), 1u);
  EXPECT_EQ(t.env.ReadFile("dst.txt"), "a\r\n");
  EXPECT_EQ(t.counter.open_files(), 0);
}

}  // namespace
}  // namespace qz
