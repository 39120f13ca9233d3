// The remote interface against the development shop server: the window shown while a call
// waits, the binding, and the server stopped before each remote call the till makes: the
// associate is told, nothing is lost, and once the server is back the same step works.
// Every record's every field across, and the shop's answers: tests/devserver. A sale's
// commit is CommitRetryTest's; adding and amending a customer fail through the refund's
// guard, and their steps' handling of it is native.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "basket/item_entry_window.h"
#include "customers/customer_window.h"
#include "inventory/inventory_window.h"
#include "link/please_wait.h"
#include "link/remote.h"
#include "link/server_binding.h"
#include "resources/resource_ids.h"
#include "shell/config_file.h"
#include "shell/dispatch.h"
#include "shell/main_window.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using RemoteTest = AppFixture;

TEST(PleaseWaitWindow, ShowsWhileAliveWithoutTakingTheFocusAndIsGoneAfterEveryCall) {
    g_app.instance = GetModuleHandleA(nullptr);
    HWND owner = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                 g_app.instance, nullptr);
    SetForegroundWindow(owner);
    SetFocus(owner);
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

TEST_F(RemoteTest, WithTheServerDownNoExceptionPassesTheGuardAndTheTerminalStaysOffline) {
    TerminalConfig file;
    file.SetServerConnection(1);  // to this computer, where no server runs
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, file));
    LabelTable fetched;
    EXPECT_EQ(StartupBinding(fetched), 0);
    EXPECT_TRUE(messages().Saw("Unable to contact server, using defaults.", "Problem"));
    EXPECT_EQ(g_app.image.AssociateName(1), "") << "names are only defaulted for stand-alone files";
}

TEST_F(RemoteTest, ServerDialogProposesThisComputerRefusesLongNamesThenConnectsKeepingEveryLocalField) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start());
    // A terminal whose every byte is marked, as if configured here over the years.
    std::memset(g_app.live.data(), 0x3C, cfg::kSize);
    std::memset(g_app.image.data(), 0x3C, cfg::kSize);
    g_app.image.SetServerName("");
    const TerminalConfig before = g_app.live;
    lstrcpyA(g_app.computerName, "TILL7");
    g_app.instance = GetModuleHandleA(nullptr);
    g_app.offline = 1;
    std::string proposed;
    {
        DialogDriver driver({[&](HWND dialog) {
                                 proposed = Text(dialog, IDC_EDIT1);
                                 SetDlgItemTextA(dialog, IDC_EDIT1, "A-SERVER-NAME-TOO-LONG");
                                 Click(dialog, IDOK);  // refused: the dialog stays open
                                 SetDlgItemTextA(dialog, IDC_EDIT1, "");  // this computer
                                 Click(dialog, IDOK);
                             },
                             [](HWND logon) { EndDialog(logon, 0); }});  // the logon that follows a connection
        RunServerDialog(nullptr);
    }
    EXPECT_EQ(proposed, "TILL7");
    EXPECT_TRUE(messages().Saw("The server computer name can have at most 19 characters.", "Problem"));
    EXPECT_TRUE(messages().Saw("Connected.", "VARENKO server"));
    EXPECT_EQ(g_app.offline, 0);
    TerminalConfig shop;
    ASSERT_EQ(RemoteFetchTerminalConfig(shop), 0u);
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        if (i >= cfg::kServerName && i < cfg::kServerName + cfg::kServerNameWidth) continue;  // typed in the dialog
        bool kept = false;
        for (auto fields : {cfg::kKeptAcrossServerFetch, cfg::kRestoredAcrossServerFetch})
            for (const ByteRange& r : fields) kept = kept || (i >= r.offset && i < r.offset + r.length);
        ASSERT_EQ(g_app.live.data()[i], kept ? before.data()[i] : shop.data()[i]) << "offset " << i;
    }
    EXPECT_EQ(g_app.live.ServerName(), "");
    EXPECT_STREQ(g_app.headers.text[0], shop.HeaderText(0).substr(0, 43).c_str());
}

using T = ServerTillFixture;
struct Row {
    const char* call;
    std::function<void(T&)> step;
    const char* text;  // what the associate is told (prefix), caption "Problem"; null: nothing
    std::function<bool(T&)> again;  // the step once the server is back, and its effect
};

// The refund dialog's OK: the basket refunded in cash.
void Refund(T& t) {
    DialogDriver driver({[](HWND d) { Click(d, IDOK); }});
    t.Command(CMD_REFUND);
}

// One row per test process: a client process of this Wine sees at most two servers come
// and go before its calls fail with 1727 (the real till under Wine is started again).
const Row kRows[] = {
    {"FetchItem", [](T&) { EnterItemText("1302"); }, "Network error: (0x",
     [](T& t) { EnterItemText("1302"); return t.ListEntries() == 1; }},
    {"CommitRefund", [](T& t) { Refund(t); }, "Network error",
     [](T& t) {
         Refund(t);
         return t.ListEntries() == 0 && t.messages().messages().back().caption == "Transaction successful";
     }},
    {"FetchCustomer", [](T& t) { DialogDriver d({Prompt("1001")}); t.Command(CMD_CUSTOMER_FIND); }, "Network error",
     [](T& t) {
         DialogDriver d({Prompt("1001"), Press(IDOK, IDC_VIEW_NUMBER, "1001")});
         t.Command(CMD_CUSTOMER_FIND);
         return CurrentCustomer().Number() == 1001;
     }},
    {"FetchPictureBlock", [](T&) { TransferPictureFile("STOCK4.bmp"); }, "Runtime error in picture",
     [](T&) { return TransferPictureFile("STOCK4.bmp") == TransferResult::Stored; }},
    {"FetchButtonPage", [](T& t) { t.Command(CMD_SCROLL_FORWARDS); }, nullptr,
     [](T& t) { t.Command(CMD_SCROLL_FORWARDS); return PictureButton(0).item != 1001; }},
    {"FetchFirstButtonPage", [](T& t) { t.Command(kFirstCategoryButton + 3); }, "Unable to contact server for buttons.",
     [](T& t) { t.Command(kFirstCategoryButton + 3); return PictureButton(0).item == 1301; }},
    // Fetched into g_app.live: a failed fetch leaves it as it was.
    {"FetchTerminalConfig", [](T&) { ConnectToServer(""); }, "Unable to contact server.",
     [](T&) { return g_app.live.HeaderText(0) == "ORCHARD LANE STORES" && !RemoteFetchTerminalConfig(g_app.live); }},
};

class EveryCall : public ServerTillFixture, public testing::WithParamInterface<int> {};

TEST_P(EveryCall, WithTheServerStoppedThenBack) {
    const Row& r = kRows[GetParam()];
    g_app.live.SetSwitch(piccfg::kCategory, kAllCategories);
    RefillPictureButtons();
    ASSERT_EQ(PictureButton(0).item, 1001);
    if (std::string(r.call).starts_with("Commit")) EnterItemText("1302");
    const std::size_t before = messages().messages().size();
    server_.Stop();
    r.step(*this);
    const auto& shown = messages().messages();
    if (r.text) {
        ASSERT_EQ(shown.size(), before + 1) << r.call << ": one message";
        EXPECT_EQ(shown.back().text.rfind(r.text, 0), 0u) << r.call << ": " << shown.back().text;
        EXPECT_EQ(shown.back().caption, "Problem") << r.call;
    } else {
        EXPECT_EQ(shown.size(), before) << r.call << ": nothing to say";
        EXPECT_EQ(PictureButton(0).item, 1001) << r.call << ": the buttons stay";
    }
    ASSERT_TRUE(server_.Start()) << server_.Log();
    EXPECT_TRUE(r.again(*this)) << r.call << " once the server is back";
}

INSTANTIATE_TEST_SUITE_P(ServerFault, EveryCall, testing::Range(0, static_cast<int>(std::size(kRows))),
                         [](const testing::TestParamInfo<int>& info) { return kRows[info.param].call; });

}  // namespace
