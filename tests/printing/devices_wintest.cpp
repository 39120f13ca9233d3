// The device outputs against real serial ports: scripts/serial-ports.sh joins COM7
// and COM8 of the Wine prefix through a pseudo-terminal pair, so what the terminal
// writes to COM7 is read back here from COM8.
#include "printing/devices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "printing/control_sequence.h"
#include "support/app_fixture.h"

namespace {

constexpr int kCom3 = 2;  // never mapped in the test prefix
constexpr int kCom7 = 6;

std::string Hex(const std::string& bytes) {
    std::string out;
    char two[4];
    for (unsigned char b : bytes) {
        std::snprintf(two, sizeof two, "%02X ", b);
        out += two;
    }
    return out;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

void SetPoleText(int slot, const char* text) {
    g_app.live.SetText(cfg::kPoleTexts + cfg::kPoleTextWidth * static_cast<std::size_t>(slot), cfg::kPoleTextWidth, text);
}

HANDLE OpenPort(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

constexpr const char* kHowTo =
    "Join COM7 and COM8 with scripts/serial-ports.sh (VARENKO_WINEPREFIX set to this prefix; "
    "scripts/run-tests.sh does it), or set VARENKO_NO_SERIAL=1 to skip the serial port tests.";

// Reads COM8, the far end of COM7. One test at a time: the pair is shared by every
// test process of the run.
class SerialDevicesTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        const char* noSerial = std::getenv("VARENKO_NO_SERIAL");
        if (noSerial && std::strcmp(noSerial, "1") == 0) GTEST_SKIP() << "VARENKO_NO_SERIAL=1: no serial port pair";

        lock_ = CreateMutexA(nullptr, FALSE, "Local\\varenko-serial-port-pair");
        ASSERT_NE(lock_, nullptr);
        DWORD wait = WaitForSingleObject(lock_, 60000);
        ASSERT_TRUE(wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) << "the serial port pair stayed busy";
        locked_ = true;

        // Without the pair, Wine may still open COMn as a device that is no serial port.
        HANDLE probe = OpenPort("COM7");
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        bool serial = probe != INVALID_HANDLE_VALUE && GetCommState(probe, &dcb);
        DWORD error = GetLastError();
        if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
        ASSERT_TRUE(serial) << "COM7 is no serial port here (error " << error << "). " << kHowTo;
        reader_ = OpenPort("COM8");
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = 50;
        timeouts.ReadTotalTimeoutConstant = 250;
        ASSERT_TRUE(reader_ != INVALID_HANDLE_VALUE && SetCommTimeouts(reader_, &timeouts))
            << "COM8 is no serial port here (error " << GetLastError() << "). " << kHowTo;
        while (!ReadSome().empty()) {
        }  // whatever an earlier, failed test left behind

        g_app.live.SetSwitch(devcfg::kSwitchPolePort, kCom7);
        g_app.live.SetOption(devcfg::kOptionDrawerPort, kCom7);
        g_app.live.SetSwitch(devcfg::kSwitchClosingPort, kCom7);
    }
    void TearDown() override {
        if (reader_ != INVALID_HANDLE_VALUE) CloseHandle(reader_);
        if (locked_) ReleaseMutex(lock_);
        if (lock_) CloseHandle(lock_);
        AppFixture::TearDown();
    }

    std::string ReadSome() {
        char buffer[512];
        DWORD n = 0;
        if (!ReadFile(reader_, buffer, sizeof buffer, &n, nullptr)) return {};
        return std::string(buffer, n);
    }

    // Everything that arrives: at least `expected` bytes unless 3 seconds pass, and then
    // whatever follows within a quarter of a second, so extra bytes are seen too.
    std::string Receive(std::size_t expected) {
        std::string got;
        DWORD start = GetTickCount();
        while (got.size() < expected && GetTickCount() - start < 3000) got += ReadSome();
        for (std::string more = ReadSome(); !more.empty(); more = ReadSome()) got += more;
        return got;
    }

    void ExpectReceived(const std::string& expected) { EXPECT_EQ(Hex(Receive(expected.size())), Hex(expected)); }

    HANDLE lock_ = nullptr;
    bool locked_ = false;
    HANDLE reader_ = INVALID_HANDLE_VALUE;
};

TEST_F(SerialDevicesTest, DirectDrawerRepeatsTheOpenCharacter) {
    g_app.live.SetOption(devcfg::kOptionDrawerRepeat, 3);
    g_app.live.SetOption(devcfg::kOptionDrawerCharacter, 7);
    devices::OpenTillDrawer();
    ExpectReceived(Bytes({7, 7, 7}));
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(SerialDevicesTest, PoleMessagesClearMoveTheCursorAndWriteTheText) {
    SetPoleText(devcfg::kPoleClear, "27,64");
    SetPoleText(devcfg::kPoleCursorLine1, "11");
    SetPoleText(devcfg::kPolePassive, "Next customer");
    devices::ShowPoleIdleText();
    ExpectReceived(Bytes({0x1B, 0x40, 0x0B}) + "Next customer");

    devices::ShowPoleItem("Thirteen char", 3.5);
    ExpectReceived(Bytes({0x1B, 0x40, 0x0B}) + "Thirteen cha  3.50");
    devices::ShowPoleItem("Twelve chars and then the rest of forty characters", 1.25);
    ExpectReceived(Bytes({0x1B, 0x40, 0x0B}) + "Twelve chars  1.25");
    devices::ShowPoleItem("Twelve chars", 1.25);
    ExpectReceived(Bytes({0x1B, 0x40, 0x0B}) + "Twelve chars 1.25");

    devices::ShowPoleTotal(12.345);
    ExpectReceived(Bytes({0x1B, 0x40, 0x0B}) + "Total: 12.35");
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(SerialDevicesTest, AnEmptyClearTextStillSendsAZeroByte) {
    SetPoleText(devcfg::kPolePassive, "Next customer");
    devices::ShowPoleIdleText();
    ExpectReceived(Bytes({0}) + "Next customer");
    SetPoleText(devcfg::kPolePassive, "");
    devices::ShowPoleIdleText();
    ExpectReceived(Bytes({0}));
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(SerialDevicesTest, TenderAndChangeGoOutWithTheSecondLineSequenceBetween) {
    SetPoleText(devcfg::kPoleClear, "27,64");
    SetPoleText(devcfg::kPoleCursorLine1, "11");
    SetPoleText(devcfg::kPoleCursorLine2, "11,10");
    devices::ShowPoleTenderAndChange(20, 2.5);
    ExpectReceived(Bytes({0x1B, 0x40, 0x0B}) + "Tender: 20.00" + Bytes({0x0B, 0x0A}) + "Change: 2.50");

    SetPoleText(devcfg::kPoleCursorLine2, "");
    devices::ShowPoleTenderAndChange(5, 0);
    ExpectReceived(Bytes({0x1B, 0x40, 0x0B}) + "Tender: 5.00" + Bytes({0}) + "Change: 0.00");
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(SerialDevicesTest, ThePrinterBehindTheDisplayIsSwitchedOffAroundTheMessage) {
    SetPoleText(devcfg::kPolePrinterOn, "27,61,1");
    SetPoleText(devcfg::kPolePrinterOff, "27,61,2");
    SetPoleText(devcfg::kPoleClear, "12");
    devices::ShowPoleTotal(1);
    ExpectReceived(Bytes({27, 61, 2, 12}) + "Total: 1.00" + Bytes({27, 61, 1}));
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(SerialDevicesTest, PreviewShowsThePassiveTextBetweenThePrinterSwitches) {
    SetPoleText(devcfg::kPolePassive, "Welcome");
    SetPoleText(devcfg::kPolePrinterOn, "27,61,1");
    SetPoleText(devcfg::kPolePrinterOff, "27,61,2");
    SetPoleText(devcfg::kPoleClear, "27,64");
    SetPoleText(devcfg::kPoleCursorLine1, "11");
    devices::PreviewPoleDisplay();
    ExpectReceived(Bytes({27, 61, 2, 27, 64, 11}) + "Welcome" + Bytes({27, 61, 1}));
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(SerialDevicesTest, TheDisplayPortGetsItsLineSettings) {
    // A pseudo-terminal always keeps 8 bits without parity, so only the speed and
    // the stop bits can be seen on this end.
    g_app.live.SetSwitch(devcfg::kSwitchPoleBaud, 7);      // 19200
    g_app.live.SetSwitch(devcfg::kSwitchPoleStopBits, 2);  // two
    devices::ShowPoleIdleText();
    Receive(1);

    HANDLE port = OpenPort("COM7");
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    EXPECT_TRUE(GetCommState(port, &dcb));
    EXPECT_EQ(dcb.BaudRate, 19200u);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    // Back to the defaults for the tests that follow.
    dcb = DCB{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    EXPECT_TRUE(SetCommState(port, &dcb));
    CloseHandle(port);
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(SerialDevicesTest, ClosingSequenceGoesToItsPortWhenSet) {
    devices::SendClosingSequence();
    ExpectReceived("");
    g_app.live.SetText(devcfg::kClosingSequence, devcfg::kClosingSequenceWidth, "27,105,");
    devices::SendClosingSequence();
    ExpectReceived(Bytes({27, 105, 0}));
    EXPECT_TRUE(messages().messages().empty());
}

using DeviceFailuresTest = AppFixture;

TEST_F(DeviceFailuresTest, AMissingPortShowsItsMessageAndReturns) {
    HANDLE probe = OpenPort("COM3");
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "COM3 must not exist in the test prefix";

    g_app.live.SetSwitch(devcfg::kSwitchPolePort, kCom3);
    devices::ShowPoleIdleText();
    devices::ShowPoleTotal(1);
    devices::ShowPoleItem("Milk", 1);
    devices::ShowPoleTenderAndChange(1, 0);
    ASSERT_EQ(messages().messages().size(), 4u);
    EXPECT_EQ(messages().messages()[0].text, "Unable to open port");
    EXPECT_EQ(messages().messages()[0].caption, "Pole display");
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(messages().messages()[i].text, "Unable to open port");
        EXPECT_EQ(messages().messages()[i].caption, "Problem");
    }
}

TEST_F(DeviceFailuresTest, PreviewStopsAtAMissingPort) {
    g_app.live.SetSwitch(devcfg::kSwitchPolePort, kCom3);
    SetPoleText(devcfg::kPolePrinterOn, "27,61,1");
    SetPoleText(devcfg::kPolePrinterOff, "27,61,2");
    devices::PreviewPoleDisplay();
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].text, "Unable to open port");
    EXPECT_EQ(messages().messages()[0].caption, "Problem");
}

TEST_F(DeviceFailuresTest, TheDisplaysPrinterSwitchesReportTheirOwnFailures) {
    g_app.live.SetSwitch(devcfg::kSwitchPolePort, kCom3);
    SetPoleText(devcfg::kPolePrinterOn, "27,61,1");
    SetPoleText(devcfg::kPolePrinterOff, "27,61,2");
    devices::ShowPoleIdleText();
    ASSERT_EQ(messages().messages().size(), 3u);
    EXPECT_EQ(messages().messages()[0].caption, "Problem");  // switching the printer off
    EXPECT_EQ(messages().messages()[1].caption, "Problem");  // switching it on again
    EXPECT_EQ(messages().messages()[2].caption, "Pole display");
    for (const auto& m : messages().messages()) EXPECT_EQ(m.text, "Unable to open port");
}

TEST_F(DeviceFailuresTest, AMissingDrawerPortIsReported) {
    g_app.live.SetOption(devcfg::kOptionDrawerPort, kCom3);
    devices::OpenTillDrawer();
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].text, "Unable to open port");
    EXPECT_EQ(messages().messages()[0].caption, "Till drawer");
}

TEST_F(DeviceFailuresTest, AMissingDrawerPortIsTriedOnceMoreWithTheControlSequence) {
    g_app.live.SetOption(devcfg::kOptionDrawerPort, kCom3);
    g_app.live.SetText(devcfg::kDrawerSequence, 200, "27,112,0,25,250");
    devices::OpenTillDrawer();
    ASSERT_EQ(messages().messages().size(), 2u);
    EXPECT_EQ(messages().messages()[0].text, "Unable to open port");
    EXPECT_EQ(messages().messages()[0].caption, "Problem");
    EXPECT_EQ(messages().messages()[1].text, "Unable to open port");
    EXPECT_EQ(messages().messages()[1].caption, "Till drawer");
}

TEST_F(DeviceFailuresTest, AMissingClosingSequencePortIsAProblem) {
    g_app.live.SetSwitch(devcfg::kSwitchClosingPort, kCom3);
    g_app.live.SetText(devcfg::kClosingSequence, devcfg::kClosingSequenceWidth, "27,105");
    devices::SendClosingSequence();
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].text, "Unable to open port");
    EXPECT_EQ(messages().messages()[0].caption, "Problem");
}

TEST_F(DeviceFailuresTest, DrawerThroughAnUnknownPrinterNamesThePrinter) {
    g_app.live.SetSwitch(devcfg::kSwitchDrawerThroughPrinter, 2);
    g_app.live.SetText(cfg::kReceiptPrinter, 200, "No Such Receipt Printer");
    g_app.live.SetText(devcfg::kDrawerSequence, 200, "27,112,0,25,250");
    devices::OpenTillDrawer();
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].text, "Unable to open till drawer printer");
    EXPECT_EQ(messages().messages()[0].caption, "No Such Receipt Printer");
}

TEST_F(DeviceFailuresTest, DrawerThroughThePrinterWithoutASequenceDoesNothing) {
    g_app.live.SetSwitch(devcfg::kSwitchDrawerThroughPrinter, 2);
    g_app.live.SetText(cfg::kReceiptPrinter, 200, "No Such Receipt Printer");
    g_app.live.SetOption(devcfg::kOptionDrawerPort, kCom3);  // the direct path would complain
    devices::OpenTillDrawer();
    EXPECT_TRUE(messages().messages().empty());
}

}  // namespace
