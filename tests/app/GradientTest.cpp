#include "app/Gradient.h"

#include <gtest/gtest.h>

namespace {

std::vector<PaletteColor> Defaults(int n) {
    std::vector<PaletteColor> colors(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        colors[static_cast<size_t>(i)] = PaletteColor{static_cast<uint8_t>(i), 1, 2, 0};
    return colors;
}

} // namespace

TEST(Ramp, RunsFromPureBlueAtTheTopTowardBlack) {
    EXPECT_EQ(RampRowColor(kRampFrom, kRampTo, 0, 768, false), 0xFF0000u);
    // 255 + 767 * (0 - 255) / 768 truncates toward zero: 255 - 254.
    EXPECT_EQ(RampRowColor(kRampFrom, kRampTo, 767, 768, false), 0x010000u);
    EXPECT_EQ(RampRowColor(kRampFrom, kRampTo, 384, 768, false), 0x800000u);
}

TEST(Ramp, RowsNeverGetLighterGoingDown) {
    uint32_t previous = 0xFF;
    for (int row = 0; row < 600; ++row) {
        uint32_t blue = BlueOf(RampRowColor(kRampFrom, kRampTo, row, 600, false));
        EXPECT_LE(blue, previous) << "row " << row;
        previous = blue;
    }
}

TEST(Ramp, PaletteRelativeColoursCarryTheFlag) {
    EXPECT_EQ(RampRowColor(kRampFrom, kRampTo, 0, 10, true), 0x02FF0000u);
}

TEST(Ramp, RisingComponentsTruncateTowardZeroToo) {
    // red 0 -> 255 over 3 steps: 0, 85, 170
    EXPECT_EQ(RampRowColor(0x000000, 0x0000FF, 1, 3, false), 0x000055u);
    EXPECT_EQ(RampRowColor(0x000000, 0x0000FF, 2, 3, false), 0x0000AAu);
    // falling: 255 + 2 * (-255) / 3 = 255 - 170
    EXPECT_EQ(RampComponent(255, 0, 2, 3), 85);
}

TEST(GradientPalette, On256ColoursTheDefaultsComeFirstThenTheRamp) {
    std::vector<PaletteColor> palette = BuildGradientPalette(Defaults(20), 256, kRampFrom, kRampTo);
    ASSERT_EQ(palette.size(), 256u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(palette[static_cast<size_t>(i)].red, i);
    EXPECT_EQ(palette[20], (PaletteColor{0, 0, 255, 0}));
    // entry 20 + i: 255 + i * (-255) / 236; the last (i = 235) is 255 - 253.
    EXPECT_EQ(palette[255], (PaletteColor{0, 0, 2, 0}));
    EXPECT_EQ(palette[20 + 118].blue, 255 - 118 * 255 / 236);
}

TEST(GradientPalette, DisplaysWithoutAPaletteGetNone) {
    EXPECT_TRUE(BuildGradientPalette(Defaults(20), 0, kRampFrom, kRampTo).empty());
    EXPECT_TRUE(BuildGradientPalette(Defaults(20), 20, kRampFrom, kRampTo).empty());
    EXPECT_EQ(BuildGradientPalette(Defaults(20), 21, kRampFrom, kRampTo).size(), 21u);
}
