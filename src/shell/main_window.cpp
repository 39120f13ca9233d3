#include "shell/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>

#include "basket/basket.h"
#include "basket/money.h"
#include "link/server_binding.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/config_file.h"
#include "shell/dispatch.h"
#include "shell/layout.h"
#include "shell/message_box.h"
#include "inventory/inventory_window.h"
#include "shell/terminal_hooks.h"

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockPeriodMs = 30000;

// An owner-drawn button of the fixed set, with its tool tip and two pictures.
struct ButtonLayout {
    int id;
    const char* tip;
    const char* normal;   // bitmap resource name, or "#n" for a number
    const char* pressed;
    Box place;
    bool hiddenAtFirst;
};

const ButtonLayout kButtons[] = {
    {CMD_EFT_PAYMENT, "Pay by credit debit card", "eft", "eft2", {160, 96, 56, 56}, false},
    {CMD_ADD_NOTE, "Add transaction note", "return2", "return0", {89, 212, 56, 56}, false},
    {CMD_OPEN_DRAWER, "Open cash till drawer", "newf2", "newf", {160, 154, 56, 56}, false},
    {CMD_TRADE_TOGGLE, "Toggle between trade and retail prices", "newm2", "newm", {232, 154, 56, 56}, false},
    {CMD_ADD_ITEM, "Add item to basket  ENTER to find", "#137", "#135", {195, 27, 52, 52}, false},
    {CMD_CASH, "Pay by cash", "#140", "#141", {254, 27, 52, 52}, false},
    {CMD_ADJUST_PRICE, "Adjust price of last item", "logb", "logd", {232, 212, 56, 56}, false},
    {CMD_REMOVE_LINE, "Remove last item", "voiditem", "voidite2", {18, 154, 56, 56}, false},
    {CMD_REPEAT_LINE, "Repeat last also multiple of last when quantity in item box", "repeat", "repeat2",
     {18, 212, 56, 56}, false},
    {CMD_EMPTY_BASKET, "Empty basket", "clr", "cl2", {89, 154, 56, 56}, false},
    {CMD_CUSTOMER_CREDIT, "Pay by credit to customer", "cash", "cash2", {18, 96, 56, 56}, false},
    {CMD_WEIGHT, "Adjust price of last item by weight", "ch", "ch2", {89, 96, 56, 56}, false},
    {CMD_NON_INVENTORY_SALE, "Sell an item not in the database", "sale2", "sale", {232, 96, 56, 56}, false},
    {CMD_REFUND, "Refund basket", "refun0", "refun2", {160, 212, 56, 56}, false},
    {CMD_SCROLL_BACK, "Scroll back through category", "3b", "f9", {}, false},
    {CMD_SCROLL_FORWARDS, "Scroll forwards through category", "4b", "f10", {}, false},
    {CMD_KITCHEN_PRINT, "Print basket to kitchen printer", "#155", "1a", {}, true},
    {CMD_CHANGE_BASKET_TABLE, "Change basket table", "#156", "1a", {}, true},
};

// Keypad keys 0-9, "c", "e": their pictures and places (columns 318, 376, 434).
const char* const kKeypadBitmaps[12] = {"2b", "1b", "2a", "3a", "4a", "5a", "6a", "7a", "8a", "9a", "ca", "ea"};
constexpr POINT kKeypadPlaces[12] = {{376, 196}, {318, 25}, {376, 25}, {434, 25}, {318, 82}, {376, 82},
                                     {434, 82},  {318, 139}, {376, 139}, {434, 139}, {318, 196}, {434, 196}};

struct WindowState {
    std::map<std::string, HBITMAP> bitmaps;
    HWND tooltip = nullptr;
    WNDPROC itemBoxProc = nullptr;
    int pictureButtonsShown = 0;
    PictureButtonTable pictures;
    std::array<HBITMAP, kMaxPictureButtons> pictureBitmaps{};  // loaded from each entry's picture file
} g_window;

HBITMAP Bitmap(const char* name) {
    auto found = g_window.bitmaps.find(name);
    if (found != g_window.bitmaps.end()) return found->second;
    const char* resource = name;
    if (name[0] == '#') resource = MAKEINTRESOURCEA(std::atoi(name + 1));
    HBITMAP loaded = LoadBitmapA(g_app.instance, resource);  // null when missing: drawn as nothing
    g_window.bitmaps[name] = loaded;
    return loaded;
}

void LoadAllBitmaps() {
    for (const ButtonLayout& b : kButtons) {
        Bitmap(b.normal);
        Bitmap(b.pressed);
    }
    for (const char* name : kKeypadBitmaps) Bitmap(name);
    for (const char* name : {"#143", "four", "rese", "item", "#134", "#157", "items", "totals", "0a", "0b", "cb",
                             "eb", "f1", "f2"})
        Bitmap(name);
}

void Move(HWND child, const Box& b) { MoveWindow(child, b.x, b.y, b.width, b.height, TRUE); }
void Move(int id, const Box& b) { Move(GetDlgItem(g_app.mainWindow, id), b); }

HWND CreateOwnerDrawn(HWND parent, int id, bool visible) {
    DWORD style = WS_CHILD | BS_OWNERDRAW | (visible ? WS_VISIBLE : 0);
    return CreateWindowExA(0, "BUTTON", "", style, 0, 0, 10, 10, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                           g_app.instance, nullptr);
}

void AddTip(HWND control, const char* text) {
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = g_app.mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(g_window.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK ItemBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && !g_app.entryDialog) {
        bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (int command = CommandForItemBoxKey(static_cast<unsigned>(wParam), ctrl))
            SendMessageA(g_app.mainWindow, WM_COMMAND, command, 0);
    }
    return CallWindowProcA(g_window.itemBoxProc, box, message, wParam, lParam);
}

void CreateControls(HWND hwnd) {
    for (const ButtonLayout& b : kButtons) {
        HWND button = CreateOwnerDrawn(hwnd, b.id, !b.hiddenAtFirst);
        if (b.place.width) Move(button, b.place);
    }
    for (int key = 0; key < 12; ++key) {
        HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_BITMAP, kKeypadPlaces[key].x,
                                      kKeypadPlaces[key].y, 54, 54, hwnd,
                                      reinterpret_cast<HMENU>(INT_PTR(kFirstKeypadKey + key)), g_app.instance, nullptr);
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Bitmap(kKeypadBitmaps[key])));
    }
    for (int k = 0; k < kMaxPictureButtons; ++k) CreateOwnerDrawn(hwnd, kFirstPictureButton + k, k < 14);
    g_window.pictureButtonsShown = 14;

    g_app.itemBox = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                    WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 10, 54,
                                    172, 22, hwnd, nullptr, g_app.instance, nullptr);
    g_window.itemBoxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_app.itemBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ItemBoxProc)));

    g_app.basketList = CreateWindowExA(
        0, "LISTBOX", "",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL |
            LBS_NOTIFY,
        0, 0, 10, 10, hwnd, nullptr, g_app.instance, nullptr);
    SendMessageA(g_app.basketList, LB_SETHORIZONTALEXTENT, 1000, 0);

    for (int i = 0; i < kCategoryButtons; ++i) CreateOwnerDrawn(hwnd, kFirstCategoryButton + i, false);

    g_window.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                                       g_app.instance, nullptr);
    SetWindowPos(g_window.tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const ButtonLayout& b : kButtons) AddTip(GetDlgItem(hwnd, b.id), b.tip);
}

void ApplyLayout(HWND hwnd, int w, int h) {
    const MainLayout l = ComputeLayout(w, h);
    for (const ButtonLayout& b : kButtons)
        if (b.place.width) Move(b.id, b.place);
    Move(g_app.basketList, l.basketList);
    if (l.pictureButtons != g_window.pictureButtonsShown) {
        for (int k = kMinPictureButtons; k < kMaxPictureButtons; ++k)
            ShowWindow(GetDlgItem(hwnd, kFirstPictureButton + k), k < l.pictureButtons ? SW_SHOW : SW_HIDE);
        g_window.pictureButtonsShown = l.pictureButtons;
        RefillPictureButtons();
    }
    for (int k = 0; k < kMaxPictureButtons; ++k) Move(kFirstPictureButton + k, l.pictures[k]);
    Move(CMD_SCROLL_BACK, l.scrollBack);
    Move(CMD_SCROLL_FORWARDS, l.scrollForwards);
    Move(CMD_CHANGE_BASKET_TABLE, l.basketTable);
    Move(CMD_KITCHEN_PRINT, l.kitchenPrint);
    for (int i = 0; i < kCategoryButtons; ++i) Move(kFirstCategoryButton + i, l.categories[i]);
}

void ClientSize(HWND hwnd, int& w, int& h) {
    RECT r;
    GetClientRect(hwnd, &r);
    w = r.right;
    h = r.bottom;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int sourceY = 0) {
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    StretchBlt(dc, x, y, width, height, memory, 0, sourceY, info.bmWidth, info.bmHeight - sourceY, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void Text(HDC dc, int x, int y, const std::string& text) {
    TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

std::string Money(double value) { return FormatMoney(value); }

// "Transaction: n" over the white basket panel, erasing what stood there up to
// `right`, so that a shorter or changed number leaves no digits behind.
void TransactionNumberText(HDC dc, int x, int y, int right) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const RECT band = {x, y, right, y + metrics.tmHeight};
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Text(dc, x, y, "Transaction: " + std::to_string(g_app.live.TransactionNumber()));
}

void PaintTotals(HDC dc, int w, int h) {
    const TransactionRecord& b = g_app.basket;
    const bool hasLines = b.LineCount() > 0;
    SetBkMode(dc, TRANSPARENT);
    DrawBitmap(dc, Bitmap("item"), 8, 10, 181, 82);
    if (g_app.live.Switch(6) == 2) DrawBitmap(dc, Bitmap("#134"), 66, 26, 32, 12);
    if (g_app.live.Option(42) == 2) Text(dc, 136, 32, "Trade");
    DrawBitmap(dc, Bitmap("items"), w / 2 + 130, 16, 180, 41);
    if (hasLines) Text(dc, w / 2 + 176, 18, std::to_string(b.LineCount()));

    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, w - 272, h - 230, w - 24, h - 16);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (hasLines)
        DrawBitmap(dc, Bitmap("totals"), w - 272, h - 210, 200, 189);
    else
        DrawBitmap(dc, Bitmap("four"), w - 262, h - 218, 230, 200, 20);
    DrawBitmap(dc, Bitmap("#157"), w - 116, 20, 85, 35);
    TransactionNumberText(dc, w / 2 + 136, h - 234, w - 24);

    if (!hasLines) return;
    UINT oldAlign = SetTextAlign(dc, TA_RIGHT | TA_TOP);
    COLORREF oldColour = SetTextColor(dc, RGB(100, 100, 100));
    const int x = w - 80;
    Text(dc, x, h - 204, Money(b.TaxableTotal()));
    Text(dc, x, h - 182, Money(b.NonTaxableTotal()));
    Text(dc, x, h - 154, Money(b.SubTotal()));
    Text(dc, x, h - 127, Money(b.Tax1Total()));
    Text(dc, x, h - 101, Money(b.Tax2Total()));
    if (b.DiscountTotal() != 0) Text(dc, x, h - 78, "(" + Money(b.DiscountTotal()) + ")");
    SetTextColor(dc, RGB(20, 20, 20));
    Text(dc, x, h - 53, Money(b.Total()));
    const double rate = g_app.live.Amount(4);
    if (g_app.live.Switch(121) && rate > 0)
        Text(dc, x, h - 30, g_app.live.Text(cfg::kSecondCurrencySign, 6) + Money(b.Total() * rate));
    SetTextColor(dc, oldColour);
    SetTextAlign(dc, oldAlign);
}

void OnPaint(HWND hwnd) {
    int w, h;
    ClientSize(hwnd, w, h);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    if (g_app.live.Option(42) == 2) Text(dc, 108, 38, "Trade sale");
    const PanelRects panels = ComputePanels(ComputeLayout(w, h), w, h);
    const Box& basket = panels.basketPanel;
    RoundRect(dc, basket.x, basket.y, basket.x + basket.width, basket.y + basket.height, 10, 10);
    HPEN white = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(dc, white);
    const Box& grid = panels.pictureGrid;
    RoundRect(dc, grid.x, grid.y, grid.x + grid.width, grid.y + grid.height, 20, 20);
    if (panels.scrollPanel) {
        const Box& s = panels.scrollPanelRect;
        RoundRect(dc, s.x, s.y, s.x + s.width, s.y + s.height, 30, 30);
    }
    SelectObject(dc, oldPen);
    DeleteObject(white);

    if (!IsWindowVisible(GetDlgItem(hwnd, kFirstCategoryButton))) {
        ShowWindow(GetDlgItem(hwnd, CMD_CHANGE_BASKET_TABLE), SW_SHOW);
        ShowWindow(GetDlgItem(hwnd, CMD_KITCHEN_PRINT), SW_SHOW);
        for (int i = 0; i < kCategoryButtons; ++i) ShowWindow(GetDlgItem(hwnd, kFirstCategoryButton + i), SW_SHOW);
    }
    PaintTotals(dc, w, h);
    SelectObject(dc, oldBrush);
    EndPaint(hwnd, &ps);
}

const ButtonLayout* SpecOf(int id) {
    for (const ButtonLayout& b : kButtons)
        if (b.id == id) return &b;
    return nullptr;
}

// Draws a one-line text centred on (x, y).
void DrawCentred(HDC dc, int x, int y, const std::string& text, COLORREF colour) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT around = {0, 0, 2 * x, 2 * y};
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &around, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void FreePictureBitmaps() {
    for (HBITMAP& picture : g_window.pictureBitmaps) {
        if (picture) DeleteObject(picture);
        picture = nullptr;
    }
}

void OnDrawItem(const DRAWITEMSTRUCT& d) {
    const int id = static_cast<int>(d.CtlID);
    const bool pressed = d.itemState & ODS_SELECTED;
    const RECT& r = d.rcItem;
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC dc = d.hDC;
    if (id >= kFirstCategoryButton && id <= kLastCategoryButton) {
        const int index = id - kFirstCategoryButton;
        const bool current = index == g_app.live.Switch(18) || pressed;
        DrawBitmap(dc, Bitmap(current ? "cb" : "eb"), 0, 0, width, height);
        DrawCentred(dc, 23, 17, CategoryLabel(g_app.live, index), RGB(80, 80, 80));
        return;
    }
    if (id >= kFirstPictureButton && id <= kLastPictureButton) {
        DrawBitmap(dc, Bitmap(pressed ? "f2" : "f1"), 0, 0, width, height);
        const int index = id - kFirstPictureButton;
        const PictureButtonEntry& content = g_window.pictures[static_cast<std::size_t>(index)];
        if (content.item > 0) {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, RGB(255, 255, 255));
            SetTextColor(dc, RGB(20, 20, 20));
            Text(dc, 60, 6, std::to_string(content.item));
            Text(dc, 60, 26, content.caption.substr(0, 14));
            // A missing picture leaves the texts only.
            DrawBitmap(dc, g_window.pictureBitmaps[static_cast<std::size_t>(index)], 1, 1, 48, 48);
        }
        return;
    }
    if (const ButtonLayout* button = SpecOf(id)) {
        DrawBitmap(dc, Bitmap(pressed ? button->pressed : button->normal), 0, 0, width, height);
        if (id == CMD_CHANGE_BASKET_TABLE)
            DrawCentred(dc, 45, 36, std::to_string(g_app.basketTable), RGB(255, 0, 0));
    }
}

}  // namespace

std::string CurrentClockTitle() {
    RefreshClock();
    char date[80] = {};
    FormatDateWithLocale(g_localTime, "dddd MMMM d yyyy", date, sizeof date);
    return ClockTitle(g_localTime.hour, g_localTime.minute, date);
}

PictureButtonTable& PictureButtons() { return g_window.pictures; }

void ShowPictureButtons() {
    FreePictureBitmaps();
    for (int k = 0; k < kMaxPictureButtons; ++k) {
        const PictureButtonEntry& entry = g_window.pictures[static_cast<std::size_t>(k)];
        if (entry.item > 0 && !entry.picture.empty()) {
            const std::string path = std::string(g_app.dataDir) + "\\" + entry.picture;
            g_window.pictureBitmaps[static_cast<std::size_t>(k)] =
                static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        }
        RedrawControl(kFirstPictureButton + k);
    }
}

PictureButtonEntry& PictureButton(int index) {
    return g_window.pictures[static_cast<std::size_t>(std::clamp(index, 0, kMaxPictureButtons - 1))];
}

int PictureButtonsShown() { return g_window.pictureButtonsShown; }

std::string ItemBoxText(std::size_t maxLength) {
    std::string text(maxLength + 1, '\0');
    int n = GetWindowTextA(g_app.itemBox, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

void FocusItemBox() {
    if (g_app.itemBox) SetFocus(g_app.itemBox);
}

void ClearItemBox() { SetWindowTextA(g_app.itemBox, ""); }

void ReturnFocus() {
    if (g_app.entryDialog)
        SetFocus(GetDlgItem(g_app.entryDialog, IDC_EDIT1));
    else if (g_app.itemBox)
        SetFocus(g_app.itemBox);
}

void RedrawControl(int id) { InvalidateRect(GetDlgItem(g_app.mainWindow, id), nullptr, TRUE); }

void PaintTotalsArea(HWND hwnd) {
    int w, h;
    ClientSize(hwnd, w, h);
    HDC dc = GetDC(hwnd);
    PaintTotals(dc, w, h);
    ReleaseDC(hwnd, dc);
}

void RefreshMenuChecks(HWND hwnd) {
    HMENU menu = GetMenu(hwnd);
    CheckMenuItem(menu, CMD_TRANSFER_PICTURES, g_app.live.Option(3) ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(menu, CMD_TENDERED, g_app.live.Option(12) == 1 ? MF_UNCHECKED : MF_CHECKED);
}

void RunTerminalStartup(HWND hwnd) {
    g_app.mainWindow = hwnd;
    LoadAllBitmaps();
    g_app.splashPicture = static_cast<HBITMAP>(
        LoadImageA(g_app.instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    CreateControls(hwnd);
    RefreshClock();

    g_app.labels = DefaultLabelTable();
    LabelTable fetched;
    if (StartupBinding(fetched))
        TakeFetchedLabels(g_app.labels, fetched);
    else
        g_app.offline = 1;

    if (!LoadConfiguration()) {
        g_app.startupFailed = true;
        PostQuitMessage(0);
        return;
    }
    SaveConfigurationAtStartup();
    EnsureLogDirectories(g_app.dataDir);
    RefreshClock();
    if (!AppendToDayFile(g_app.dataDir, SwitchOnEntry(g_clockText)))
        ShowMessage(hwnd, "Unable to update the log file in WM_CREATE.", "Problem");
    if (!g_app.offline) TransferPicturesAndLoadButtons();
    if (g_app.live.Switch(basketcfg::kPoleFitted)) ShowPoleIdleText();
    if (g_app.live.Switch(191)) SendMessageA(g_window.tooltip, TTM_ACTIVATE, FALSE, 0);
    SetTimer(hwnd, kClockTimer, kClockPeriodMs, nullptr);
    SetFocus(g_app.itemBox);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        RunTerminalStartup(hwnd);
        return 0;
    case WM_SIZE:
        if (g_app.itemBox) ApplyLayout(hwnd, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ReturnFocus();
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(hwnd, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_TIMER:
        // The clock shows in the title only until the first logon: from then on the
        // title names who is logged on.
        if (!g_app.loggedOnThisRun) SetWindowTextA(hwnd, CurrentClockTitle().c_str());
        return 0;
    case WM_INITMENU:
        RefreshMenuChecks(hwnd);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, kClockTimer);
        for (auto& [name, bitmap] : g_window.bitmaps)
            if (bitmap) DeleteObject(bitmap);
        g_window.bitmaps.clear();
        FreePictureBitmaps();
        if (g_app.splashPicture) DeleteObject(g_app.splashPicture);
        g_app.splashPicture = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
