#include "shell/layout.h"

#include <algorithm>

MainLayout ComputeLayout(int w, int h) {
    MainLayout l;
    l.pictureRows = std::max(0, (h - 280) / 52);
    l.pictureColumns = std::max(0, (w / 2 - 36) / 206);
    l.pictureButtons = std::clamp(l.pictureRows * l.pictureColumns, kMinPictureButtons, kMaxPictureButtons);

    // With fewer rows than buttons need, columns beyond the fourth pile onto the last.
    const int rows = std::max(1, l.pictureRows);
    for (int k = 0; k < kMaxPictureButtons; ++k) {
        int column = std::min(k / rows, 3);
        int row = k - column * rows;
        l.pictures[k] = {31 + 202 * column, 274 + 52 * row, 200, 50};
    }

    l.scrollInUpperPanel = l.pictureColumns >= 3;
    if (l.scrollInUpperPanel) {
        l.scrollBack = {w / 2 - 85, 84, 54, 54};
        l.scrollForwards = {w / 2 - 85, 144, 54, 54};
    } else {
        l.scrollBack = {l.pictureColumns * 202 + 28, 274, 50, 54};
        l.scrollForwards = {l.pictureColumns * 202 + 28, 326, 50, 54};
    }

    l.basketList = {w / 2 + 130, 65, w / 2 - 148, h - 325};
    l.basketTable = {w / 2 + 136, h - 202, 92, 92};
    l.kitchenPrint = {w / 2 + 136, h - 110, 92, 92};
    for (int i = 0; i < 18; ++i) l.categories[i] = {w / 2 + (i < 9 ? 0 : 60), 34 + 60 * (i % 9), 48, 48};
    l.categories[18] = {w / 2 + 30, 574, 48, 48};
    return l;
}

PanelRects ComputePanels(const MainLayout& l, int w, int h) {
    PanelRects p;
    p.basketPanel = {w / 2 + 120, 8, (w - 18) - (w / 2 + 120), (h - 8) - 8};
    p.pictureGrid = {20, 270, (w / 2 - 16) - 20, (h - 10) - 270};
    p.scrollPanel = l.pictureColumns > 2;
    p.scrollPanelRect = {w / 2 - 100, 58, 80, 158};
    return p;
}
