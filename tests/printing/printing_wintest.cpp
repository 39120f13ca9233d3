// Printing on Windows. The renderer drawing each kind of plan item into a metafile read back
// record by record, and the print job on the cups-pdf queues of scripts/print-queues.sh read
// back with pdftotext. The after-sale step on the real main window: the summary dialog driven
// by its control ids, and the automatic path; print jobs and closing sequences are recorded,
// and no mail program opens. The devices: their outputs on real serial ports
// (scripts/serial-ports.sh joins COM7 and COM8 of the Wine prefix through a pseudo-terminal
// pair, so what goes to COM7 is read from COM8), and their configuration dialogs driven by
// their control ids: what each moves between its controls and g_app.live, the real printer
// listing, the preview's port and the logo files.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "link/label_table.h"
#include "payment/commit_window.h"
#include "printing/after_sale_window.h"
#include "printing/control_sequence.h"
#include "printing/device_config_window.h"
#include "printing/devices.h"
#include "printing/print_job.h"
#include "printing/receipt_print.h"
#include "printing/render.h"
#include "resources/resource_ids.h"
#include "shell/message_box.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"
#include "support/metafile_recording.h"
#include "support/printed_pdfs.h"

using namespace print;

namespace {

HFONT Arial(int height, int weight) { return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"); }
using Longs = std::vector<long>;

TEST(RenderPlan, TextsAtTheirPointsWithTheirAlignmentAndFontMessagesShown) {
    MessageCapture capture;
    HFONT body = Arial(-40, FW_NORMAL), bold = Arial(-40, FW_BOLD), title = Arial(-80, FW_BOLD), own = Arial(-33, 600);
    PagePlan plan;
    plan.Text(100, 50, Align::Left, "Left"), plan.Text(500, 60, Align::Centre, "Centre", FontRole::Bold);
    plan.Text(900, 70, Align::Right, "Right", FontRole::Title), plan.Message("Unable to get printer");
    plan.Text(120, 80, Align::Left, "Header", FontRole::Header);  // none given: the body font
    const Recording r = RecordDrawing([&](HDC dc) {
        HGDIOBJ stock = SelectObject(dc, own);  // the printer's own font
        RenderPlan(dc, plan, PageFonts{body, bold, title, nullptr}, PageLogos{});
        plan.items.resize(1);
        RenderPlan(dc, plan, PageFonts{}, PageLogos{});  // no fonts: the one the device has selected
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), own);
        SelectObject(dc, stock);
    });
    for (HFONT f : {body, bold, title, own}) DeleteObject(f);
    std::vector<Longs> drawn;  // at the top, no update
    for (const DrawnText& t : r.texts) drawn.push_back({t.x, t.y, long(t.align), t.weight, t.height});
    EXPECT_EQ(drawn, (std::vector<Longs>{{100, 50, TA_LEFT, FW_NORMAL, -40}, {500, 60, TA_CENTER, FW_BOLD, -40},
                                         {900, 70, TA_RIGHT, FW_BOLD, -80}, {120, 80, TA_LEFT, FW_NORMAL, -40},
                                         {100, 50, TA_LEFT, 600, -33}}));
    EXPECT_TRUE(capture.messages().size() == 1 && capture.Saw("Unable to get printer", "Problem"));
}

TEST(RenderPlan, LinesBandsLogosAndABarcodeOfSevenWithEveryObjectDeleted) {
    HDC screen = GetDC(nullptr);
    HBITMAP logo = CreateCompatibleBitmap(screen, 40, 20);
    ReleaseDC(nullptr, screen);
    PagePlan plan;
    plan.Line(10, 100, 700, 100, 8), plan.Line(20, 200, 20, 600), plan.Band(Rect{10, 300, 700, 320});
    plan.Logo(Picture::ReceiptLogo, Rect{50, 10, 250, 110});
    plan.Logo(Picture::LetterLogo, Rect{0, 0, 10, 10});  // not loaded: nothing drawn
    plan.Barcode(400, 300, "0007");
    POINT origin{400, 300};
    const Recording r = RecordDrawing([&](HDC dc) {
        SetMapMode(dc, MM_HIMETRIC);  // where the barcode's centre and top land in 0.01 mm
        DPtoLP(dc, &origin, 1);
        SetMapMode(dc, MM_TEXT);
        RenderPlan(dc, plan, PageFonts{}, PageLogos{logo, nullptr});
        EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    });
    DeleteObject(logo);
    ASSERT_EQ(r.lines.size(), 2u);
    const auto& [line, pen] = r.lines[0];
    EXPECT_EQ((Longs{line.left, line.top, line.right, line.bottom, pen}), (Longs{10, 100, 700, 100, 8}));
    EXPECT_LE(r.lines[1].second, 1);
    ASSERT_EQ(r.fills.size(), 1u);
    const auto& [band, colour] = r.fills[0];
    EXPECT_EQ((Longs{band.left, band.top, band.right, band.bottom, long(colour)}),
              (Longs{10, 300, 700, 320, long(RGB(230, 230, 230))}));
    ASSERT_EQ(r.stretches.size(), 1u);
    const EMRSTRETCHBLT& s = r.stretches[0];
    EXPECT_EQ((Longs{s.xDest, s.yDest, s.cxDest, s.cyDest, s.cxSrc, s.cySrc, long(s.dwRop)}),
              (Longs{50, 10, 200, 100, 40, 20, SRCCOPY}));
    EXPECT_EQ(std::pair(r.created, r.deleted), std::pair(2, 2)) << "the pen and the brush";

    ASSERT_EQ(r.rectangles.size(), 42u) << "*0007*: five bars a character, seven modules of them";
    int bars = 0;
    for (std::size_t i = 0; i < r.rectangles.size(); ++i) {
        const RECTL& bar = r.rectangles[i];
        bars += i == 0 || bar.left != r.rectangles[i - 1].right + 1;
        EXPECT_EQ((Longs{bar.right + 1 - bar.left, bar.top, bar.bottom + 1}), (Longs{40, origin.y - 1000, origin.y}))
            << "10 mm down from the top: y grows upwards in this mode";
    }
    EXPECT_EQ(bars, 30);
    EXPECT_EQ(std::pair(r.rectangles.front().left, r.rectangles.back().right + 1),
              std::pair(origin.x - 1560, origin.x + 1520)) << "6 x 13 modules centred; the last space ends it";
}

TEST(RenderPlan, WrappedTextIsCentredInItsBoxAndMeasuredAlike) {
    HFONT body = Arial(-20, FW_NORMAL);
    const std::string message = "Thank you for shopping with us today please call again soon";
    PageMetrics m;
    int measured = 0;
    const Recording r = RecordDrawing([&](HDC dc) {
        HGDIOBJ stock = SelectObject(dc, body);
        m = MeasurePage(dc);
        measured = m.wrappedHeight(message, 200);
        SelectObject(dc, stock);
        PagePlan plan;
        plan.Wrapped(Rect{100, 500, 300, 500 + 8 * m.lineHeight}, message);
        RenderPlan(dc, plan, PageFonts{body}, PageLogos{});
    });
    DeleteObject(body);
    ASSERT_GE(r.texts.size(), 3u);
    std::string joined;
    for (const DrawnText& line : r.texts) {
        joined += line.text.substr(0, line.text.find_last_not_of(' ') + 1) + " ";
        EXPECT_EQ(line.y, 500 + static_cast<int>(&line - &r.texts[0]) * m.lineHeight) << line.text;
        EXPECT_GE(line.x, 100) << line.text;
    }
    EXPECT_EQ(joined, message + " ");
    EXPECT_EQ(measured, static_cast<int>(r.texts.size()) * m.lineHeight);
}

// Receipts and kitchen tickets by name, documents on the default printer without asking:
// the end-to-end tests (PrintingEndToEnd, DayAtTheTill).
TEST(ChoosePrinter, TheKitchenNeverAsksAndAReceiptPrintersNameStopsAtItsWidth) {
    TerminalConfig config;
    config.SetOption(9, 1);  // documents through the print dialog
    const PrinterRequest kitchen = ChoosePrinter(config, PrinterChoice::Kitchen);
    EXPECT_TRUE((kitchen.dialogFlags & PD_RETURNDEFAULT) && !kitchen.byName && kitchen.singleCopy);
    config.SetInt32(cfg::kTermCodes, 3), std::memset(config.data() + cfg::kReceiptPrinter, 'A', 200);  // any but 0
    EXPECT_EQ(ChoosePrinter(config, PrinterChoice::Receipt).name, std::string(200, 'A')) << "no terminator: its width";
}

// A sale with a number no earlier run printed, on the receipt printer by name. One that
// does not open prints nothing, silently: the FaultEndToEnd test's deleted queue.
using PrintJobTest = AppFixture;

TEST_F(PrintJobTest, TheReceiptPrinterByNameWithAnExtraCopyIsTwoPdfsEachFromTheStart) {
    g_app.labels = DefaultLabelTable();
    g_app.basket.SetNumber(7000000 + (GetTickCount() % 1000000) * 3 + GetCurrentProcessId() % 3);
    int pages = 0, copies = 0;
    const auto draw = [&](HDC dc, PageState& state) {
        EXPECT_EQ(std::pair(state.page, state.nextLine), std::pair(1, 0)) << "every copy starts afresh";
        ++pages, PrintReceipt(dc, kStandardReceipt);
    };
    if (!RequirePrinter(kReceiptQueue)) return;
    const std::string dir = UnixPdfDirectory("receipt");
    const std::set<std::string> before = PdfNames(dir);
    g_app.live.SetInt32(cfg::kTermCodes, 1), g_app.live.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
    EXPECT_EQ(RunPrintJob(nullptr, PrinterChoice::Receipt, draw, [&] { ++copies; }, 1), JobResult::Printed);
    EXPECT_EQ(std::pair(pages, copies), std::pair(2, 2));
    EXPECT_EQ(WaitForPdfs(dir, before, "Receipt: " + std::to_string(g_app.basket.Number()), 2), 2) << dir;
    EXPECT_TRUE(messages().messages().empty());
}

using Jobs = std::vector<std::string>;

Jobs g_jobs;  // "<printer> <kind> +<extra copies>", " closing" after each copy that sent it
JobResult g_answer;

// One copy from the print dialog plus the extra ones, each followed by afterCopy.
JobResult RecordJob(HWND, PrinterChoice choice, int kind, const DrawPage&, const AfterCopy& afterCopy, int extra) {
    const char* const printers[] = {"receipt", "kitchen", "document"};
    g_jobs.push_back(std::string(printers[static_cast<int>(choice)]) + " " + std::to_string(kind) + " +" +
                     std::to_string(extra));
    if (g_answer == JobResult::Printed && afterCopy)
        for (int copy = 0; copy < 1 + extra; ++copy) afterCopy();
    return g_answer;
}
void RecordClosingSequence() { g_jobs.back() += " closing"; }
bool NoMailProgram(HWND, const char*) { return false; }

class AfterSaleTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        g_jobs.clear(), g_answer = JobResult::Printed;
        g_afterSaleOutputs = {RecordJob, RecordClosingSequence, NoMailProgram};
        g_app.basket.SetNumber(1234), g_app.basket.SetTotal(12.5);
        g_saleTender = {20, 7.5};
    }
    void TearDown() override {
        g_afterSaleOutputs = kRealAfterSaleOutputs;
        g_saleTender = {};
        MainWindowFixture::TearDown();
    }
    // Option [12], switches [0], [20] and [122]; no drawer and no pole display.
    static void Settings(std::int64_t printDirectly, int automatic, int twoCopies, int kitchen) {
        g_app.live.SetOption(12, printDirectly), g_app.live.SetSwitch(0, automatic);
        g_app.live.SetSwitch(20, twoCopies), g_app.live.SetSwitch(122, kitchen);
        g_app.live.SetOption(17, 0), g_app.live.SetSwitch(100, 0);
    }
};

// Each document printed from the summary, and the order e-mail, are the end-to-end day at the till's.
TEST_F(AfterSaleTest, TheSummaryPrintsAndStaysOpenUntilOkWithTheFocusBackOnTheTenderedBox) {
    Settings(0, 0, 0, 0);
    RECT main{}, box{};
    int focused = 0;  // OK as the summary opens, then the tendered box after each print
    auto press = [&](int button, JobResult answer) {
        return [&, button, answer](HWND dialog) {
            g_answer = answer, SetFocus(GetDlgItem(dialog, IDOK)), Click(dialog, button);
            focused += GetFocus() == GetDlgItem(dialog, IDC_SUMMARY_TENDERED);
        };
    };
    DialogDriver driver({
        [&](HWND dialog) {
            focused += GetFocus() == GetDlgItem(dialog, IDOK);
            GetWindowRect(window_, &main), GetWindowRect(dialog, &box);
        },
        press(IDC_SUMMARY_CUSTOM_RECEIPT, JobResult::Printed),
        press(IDC_SUMMARY_INVOICE_2, JobResult::Cancelled),  // a cancelled print keeps it open too
        [](HWND dialog) { Click(dialog, IDC_SUMMARY_EMAIL); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    EXPECT_EQ(RunSaleSummary(window_), 1);
    EXPECT_EQ(box.bottom, main.bottom - 10);
    EXPECT_EQ(g_jobs, (Jobs{"receipt 2413 +0 closing", "document 2401 +0"}));
    EXPECT_EQ(focused, 3);
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_TRUE(messages().Saw("Unable to produce email.", "Problem"));
}

TEST_F(AfterSaleTest, TheAutomaticDocumentAndTheKitchenTicket) {
    const struct { int direct, automatic, two, kitchen; JobResult answer; Jobs jobs; const char* why; } rows[] = {
        {0, 1, 2, 0, JobResult::Printed, {"receipt 2405 +0", "receipt 2405 +0"},
         "the summary posts its button twice as it opens: two jobs, not one of two copies"},
        {1, 4, 2, 2, JobResult::Printed, {"receipt 2413 +1 closing closing", "kitchen 0 +0"},
         "the custom receipt twice, the closing sequence after each copy"},
        {1, 2, 0, 2, JobResult::Cancelled, {"document 2406 +0"}, "a cancelled print dialog ends the step"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        Settings(r.direct, r.automatic, r.two, r.kitchen);
        g_jobs.clear();
        g_answer = r.answer;
        std::size_t jobsWhenShown = 0;
        {  // printed directly, no summary opens
            std::vector<DialogDriver::Step> summary{[&](HWND d) { jobsWhenShown = g_jobs.size(), Click(d, IDOK); }};
            DialogDriver driver(r.direct ? std::vector<DialogDriver::Step>{} : summary);
            RunAfterSaleStep();
            MainWindowFixture::Pump();
        }
        EXPECT_EQ(g_jobs, r.jobs);
        EXPECT_EQ(jobsWhenShown, r.direct ? 0 : r.jobs.size());
    }
    EXPECT_TRUE(messages().messages().empty());
}

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
        EXPECT_EQ(Text(d, IDC_DRAWER_CHARACTER) + " " + std::to_string(Chosen(d, IDC_DRAWER_PORT)), "7 1");
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_DRAWER_THROUGH_PRINTER), BST_CHECKED);
        Choose(d, IDC_DRAWER_PORT, 9);
        SetText(d, IDC_DRAWER_REPEAT, "10");
        SetText(d, IDC_DRAWER_SEQUENCE, "27,112,0,25,250");
        Tick(d, IDC_DRAWER_AUTO_OPEN), Tick(d, IDC_DRAWER_DIRECT), Click(d, IDOK);
    }});
    RunTillConfiguration();
    const TerminalConfig& c = g_app.live;
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
