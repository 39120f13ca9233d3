// The shop server stopped before each remote call the till makes: the associate sees the
// message for it, nothing is lost, and once the server is back the same step works.
// (Customer add, amend and search, the credit sale and the refund have their own tests.)
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "basket/item_entry_window.h"
#include "inventory/inventory_window.h"
#include "link/server_binding.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/main_window.h"
#include "support/server_till_fixture.h"

namespace {

class ServerFaultTest : public ServerTillFixture {
protected:
    void SetUp() override {
        ServerTillFixture::SetUp();
        g_app.live.SetOption(12, 1);  // after a sale: no summary
        g_app.live.SetSwitch(0, 0);   // and nothing printed
    }

public:  // for the rows' steps
    using ServerTillFixture::Command;
    using ServerTillFixture::ListEntries;
};

using T = ServerFaultTest;
struct Row {
    const char* call;
    std::function<void(T&)> step;
    const char* text;  // what the associate is told (prefix), caption "Problem"; null: nothing
    std::function<bool(T&)> again;  // the step once the server is back, and its effect
};

// One row per test process: a client process of this Wine sees at most two servers come
// and go before its calls fail with 1727 (the real till under Wine is started again).
const Row kRows[] = {
    {"FetchItem", [](T&) { EnterItemText("1302"); }, "Network error: (0x",
     [](T& t) { EnterItemText("1302"); return t.ListEntries() == 1; }},
    // Paid by cheque (no tender dialog): the commit is the only remote call.
    {"CommitSale", [](T& t) { ASSERT_EQ(t.ListEntries(), 1); t.Command(CMD_CH_PAYMENT); }, "Network error",
     [](T& t) { t.Command(CMD_CH_PAYMENT); return t.ListEntries() == 0 && g_app.basket.LineCount() == 0; }},
    {"FetchPictureBlock", [](T&) { TransferPictureFile("STOCK4.bmp"); }, "Runtime error in picture",
     [](T&) { return TransferPictureFile("STOCK4.bmp") == TransferResult::Stored; }},
    {"FetchButtonPage", [](T& t) { t.Command(CMD_SCROLL_FORWARDS); }, nullptr,
     [](T& t) { t.Command(CMD_SCROLL_FORWARDS); return PictureButton(0).item != 1001; }},
    {"FetchFirstButtonPage", [](T& t) { t.Command(kFirstCategoryButton + 3); }, "Unable to contact server for buttons.",
     [](T& t) { t.Command(kFirstCategoryButton + 3); return PictureButton(0).item == 1301; }},
    {"FetchTerminalConfig", [](T&) { ConnectToServer(""); }, "Unable to contact server.",
     [](T&) { return RemoteFetchTerminalConfig(g_app.live) == 0; }},
};

class EveryCall : public ServerFaultTest, public testing::WithParamInterface<int> {};

TEST_P(EveryCall, WithTheServerStoppedThenBack) {
    const Row& r = kRows[GetParam()];
    g_app.live.SetSwitch(piccfg::kCategory, kAllCategories);
    RefillPictureButtons();
    ASSERT_EQ(PictureButton(0).item, 1001);
    if (std::string(r.call) == "CommitSale") EnterItemText("1302");
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
