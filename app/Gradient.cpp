#include "app/Gradient.h"

uint8_t RampComponent(int from, int to, int step, int steps) {
    return static_cast<uint8_t>(from + step * (to - from) / steps);
}

uint32_t RampRowColor(uint32_t from, uint32_t to, int row, int height, bool paletteRelative) {
    uint32_t red = RampComponent(RedOf(from), RedOf(to), row, height);
    uint32_t green = RampComponent(GreenOf(from), GreenOf(to), row, height);
    uint32_t blue = RampComponent(BlueOf(from), BlueOf(to), row, height);
    uint32_t color = red | green << 8 | blue << 16;
    return paletteRelative ? color + kPaletteRelative : color;
}

std::vector<PaletteColor> BuildGradientPalette(const std::vector<PaletteColor>& defaults,
                                               int paletteSize, uint32_t from, uint32_t to) {
    int count = paletteSize - static_cast<int>(defaults.size());
    if (count <= 0)
        return {};
    std::vector<PaletteColor> entries(defaults);
    entries.reserve(static_cast<size_t>(paletteSize));
    for (int i = 0; i < count; ++i) {
        PaletteColor c;
        c.red = RampComponent(RedOf(from), RedOf(to), i, count);
        c.green = RampComponent(GreenOf(from), GreenOf(to), i, count);
        c.blue = RampComponent(BlueOf(from), BlueOf(to), i, count);
        entries.push_back(c);
    }
    return entries;
}
