// Where the main window's controls go for a given client size.
#pragma once
#include <array>

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

inline constexpr int kMinPictureButtons = 8;
inline constexpr int kMaxPictureButtons = 60;
inline constexpr int kCategoryButtons = 19;  // 18 categories and "ALL"

struct MainLayout {
    int pictureRows = 0;
    int pictureColumns = 0;   // as computed from the width, before the 8..60 bounds
    int pictureButtons = 0;   // shown, 8..60
    std::array<Box, kMaxPictureButtons> pictures{};
    Box scrollBack, scrollForwards;
    bool scrollInUpperPanel = false;  // 3 or more columns
    Box basketList;
    Box basketTable, kitchenPrint;
    std::array<Box, kCategoryButtons> categories{};  // index 18 is "ALL"
    Box itemBox{10, 54, 172, 22};
};

MainLayout ComputeLayout(int clientWidth, int clientHeight);

// The panels painted behind the controls.
struct PanelRects {
    Box basketPanel;       // rounded, corner 10
    Box pictureGrid;       // white pen, corner 20
    bool scrollPanel;      // drawn when the grid has more than 2 columns
    Box scrollPanelRect;   // white pen, corner 30
};
PanelRects ComputePanels(const MainLayout& layout, int clientWidth, int clientHeight);
