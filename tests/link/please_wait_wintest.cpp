#include "link/please_wait.h"

#include <gtest/gtest.h>

#include "shell/app_state.h"

namespace {

TEST(PleaseWaitWindow, ShowsWhileAliveWithoutTakingTheFocusAndIsGoneAfterEveryCall) {
    g_app.instance = GetModuleHandleA(nullptr);
    HWND owner = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                 g_app.instance, nullptr);
    SetForegroundWindow(owner);
    SetFocus(owner);
    ASSERT_EQ(GetFocus(), owner);
    for (int call = 1; call <= 2; ++call) {
        HWND shown = nullptr;
        {
            PleaseWait wait(owner);
            shown = wait.window();
            ASSERT_NE(shown, nullptr);
            EXPECT_TRUE(IsWindowVisible(shown)) << "call " << call;
            EXPECT_EQ(GetFocus(), owner) << "call " << call << ": keys typed meanwhile go where they went";
        }
        EXPECT_FALSE(IsWindowVisible(shown)) << "call " << call;
        EXPECT_EQ(GetForegroundWindow(), owner) << "call " << call;
    }
    DestroyWindow(owner);
}

}  // namespace
