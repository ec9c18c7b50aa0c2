#include "platform/real_clock.h"

#include <gtest/gtest.h>

#include <ctime>

#include "platform/posix_process.h"
#include "text/cp852.h"

namespace qz {
namespace {

TEST(RealClockTest, LocalTimeSleepAndSteadyCounter) {
  RealClock clock;
  std::time_t before = std::time(nullptr);
  LocalTime t = clock.Now();
  std::tm tm{};
  ::localtime_r(&before, &tm);
  EXPECT_EQ(t.year, tm.tm_year + 1900);
  EXPECT_GE(t.month, 1);
  EXPECT_LE(t.month, 12);
  EXPECT_GE(t.hundredths, 0);
  EXPECT_LE(t.hundredths, 99);
  EXPECT_GE(t.day_of_week, 0);
  EXPECT_LE(t.day_of_week, 6);
  uint64_t a = clock.MonotonicMs();
  clock.SleepMs(25);
  uint64_t b = clock.MonotonicMs();
  EXPECT_GE(b - a, 25u);
  clock.SleepMs(-5);  // nothing to wait for
}

TEST(PosixProcessTest, ArgumentsPathAndEnvironmentInCp852) {
  ::setenv("QZ_TEST_VAR", "Zażółć", 1);
  std::string a0 = "prog", a1 = "/dane/Łódź/", a2 = "/kprspis:SPIS.DAT";
  char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
  ProcessInfo p = ReadProcessInfo(3, argv);
  ASSERT_EQ(p.args.size(), 3u);
  EXPECT_EQ(p.Arg(1), "/dane/Łódź/"_cp);
  EXPECT_EQ(p.Arg(2), "/kprspis:SPIS.DAT");
  EXPECT_EQ(p.Arg(3), "");
  // The path the OS reports, not argument 0.
  EXPECT_NE(p.program_path, "prog");
  EXPECT_EQ(p.program_path.front(), '/');
  EXPECT_EQ(p.GetEnv("QZ_TEST_VAR"), "Zażółć"_cp);
  EXPECT_EQ(p.GetEnv("QZ_TEST_UNSET_VAR"), "");
  ::unsetenv("QZ_TEST_VAR");
}

}  // namespace
}  // namespace qz
