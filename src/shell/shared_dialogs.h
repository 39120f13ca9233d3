// The small modal dialogs the shell owns and other parts borrow: about, calendar,
// basket-table choice, transaction note, item-search choice and the one- and
// two-field prompts. What they decide is in shared_dialogs_logic.h.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/dialog_plumbing.h"
#include "shell/terminal_config.h"

// Template 103; OK or Cancel closes it.
void ShowAboutDialog(HWND owner);
// Template 822 with its month calendar; OK or Cancel closes it.
void ShowCalendarDialog(HWND owner);

// "BASKETBOX": the chosen table 1..16, or 0 when cancelled. The current table's
// button shows ">%d<".
int ChooseBasketTable(HWND owner, int currentTable);

// "PESTER": true on OK with up to 79 characters in `note`; `note` is untouched on Cancel.
bool AskTransactionNote(HWND owner, std::string& note);

// "PICBOX": true on OK with the search text (up to 38 characters) and the chosen
// type. The type starts from switch [32]; "Keep search type as default" writes
// the choice back to it.
bool AskItemSearch(HWND owner, TerminalConfig& config, std::string& text, bool& withinSkus);

// "EDITBOX": shows `prompt` and `value`; true on OK with up to 34 characters in `value`.
bool AskText(HWND owner, const std::string& prompt, std::string& value);

// "EDIT2BOX": `title` on the window and `caption` on the group; true on OK with
// edit 1101 (up to 29 characters) in `field1` and field 1102 (up to 7) in `field2`.
bool AskTwoFields(HWND owner, const std::string& title, const std::string& caption, std::string& field1,
                  std::string& field2);

// "Please select:" (818): the lines `listMatches` gives (it sets `failed` when the
// server could not be reached), the first one selected; true on OK or a double click
// with the selected line's leading number in `chosen`. A failure shows "Network
// error"; no lines at all show "No match found" captioned `noMatchCaption`.
bool ChooseListedNumber(HWND owner, const std::function<std::vector<std::string>(bool& failed)>& listMatches,
                        const char* noMatchCaption, std::int64_t& chosen);
