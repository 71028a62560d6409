#include "app/core/ShellRules.h"

#include <gtest/gtest.h>

namespace tessaro::app {
namespace {

struct ScreenCase {
    int width, height;
    const char* mode;
};

class ScreenModeTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenModeTest, ChoosesTheLayoutClass) {
    const auto& c = GetParam();
    EXPECT_EQ(screenModeFor(c.width, c.height), c.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenModeTest,
    ::testing::Values(ScreenCase{1280, 1024, "1024"}, ScreenCase{1024, 768, "1024"},
                      ScreenCase{800, 600, "800"}, ScreenCase{1024, 600, "800"},
                      ScreenCase{800, 1280, "800"}, ScreenCase{1920, 1080, "1024"}));

struct VolumeCase {
    int level;
    int applied;
    std::uint32_t value;
};

class VolumeTableTest : public ::testing::TestWithParam<VolumeCase> {};

TEST_P(VolumeTableTest, ClampsAndMapsTheLevel) {
    const auto& c = GetParam();
    EXPECT_EQ(clampVolumeLevel(c.level), c.applied);
    EXPECT_EQ(waveVolumeValue(c.level), c.value);
    EXPECT_DOUBLE_EQ(volumeGain(c.level), (c.applied - 1) * 0x1111 / double(0xFFFF));
}

INSTANTIATE_TEST_SUITE_P(Levels, VolumeTableTest,
                         ::testing::Values(VolumeCase{-3, 1, 0}, VolumeCase{0, 1, 0},
                                           VolumeCase{1, 1, 0}, VolumeCase{2, 2, 0x11111111u},
                                           VolumeCase{12, 12, 0xBBBBBBBBu},
                                           VolumeCase{16, 16, 0xFFFFFFFFu},
                                           VolumeCase{20, 16, 0xFFFFFFFFu}));

TEST(VolumeTableTest, FullLevelIsFullGainAndLevelOneIsSilent) {
    EXPECT_DOUBLE_EQ(volumeGain(16), 1.0);
    EXPECT_DOUBLE_EQ(volumeGain(1), 0.0);
}

TEST(DaysBetweenTest, CountsWholeDaysBothWays) {
    EXPECT_EQ(daysBetween("2026-05-20", "2026-05-20"), 0);
    EXPECT_EQ(daysBetween("2026-05-20", "2026-05-27"), 7);
    EXPECT_EQ(daysBetween("2026-12-31", "2027-01-01"), 1);
    EXPECT_EQ(daysBetween("2026-05-20", "2026-05-19"), -1);
    EXPECT_EQ(daysBetween("2024-02-28", "2024-03-01"), 2);
    EXPECT_EQ(daysBetween("2026-05-20", "2027-10-16 00:00:00"), 514);
}

TEST(DaysBetweenTest, RejectsTextThatIsNoDate) {
    EXPECT_FALSE(daysBetween("2026-05-20", ""));
    EXPECT_FALSE(daysBetween("2026-05-20", "2026-13-01"));
    EXPECT_FALSE(daysBetween("2026-05-20", "2026-02-30"));
    EXPECT_FALSE(daysBetween("20260520", "2026-05-20"));
    EXPECT_FALSE(daysBetween("2026-05-20", "2O26-05-20"));
}

} // namespace
} // namespace tessaro::app
