#include "shell/layout.h"

#include <gtest/gtest.h>

namespace {

TEST(MainLayout, PictureGridAndScrollButtonsFollowTheClientSize) {
    struct Row { int w, h, rows, columns, buttons; Box scrollBack, scrollForwards; bool upperPanel; const char* why; };
    const Row rows[] = {
        {1024, 662, 7, 2, 14, {432, 274, 50, 54}, {432, 326, 50, 54}, false, "the usual 1024 x 708 window"},
        {100, 100, 0, 0, 8, {28, 274, 50, 54}, {28, 326, 50, 54}, false, "nothing fits: still 8"},
        {4000, 3000, 52, 9, 60, {1915, 84, 54, 54}, {1915, 144, 54, 54}, true, "52 x 9 is cut to 60"},
        {1306, 331, 0, 2, 8, {432, 274, 50, 54}, {432, 326, 50, 54}, false, "a pixel short of 3 columns and 1 row"},
        {1308, 332, 1, 3, 8, {569, 84, 54, 54}, {569, 144, 54, 54}, true, "exactly 3 columns and 1 row"},
    };
    for (const Row& r : rows) {
        const MainLayout l = ComputeLayout(r.w, r.h);
        EXPECT_EQ(std::tuple(l.pictureRows, l.pictureColumns, l.pictureButtons, l.scrollInUpperPanel),
                  std::tuple(r.rows, r.columns, r.buttons, r.upperPanel)) << r.why;
        EXPECT_EQ(std::pair(l.scrollBack, l.scrollForwards), std::pair(r.scrollBack, r.scrollForwards)) << r.why;
        EXPECT_EQ(ComputePanels(l, r.w, r.h).scrollPanel, r.upperPanel) << r.why;
    }
}

}  // namespace
