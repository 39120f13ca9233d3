// The remote interface against the real development shop server over the pipe: whole records
// each way, and the binding. What the shop answers is tested natively (tests/devserver); each
// other call is driven by the Win32 test of the feature that makes it.
#include <gtest/gtest.h>

#include <cstring>

#include "link/remote.h"
#include "link/server_binding.h"
#include "resources/resource_ids.h"
#include "shell/config_file.h"
#include "shell/startup.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"
#include "support/shop_server.h"

namespace {

using RemoteTest = AppFixture;

TEST_F(RemoteTest, CommitsAnswerTheNumberPlusTwentyOneAndTheWholeRecordArrives) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start()) << server.Log();
    ASSERT_EQ(BindToServer(""), BindResult::Bound);  // this computer
    struct Row { bool sale; int lines; std::string note; std::int32_t result; const char* journal; };
    const Row rows[] = {{true, 1, "first", 22, "[sale 1]"}, {false, 1, "back", 23, "[refund 2]"},
                        {true, 0, std::string(79, 'n'), 24, "[sale 3]"}};  // the note is the record's last bytes
    for (const Row& row : rows) {
        TransactionRecord t;
        t.SetLineCount(row.lines), t.SetLineItemNumber(0, 1001), t.SetLineTotal(0, 19.0), t.SetNote(row.note);
        std::int32_t result = 0;
        ASSERT_EQ(row.sale ? RemoteCommitSale(t, result) : RemoteCommitRefund(t, result), 0u);
        EXPECT_EQ(result, row.result) << row.journal;
        const std::string journal = ReadWholeFile(server.shopDirectory() + "\\state\\journal.txt");
        EXPECT_NE(journal.find(std::string(row.journal) + "\nstamp"), std::string::npos) << journal;
        EXPECT_NE(journal.find("note = " + row.note + "\n"), std::string::npos) << journal;
        EXPECT_TRUE(!row.lines || journal.find("line = 1001;0;0;0;0;0;0;19;\n") != std::string::npos) << journal;
    }
}

TEST_F(RemoteTest, WithTheServerDownNoExceptionPassesTheGuardAndTheTerminalStaysOffline) {
    EnsureConfigurationFile();
    TerminalConfig file;
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, file));
    file.SetServerConnection(1);  // to this computer, where no server runs
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, file));
    LabelTable fetched;
    EXPECT_EQ(StartupBinding(fetched), 0);
    EXPECT_TRUE(messages().Saw("Unable to contact server, using defaults.", "Problem"));
    EXPECT_EQ(g_app.image.AssociateName(1), "") << "names are only defaulted for stand-alone files";
    g_app.offline = 1;
    ConnectToServer("");
    EXPECT_TRUE(messages().Saw("Unable to contact server.", "Problem"));
    EXPECT_EQ(g_app.offline, 1);

    InventoryItem item;  // bound to this computer, where nothing listens on the pipe
    item.SetNumber(42);
    EXPECT_NE(RemoteFetchItem(ItemKey{}, item), 0u);
    EXPECT_EQ(item.Number(), 42) << "the record keeps what it held";
    std::int32_t result = -5;
    EXPECT_NE(RemoteCommitSale(TransactionRecord{}, result), 0u);
    EXPECT_EQ(result, -5);
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
        DialogDriver driver({[&](HWND dialog) {  // the logon that follows a connection is closed by the driver
            proposed = Text(dialog, IDC_EDIT1);
            SetDlgItemTextA(dialog, IDC_EDIT1, "A-SERVER-NAME-TOO-LONG");
            Click(dialog, IDOK);  // refused: the dialog stays open
            SetDlgItemTextA(dialog, IDC_EDIT1, "");  // this computer
            Click(dialog, IDOK);
        }});
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

}  // namespace
