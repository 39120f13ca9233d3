// The real main window in this process (offline start-up on a fresh data directory),
// then bound to a development shop server on a copy of the demo shop: tax 1 at 20 %,
// tax 2 off, sounds and the pole display off.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "basket/basket.h"
#include "link/remote.h"
#include "support/main_window_fixture.h"
#include "support/shop_server.h"

class ServerTillFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        bool started = server_.Start();
        for (int attempt = 0; !started && attempt < 3; ++attempt) {  // another server may still hold the pipe
            server_.Stop();
            Sleep(1000);
            started = server_.Start();
        }
        ASSERT_TRUE(started) << server_.Log();
        ASSERT_EQ(BindToServer(""), BindResult::Bound);
        ASSERT_EQ(RemoteFetchTerminalConfig(g_app.live), 0u);
        g_app.live.SetCurrentAssociate(1);
        g_app.live.SetSwitch(basketcfg::kSoundsOff, 2);
        g_app.live.SetSwitch(basketcfg::kPoleFitted, 0);
        g_app.live.SetSwitch(basketcfg::kEntryWithNumber, 0);
        g_app.offline = 0;
    }

    ShopServerProcess server_;
};
