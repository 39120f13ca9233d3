#include "inventory/inventory_window.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "basket/item_entry_window.h"
#include "link/please_wait.h"
#include "logs/day_log.h"
#include "link/remote.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/dispatch.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/shared_dialogs.h"

namespace {

std::string DataPath(const std::string& name) { return std::string(g_app.dataDir) + "\\" + name; }

// ---- Item pictures on screen ---------------------------------------------------------

// The one display palette of the item view and the large picture (256-colour displays).
HPALETTE g_palette = nullptr;

void DeletePalette() {
    if (g_palette) DeleteObject(g_palette);
    g_palette = nullptr;
}

HPALETTE PaletteForFile(const std::string& path) {
    if (g_palette) return g_palette;
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto colours = PaletteFromBitmapFile(file);
    if (!colours) return nullptr;
    std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + colours->size() * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours->size());
    for (std::size_t i = 0; i < colours->size(); ++i)
        palette->palPalEntry[i] = {(*colours)[i].red, (*colours)[i].green, (*colours)[i].blue, 0};
    g_palette = CreatePalette(palette);
    return g_palette;
}

// An item's picture as the item view and the large picture draw it: brought from the
// server and loaded once, when the view opens, so that a repaint only draws (and a
// server that cannot be reached is not asked again, nor its message shown, on every
// repaint). On a 256-colour display the display palette is made from the file then.
class ItemPicture {
public:
    explicit ItemPicture(const InventoryItem& item) : path_(DataPath(ItemPictureName(item))) {
        TransferPictureFile(ItemPictureName(item));
        bitmap_ = static_cast<HBITMAP>(
            LoadImageA(nullptr, path_.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        HDC screen = GetDC(nullptr);
        eightBit_ = GetDeviceCaps(screen, BITSPIXEL) == 8;
        ReleaseDC(nullptr, screen);
    }
    ~ItemPicture() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    ItemPicture(const ItemPicture&) = delete;
    ItemPicture& operator=(const ItemPicture&) = delete;

    // The whole picture into (x, y, width, height), or for the large picture (width 0)
    // into the 300-pixel square at (x, y) in its own shape.
    void Paint(HWND dialog, int x, int y, int width, int height) const {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        BITMAP info = {};
        if (bitmap_) GetObjectA(bitmap_, sizeof info, &info);
        if (width == 0) {
            const auto size = LargePictureSize(info.bmWidth, info.bmHeight);
            width = size ? size->width : 0;
            height = size ? size->height : 0;
        }
        // A 256-colour display needs the palette (made again after the other view closed).
        HPALETTE palette = eightBit_ && bitmap_ ? PaletteForFile(path_) : nullptr;
        if (bitmap_ && width > 0 && (palette || !eightBit_)) {
            HPALETTE replaced = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
            if (palette) RealizePalette(dc);
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, bitmap_);
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, x, y, width, height, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            if (replaced) SelectPalette(dc, replaced, FALSE);
        }
        EndPaint(dialog, &paint);
    }

private:
    std::string path_;
    HBITMAP bitmap_ = nullptr;
    bool eightBit_ = false;
};

// The item view's data: the item, and its picture from the view's opening on.
struct ItemView {
    InventoryItem item;
    std::unique_ptr<ItemPicture> picture;
};

// "SALE8BOX": the item view's picture at up to 300 by 300 pixels.
INT_PTR CALLBACK LargePictureProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = DialogData<const ItemView>(dialog, message, lParam);
    if (!view) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        char title[48];
        std::snprintf(title, sizeof title, "Inventory: %lld", static_cast<long long>(view->item.Number()));
        SetWindowTextA(dialog, title);
        return TRUE;
    }
    case WM_PAINT: view->picture->Paint(dialog, 10, 10, 0, 0); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DeletePalette();
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// Template 801, "Inventory": every box of the item and its picture; "+" opens the
// large picture.
INT_PTR CALLBACK ItemViewProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = DialogData<ItemView>(dialog, message, lParam);
    if (!view) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        RefreshClock();
        FillDialogBoxes(dialog, ItemViewBoxes(view->item, g_app.live, g_localTime, FormatDateWithLocale));
        view->picture = std::make_unique<ItemPicture>(view->item);
        return TRUE;
    case WM_PAINT: view->picture->Paint(dialog, 18, 17, 48, 48); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INV_LARGE_PICTURE:
            RunModalDialog("SALE8BOX", dialog, LargePictureProc, view);
            InvalidateRect(dialog, nullptr, TRUE);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            DeletePalette();
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// Template 805, FIND INVENTORY: OK ends with 1, Next with 2, Cancel with 0.
INT_PTR CALLBACK FoundItemProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* item = DialogData<const InventoryItem>(dialog, message, lParam);
    if (!item) return FALSE;
    if (message == WM_INITDIALOG) {
        RefreshClock();
        FillDialogBoxes(dialog, FoundItemBoxes(*item, g_app.live, g_localTime, FormatDateWithLocale));
        return TRUE;
    }
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, 1); return TRUE;
        case IDC_INV_NEXT: EndDialog(dialog, 2); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
    }
    return FALSE;
}

unsigned long FetchWithWait(const ItemKey& key, InventoryItem& item) {
    PleaseWait wait(g_app.mainWindow);
    return RemoteFetchItem(key, item);
}

InventorySteps WindowSteps() {
    InventorySteps steps;
    steps.chooseFromList = [](SearchKind kind, const std::string& text, std::int64_t& chosen) {
        const auto list = [kind, &text](bool& failed) {
            PleaseWait wait(g_app.mainWindow);
            return ListItemMatches(kind, text, [](const ItemKey& k, InventoryItem& i) {
                return RemoteFetchItem(k, i) == 0;
            }, failed);
        };
        return ChooseListedNumber(g_app.mainWindow, list, invmsg::kSearchCaption, chosen);
    };
    steps.fetch = FetchWithWait;
    steps.showFound = [](const InventoryItem& item) {
        const INT_PTR answer = RunModalDialog(MAKEINTRESOURCEA(IDD_FIND_INVENTORY), g_app.mainWindow, FoundItemProc, &item);
        return answer == 2 ? FoundItemAnswer::Next : answer == 1 ? FoundItemAnswer::Ok : FoundItemAnswer::Cancel;
    };
    steps.showView = [](const InventoryItem& item) {
        ItemView view{item, nullptr};
        RunModalDialog(MAKEINTRESOURCEA(IDD_ITEM_VIEW), g_app.mainWindow, ItemViewProc, &view);
    };
    steps.tell = [](const std::string& text, const char* caption) {
        ShowMessage(g_app.mainWindow, text.c_str(), caption);
    };
    return steps;
}

bool ListOption() { return g_app.live.Option(invcfg::kSelectionList) != 0; }

// ---- Picture files -------------------------------------------------------------------

class PictureFileWriter {
public:
    TransferSteps Steps() {
        TransferSteps s;
        s.fetch = [](PictureBlock& block) { return RemoteFetchPictureBlock(block); };
        s.open = [this](const std::string& name, bool append) {
            file_ = CreateFileA(DataPath(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                append ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file_ == INVALID_HANDLE_VALUE) return false;
            if (append) SetFilePointer(file_, 0, nullptr, FILE_END);
            return true;
        };
        s.write = [this](const std::uint8_t* bytes, std::size_t count) {
            DWORD written = 0;
            return WriteFile(file_, bytes, static_cast<DWORD>(count), &written, nullptr) && written == count;
        };
        s.close = [this] {
            if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
            file_ = INVALID_HANDLE_VALUE;
        };
        s.remove = [](const std::string& name) { DeleteFileA(DataPath(name).c_str()); };
        return s;
    }
    ~PictureFileWriter() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// ---- Picture buttons -----------------------------------------------------------------

ButtonPager& Pager() {
    static ButtonPager pager({
        [](ButtonPage& page) { return RemoteFetchFirstButtonPage(page); },
        [](ButtonPage& page) { return RemoteFetchButtonPage(page); },
        TransferPictureFile,
    });
    pager.Configure(PictureButtonsShown(), g_app.live.Switch(piccfg::kCategory), g_app.live.Option(piccfg::kPictures));
    return pager;
}

}  // namespace

void FindInventory(SearchKind kind) {
    std::string text;
    if (AskText(g_app.mainWindow, kind == SearchKind::Sku ? invmsg::kSkuPrompt : invmsg::kFindPrompt, text))
        RunFindInventory(CurrentItem(), kind, text, ListOption(), WindowSteps());
}

void SearchInventoryForSale(const std::string& text, SearchKind kind) {
    RunSearchForSale(CurrentItem(), kind, text, ListOption(), WindowSteps());
    if (CurrentItem().Number() != 0) AddItemToBasket(CurrentItem().Number(), 0);
}

TransferResult TransferPictureFile(const std::string& name) {
    PictureFileWriter writer;
    const TransferResult result = TransferPicture(name, writer.Steps());
    if (const char* message = TransferMessage(result)) ShowMessage(g_app.mainWindow, message, picmsg::kProblem);
    return result;
}

void TransferPicturesAndLoadButtons() {
    if (g_app.live.Option(piccfg::kPictures) != 0) {
        for (int n = 1; n <= piccfg::kStockPictures; ++n) {
            if (BatchCannotGoOn(TransferPictureFile("STOCK" + std::to_string(n) + ".bmp"))) break;
        }
    }
    RefillPictureButtons();
}

void RefillPictureButtons() {
    if (g_app.offline) return;
    if (!Pager().Load(PictureButtons())) ShowMessage(g_app.mainWindow, picmsg::kNoButtons, picmsg::kProblem);
    ShowPictureButtons();
}

void ScrollPictureButtons(bool forwards) {
    if (g_app.offline) return;
    Pager().Scroll(PictureButtons(), forwards);
    ShowPictureButtons();
}

void RepaintCategoryButtons() {
    for (int id = kFirstCategoryButton; id <= kLastCategoryButton; ++id)
        if (IsWindowVisible(GetDlgItem(g_app.mainWindow, id))) RedrawControl(id);
}
