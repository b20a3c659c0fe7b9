#include "app/Layout.h"

#include <gtest/gtest.h>

TEST(PlaceOnScreen, CentresAtTheFraction) {
    LayoutPoint p = PlaceOnScreen(1024, 768, 200, 100, 1, 2, 1, 2);
    EXPECT_EQ(p.x, 412);
    EXPECT_EQ(p.y, 334);
    p = PlaceOnScreen(1024, 768, 200, 100, 1, 4, 3, 4);
    EXPECT_EQ(p.x, 156);
    EXPECT_EQ(p.y, 526);
}

TEST(PlaceOnScreen, StaysOnTheScreen) {
    LayoutPoint p = PlaceOnScreen(1024, 768, 200, 100, 1, 1, 1, 1);
    EXPECT_EQ(p.x, 824);
    EXPECT_EQ(p.y, 668);
    p = PlaceOnScreen(1024, 768, 200, 100, 0, 1, 0, 1);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    // A window larger than the screen starts at the top-left corner.
    p = PlaceOnScreen(640, 480, 800, 600, 1, 2, 1, 2);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(PlaceOnScreen, ZeroDenominatorCountsAsZero) {
    LayoutPoint p = PlaceOnScreen(1024, 768, 200, 100, 1, 0, 1, 0);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(ButtonBarLayout, SitsBelowTheClientAreaAndGrowsThePage) {
    LayoutRect bar{300, 200, 776, 247};  // 476 x 47
    LayoutRect page{250, 219, 766, 503}; // 516 x 284
    LayoutRect client{0, 0, 510, 259};
    ButtonBarLayout l = LayOutButtonBar(bar, page, client);
    EXPECT_EQ(l.bar.left, 17);
    EXPECT_EQ(l.bar.top, 259);
    EXPECT_EQ(l.bar.Width(), 516);
    EXPECT_EQ(l.bar.Height(), 47);
    EXPECT_EQ(l.pageWidth, 516);
    EXPECT_EQ(l.pageHeight, 284 + 47);
}

TEST(ButtonBarLayout, WiderBarWidensThePageAndStartsAtItsLeftEdge) {
    LayoutRect bar{0, 0, 476, 47};
    LayoutRect page{0, 0, 333, 300};
    LayoutRect client{0, 0, 327, 275};
    ButtonBarLayout l = LayOutButtonBar(bar, page, client);
    EXPECT_EQ(l.bar.left, 0);
    EXPECT_EQ(l.bar.top, 275);
    EXPECT_EQ(l.bar.Width(), 476);
    EXPECT_EQ(l.pageWidth, 476);
    EXPECT_EQ(l.pageHeight, 347);
}
