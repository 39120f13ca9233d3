#include "link/please_wait.h"

#include <gtest/gtest.h>

#include "shell/app_state.h"

namespace {

TEST(PleaseWaitWindow, ShowsItsLineWhileAliveAndIsGoneAfter) {
    g_app.instance = GetModuleHandleA(nullptr);
    HWND shown = nullptr;
    {
        PleaseWait wait(nullptr);
        shown = wait.window();
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(IsWindowVisible(shown));
        char text[40] = {};
        GetDlgItemTextA(shown, 1700, text, sizeof text);
        EXPECT_STREQ(text, "Please wait..");
    }
    EXPECT_FALSE(IsWindow(shown));
}

}  // namespace
