#include "copy/record_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copy/buffered_file.h"
#include "copy/copy_test_env.h"

namespace qz {
namespace {

using Lines = std::vector<std::string>;

/// `count` records of `size` bytes; record i is filled with the letter 'A' + i
/// (wrapping after 'Z'), so that every record can be told apart.
std::string Records(int count, std::size_t size) {
  std::string s;
  for (int i = 0; i < count; ++i) s += std::string(size, static_cast<char>('A' + i % 26));
  return s;
}

std::string Copying(CopyTestEnv& t, const std::string& src, int count) {
  return "Kopiuje " + t.Shown(src) + "  " + std::to_string(count) + " pozycji ...";
}

bool Identity(ConstBytes in, Bytes out) {
  CopyBytes(out, 0, in, 0, in.size());
  return true;
}

TEST(CopyRecordsTest, HookDropsAndChangesRecords) {
  CopyTestEnv t;
  t.env.WriteFile("src.dat", Records(10, 16));
  int seen = 0;
  EXPECT_TRUE(CopyRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 16, [&](Bytes rec) {
    EXPECT_EQ(rec.size(), 16u);
    PutU8(rec, 15, '*');
    return seen++ % 2 == 0;
  }));
  EXPECT_EQ(seen, 10);
  std::string expected;
  for (char c : std::string("ACEGI")) expected += std::string(15, c) + "*";
  EXPECT_EQ(t.env.ReadFile("dst.dat"), expected);
  EXPECT_EQ(t.Log(), Lines{Copying(t, "src.dat", 10)});
  EXPECT_EQ(t.ColourOf(1), 9);
  EXPECT_EQ(t.counter.open_files(), 0);
}

// The counter starts at 1 and counts every read (the last one finds the
// end) and every write; a dropped record is read but not written.
TEST(CopyRecordsTest, RecordCounterCountsReadsAndWrites) {
  struct Case {
    int records;
    bool keep;
    int32_t counter;
  } cases[] = {{1, true, 4}, {3, true, 8}, {10, true, 22}, {10, false, 12}, {0, true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.records << " records, keep " << c.keep);
    CopyTestEnv t;
    t.ctx.copy.record_counter = 77;
    t.env.WriteFile("src.dat", Records(c.records, 8));
    CopyRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 8,
                [&](Bytes) { return c.keep; });
    EXPECT_EQ(t.ctx.copy.record_counter, c.counter);
  }
}

TEST(CopyRecordsTest, NoHookCopiesEveryRecordAndShortTail) {
  CopyTestEnv t;
  std::string data = Records(3, 320) + "tail";
  t.env.WriteFile("src.dat", data);
  EXPECT_TRUE(CopyRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 320, nullptr));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), data);
  EXPECT_EQ(t.Log(), Lines{Copying(t, "src.dat", 3)});
}

// The short last record is written with its own length; the hook sees the
// whole buffer and what it changes in the bytes read is written.
TEST(CopyRecordsTest, ShortLastRecordKeepsItsLength) {
  CopyTestEnv t;
  t.env.WriteFile("src.dat", Records(2, 8) + "xyz");
  std::vector<std::size_t> sizes;
  CopyRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 8, [&](Bytes rec) {
    sizes.push_back(rec.size());
    PutU8(rec, 0, '#');
    return true;
  });
  EXPECT_EQ(sizes, (std::vector<std::size_t>{8, 8, 8}));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), "#AAAAAAA#BBBBBBB#yz");
}

// A 1000-byte source of 320-byte records announces 3 "pozycji"; the short
// tail reaches the converter padded with zeros, not with the previous record.
TEST(ConvertRecordsTest, ShortLastRecordIsPaddedWithZeros) {
  CopyTestEnv t;
  t.env.WriteFile("src.dat", Records(3, 320) + std::string(40, 'z'));
  std::string last_in;
  EXPECT_TRUE(ConvertRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 320, 330,
                             [&](ConstBytes in, Bytes out) {
                               last_in.assign(in.begin(), in.end());
                               FillBytes(out, 0, out.size(), '-');
                               CopyBytes(out, 5, in, 0, in.size());
                               return true;
                             }));
  EXPECT_EQ(t.Log(), Lines{Copying(t, "src.dat", 3)});
  EXPECT_EQ(last_in, std::string(40, 'z') + std::string(280, '\0'));
  std::string out = t.env.ReadFile("dst.dat");
  ASSERT_EQ(out.size(), 4u * 330);
  EXPECT_EQ(out.substr(3 * 330), "-----" + last_in + "-----");
  EXPECT_EQ(out.substr(330, 330), "-----" + std::string(320, 'B') + "-----");
}

TEST(ConvertRecordsTest, ConverterDecidesWhatIsWritten) {
  CopyTestEnv t;
  t.env.WriteFile("src.dat", Records(6, 4));
  int n = 0;
  // Output keeps the previous record's bytes where the converter does not write.
  EXPECT_TRUE(ConvertRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 4, 2,
                             [&](ConstBytes in, Bytes out) {
                               PutU8(out, n % 2, in[0]);
                               return n++ % 3 != 2;
                             }));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), std::string("A\0ABCDED", 8));
  EXPECT_EQ(t.ctx.copy.record_counter, 0);  // not touched
}

TEST(ConvertRecordsTest, NoConverterLeavesEmptyTarget) {
  CopyTestEnv t;
  t.env.WriteFile("src.dat", Records(3, 4));
  EXPECT_TRUE(ConvertRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 4, 4, nullptr));
  EXPECT_TRUE(t.env.Exists("dst.dat"));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), "");

  t.ctx.copy.append_to_target = true;
  t.env.WriteFile("old.dat", "OLD");
  EXPECT_TRUE(ConvertRecords(t.ctx, t.Path("src.dat"), t.Path("old.dat"), 4, 4, nullptr));
  EXPECT_EQ(t.env.ReadFile("old.dat"), "OLD");
}

// Reads and writes of the file system do not grow with the number of
// records: 1 MiB of 16-byte records takes 16 buffer loads and 16 writes.
TEST(RecordCopyTest, FileCallsDoNotGrowWithTheRecords) {
  for (bool convert : {false, true}) {
    SCOPED_TRACE(convert ? "ConvertRecords" : "CopyRecords");
    CopyTestEnv t;
    std::string data = Records(65536, 16);
    t.env.WriteFile("src.dat", data);
    if (convert) {
      ConvertRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 16, 16, Identity);
    } else {
      CopyRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 16, nullptr);
    }
    EXPECT_EQ(t.env.ReadFile("dst.dat"), data);
    EXPECT_LE(t.env.fs.calls(FsOp::kRead), 17);
    EXPECT_LE(t.env.fs.calls(FsOp::kWrite), 16);
  }
}

// A record size of 0 is a caller's slip: no records, no division by zero.
TEST(RecordCopyTest, RecordSizeZeroCopiesNothing) {
  CopyTestEnv t;
  t.env.WriteFile("src.dat", "data");
  EXPECT_TRUE(CopyRecords(t.ctx, t.Path("src.dat"), t.Path("dst.dat"), 0, nullptr));
  EXPECT_TRUE(ConvertRecords(t.ctx, t.Path("src.dat"), t.Path("dst2.dat"), 0, 4, Identity));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), "");
  EXPECT_EQ(t.Log(), (Lines{Copying(t, "src.dat", 0), Copying(t, "src.dat", 0)}));
}

TEST(CopyAddressRecordTest, CopiesTheWholeRecord) {
  std::vector<uint8_t> in(224), out(224, 0xEE);
  for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<uint8_t>(i);
  EXPECT_TRUE(CopyAddressRecord(in, out));
  EXPECT_EQ(in, out);
}

// Both copiers: a missing or empty source, an existing target with and
// without appending, kept and replaced targets.
class RecordCopierTest : public testing::TestWithParam<bool> {
 protected:
  bool Copy(CopyTestEnv& t, const std::string& src, const std::string& dst) {
    if (GetParam()) return CopyRecords(t.ctx, t.Path(src), t.Path(dst), 4, nullptr);
    return ConvertRecords(t.ctx, t.Path(src), t.Path(dst), 4, 4, Identity);
  }
};

TEST_P(RecordCopierTest, MissingOrEmptySourceIsReported) {
  CopyTestEnv t;
  t.env.WriteFile("empty.dat", "");
  t.env.WriteFile("dst.dat", "kept");
  EXPECT_TRUE(Copy(t, "empty.dat", "dst.dat"));
  EXPECT_TRUE(Copy(t, "missing.dat", "new.dat"));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), "kept");
  EXPECT_FALSE(t.env.Exists("new.dat"));
  EXPECT_EQ(t.Log(), (Lines{"Brak pliku źródłowego " + t.Shown("empty.dat"),
                            "Brak pliku źródłowego " + t.Shown("missing.dat")}));
  EXPECT_EQ(t.ColourOf(1), 14);
}

TEST_P(RecordCopierTest, AppendsToATargetWithData) {
  CopyTestEnv t;
  t.ctx.copy.append_to_target = true;
  t.env.WriteFile("src.dat", Records(2, 4));
  t.env.WriteFile("dst.dat", "OLD!");
  t.env.WriteFile("empty.dat", "");
  EXPECT_TRUE(Copy(t, "src.dat", "dst.dat"));
  EXPECT_TRUE(Copy(t, "src.dat", "empty.dat"));
  EXPECT_TRUE(Copy(t, "src.dat", "new.dat"));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), "OLD!AAAABBBB");
  EXPECT_EQ(t.env.ReadFile("empty.dat"), "AAAABBBB");
  EXPECT_EQ(t.env.ReadFile("new.dat"), "AAAABBBB");
  EXPECT_EQ(t.Log().size(), 3u);  // three "Kopiuje" lines, no question
  EXPECT_EQ(t.counter.open_files(), 0);
}

TEST_P(RecordCopierTest, ExistingTargetIsAskedAbout) {
  CopyTestEnv t;
  t.env.WriteFile("src.dat", Records(2, 4));
  t.env.WriteFile("dst.dat", "OLD!");
  t.console.Type("z");
  EXPECT_FALSE(Copy(t, "src.dat", "dst.dat"));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), "OLD!");
  EXPECT_EQ(t.Log().size(), 4u);  // the question only
  t.console.Type("w");
  EXPECT_TRUE(Copy(t, "src.dat", "dst.dat"));
  EXPECT_EQ(t.env.ReadFile("dst.dat"), "AAAABBBB");
  EXPECT_EQ(t.counter.open_files(), 0);
}

// Each failure writes its own line in colour 12, waits for a key, closes
// both files and gives its result; a partly written target stays.
TEST_P(RecordCopierTest, EachFailureIsReported) {
  struct Case {
    const char* name;
    bool append;
    FsOp op;
    int nth;
    const char* message;
    const char* file;
    bool result;
  } cases[] = {
      {"source open", false, FsOp::kOpen, 1, "Błąd otwarcia pliku ", "src.dat", false},
      {"target create", false, FsOp::kCreate, 1, "Błąd Utworzenia pliku ", "dst.dat", false},
      {"target open to append", true, FsOp::kOpen, 2, "Błąd Utworzenia pliku ", "dst.dat", false},
      {"seek to the end", true, FsOp::kSeek, 1, "Błąd Utworzenia pliku ", "dst.dat", false},
      {"record read", false, FsOp::kRead, 2, "Błąd odczytu danych", nullptr, false},
      {"record write", false, FsOp::kWrite, 1, "Błąd zapisu danych", nullptr, false},
      {"last write", false, FsOp::kWrite, 4, "Błąd zapisu danych", nullptr, false},
      {"source close", false, FsOp::kClose, 1, "Błąd zamknięcia zbioru ", "src.dat", true},
      {"target close", false, FsOp::kClose, 2, "Błąd zamknięcia zbioru ", "dst.dat", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CopyTestEnv t;
    // 3.5 buffers of records, so that reads and writes happen mid-file.
    t.env.WriteFile("src.dat", Records(static_cast<int>(kIoBufferSize * 7 / 8), 4));
    if (c.append) {
      t.ctx.copy.append_to_target = true;
      t.env.WriteFile("dst.dat", "OLD!");
    }
    t.env.fs.FailNth(c.op, c.nth, dos::kAccessDenied);
    t.console.Type("Enter");
    EXPECT_EQ(Copy(t, "src.dat", "dst.dat"), c.result);
    Lines log = t.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), std::string(c.message) + (c.file ? t.Shown(c.file) : ""));
    EXPECT_EQ(t.ColourOf(static_cast<int>(log.size())), 12);
    EXPECT_EQ(t.console.pending(), 0u) << "no key was awaited";
    EXPECT_EQ(t.counter.open_files(), 0);
    if (c.op == FsOp::kRead) {
      // What was read before the failure is in the target.
      EXPECT_EQ(t.env.ReadFile("dst.dat").size(), kIoBufferSize);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Copiers, RecordCopierTest, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& p) {
                           return p.param ? "CopyRecords" : "ConvertRecords";
                         });

}  // namespace
}  // namespace qz
