// Looking items up on the server: Find and Find by SKU show the item found in the
// item view; the search for sale picks an item for item entry to sell. Text searches
// step through the matches in the FIND INVENTORY dialog or list them all. Portable:
// the dialogs and the remote call come in as steps.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/records.h"
#include "logs/clock.h"
#include "shell/shared_dialogs_logic.h"
#include "shell/terminal_config.h"

namespace invmsg {
inline constexpr const char* kNoMatch = listmsg::kNoMatch;
inline constexpr const char* kSearchCaption = "Inventory search";
inline constexpr const char* kFindPrompt = "Find item number / description / fragment";
inline constexpr const char* kSkuPrompt = "SKU or fragment:";
}  // namespace invmsg

namespace invcfg {
inline constexpr int kSelectionList = 40;  // option: text searches list every match at once
inline constexpr int kHideCost = 139;      // switch: associates above 2 do not see cost prices
}  // namespace invcfg

enum class SearchKind { Description, Sku };

// The key that starts a search of this kind for the text.
ItemKey StartSearchKey(SearchKind kind, std::string_view text);
// The key number that continues a search after the item found last.
std::int64_t ContinuationNumber(SearchKind kind, std::int64_t lastItem);

// Whether the logged-on associate may see cost prices.
bool CostVisible(const TerminalConfig& config);
// "Tax 1 and 2", "Tax 1", "Tax 2" or "Non taxable".
const char* TaxText(std::int32_t taxCode);
// The stored "Date added" in the display form, or as stored when it cannot be converted.
std::string DateAddedText(const std::string& stored, const LocalTime& now, DateFormatter format);

// A line of the "Please select:" list: "%I64d %s" (number, description).
std::string ItemListLine(const InventoryItem& item);
// Every match of a text search, in the server's order. `fetch` answers false when the
// call failed: the lines so far are kept and `failed` is set. A server that repeats
// an item ends the list there.
std::vector<std::string> ListItemMatches(SearchKind kind, std::string_view text,
                                         const std::function<bool(const ItemKey&, InventoryItem&)>& fetch,
                                         bool& failed);

// The FIND INVENTORY dialog's answer.
enum class FoundItemAnswer { Ok, Next, Cancel };

// What a search needs from the windows and the server.
struct InventorySteps {
    // The "Please select:" list of a kind's matches of the text; false when nothing was chosen.
    std::function<bool(SearchKind kind, const std::string& text, std::int64_t& chosen)> chooseFromList;
    // FetchItem into `item`: 0, or the code of the exception (the record is kept then).
    std::function<unsigned long(const ItemKey& key, InventoryItem& item)> fetch;
    std::function<FoundItemAnswer(const InventoryItem&)> showFound;  // FIND INVENTORY
    std::function<void(const InventoryItem&)> showView;              // Inventory item view
    std::function<void(const std::string& text, const char* caption)> tell;
};

// Find and Find by SKU with the text typed: shows the item found in the item view or
// steps through the matches. `current` receives every reply.
void RunFindInventory(InventoryItem& current, SearchKind kind, const std::string& text, bool listOption,
                      const InventorySteps& steps);
// The search for sale: afterwards `current` holds the item chosen, or number 0 when
// nothing was (cancelled, not found or failed), so that nothing is sold by mistake.
void RunSearchForSale(InventoryItem& current, SearchKind kind, const std::string& text, bool listOption,
                      const InventorySteps& steps);

// Control id and text of each box the FIND INVENTORY dialog (805) and the item view
// (801) fill when they open.
BoxTexts FoundItemBoxes(const InventoryItem& item, const TerminalConfig& config, const LocalTime& now,
                            DateFormatter format);
BoxTexts ItemViewBoxes(const InventoryItem& item, const TerminalConfig& config, const LocalTime& now,
                           DateFormatter format);
