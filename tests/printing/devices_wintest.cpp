// The devices: their outputs on real serial ports (scripts/serial-ports.sh joins COM7 and
// COM8 of the Wine prefix through a pseudo-terminal pair, so what goes to COM7 is read from
// COM8), and their configuration dialogs driven by their control ids: what each moves
// between its controls and g_app.live, the real printer listing (the cups-pdf queues of
// scripts/print-queues.sh), the preview's port and the logo files.
#include "printing/devices.h"

#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include "printing/control_sequence.h"
#include "printing/device_config_window.h"
#include "resources/resource_ids.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"
#include "support/printed_pdfs.h"

namespace {

std::string Bytes(std::initializer_list<int> values, const std::string& text = "") {
    return std::string(values.begin(), values.end()) + text;
}
void SetPoleText(int slot, const char* text) { g_app.live.SetText(cfg::kPoleTexts + 32 * slot, 32, text); }
HANDLE OpenPort(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}
void UsePorts(int index) {  // the pole display, the drawer and the closing sequence
    g_app.live.SetSwitch(devcfg::kSwitchPolePort, index), g_app.live.SetOption(devcfg::kOptionDrawerPort, index);
    g_app.live.SetSwitch(devcfg::kSwitchClosingPort, index);
}

class SerialDevicesTest : public AppFixture {  // reads COM8, the far end of COM7
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (const char* no = std::getenv("VARENKO_NO_SERIAL"); no && std::strcmp(no, "1") == 0)
            GTEST_SKIP() << "VARENKO_NO_SERIAL=1: no serial port pair";
        reader_ = OpenPort("COM8");  // without the pair Wine may still open it, as no serial port
        DCB dcb{};
        COMMTIMEOUTS timeouts{50, 0, 250, 0, 0};
        dcb.DCBlength = sizeof dcb;
        ASSERT_TRUE(GetCommState(reader_, &dcb) && SetCommTimeouts(reader_, &timeouts))
            << "COM8 is no serial port (error " << GetLastError() << "): join COM7 and COM8 with "
            << "scripts/serial-ports.sh, or set VARENKO_NO_SERIAL=1 to skip the serial port tests.";
        while (!Receive(0).empty()) {}  // whatever an earlier, failed test left behind
        UsePorts(6);
    }
    void TearDown() override {
        if (reader_ != INVALID_HANDLE_VALUE) CloseHandle(reader_);
        AppFixture::TearDown();
    }
    // At least `expected` bytes unless 3 seconds pass, then what follows within a quarter of a second.
    std::string Receive(std::size_t expected) {
        std::string got;
        char buffer[512];
        for (DWORD n = 1, start = GetTickCount(); got.size() < expected ? GetTickCount() - start < 3000 : n > 0;) {
            n = 0;
            if (ReadFile(reader_, buffer, sizeof buffer, &n, nullptr)) got.append(buffer, n);
        }
        return got;
    }

    HANDLE reader_ = INVALID_HANDLE_VALUE;
};

TEST_F(SerialDevicesTest, EachOutputWritesItsBytesByteForByte) {
    const struct { const char* why; std::function<void()> output; std::string bytes; } rows[] = {
        {"the drawer: option [4] copies of option [6]", [] { devices::OpenTillDrawer(); }, Bytes({7, 7, 7})},
        {"an empty clear text still sends its 0 byte", [] { devices::ShowPoleIdleText(); }, Bytes({0}, "Welcome")},
        {"the closing sequence: nothing while none is set", [] { devices::SendClosingSequence(); }, ""},
        {"clear, cursor, then the item cut to 12", [] { SetPoleText(devcfg::kPoleClear, "27,64"),
             SetPoleText(devcfg::kPoleCursorLine1, "11"), devices::ShowPoleItem("Thirteen char", 3.5); },
         Bytes({27, 64, 11}, "Thirteen cha  3.50")},
        {"tender, then the second line's sequence and the change", [] { devices::ShowPoleTenderAndChange(20, 2.5); },
         Bytes({27, 64, 11}, "Tender: 20.00") + Bytes({0}, "Change: 2.50")},
        {"the printer behind the display is switched off around the message", [] {
             SetPoleText(devcfg::kPolePrinterOn, "27,61,1"), SetPoleText(devcfg::kPolePrinterOff, "27,61,2");
             devices::ShowPoleTotal(12.345); }, Bytes({27, 61, 2, 27, 64, 11}, "Total: 12.35") + Bytes({27, 61, 1})},
        {"the preview: the passive text between the printer switches", [] { devices::PreviewPoleDisplay(); },
         Bytes({27, 61, 2, 27, 64, 11}, "Welcome") + Bytes({27, 61, 1})},
        {"the closing sequence once set", [] {
             g_app.live.SetText(devcfg::kClosingSequence, 50, "27,105,"), devices::SendClosingSequence(); },
         Bytes({27, 105, 0})},
    };
    g_app.live.SetOption(devcfg::kOptionDrawerRepeat, 3), g_app.live.SetOption(devcfg::kOptionDrawerCharacter, 7);
    g_app.live.SetSwitch(devcfg::kSwitchPoleBaud, 7), g_app.live.SetSwitch(devcfg::kSwitchPoleStopBits, 2);
    SetPoleText(devcfg::kPolePassive, "Welcome");
    for (const auto& r : rows) {
        r.output();
        EXPECT_EQ(Receive(r.bytes.size()), r.bytes) << r.why;  // gtest shows every byte that differs
    }
    EXPECT_TRUE(messages().messages().empty());
    HANDLE port = OpenPort("COM7");  // the display's line settings: a pseudo-terminal shows speed and stop bits
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(port, &dcb));
    EXPECT_EQ(std::tuple(dcb.BaudRate, int(dcb.StopBits), dcb.fOutX + dcb.fOutxCtsFlow), std::tuple(19200u, 2, 0));
    CloseHandle(port);
}

TEST(DeviceFailures, EachFailureShowsItsMessageAndTheSaleGoesOn) {
    const std::string open = "Unable to open port / ";
    const struct { const char* why; std::function<void()> output; std::string shown; } rows[] = {
        {"the idle text", [] { devices::ShowPoleIdleText(); }, open + "Pole display\n"},
        {"the printer switches, off and on again, before the display's own", [] {
             SetPoleText(devcfg::kPolePrinterOn, "1"), SetPoleText(devcfg::kPolePrinterOff, "2");
             devices::ShowPoleIdleText(); }, open + "Problem\n" + open + "Problem\n" + open + "Pole display\n"},
        {"the preview stops at the missing port", [] { devices::PreviewPoleDisplay(); }, open + "Problem\n"},
        {"the drawer", [] { devices::OpenTillDrawer(); }, open + "Till drawer\n"},
        {"the drawer tried once more with the printer's sequence", [] {
             g_app.live.SetText(devcfg::kDrawerSequence, 200, "27,112,0"), devices::OpenTillDrawer(); },
         open + "Problem\n" + open + "Till drawer\n"},
        {"the drawer through a printer that does not open names it", [] {
             g_app.live.SetSwitch(devcfg::kSwitchDrawerThroughPrinter, 2);
             g_app.live.SetText(cfg::kReceiptPrinter, 200, "No Such Printer");
             g_app.live.SetText(devcfg::kDrawerSequence, 200, "27,112,0"), devices::OpenTillDrawer(); },
         "Unable to open till drawer printer / No Such Printer\n"},
        {"... and without a sequence does nothing", [] {
             g_app.live.SetSwitch(devcfg::kSwitchDrawerThroughPrinter, 2), devices::OpenTillDrawer(); }, ""},
    };
    for (const auto& r : rows) {
        MessageCapture capture;
        g_app = AppState{};
        UsePorts(2);  // COM3, never there in the test prefix
        r.output();
        std::string shown;
        for (const auto& m : capture.messages()) shown += m.text + " / " + m.caption + "\n";
        EXPECT_EQ(shown, r.shown) << r.why;
    }
    g_app = AppState{};
}

using DeviceConfigWindowTest = AppFixture;

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
        SetText(d, IDC_DRAWER_CHARACTER, Text(d, IDC_DRAWER_CHARACTER) + "00");
        SetText(d, IDC_DRAWER_REPEAT, "10");
        SetText(d, IDC_DRAWER_SEQUENCE, "27,112,0,25,250");
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
                             SetText(d, IDC_POLE_PASSIVE, "Welcome"), SetText(d, IDC_POLE_CURSOR_LINE2, "11,10");
                             Choose(d, IDC_POLE_BAUD, 7), Choose(d, IDC_POLE_STOP_BITS, 2), Tick(d, IDC_POLE_USE);
                             Click(d, IDC_POLE_PREVIEW), Click(d, IDCANCEL);
                         },
                         [](HWND d) { Tick(d, IDC_POLE_USE), SetText(d, IDC_POLE_COLUMNS_1, "40"), Click(d, IDOK); }});
    RunPoleConfiguration();
    EXPECT_EQ(g_app.live.PoleText(devcfg::kPolePassive) + "|" + g_app.live.PoleText(devcfg::kPoleCursorLine2),
              "Welcome|11,10");
    EXPECT_EQ(PoleLineSettings(g_app.live), (LineSettings{19200, 8, 0, 2}));
    EXPECT_EQ(g_app.live.Switch(devcfg::kSwitchPoleFitted), 0) << "'Use' waits for OK";
    EXPECT_TRUE(messages().messages().size() == 1 && messages().Saw("Unable to open port", "Problem"));
    RunPoleConfiguration();
    EXPECT_EQ(g_app.live.Switch(devcfg::kSwitchPoleFitted) * 100 + g_app.live.Switch(devcfg::kSwitchPoleColumns1), 240);
}

// A printer removed since it was chosen, and the other rules of the stored choices: native.
TEST_F(DeviceConfigWindowTest, ReceiptsListThePrintersAndStoreTheChosenOnesNames) {
    if (!RequirePrinter(kReceiptQueue) || !RequirePrinter(kKitchenQueue)) return;
    const PrinterListing printers = ListPrinters();
    ASSERT_TRUE(printers);
    const int receipt = PrinterPosition(*printers, kReceiptQueue), kitchen = PrinterPosition(*printers, kKitchenQueue);
    g_app.live.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, kKitchenQueue);
    DialogDriver driver({[&](HWND d) {
        EXPECT_EQ(Chosen(d, IDC_KITCHEN_PRINTER), kitchen);
        Choose(d, IDC_RECEIPT_PRINTER, receipt), Choose(d, IDC_KITCHEN_PRINTER, 0);
        SetText(d, IDC_FOOTER, std::string(254, 'f')), Tick(d, IDC_TWO_COPIES), Click(d, IDOK);
    }});
    RunReceiptConfiguration();
    const PrinterInfo& chosen = (*printers)[static_cast<std::size_t>(receipt) - 1];
    EXPECT_EQ(ReceiptPrinterName(g_app.live) + "/" + g_app.live.Text(receiptcfg::kPrinterDriver, 200) + "/" +
                  g_app.live.Text(receiptcfg::kPrinterPort, 200),
              chosen.name + "/" + chosen.driver + "/" + chosen.port);
    EXPECT_EQ(g_app.live.Text(cfg::kKitchenPrinter, cfg::kLongTextWidth) + "|" + std::to_string(g_app.live.Switch(20)) +
              "|" + g_app.live.Text(cfg::kClosingMessage, cfg::kLongTextWidth), "|2|" + std::string(251, 'f'));
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(DeviceConfigWindowTest, ALogoIsReplacedOnlyByABitmap) {
    const std::string bitmap = temp_ / "shop.bmp", text = temp_ / "notes.bmp";
    std::string picture = "BM" + std::string(64, '\0');  // 3 by 1 pixels at 24 bits
    picture[10] = 54, picture[14] = 40, picture[18] = 3, picture[22] = 1, picture[26] = 1, picture[28] = 24;
    WriteWholeFile(bitmap, picture), WriteWholeFile(text, "not a picture"), WriteWholeFile(data("letter.bmp"), "old");
    char before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    // A logo button's click runs the open-file dialog, and the next step runs inside it.
    auto press = [](int button) { return [button](HWND d) { Click(d, button); }; };
    auto pick = [](const std::string& path) {
        return [path](HWND file) {
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
