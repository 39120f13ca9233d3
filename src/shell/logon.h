// Associate logon: what the logon dialog shows and decides, and the texts a logon
// leaves behind (log entry, window title). Portable: the dialog itself is in
// logon_dialog.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "logs/clock.h"
#include "shell/terminal_config.h"

inline constexpr int kFirstLogonAssociate = 1;
inline constexpr int kLastLogonAssociate = 99;
// The password field and the user field are both read with room for nine characters.
inline constexpr std::size_t kPasswordLength = 9;
inline constexpr std::size_t kLogonUserFieldLength = 9;
// Where the keypad leaves the caret in the password field (past any text it can hold).
inline constexpr int kPasswordCaretPosition = 20;
inline constexpr const char* kLoggedOffTitle = "VARENKO";

struct LogonState {
    int selected = kFirstLogonAssociate;  // the associate shown in the user field, 1..99
    std::string password;                 // the password field's text
};

// Non-zero skip flag: Up and Down pass over associate n.
bool AssociateSkipped(const TerminalConfig& config, int n);

// "Down": the next associate not skipped, 99 wrapping to 1. When every associate
// is skipped the selection stays where it is.
int NextAssociate(const TerminalConfig& config, int selected);
// "Up": the previous associate not skipped, 1 wrapping to 99; same rule.
int PreviousAssociate(const TerminalConfig& config, int selected);

// The user field: "%d %s" (number, name).
std::string ShownAssociate(const TerminalConfig& config, int n);

// The digit of a keypad button of the logon dialog, 0 for any other control.
char LogonKeypadDigit(int controlId);

// Keypad edits of the password; a digit beyond the ninth is not kept.
void AppendPasswordDigit(std::string& password, char digit);
void ErasePasswordCharacter(std::string& password);

// Applies Up, Down or a keypad button to the state; false for any other control.
bool ApplyLogonButton(LogonState& state, const TerminalConfig& config, int controlId);

// The associate number at the start of the user field: leading blanks, an
// optional sign, then decimal digits; 0 when there is no number.
int ParseShownAssociate(const std::string& userField);

// A logon stands when the number is 1..99 and the typed password equals the stored
// one exactly (an empty stored password matches an empty entry).
bool LogonAccepted(const TerminalConfig& config, int number, const std::string& typed);

// The time of the last logon: minute, hour, day, month, year.
void StoreLogonTime(TerminalConfig& config, const LocalTime& now);

// The day-log entry of a logon.
LogEntry LogonEntry(const LocalTime& now, std::int64_t number, const std::string& name);

// The main window's title while an associate is logged on.
std::string LogonTitle(std::int64_t number, const std::string& name);
