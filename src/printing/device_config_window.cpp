#include "printing/device_config_window.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <winspool.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "printing/devices.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/message_box.h"

namespace {

// The current directory is kept across the open-file dialog, up to this many characters.
constexpr DWORD kDirectoryLength = 120;

constexpr int kPoleListControls[kPoleListCount] = {IDC_POLE_PORT, IDC_POLE_BAUD, IDC_POLE_PARITY, IDC_POLE_DATA_BITS,
                                                   IDC_POLE_STOP_BITS};
constexpr int kPoleTextControls[] = {IDC_POLE_PASSIVE, IDC_POLE_PRINTER_ON,   IDC_POLE_PRINTER_OFF,
                                     IDC_POLE_CLEAR,   IDC_POLE_CURSOR_LINE1, IDC_POLE_CURSOR_LINE2};
constexpr int kReceiptSwitchControls[] = {IDC_TWO_COPIES,    IDC_KITCHEN_COPY,     IDC_ITEMS_CENTRED,
                                          IDC_INCLUDE_BARCODE, IDC_INCLUDE_LOGO, IDC_EXCLUSIVE_OF_TAX,
                                          IDC_SINGLE_LINE_ITEMS};
static_assert(std::size(kPoleTextControls) == std::tuple_size_v<decltype(PoleSettings::texts)>);
static_assert(std::size(kReceiptSwitchControls) == kReceiptSwitchBoxCount);

void Problem(HWND owner, const char* text) { ShowMessage(owner, text, devmsg::kProblem); }

template <std::size_t N>
std::vector<std::string> Entries(const char* const (&names)[N]) {
    return {std::begin(names), std::end(names)};
}

// Fills a drop-down list and selects `selected` (-1 selects nothing).
void FillList(HWND dialog, int id, const std::vector<std::string>& entries, int selected) {
    for (const std::string& entry : entries)
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, selected, 0);
}

// A drop-down list's position, -1 when nothing is selected.
int Selection(HWND dialog, int id) {
    const LRESULT at = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return at == CB_ERR ? -1 : static_cast<int>(at);
}

void Check(HWND dialog, int id, bool ticked) { CheckDlgButton(dialog, id, ticked ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void ShowText(HWND dialog, int id, const std::string& text, std::size_t limit) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, limit, 0);
    SetDlgItemTextA(dialog, id, text.c_str());
}

void ShowNumber(HWND dialog, int id, const std::string& text) {
    MakeDigitsOnlyBox(dialog, id, kNumberTyped);
    SetDlgItemTextA(dialog, id, text.c_str());
}

// The procedure of a configuration dialog over g_app.live: `Init` fills it, `Ok` stores
// it and closes with 1, Cancel closes with 0, and `Button` takes the other buttons.
template <void (*Init)(HWND, TerminalConfig&), void (*Ok)(HWND, TerminalConfig&),
          void (*Button)(HWND, TerminalConfig&, int)>
INT_PTR CALLBACK ConfigurationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    TerminalConfig* config = DialogData<TerminalConfig>(dialog, message, lParam);
    if (!config) return FALSE;
    switch (message) {
    case WM_INITDIALOG: Init(dialog, *config); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Ok(dialog, *config);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default:
            if (HIWORD(wParam) == BN_CLICKED) Button(dialog, *config, LOWORD(wParam));
            return TRUE;
        }
    }
    return FALSE;
}

void NoButton(HWND, TerminalConfig&, int) {}

void RunConfiguration(const char* name, DLGPROC proc) {
    DialogBoxParamA(g_app.instance, name, g_app.mainWindow, proc, reinterpret_cast<LPARAM>(&g_app.live));
}

// "ppr2"

void InitTill(HWND dialog, TerminalConfig& config) {
    const TillSettings s = TillSettingsOf(config);
    FillList(dialog, IDC_DRAWER_PORT, Entries(kDrawerPorts), s.port);
    ShowNumber(dialog, IDC_DRAWER_CHARACTER, s.openCharacter);
    ShowNumber(dialog, IDC_DRAWER_REPEAT, s.repeat);
    ShowText(dialog, IDC_DRAWER_SEQUENCE, s.sequence, kSequenceTyped);
    Check(dialog, IDC_DRAWER_AUTO_OPEN, s.openAutomatically);
    CheckRadioButton(dialog, IDC_DRAWER_DIRECT, IDC_DRAWER_THROUGH_PRINTER,
                     s.throughPrinter ? IDC_DRAWER_THROUGH_PRINTER : IDC_DRAWER_DIRECT);
    for (const char* code : kPrinterModelCodes)
        SendDlgItemMessageA(dialog, IDC_PRINTER_MODEL_CODES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(code));
}

void OkTill(HWND dialog, TerminalConfig& config) {
    TillSettings s;
    s.port = Selection(dialog, IDC_DRAWER_PORT);
    s.openCharacter = DialogItemText(dialog, IDC_DRAWER_CHARACTER, kNumberTyped);
    s.repeat = DialogItemText(dialog, IDC_DRAWER_REPEAT, kNumberTyped);
    s.sequence = DialogItemText(dialog, IDC_DRAWER_SEQUENCE, kSequenceTyped);
    s.openAutomatically = Checked(dialog, IDC_DRAWER_AUTO_OPEN);
    s.throughPrinter = !Checked(dialog, IDC_DRAWER_DIRECT);
    StoreTillSettings(config, s);
}

// "ppr4"

void InitPole(HWND dialog, TerminalConfig& config) {
    const PoleSettings s = PoleSettingsOf(config);
    Check(dialog, IDC_POLE_USE, s.use);
    for (int list = 0; list < kPoleListCount; ++list)
        FillList(dialog, kPoleListControls[list], PoleListEntries(PoleList(list)), s.lists[list]);
    ShowNumber(dialog, IDC_POLE_COLUMNS_1, s.columns1);
    ShowNumber(dialog, IDC_POLE_COLUMNS_2, s.columns2);
    for (std::size_t slot = 0; slot < s.texts.size(); ++slot)
        ShowText(dialog, kPoleTextControls[slot], s.texts[slot], kSequenceTyped);
}

PoleSettings ReadPole(HWND dialog) {
    PoleSettings s;
    s.use = Checked(dialog, IDC_POLE_USE);
    for (int list = 0; list < kPoleListCount; ++list) s.lists[list] = Selection(dialog, kPoleListControls[list]);
    s.columns1 = DialogItemText(dialog, IDC_POLE_COLUMNS_1, kNumberTyped);
    s.columns2 = DialogItemText(dialog, IDC_POLE_COLUMNS_2, kNumberTyped);
    for (std::size_t slot = 0; slot < s.texts.size(); ++slot)
        s.texts[slot] = DialogItemText(dialog, kPoleTextControls[slot], kSequenceTyped);
    return s;
}

void OkPole(HWND dialog, TerminalConfig& config) { StorePoleSettings(config, ReadPole(dialog)); }

// The preview shows the passive text with what the dialog holds, which stays stored.
void PoleButton(HWND dialog, TerminalConfig& config, int id) {
    if (id != IDC_POLE_PREVIEW) return;
    StorePreviewedPoleSettings(config, ReadPole(dialog));
    devices::PreviewPoleDisplay();
}

// "pprs"

PrinterListing ListPrintersOrSay(HWND owner) {
    PrinterListing printers = ListPrinters();
    if (!printers) Problem(owner, configmsg::kUnableToGetPrinters);
    return printers;
}

void InitReceipts(HWND dialog, TerminalConfig& config) {
    const ReceiptSettings s = OpenReceiptSettings(config, ListPrintersOrSay(dialog));
    FillList(dialog, IDC_RECEIPT_PRINTER, s.printers, s.receiptPrinter);
    FillList(dialog, IDC_KITCHEN_PRINTER, s.printers, s.kitchenPrinter);
    ShowText(dialog, IDC_FOOTER, s.footer, receiptcfg::kFooterTyped);
    Check(dialog, IDC_OMIT_PRINT_CONFIRM, s.omitConfirm);
    FillList(dialog, IDC_AUTO_RECEIPT, Entries(kAutoReceiptNames), s.autoReceipt);
    for (std::size_t i = 0; i < kReceiptSwitchBoxCount; ++i) Check(dialog, kReceiptSwitchControls[i], s.switchBoxes[i]);
    FillList(dialog, IDC_RECEIPT_FONT, Entries(kFontSizeNames), s.fontSize);
}

void OkReceipts(HWND dialog, TerminalConfig& config) {
    ReceiptSettings s;
    s.receiptPrinter = Selection(dialog, IDC_RECEIPT_PRINTER);
    s.kitchenPrinter = Selection(dialog, IDC_KITCHEN_PRINTER);
    s.footer = DialogItemText(dialog, IDC_FOOTER, receiptcfg::kFooterTyped);
    s.omitConfirm = Checked(dialog, IDC_OMIT_PRINT_CONFIRM);
    s.autoReceipt = Selection(dialog, IDC_AUTO_RECEIPT);
    for (std::size_t i = 0; i < kReceiptSwitchBoxCount; ++i) s.switchBoxes[i] = Checked(dialog, kReceiptSwitchControls[i]);
    s.fontSize = Selection(dialog, IDC_RECEIPT_FONT);
    // Each printer takes its name from a fresh listing: the printers may have changed.
    const PrinterListing forReceipt = ListPrintersOrSay(dialog);
    const PrinterListing forKitchen = ListPrintersOrSay(dialog);
    StoreReceiptSettings(config, s, forReceipt, forKitchen);
}

// The whole file; empty when it is larger than any logo, none when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadLogo(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size)) {
        if (size.QuadPart > static_cast<LONGLONG>(kLargestLogo)) {
            bytes.emplace();
        } else {
            std::vector<std::uint8_t> data(static_cast<std::size_t>(size.QuadPart));
            DWORD read = 0;
            if (data.empty() ||
                (ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) && read == data.size()))
                bytes = std::move(data);
        }
    }
    CloseHandle(file);
    return bytes;
}

// Writes the picture beside its destination and then moves it over, so that a failed
// copy leaves the old logo whole.
bool ReplaceLogo(const std::string& destination, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = destination + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (whole && MoveFileExA(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

// Buttons 2400 and 2401: a bitmap file chosen in the open-file dialog replaces the logo.
void SelectLogoFile(HWND owner, Logo logo) {
    char directory[kDirectoryLength + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length == 0 || length > kDirectoryLength) {
        Problem(owner, configmsg::kUnableToLocateDirectory);
        return;
    }
    char documents[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    char path[MAX_PATH] = {};
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = "Bitmap files (*.bmp)\0*.bmp\0All Files (*.*)\0*.*\0";
    request.lpstrFile = path;
    request.nMaxFile = sizeof path;
    request.lpstrInitialDir = documents;
    request.lpstrDefExt = "bmp";
    request.Flags = OFN_CREATEPROMPT | OFN_HIDEREADONLY;
    const BOOL chosen = GetOpenFileNameA(&request);
    SetCurrentDirectoryA(directory);  // the dialog may have moved it
    if (!chosen) return;

    const auto bytes = ReadLogo(path);
    if (!bytes) {
        Problem(owner, configmsg::kUnreadableLogo);
        return;
    }
    if (!IsPlausibleBitmap(*bytes)) {
        Problem(owner, configmsg::kNotABitmap);
        return;
    }
    const LogoFile target = LogoFileOf(logo);
    ReplaceLogo(std::string(g_app.dataDir) + "\\" + target.name, *bytes);  // a failed copy keeps the old logo, unreported
    ShowMessage(owner, configmsg::kUpdated, target.caption);
}

void ReceiptButton(HWND dialog, TerminalConfig&, int id) {
    if (id == IDC_RECEIPT_LOGO) SelectLogoFile(dialog, Logo::Receipt);
    if (id == IDC_INVOICE_LOGO) SelectLogoFile(dialog, Logo::Invoice);
}

std::string Or(const char* text) { return text ? text : ""; }

}  // namespace

void RunTillConfiguration() { RunConfiguration("ppr2", ConfigurationProc<InitTill, OkTill, NoButton>); }

void RunPoleConfiguration() { RunConfiguration("ppr4", ConfigurationProc<InitPole, OkPole, PoleButton>); }

void RunReceiptConfiguration() {
    RunConfiguration("pprs", ConfigurationProc<InitReceipts, OkReceipts, ReceiptButton>);
}

PrinterListing ListPrinters() {
    constexpr DWORD kWhich = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(kWhich, nullptr, 2, nullptr, 0, &needed, &count);  // asks the size
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(kWhich, nullptr, 2, buffer.data(), needed, &needed, &count)) return std::nullopt;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    std::vector<PrinterInfo> printers;
    for (DWORD i = 0; i < count; ++i)
        printers.push_back({Or(info[i].pPrinterName), Or(info[i].pDriverName), Or(info[i].pPortName)});
    return printers;
}
