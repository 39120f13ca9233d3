// Drives modal dialogs in Win32 tests by their control ids.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

// Drives the modal dialog open on this thread from a timer that its own message
// loop dispatches: one step per tick. A dialog still open after the last step is
// ended with -1, so a failing test cannot hang; that, or a step that found no
// dialog, fails the test. With `moreMayOpen`, dialogs after the last step (the box
// shown while printing) are left alone.
class DialogDriver {
public:
    using Step = std::function<void(HWND dialog)>;
    explicit DialogDriver(std::vector<Step> steps, bool moreMayOpen = false)
        : steps_(std::move(steps)), moreMayOpen_(moreMayOpen), timer_(SetTimer(nullptr, 0, 40, Tick)) {
        current_ = this;  // before the first tick, which only a message loop can run
    }
    ~DialogDriver() {
        KillTimer(nullptr, timer_), current_ = nullptr;
        EXPECT_EQ(next_, steps_.size()) << "steps run: a dialog did not open";
        EXPECT_FALSE(abandoned_) << "a dialog was still open after the last step";
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

private:
    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM out) {
        char name[16] = {};
        if (!IsWindowVisible(hwnd) || !GetClassNameA(hwnd, name, sizeof name) || std::strcmp(name, "#32770") != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND dialog = nullptr;
        if (current_) EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) return;
        DialogDriver& d = *current_;
        if (d.next_ < d.steps_.size()) d.steps_[d.next_++](dialog);
        else if (!d.moreMayOpen_) d.abandoned_ = true, EndDialog(dialog, -1);
    }

    static inline DialogDriver* current_ = nullptr;
    std::vector<Step> steps_;
    bool moreMayOpen_;
    std::size_t next_ = 0;
    bool abandoned_ = false;
    UINT_PTR timer_ = 0;
};

inline void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

inline void SetText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

inline std::string Text(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Puts text on the clipboard, as a copy elsewhere does.
inline void PutOnClipboard(HWND owner, const char* text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard(), SetClipboardData(CF_TEXT, memory), CloseClipboard();
}

inline std::string Title(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Steps of a driven dialog: a prompt answered with `text` and OK; a box checked to
// show `shown`, then button `id` pressed.
inline DialogDriver::Step Prompt(std::string text) {
    return [text](HWND d) { SetDlgItemTextA(d, IDC_EDIT1, text.c_str()), Click(d, IDOK); };
}
inline DialogDriver::Step Press(int id, int box, std::string shown) {
    return [=](HWND d) {
        EXPECT_EQ(Text(d, box), shown);
        Click(d, id);
    };
}
