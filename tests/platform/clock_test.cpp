// The clock and the locale, on every layer.
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace orr {
namespace {

using platform::DateTime;

// Seconds since 1970 of a calendar time, to compare two of them.
long long secondsOf(const DateTime& t) {
    const std::chrono::sys_days day = std::chrono::year{t.year} / t.month / t.day;
    return day.time_since_epoch().count() * 86400LL + t.hour * 3600 + t.minute * 60 + t.second;
}

TEST(Clock, NowAndFileTimesAreTheSameLocalTime) {
    test::TestRoot root;
    platform::NativeServices services(root.options());
    auto out = services.files->openOutput(root.path("now.txt"));
    out->close();
    const DateTime now = services.clock->now();
    auto written = services.files->modified(root.path("now.txt"));
    ASSERT_TRUE(written.has_value());
    EXPECT_LE(std::llabs(secondsOf(now) - secondsOf(*written)), 120);
    EXPECT_GE(now.year, 2020);
}

TEST(Locale, GeneralDateLeavesTheTimeOutAtMidnight) {
    auto locale = platform::makeLocale();
    const std::string withTime = locale->generalDate({2024, 1, 5, 15, 4, 5});
    const std::string midnight = locale->generalDate({2024, 1, 5, 0, 0, 0});
    EXPECT_NE(withTime.find("2024"), std::string::npos) << withTime;
    EXPECT_NE(withTime.find("04:05"), std::string::npos) << withTime;
    EXPECT_NE(midnight.find("2024"), std::string::npos) << midnight;
    EXPECT_EQ(midnight.find(':'), std::string::npos) << midnight;
    EXPECT_EQ(withTime.rfind(midnight, 0), 0u) << "the date comes first";
    EXPECT_FALSE(locale->decimalSeparator().empty());
}

}  // namespace
}  // namespace orr
