// Input as a person gives it: keys and mouse clicks made with SendInput, which reach
// the program through the same path as a real keyboard, a barcode scanner or a mouse.
// Every helper waits, within a time limit, until its input has arrived, and says what
// it found instead when it has not.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Polls `done` every 20 ms until it holds; false on time-out.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// The text of a control of any process (WM_GETTEXT); empty when it does not answer.
std::string ControlText(HWND control);
// "class #id 'text'" of a window, for failure messages.
std::string DescribeWindow(HWND window);
// The focus, capture and menu state of the thread that owns `window`, and its focused window.
GUITHREADINFO GuiThreadInfo(HWND window);
HWND FocusedWindow(HWND window);

// Brings the top-level window that holds `window` to the foreground.
testing::AssertionResult BringToFront(HWND window, DWORD timeoutMs = 5000);
// Brings its window to the front and waits until the keyboard focus is on `window` (where
// the program itself is to put it) or, when `inside`, on one of its controls.
testing::AssertionResult WaitForFocus(HWND window, bool inside = false, DWORD timeoutMs = 5000);

// Presses and releases one key: VK_RETURN is the main keyboard's Enter.
void PressKey(WORD virtualKey);
void PressChord(WORD modifier, WORD key);
// Brings `window` to the front, waits until the focus is inside it, then presses the key.
testing::AssertionResult PressKeyIn(HWND window, WORD virtualKey);
// Types `text` key by key into `control`, which must have the focus, and waits until
// the control shows it after what it held before.
testing::AssertionResult TypeInto(HWND control, const std::string& text);

void MoveMouse(POINT screen);
// Moves the mouse to the centre of `control` and clicks its left button there.
testing::AssertionResult Click(HWND control);

// Waits until the window is closed or hidden.
testing::AssertionResult WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);
// Answers a dialog or message box with a key (Enter: its default button); returns once it has closed.
testing::AssertionResult AnswerWithKey(HWND dialog, WORD virtualKey = VK_RETURN);
// Answers a dialog with a click on one of its buttons and waits until it has closed.
testing::AssertionResult AnswerWithClick(HWND dialog, int buttonId);
