#include "shell/dispatch.h"

#include <cstdio>

#include "resources/resource_ids.h"

namespace {

constexpr bool kRuns = true;
constexpr bool kRefused = false;
constexpr bool kEmpties = true;
constexpr Restriction N = Restriction::None;

// Commands not listed are refused while an entry dialog is open and have no checks.
constexpr CommandRule kRules[] = {
    {IDM_EXIT, kRuns, N, 0, false},
    {CMD_EXIT_PRINT_LOG, kRuns, N, 0, false},
    {CMD_INVENTORY_FIND_SKU, kRefused, N, 0, kEmpties},
    {CMD_CUSTOMER_ADD, kRefused, N, 0, kEmpties},
    {CMD_CUSTOMER_AMEND, kRefused, N, 0, kEmpties},
    {CMD_RESET_KEY, kRefused, N, 0, kEmpties},
    {CMD_F12_KEY, kRefused, N, 0, kEmpties},
    {CMD_CH_PAYMENT, kRuns, N, 0, false},
    {CMD_DISPLAY_LOG_TODAY, kRefused, N, 0, kEmpties},
    {CMD_DISPLAY_PREVIOUS_LOG, kRefused, N, 0, kEmpties},
    {CMD_ADD_DISCOUNT, kRefused, Restriction::Option, 46, false},
    {CMD_SERVER, kRefused, N, 0, kEmpties},
    {CMD_LOG_OFF, kRefused, N, 0, kEmpties},
    {CMD_INITIALIZE_CONFIGURATION, kRuns, N, 0, false},
    {CMD_HELP_CONTENTS, kRuns, N, 0, false},
    {CMD_CALENDAR, kRuns, N, 0, false},
    {IDM_ABOUT, kRuns, N, 0, false},
    {CMD_ADJUST_PRICE, kRefused, Restriction::Option, 47, false},
    {CMD_OPEN_DRAWER, kRuns, N, 0, false},
    {CMD_TRADE_TOGGLE, kRefused, Restriction::Option, 43, false},
    {CMD_EMPTY_BASKET, kRefused, N, 0, kEmpties},
    {CMD_REFUND, kRefused, Restriction::Switch, 135, false},
};

}  // namespace

CommandRule RuleFor(int command) {
    for (const CommandRule& rule : kRules)
        if (rule.command == command) return rule;
    return {command, IsKeypadKey(command), N, 0, false};
}

Verdict Decide(const CommandRule& rule, bool entryDialogOpen, std::int64_t associate, const TerminalConfig& config) {
    if (entryDialogOpen && !rule.runsWithEntryDialog) return Verdict::Refused;
    if (!IsPrivileged(associate)) {
        std::int64_t value = 0;
        if (rule.restriction == Restriction::Option) value = config.Option(rule.index);
        if (rule.restriction == Restriction::Switch) value = config.Switch(rule.index);
        if (value == 2) return Verdict::Restricted;
    }
    return Verdict::Run;
}

bool IsKeypadKey(int command) { return command >= kFirstKeypadKey && command <= kLastKeypadKey; }

std::string ApplyKeypadKey(std::string_view current, int command, std::size_t readLimit) {
    std::string text(current.substr(0, readLimit));
    if (command == kKeypadClear) return {};
    if (command == kKeypadErase) {
        if (!text.empty()) text.pop_back();
        return text;
    }
    if (command >= kFirstKeypadKey && command < kKeypadClear) text += static_cast<char>('0' + (command - kFirstKeypadKey));
    return text;
}

ItemBoxAction OnItemBoxChange(std::string_view text, bool ctrlHeld, bool textLookupMode) {
    if (ctrlHeld) return {ItemBoxAction::Empty, {}};
    text = text.substr(0, kItemBoxChangeReadLimit);
    if (!text.empty() && (text.front() == '\r' || text.front() == '\n')) return {ItemBoxAction::SearchAndAdd, {}};
    if (text.empty() || text.back() != '\n') return {};
    std::string entry(text);
    if (textLookupMode) {
        entry.pop_back();
        if (!entry.empty() && entry.back() == '\r') entry.pop_back();
        for (char& c : entry)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return {ItemBoxAction::EnterItem, entry};
}

int CommandForItemBoxKey(unsigned key, bool ctrl) {
    if (ctrl) {
        switch (key) {
        case 'A': return CMD_CUSTOMER_ADD;
        case 'B': return CMD_CUSTOMER_AMEND;
        case 'L': return CMD_DISPLAY_LOG_TODAY;
        case 'R': return CMD_RESET_KEY;
        case 'T': return CMD_SPLIT_PAYMENT;
        case 'W': return CMD_CHANGE_BASKET_TABLE;
        case 'X': return CMD_KITCHEN_PRINT;
        }
    }
    switch (key) {
    case 0x25: return CMD_PREVIOUS_CATEGORY;   // Left
    case 0x26: return CMD_SCROLL_BACK;         // Up
    case 0x27: return CMD_NEXT_CATEGORY;       // Right
    case 0x28: return CMD_SCROLL_FORWARDS;     // Down
    case 0x70: return CMD_HELP_CONTENTS;       // F1
    case 0x71: return CMD_INVENTORY_FIND;      // F2
    case 0x72: return CMD_INVENTORY_FIND_SKU;  // F3
    case 0x73: return CMD_CUSTOMER_FIND;       // F4
    case 0x74: return CMD_CASH;                // F5
    case 0x75: return CMD_CUSTOMER_CREDIT;     // F6
    case 0x76: return CMD_EFT_PAYMENT;         // F7
    case 0x77: return CMD_OPEN_DRAWER;         // F8
    case 0x78: return CMD_LOG_OFF;             // F9
    case 0x7B: return CMD_F12_KEY;             // F12
    }
    return 0;
}

int NextCategory(int current) { return current >= kAllCategories ? 0 : current + 1; }
int PreviousCategory(int current) { return current <= 0 ? kAllCategories : current - 1; }

std::string CategoryLabel(const TerminalConfig& config, int index) {
    return index == kAllCategories ? "ALL" : config.CategoryCode(index);
}

std::string ClockTitle(int hour, int minute, std::string_view longDate) {
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", hour % 100, minute % 100);
    return std::string("VARENKO Client    ") + clock + "  " + std::string(longDate);
}
