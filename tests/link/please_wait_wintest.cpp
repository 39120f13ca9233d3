#include "link/please_wait.h"

#include <gtest/gtest.h>

#include "shell/app_state.h"

namespace {

TEST(PleaseWaitWindow, ShowsWhileAliveAndIsGoneAfter) {
    g_app.instance = GetModuleHandleA(nullptr);
    HWND shown = nullptr;
    {
        PleaseWait wait(nullptr);
        shown = wait.window();
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(IsWindowVisible(shown));
    }
    EXPECT_FALSE(IsWindow(shown));
}

}  // namespace
