#include "shell/layout.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureGrid, ButtonCountIsRowsTimesColumnsBoundedToEightAndSixty) {
    // 1024 x 708 client area minus the menu: (H-280)/52 rows, (W/2-36)/206 columns.
    MainLayout l = ComputeLayout(1024, 662);
    EXPECT_EQ(l.pictureRows, 7);
    EXPECT_EQ(l.pictureColumns, 2);
    EXPECT_EQ(l.pictureButtons, 14);

    EXPECT_EQ(ComputeLayout(600, 400).pictureButtons, 8);     // 2 rows x 1 column
    EXPECT_EQ(ComputeLayout(100, 100).pictureButtons, 8);     // nothing fits
    EXPECT_EQ(ComputeLayout(4000, 3000).pictureButtons, 60);  // 52 rows x 9 columns
}

TEST(PictureGrid, ButtonsFillColumnsTopToBottomAndStopAtTheFourthColumn) {
    MainLayout l = ComputeLayout(1920, 500);  // 4 rows
    ASSERT_EQ(l.pictureRows, 4);
    EXPECT_EQ(l.pictures[0], (Box{31, 274, 200, 50}));
    EXPECT_EQ(l.pictures[3], (Box{31, 274 + 3 * 52, 200, 50}));
    EXPECT_EQ(l.pictures[4], (Box{233, 274, 200, 50}));
    EXPECT_EQ(l.pictures[12], (Box{637, 274, 200, 50}));
    EXPECT_EQ(l.pictures[16], (Box{637, 274 + 4 * 52, 200, 50}));  // column capped at 3
}

TEST(ScrollButtons, MoveToTheUpperPanelFromThreeColumns) {
    MainLayout two = ComputeLayout(1024, 662);
    EXPECT_FALSE(two.scrollInUpperPanel);
    EXPECT_EQ(two.scrollBack, (Box{2 * 202 + 28, 274, 50, 54}));
    EXPECT_EQ(two.scrollForwards, (Box{2 * 202 + 28, 326, 50, 54}));

    MainLayout three = ComputeLayout(1400, 662);  // (700-36)/206 = 3
    ASSERT_EQ(three.pictureColumns, 3);
    EXPECT_TRUE(three.scrollInUpperPanel);
    EXPECT_EQ(three.scrollBack, (Box{700 - 85, 84, 54, 54}));
    EXPECT_EQ(three.scrollForwards, (Box{700 - 85, 144, 54, 54}));
    EXPECT_TRUE(ComputePanels(three, 1400, 662).scrollPanel);
    EXPECT_FALSE(ComputePanels(two, 1024, 662).scrollPanel);
}

TEST(FixedPlaces, FollowTheClientSize) {
    MainLayout l = ComputeLayout(1024, 662);
    EXPECT_EQ(l.basketList, (Box{512 + 130, 65, 512 - 148, 662 - 325}));
    EXPECT_EQ(l.basketTable, (Box{512 + 136, 662 - 202, 92, 92}));
    EXPECT_EQ(l.kitchenPrint, (Box{512 + 136, 662 - 110, 92, 92}));
    EXPECT_EQ(l.categories[0], (Box{512, 34, 48, 48}));
    EXPECT_EQ(l.categories[8], (Box{512, 34 + 480, 48, 48}));
    EXPECT_EQ(l.categories[9], (Box{572, 34, 48, 48}));
    EXPECT_EQ(l.categories[18], (Box{542, 574, 48, 48}));
}

}  // namespace
