#include "store/Durations.h"

#include <gtest/gtest.h>

namespace tessaro::store {
namespace {

struct DurationCase {
    const char* text;
    std::optional<std::int64_t> seconds;
};

class TimeToSecondsTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(TimeToSecondsTest, ParsesStoredDurations) {
    EXPECT_EQ(TimeToSeconds(GetParam().text), GetParam().seconds) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeToSecondsTest,
    ::testing::Values(DurationCase{"1:02:03", 3723}, DurationCase{"01:02:03", 3723},
                      DurationCase{"00:59:59", 3599}, DurationCase{"12:34", 43200},
                      DurationCase{"", 0}, DurationCase{"45", 0}, DurationCase{"100:00:00", 360000},
                      DurationCase{"1:02:03:04", 3720}, DurationCase{"0:00:075", 7},
                      DurationCase{"x:00:01", std::nullopt}, DurationCase{"1:0a:00", std::nullopt},
                      DurationCase{"1:00:", std::nullopt}));

TEST(Durations, FormatsWithTwoDigitParts) {
    EXPECT_EQ(formatDuration(3615), "01:00:15");
    EXPECT_EQ(formatDuration(360000), "100:00:00");
    EXPECT_EQ(formatStopwatch(725), "0:12:05");
    EXPECT_EQ(TimeToSeconds(formatDuration(98765)), 98765);
}

TEST(Durations, RatesArePercentagesOrZero) {
    EXPECT_EQ(formatRate(0, 0), "0");
    EXPECT_EQ(formatRate(7, 1), "85.71");
    EXPECT_EQ(formatRate(4, 4), "0.00");
    EXPECT_EQ(formatRate(3, 0), "100.00");
}

} // namespace
} // namespace tessaro::store
