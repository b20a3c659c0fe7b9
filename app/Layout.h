// Window placement arithmetic of the wizard: placing a window at a fraction of the screen
// and attaching the button bar below a page. Portable and pure; rectangles are
// left/top/right/bottom in pixels.
#pragma once

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct LayoutPoint {
    int x = 0;
    int y = 0;
};

// Top-left corner that puts the centre of a width x height window at a/b of the screen's
// width and c/d of its height, kept on the screen (integer arithmetic). A zero denominator
// counts as the fraction 0.
LayoutPoint PlaceOnScreen(int screenWidth, int screenHeight, int width, int height, int a, int b,
                          int c, int d);

struct ButtonBarLayout {
    LayoutRect bar;    // the bar in the page's client coordinates
    int pageWidth = 0; // the page window's new size
    int pageHeight = 0;
};

// Where the bar (window rectangle `bar`) goes below a page (window rectangle `page`, client
// rectangle `client`): at the bottom of the page's client area, centred on it but never left
// of it, as wide as the wider of page and bar; the page grows by the bar's height.
ButtonBarLayout LayOutButtonBar(const LayoutRect& bar, const LayoutRect& page,
                                const LayoutRect& client);
