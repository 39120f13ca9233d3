// The rules of command dispatch, the keypad, the item-entry box and its keys:
// plain functions the main window applies.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "shell/terminal_config.h"

// --- Commands ---------------------------------------------------------------------

enum class Restriction { None, Option, Switch };

struct CommandRule {
    int command;
    bool runsWithEntryDialog;   // else refused: the focus only returns to the dialog's 1101
    Restriction restriction;    // with `index`: value 2 keeps all but associates 1 and 2 out
    int index;
    bool emptiesBasket;
};

// The rule of a command; commands without an entry are refused while an entry dialog
// is open and otherwise run with no checks.
CommandRule RuleFor(int command);

enum class Verdict {
    Run,          // run the handler (after emptying the basket when the rule says so)
    Refused,      // an entry dialog is open: focus back to its edit 1101
    Restricted,   // the associate may not: nothing happens
};

Verdict Decide(const CommandRule& rule, bool entryDialogOpen, std::int64_t associate, const TerminalConfig& config);

inline bool IsPrivileged(std::int64_t associate) { return associate == 1 || associate == 2; }

// --- Keypad -------------------------------------------------------------------------

inline constexpr int kFirstKeypadKey = 2430;  // digits 0-9, then "c" 2440 and "e" 2441
inline constexpr int kKeypadClear = 2440;
inline constexpr int kKeypadErase = 2441;
inline constexpr int kLastKeypadKey = 2441;
inline constexpr std::size_t kEntryDialogReadLimit = 20;  // characters read from an entry dialog's 1101
inline constexpr std::size_t kItemBoxReadLimit = 38;      // characters read from the item-entry box
inline constexpr int kKeypadCaretPosition = 20;

bool IsKeypadKey(int command);
// The target's new text after a keypad key; `current` is what was read (at most readLimit).
std::string ApplyKeypadKey(std::string_view current, int command, std::size_t readLimit);

// --- The item-entry box -------------------------------------------------------------

inline constexpr std::size_t kItemBoxChangeReadLimit = 37;

struct ItemBoxAction {
    enum Kind { Nothing, Empty, SearchAndAdd, EnterItem } kind = Nothing;
    std::string text;  // for EnterItem
};

// What a change of the item-entry box's text asks for.
ItemBoxAction OnItemBoxChange(std::string_view text, bool ctrlHeld, bool textLookupMode);

// The command a key of the item-entry box sends, or 0.
int CommandForItemBoxKey(unsigned virtualKey, bool ctrlHeld);

// --- Categories ---------------------------------------------------------------------

inline constexpr int kAllCategories = 18;
inline constexpr int kFirstCategoryButton = 2500;
inline constexpr int kLastCategoryButton = 2518;
inline constexpr int kFirstPictureButton = 2700;
inline constexpr int kLastPictureButton = 2759;
int NextCategory(int current);
int PreviousCategory(int current);
// The three-letter code drawn on a category button, "ALL" for index 18.
std::string CategoryLabel(const TerminalConfig& config, int index);

// --- Titles -------------------------------------------------------------------------

std::string ClockTitle(int hour, int minute, std::string_view longDate);
