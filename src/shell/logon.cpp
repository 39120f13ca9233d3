#include "shell/logon.h"

#include <algorithm>
#include <cstdio>

#include "resources/resource_ids.h"

namespace {

constexpr int kLogonAssociateCount = kLastLogonAssociate - kFirstLogonAssociate + 1;

// Walks from `selected` in steps of `direction` (+1 or -1) round the ring 1..99
// to the first associate that is not skipped.
int StepToUnskipped(const TerminalConfig& config, int selected, int direction) {
    for (int step = 1; step <= kLogonAssociateCount; ++step) {
        const int offset = (selected - kFirstLogonAssociate + direction * step) % kLogonAssociateCount;
        const int candidate = kFirstLogonAssociate + (offset + kLogonAssociateCount) % kLogonAssociateCount;
        if (!AssociateSkipped(config, candidate)) return candidate;
    }
    return selected;
}

}  // namespace

bool AssociateSkipped(const TerminalConfig& config, int n) {
    if (n < kFirstLogonAssociate || n > kLastLogonAssociate) return false;
    return config.Int32(cfg::kAssociateFlags + 4 * static_cast<std::size_t>(n - 1)) != 0;
}

int NextAssociate(const TerminalConfig& config, int selected) { return StepToUnskipped(config, selected, +1); }

int PreviousAssociate(const TerminalConfig& config, int selected) { return StepToUnskipped(config, selected, -1); }

std::string ShownAssociate(const TerminalConfig& config, int n) {
    return std::to_string(n) + " " + config.AssociateName(n);
}

char LogonKeypadDigit(int controlId) {
    switch (controlId) {
    case IDC_LOGON_KEY_0: return '0';
    case IDC_LOGON_KEY_1: return '1';
    case IDC_LOGON_KEY_2: return '2';
    case IDC_LOGON_KEY_3: return '3';
    case IDC_LOGON_KEY_4: return '4';
    case IDC_LOGON_KEY_5: return '5';
    case IDC_LOGON_KEY_6: return '6';
    case IDC_LOGON_KEY_7: return '7';
    case IDC_LOGON_KEY_8: return '8';
    case IDC_LOGON_KEY_9: return '9';
    }
    return 0;
}

void AppendPasswordDigit(std::string& password, char digit) {
    if (password.size() < kPasswordLength) password.push_back(digit);
}

void ErasePasswordCharacter(std::string& password) {
    if (!password.empty()) password.pop_back();
}

bool ApplyLogonButton(LogonState& state, const TerminalConfig& config, int controlId) {
    switch (controlId) {
    case IDC_LOGON_UP:
        state.selected = PreviousAssociate(config, state.selected);
        return true;
    case IDC_LOGON_DOWN:
        state.selected = NextAssociate(config, state.selected);
        return true;
    case IDC_LOGON_CLEAR:
        state.password.clear();
        return true;
    case IDC_LOGON_ERASE:
        ErasePasswordCharacter(state.password);
        return true;
    }
    if (const char digit = LogonKeypadDigit(controlId)) {
        AppendPasswordDigit(state.password, digit);
        return true;
    }
    return false;
}

int ParseShownAssociate(const std::string& userField) {
    std::size_t i = 0;
    while (i < userField.size() && (userField[i] == ' ' || userField[i] == '\t')) ++i;
    bool negative = false;
    if (i < userField.size() && (userField[i] == '+' || userField[i] == '-')) negative = userField[i++] == '-';
    // The field is read with room for nine characters; the cap only guards longer texts.
    constexpr long long kCap = 1000000000LL;
    long long value = 0;
    for (; i < userField.size() && userField[i] >= '0' && userField[i] <= '9'; ++i)
        value = std::min(value * 10 + (userField[i] - '0'), kCap);
    return static_cast<int>(negative ? -value : value);
}

bool LogonAccepted(const TerminalConfig& config, int number, const std::string& typed) {
    if (number < kFirstLogonAssociate || number > kLastLogonAssociate) return false;
    return typed == config.AssociatePassword(number);
}

void StoreLogonTime(TerminalConfig& config, const LocalTime& now) {
    const std::int32_t values[5] = {now.minute, now.hour, now.day, now.month, now.year};
    for (std::size_t i = 0; i < 5; ++i) config.SetInt32(cfg::kTimes + 4 * (10 + i), values[i]);
}

LogEntry LogonEntry(const LocalTime& now, std::int64_t number, const std::string& name) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "\r\n%02d:%02d %02d/%02d/%d  User ", now.hour, now.minute, now.day,
                  now.month, now.year);
    return {stamp + std::to_string(number) + ", " + name + ", logged on.\r\n"};
}

std::string LogonTitle(std::int64_t number, const std::string& name) {
    return "VARENKO    Assoc: " + std::to_string(number) + ", " + name;
}
