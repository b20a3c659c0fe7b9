// The arithmetic of the background's colour ramp: the colour of each pixel row and the
// palette that makes the ramp smooth on 256-colour displays. Portable and pure.
//
// Colours are in the system's colour-reference form 0x00BBGGRR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t kRampFrom = 0xFF0000; // pure blue (0, 0, 255)
constexpr uint32_t kRampTo = 0x000000;   // black
constexpr uint32_t kPaletteRelative = 0x02000000;

struct PaletteColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
    bool operator==(const PaletteColor& o) const {
        return red == o.red && green == o.green && blue == o.blue && flags == o.flags;
    }
};

constexpr uint8_t RedOf(uint32_t color) {
    return static_cast<uint8_t>(color & 0xFF);
}
constexpr uint8_t GreenOf(uint32_t color) {
    return static_cast<uint8_t>((color >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(uint32_t color) {
    return static_cast<uint8_t>((color >> 16) & 0xFF);
}

// from + step * (to - from) / steps, truncated toward zero and taken as a byte.
// steps must be positive.
uint8_t RampComponent(int from, int to, int step, int steps);

// The colour of pixel row `row` of a ramp `height` rows high, with the palette-relative flag
// added when asked. height must be positive.
uint32_t RampRowColor(uint32_t from, uint32_t to, int row, int height, bool paletteRelative);

// The logical palette of the ramp for a device with paletteSize entries: the default
// entries, then paletteSize - defaults.size() ramp entries from `from` to `to`. Empty when
// no entry would be left for the ramp (a device without a palette).
std::vector<PaletteColor> BuildGradientPalette(const std::vector<PaletteColor>& defaults,
                                               int paletteSize, uint32_t from, uint32_t to);
