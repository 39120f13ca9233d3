#include "printing/devices.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>

#include "printing/control_sequence.h"
#include "shell/app_state.h"
#include "shell/message_box.h"

namespace devices {
namespace {

// A serial write gives up after this long, so a display or drawer that stops
// draining its input cannot hold the till.
constexpr DWORD kWriteTimeoutMs = 2000;

// A port opened for one output and closed when it goes out of scope.
class Port {
public:
    explicit Port(const char* name)
        : handle_(CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
        if (!IsOpen()) return;
        COMMTIMEOUTS timeouts{};
        timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
        SetCommTimeouts(handle_, &timeouts);  // not every port takes time-outs; the write then just runs
    }
    ~Port() {
        if (IsOpen()) CloseHandle(handle_);
    }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    void Apply(const LineSettings& s) {
        DCB dcb;
        std::memset(&dcb, 0, sizeof dcb);
        dcb.DCBlength = sizeof dcb;
        dcb.BaudRate = s.baudRate;
        dcb.ByteSize = s.byteSize;
        dcb.Parity = s.parity;
        dcb.StopBits = s.stopBits;
        SetCommState(handle_, &dcb);
    }

    // One write; a short write (a time-out) counts as a failure.
    bool Write(const DeviceBytes& bytes) {
        static const std::uint8_t kNothing = 0;
        DWORD written = 0;
        const void* data = bytes.empty() ? &kNothing : bytes.data();
        BOOL ok = WriteFile(handle_, data, static_cast<DWORD>(bytes.size()), &written, nullptr);
        return ok && written == bytes.size();
    }

    void Close() {
        if (IsOpen()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

void Show(const char* text, const char* caption) { ShowMessage(g_app.mainWindow, text, caption); }

// Opens the port, writes the bytes once and closes it; failures say so with "Problem".
void WriteToPort(const char* name, const DeviceBytes& bytes, const LineSettings* settings = nullptr) {
    Port port(name);
    if (!port.IsOpen()) {
        Show(devmsg::kUnableToOpenPort, devmsg::kProblem);
        return;
    }
    if (settings) port.Apply(*settings);
    bool written = port.Write(bytes);
    port.Close();
    if (!written) Show(devmsg::kUnableToWrite, devmsg::kProblem);
}

// The printer behind the display is switched off around each display message.
void SendPrinterSwitch(const TerminalConfig& config, devcfg::PoleSlot slot) {
    if (PoleText(config, slot).empty()) return;
    LineSettings settings = PoleLineSettings(config);
    WriteToPort(PolePortName(config.Switch(devcfg::kSwitchPolePort)), PolePrinterSwitch(config, slot), &settings);
}

// One display message, with the second line of tender and change when given.
void ShowOnPole(const std::string& message, const char* openFailureCaption, const std::string* secondLine = nullptr) {
    const TerminalConfig& config = g_app.live;
    SendPrinterSwitch(config, devcfg::kPolePrinterOff);

    Port port(PolePortName(config.Switch(devcfg::kSwitchPolePort)));
    if (!port.IsOpen()) {
        SendPrinterSwitch(config, devcfg::kPolePrinterOn);
        Show(devmsg::kUnableToOpenPort, openFailureCaption);
        return;
    }
    port.Apply(PoleLineSettings(config));
    bool written = port.Write(PoleFrame(config, message));
    if (secondLine) written = port.Write(PoleSecondLine(config, *secondLine));
    port.Close();

    SendPrinterSwitch(config, devcfg::kPolePrinterOn);
    if (!written) Show(devmsg::kUnableToWrite, devmsg::kProblem);
}

void OpenDrawerOnPort(const TerminalConfig& config) {
    const char* name = DevicePortName(config.Option(devcfg::kOptionDrawerPort));
    Port port(name);
    if (!port.IsOpen()) {
        // One more attempt with the printer's control sequence, for a drawer behind a printer on that port.
        std::string sequence = DrawerSequenceText(config);
        if (!sequence.empty()) WriteToPort(name, ParseControlSequence(sequence));
        Show(devmsg::kUnableToOpenPort, devmsg::kTillDrawer);
        return;
    }
    bool written = port.Write(DrawerBytes(config));
    port.Close();
    if (!written) Show(devmsg::kUnableToWrite, devmsg::kProblem);
}

void OpenDrawerThroughPrinter(const TerminalConfig& config) {
    std::string sequence = DrawerSequenceText(config);
    if (sequence.empty()) return;
    std::string name = ReceiptPrinterName(config);
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name.data(), &printer, nullptr)) {
        Show(devmsg::kUnableToOpenDrawerPrinter, name.c_str());
        return;
    }
    // After the printer opened, spooler failures are silent: the sale goes on.
    DOC_INFO_1A doc{};
    doc.pDocName = const_cast<char*>(devmsg::kDocumentName);
    doc.pOutputFile = nullptr;
    doc.pDatatype = const_cast<char*>(devmsg::kRawDataType);
    if (StartDocPrinterA(printer, 1, reinterpret_cast<LPBYTE>(&doc))) {
        if (StartPagePrinter(printer)) {
            DeviceBytes bytes = ParseControlSequence(sequence);
            DWORD written = 0;
            if (!bytes.empty()) WritePrinter(printer, bytes.data(), static_cast<DWORD>(bytes.size()), &written);
            EndPagePrinter(printer);
        }
        EndDocPrinter(printer);
    }
    ClosePrinter(printer);
}

}  // namespace

void ShowPoleIdleText() { ShowOnPole(PoleText(g_app.live, devcfg::kPolePassive), devmsg::kPoleDisplay); }

void ShowPoleItem(const char* description, double lineTotal) {
    std::size_t length = description ? strnlen(description, devcfg::kItemDescriptionWidth) : 0;
    ShowOnPole(PoleItemText(std::string_view(description ? description : "", length), lineTotal), devmsg::kProblem);
}

void ShowPoleTotal(double total) { ShowOnPole(PoleTotalText(total), devmsg::kProblem); }

void ShowPoleTenderAndChange(double tendered, double change) {
    std::string second = PoleChangeText(change);
    ShowOnPole(PoleTenderText(tendered), devmsg::kProblem, &second);
}

void PreviewPoleDisplay() {
    const TerminalConfig& config = g_app.live;
    const char* name = PolePortName(config.Switch(devcfg::kSwitchPolePort));
    LineSettings settings = PoleLineSettings(config);
    {
        Port probe(name);
        if (!probe.IsOpen()) {
            Show(devmsg::kUnableToOpenPort, devmsg::kProblem);
            return;
        }
        probe.Apply(settings);
    }
    SendPrinterSwitch(config, devcfg::kPolePrinterOff);
    Port port(name);
    if (!port.IsOpen()) {
        Show(devmsg::kUnableToOpenPort, devmsg::kProblem);
        return;
    }
    port.Apply(settings);
    bool written = port.Write(PoleFrame(config, PoleText(config, devcfg::kPolePassive)));
    port.Close();
    SendPrinterSwitch(config, devcfg::kPolePrinterOn);
    if (!written) Show(devmsg::kUnableToWrite, devmsg::kProblem);
}

void OpenTillDrawer() {
    const TerminalConfig& config = g_app.live;
    if (config.Switch(devcfg::kSwitchDrawerThroughPrinter) == 0)
        OpenDrawerOnPort(config);
    else
        OpenDrawerThroughPrinter(config);
}

void SendClosingSequence() {
    const TerminalConfig& config = g_app.live;
    std::string text = ClosingSequenceText(config);
    if (text.empty()) return;
    WriteToPort(DevicePortName(config.Switch(devcfg::kSwitchClosingPort)), ParseControlSequence(text));
}

}  // namespace devices
