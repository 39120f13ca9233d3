#include "basket/item_entry_window.h"

#include <windows.h>

#include "basket/basket_window.h"
#include "basket/item_entry.h"
#include "link/please_wait.h"
#include "link/remote.h"
#include "printing/devices.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/message_box.h"

namespace {

InventoryItem g_currentItem;
std::string g_itemText;  // the item text buffer: at most kItemTextMax characters

class WindowPort : public ItemEntryPort {
public:
    unsigned long Fetch(const ItemKey& key, InventoryItem& item) override {
        PleaseWait wait(g_app.mainWindow);
        return RemoteFetchItem(key, item);
    }
    void Problem(const char* text) override { ShowMessage(g_app.mainWindow, text, entrymsg::kProblem); }
    void NetworkError(const std::string& text) override { ShowMessage(nullptr, text.c_str(), entrymsg::kProblem); }
    void LineAdded(const std::string& entryText) override {
        AppendBasketEntry(entryText);
        RefreshTotals();
    }
    void AgeAlert(const std::string& text) override {
        ShowMessage(g_app.mainWindow, text.c_str(), entrymsg::kAgeAlert, MB_OK | MB_ICONWARNING);
    }
    void PoleLine(const std::string& description, double lineTotal) override {
        devices::ShowPoleItem(description.c_str(), lineTotal);
    }
};

}  // namespace

InventoryItem& CurrentItem() { return g_currentItem; }

void AddItemToBasket(std::int64_t number, std::int32_t mode) {
    WindowPort port;
    ItemEntry entry{g_app.basket, g_app.live, g_currentItem, g_itemText, IsRepeatingLine(), port};
    AddItemToBasket(entry, number, mode);
}

void EnterItemText(const std::string& text) {
    g_itemText = BoundedItemText(text);
    AddItemToBasket(0, entrymode::kNormal);
}

void AddItemFromButton(std::int64_t item) {
    // A repeat of a line without an item number reads the item box, which then
    // holds the count typed for the repeat.
    if (item <= 0) g_itemText = BoundedItemText(ItemBoxText(kItemTextMax));
    AddItemToBasket(item, IsRepeatingLine() ? entrymode::kRepeat : entrymode::kNormal);
}
