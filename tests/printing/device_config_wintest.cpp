// The device configuration dialogs driven by their control ids: what each moves
// between its controls and g_app.live, the real printer listing (the cups-pdf queues
// of scripts/print-queues.sh), the preview's port and the logo files.
#include "printing/device_config_window.h"

#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"
#include "support/printed_pdfs.h"

namespace {

using DeviceConfigWindowTest = AppFixture;

void Type(HWND d, int id, const std::string& text) { SetDlgItemTextA(d, id, text.c_str()); }
void Choose(HWND d, int id, int position) { SendDlgItemMessageA(d, id, CB_SETCURSEL, position, 0); }
int Chosen(HWND d, int id) { return static_cast<int>(SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0)); }
void Tick(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }

TEST_F(DeviceConfigWindowTest, TillShowsTheDrawerAndStoresItOnOk) {
    g_app.live.SetOption(devcfg::kOptionDrawerCharacter, 7), g_app.live.SetOption(devcfg::kOptionDrawerPort, 1);
    g_app.live.SetSwitch(devcfg::kSwitchDrawerThroughPrinter, 2);
    DialogDriver driver({[](HWND d) {
        EXPECT_EQ(Chosen(d, IDC_DRAWER_PORT), 1);
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_DRAWER_THROUGH_PRINTER), BST_CHECKED);
        Choose(d, IDC_DRAWER_PORT, 9);
        Type(d, IDC_DRAWER_CHARACTER, Text(d, IDC_DRAWER_CHARACTER) + "00");
        Type(d, IDC_DRAWER_REPEAT, "10");
        Type(d, IDC_DRAWER_SEQUENCE, "27,112,0,25,250");
        Tick(d, IDC_DRAWER_AUTO_OPEN), Tick(d, IDC_DRAWER_DIRECT), Click(d, IDOK);
    }});
    RunTillConfiguration();
    const TerminalConfig& c = g_app.live;
    EXPECT_EQ(c.Option(devcfg::kOptionDrawerCharacter), 7) << "700 keeps the open character";
    EXPECT_EQ(c.Option(devcfg::kOptionDrawerPort) * 100 + c.Option(devcfg::kOptionDrawerRepeat), 910);
    EXPECT_EQ(DrawerSequenceText(c), "27,112,0,25,250");
    EXPECT_EQ(c.Option(devcfg::kOptionDrawerAutoOpen) * 10 + c.Switch(devcfg::kSwitchDrawerThroughPrinter), 10);
}

TEST_F(DeviceConfigWindowTest, PoleKeepsWhatItPreviewedWhenCancelled) {
    g_app.live.SetSwitch(devcfg::kSwitchPolePort, 2);  // COM3: never there in the test prefix
    DialogDriver driver({[](HWND d) {
                             Type(d, IDC_POLE_PASSIVE, "Welcome"), Type(d, IDC_POLE_CURSOR_LINE2, "11,10");
                             Choose(d, IDC_POLE_BAUD, 7), Choose(d, IDC_POLE_STOP_BITS, 2), Tick(d, IDC_POLE_USE);
                             Click(d, IDC_POLE_PREVIEW), Click(d, IDCANCEL);
                         },
                         [](HWND d) { Tick(d, IDC_POLE_USE), Type(d, IDC_POLE_COLUMNS_1, "40"), Click(d, IDOK); }});
    RunPoleConfiguration();
    EXPECT_EQ(g_app.live.PoleText(devcfg::kPolePassive) + "|" + g_app.live.PoleText(devcfg::kPoleCursorLine2),
              "Welcome|11,10");
    EXPECT_EQ(PoleLineSettings(g_app.live), (LineSettings{19200, 8, 0, 2}));
    EXPECT_EQ(g_app.live.Switch(devcfg::kSwitchPoleFitted), 0) << "'Use' waits for OK";
    EXPECT_TRUE(messages().messages().size() == 1 && messages().Saw("Unable to open port", "Problem"));
    RunPoleConfiguration();
    EXPECT_EQ(g_app.live.Switch(devcfg::kSwitchPoleFitted) * 100 + g_app.live.Switch(devcfg::kSwitchPoleColumns1), 240);
}

TEST_F(DeviceConfigWindowTest, ReceiptsListThePrintersAndStoreTheChosenOnesNames) {
    if (!RequirePrinter(kReceiptQueue) || !RequirePrinter(kKitchenQueue)) return;
    const PrinterListing printers = ListPrinters();
    ASSERT_TRUE(printers);
    const int receipt = PrinterPosition(*printers, kReceiptQueue), kitchen = PrinterPosition(*printers, kKitchenQueue);
    g_app.live.SetInt32(receiptcfg::kPrinterPosition, 2), g_app.live.SetText(cfg::kReceiptPrinter, 200, "Removed");
    g_app.live.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, kKitchenQueue);
    DialogDriver driver({[&](HWND d) {
                             EXPECT_EQ(Chosen(d, IDC_KITCHEN_PRINTER), kitchen);
                             Click(d, IDCANCEL);
                         },
                         [&](HWND d) {
                             Choose(d, IDC_RECEIPT_PRINTER, receipt), Choose(d, IDC_KITCHEN_PRINTER, 0);
                             Type(d, IDC_FOOTER, std::string(254, 'f')), Tick(d, IDC_TWO_COPIES), Click(d, IDOK);
                         }});
    RunReceiptConfiguration();
    EXPECT_EQ(g_app.live.Int32(receiptcfg::kPrinterPosition), 0) << "the removed printer's Default, though cancelled";
    RunReceiptConfiguration();
    const PrinterInfo& chosen = (*printers)[static_cast<std::size_t>(receipt) - 1];
    EXPECT_EQ(ReceiptPrinterName(g_app.live) + "/" + g_app.live.Text(receiptcfg::kPrinterDriver, 200) + "/" +
                  g_app.live.Text(receiptcfg::kPrinterPort, 200),
              chosen.name + "/" + chosen.driver + "/" + chosen.port);
    EXPECT_EQ(g_app.live.Text(cfg::kKitchenPrinter, cfg::kLongTextWidth) + "|" + std::to_string(g_app.live.Switch(20)) +
              "|" + g_app.live.Text(cfg::kClosingMessage, cfg::kLongTextWidth), "|2|" + std::string(251, 'f'));
    EXPECT_TRUE(messages().messages().empty());
}

// The open-file dialog owned by `owner`.
HWND FileDialogOf(HWND owner) {
    struct Search { HWND owner, found; } search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) {
        auto* s = reinterpret_cast<Search*>(p);
        if (GetWindow(w, GW_OWNER) == s->owner && IsWindowVisible(w)) s->found = w;
        return s->found ? FALSE : TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(DeviceConfigWindowTest, ALogoIsReplacedOnlyByABitmap) {
    const std::string bitmap = temp_ / "shop.bmp", text = temp_ / "notes.bmp";
    std::string picture = "BM" + std::string(64, '\0');  // 3 by 1 pixels at 24 bits
    picture[10] = 54, picture[14] = 40, picture[18] = 3, picture[22] = 1, picture[26] = 1, picture[28] = 24;
    WriteWholeFile(bitmap, picture), WriteWholeFile(text, "not a picture"), WriteWholeFile(data("letter.bmp"), "old");
    char before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    // A logo button's click runs the open-file dialog, and the next step runs inside it.
    HWND receipt = nullptr;
    auto press = [&](int button) { return [&, button](HWND d) { receipt = d, Click(d, button); }; };
    auto pick = [&](const std::string& path) {
        return [&, path](HWND) {
            HWND file = FileDialogOf(receipt);
            ASSERT_NE(file, nullptr);
            SetWindowTextA(GetDlgItem(file, cmb13) ? GetDlgItem(file, cmb13) : GetDlgItem(file, edt1), path.c_str());
            PostMessageA(file, WM_COMMAND, IDOK, 0);
        };
    };
    DialogDriver driver({press(IDC_RECEIPT_LOGO), pick(bitmap), press(IDC_INVOICE_LOGO), pick(text),
                         [](HWND d) { Click(d, IDCANCEL); }});
    RunReceiptConfiguration();
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);
    EXPECT_EQ(ReadWholeFile(data("receipt.bmp")), picture);
    EXPECT_EQ(ReadWholeFile(data("letter.bmp")), "old");
    EXPECT_FALSE(FileExists(data("receipt.bmp.new")));
    EXPECT_EQ(messages().messages().size(), 2u);
    EXPECT_TRUE(messages().Saw("Updated.", "Logo picture") && messages().Saw("Not a bitmap file.", "Problem"));
}

}  // namespace
