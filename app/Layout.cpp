#include "app/Layout.h"

#include <algorithm>

namespace {

int Place(int extent, int size, int numerator, int denominator) {
    int pos = denominator != 0 ? extent * numerator / denominator - size / 2 : -size / 2;
    pos = std::min(pos, extent - size);
    return std::max(pos, 0);
}

} // namespace

LayoutPoint PlaceOnScreen(int screenWidth, int screenHeight, int width, int height, int a, int b,
                          int c, int d) {
    return LayoutPoint{Place(screenWidth, width, a, b), Place(screenHeight, height, c, d)};
}

ButtonBarLayout LayOutButtonBar(const LayoutRect& bar, const LayoutRect& page,
                                const LayoutRect& client) {
    ButtonBarLayout layout;
    int width = std::max(page.Width(), bar.Width());
    // A bar wider than the page would start left of the page's client area and lose its
    // left part; it starts at the page's left edge instead.
    int x = std::max((client.Width() - bar.Width()) / 2, 0);
    layout.bar = LayoutRect{x, client.bottom, x + width, client.bottom + bar.Height()};
    layout.pageWidth = width;
    layout.pageHeight = page.Height() + bar.Height();
    return layout;
}
