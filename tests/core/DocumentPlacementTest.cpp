#include <gtest/gtest.h>

#include "DocumentPlacement.h"

using namespace sx;

namespace {

bool Inside(const PlaceRect &r, int32_t w, int32_t h) {
    return r.x >= 0 && r.y >= 0 && r.x + r.width <= w && r.y + r.height <= h;
}

}  // namespace

TEST(DocumentPlacement, CascadeSizeLeavesRoomForOffsetsButStaysUsable) {
    PlaceRect r = CascadeSize(1100, 754, 30);
    EXPECT_EQ(r.width, 980);
    EXPECT_EQ(r.height, 634);
    // a small area: two thirds, never a title bar alone
    r = CascadeSize(300, 240, 30);
    EXPECT_EQ(r.width, 200);
    EXPECT_EQ(r.height, 160);
    // degenerate areas and steps do not go negative
    r = CascadeSize(0, -5, 30);
    EXPECT_EQ(r.width, 0);
    EXPECT_EQ(r.height, 0);
    r = CascadeSize(500, 400, -3);
    EXPECT_EQ(r.width, 500);
    EXPECT_EQ(r.height, 400);
}

TEST(DocumentPlacement, CascadeKeepsEveryWindowInsideAndEveryTitleBarInSight) {
    const std::vector<PlaceRect> rects = CascadeRects(1100, 754, 30, 17);
    ASSERT_EQ(rects.size(), 17u);
    for (size_t k = 0; k < rects.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(Inside(rects[k], 1100, 754));
        EXPECT_EQ(rects[k].width, 980);
        EXPECT_EQ(rects[k].height, 634);
    }
    EXPECT_EQ(rects[1].x, 30);
    EXPECT_EQ(rects[1].y, 30);
    // 634 + 4 * 30 = 754: five places, then a round one step lower, which is
    // one place shorter
    EXPECT_EQ(rects[4].x, 120);
    EXPECT_EQ(rects[5].x, 0);
    EXPECT_EQ(rects[5].y, 30);
    EXPECT_EQ(rects[8].y, 120);
    EXPECT_EQ(rects[9].x, 0);
    EXPECT_EQ(rects[9].y, 60);
    // rounds of 5, 4, 3, 2 and 1 places; then the top left again
    EXPECT_EQ(rects[14].x, 0);
    EXPECT_EQ(rects[14].y, 120);
    EXPECT_EQ(rects[15].x, 0);
    EXPECT_EQ(rects[15].y, 0);
    // a later window of the same size covers a title bar wholly only from
    // straight above it: that never happens before the cascade starts over
    for (size_t k = 0; k < 15; ++k)
        for (size_t j = k + 1; j < 15; ++j)
            EXPECT_FALSE(rects[j].x == rects[k].x && rects[j].y <= rects[k].y) << k << " under " << j;
    EXPECT_TRUE(CascadeRects(800, 600, 30, 0).empty());
}

TEST(DocumentPlacement, NewWindowFollowsThePreviousOrBeginsANewRound) {
    PlaceRect r = NextWindowRect(1100, 754, 30, false, 0, 0);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    r = NextWindowRect(1100, 754, 30, true, 0, 0);
    EXPECT_EQ(r.x, 30);
    EXPECT_EQ(r.y, 30);
    EXPECT_TRUE(Inside(r, 1100, 754));
    // the last place of the first round: the next one begins a step lower
    r = NextWindowRect(1100, 754, 30, true, 120, 120);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 30);
    // the last place of the last round: the top left again
    r = NextWindowRect(1100, 754, 30, true, 0, 120);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    // a previous window moved by the user off the area, or far out
    r = NextWindowRect(1100, 754, 30, true, -200, 500);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_TRUE(Inside(r, 1100, 754));
    r = NextWindowRect(1100, 754, 30, true, INT32_MAX, INT32_MIN);
    EXPECT_TRUE(Inside(r, 1100, 754));
}
