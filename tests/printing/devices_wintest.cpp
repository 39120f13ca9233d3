// The device outputs on real serial ports: scripts/serial-ports.sh joins COM7 and COM8 of
// the Wine prefix through a pseudo-terminal pair, so what goes to COM7 is read from COM8.
#include "printing/devices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include "printing/control_sequence.h"
#include "support/app_fixture.h"

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

class SerialDevicesTest : public AppFixture {  // reads COM8, the far end of COM7; one test at a time
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (const char* no = std::getenv("VARENKO_NO_SERIAL"); no && std::strcmp(no, "1") == 0)
            GTEST_SKIP() << "VARENKO_NO_SERIAL=1: no serial port pair";
        lock_ = CreateMutexA(nullptr, FALSE, "Local\\varenko-serial-port-pair");
        const DWORD wait = WaitForSingleObject(lock_, 60000);
        ASSERT_TRUE((locked_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)) << "the serial port pair stayed busy";
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
        if (locked_) ReleaseMutex(lock_);
        if (lock_) CloseHandle(lock_);
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

    HANDLE lock_ = nullptr, reader_ = INVALID_HANDLE_VALUE;
    bool locked_ = false;
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
    dcb.BaudRate = 9600, dcb.StopBits = ONESTOPBIT;  // back to the defaults for the tests that follow
    EXPECT_TRUE(SetCommState(port, &dcb));
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
    HANDLE probe = OpenPort("COM3");
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "COM3 must not exist in the test prefix";
    for (const auto& r : rows) {
        MessageCapture capture;
        g_app = AppState{};
        UsePorts(2);
        r.output();
        std::string shown;
        for (const auto& m : capture.messages()) shown += m.text + " / " + m.caption + "\n";
        EXPECT_EQ(shown, r.shown) << r.why;
    }
    g_app = AppState{};
}

}  // namespace
