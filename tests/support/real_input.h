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
// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusedWindow(HWND window);

// Brings the top-level window that holds `window` to the foreground.
testing::AssertionResult BringToFront(HWND window, DWORD timeoutMs = 5000);
// Brings its window to the front and waits until `control` has the keyboard focus,
// where the program itself is to put it.
testing::AssertionResult WaitForFocus(HWND control, DWORD timeoutMs = 5000);

// Presses and releases one key: VK_RETURN is the main keyboard's Enter.
void PressKey(WORD virtualKey);
// Presses `key` while holding `modifier` (VK_CONTROL, VK_SHIFT ...).
void PressChord(WORD modifier, WORD key);
// Brings `window` to the front, waits until the focus is inside it, then presses the key.
testing::AssertionResult PressKeyIn(HWND window, WORD virtualKey);
// Types `text` key by key into `control`, which must have the focus, and waits until
// the control shows it after what it held before.
testing::AssertionResult TypeInto(HWND control, const std::string& text);

// Moves the mouse pointer to a point of the screen.
void MoveMouse(POINT screen);
// Moves the mouse to the centre of `control` and clicks its left button there.
testing::AssertionResult Click(HWND control);

// Waits until the window is closed or hidden.
testing::AssertionResult WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);
// Answers a dialog or message box with a key (Enter: its default button) and waits
// until it has closed.
testing::AssertionResult AnswerWithKey(HWND dialog, WORD virtualKey = VK_RETURN);
// Answers a dialog with a click on one of its buttons and waits until it has closed.
testing::AssertionResult AnswerWithClick(HWND dialog, int buttonId);
