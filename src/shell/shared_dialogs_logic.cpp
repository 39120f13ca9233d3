#include "shell/shared_dialogs_logic.h"

#include "resources/resource_ids.h"

namespace {

// Index t-1 holds the button of table t; tables 7 and 8 have swapped buttons.
constexpr int kBasketTableButtons[kBasketTableCount] = {
    IDC_BASKET_TABLE_1,  IDC_BASKET_TABLE_2,  IDC_BASKET_TABLE_3,  IDC_BASKET_TABLE_4,
    IDC_BASKET_TABLE_5,  IDC_BASKET_TABLE_6,  IDC_BASKET_TABLE_7,  IDC_BASKET_TABLE_8,
    IDC_BASKET_TABLE_9,  IDC_BASKET_TABLE_10, IDC_BASKET_TABLE_11, IDC_BASKET_TABLE_12,
    IDC_BASKET_TABLE_13, IDC_BASKET_TABLE_14, IDC_BASKET_TABLE_15, IDC_BASKET_TABLE_16,
};

}  // namespace

int BasketTableOfButton(int controlId) {
    for (int t = 1; t <= kBasketTableCount; ++t)
        if (kBasketTableButtons[t - 1] == controlId) return t;
    return 0;
}

int BasketButtonOfTable(int table) {
    if (table < 1 || table > kBasketTableCount) return 0;
    return kBasketTableButtons[table - 1];
}

std::string CurrentBasketTableLabel(int table) {
    std::string label = ">";
    label += std::to_string(table);
    label += '<';
    return label;
}

bool SearchWithinSkusByDefault(const TerminalConfig& config) { return config.Switch(kSearchTypeSwitch) != 0; }

int SearchTypeButton(bool withinSkus) { return withinSkus ? IDC_SEARCH_WITHIN_SKUS : IDC_SEARCH_BY_DESCRIPTION; }

void KeepSearchType(TerminalConfig& config, bool keep, bool withinSkus) {
    if (keep) config.SetSwitch(kSearchTypeSwitch, withinSkus ? 2 : 0);
}
