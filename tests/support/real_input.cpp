#include "support/real_input.h"

#include <vector>

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !done(); Sleep(20))
        if (GetTickCount() - start > timeoutMs) return done();
    return true;
}

std::string ControlText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             2000, &copied))
        return {};
    text.resize(copied < text.size() ? copied : 0);
    return text;
}

std::string DescribeWindow(HWND window) {
    if (!window) return "no window";
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    std::string described = name;
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) described += " #" + std::to_string(GetDlgCtrlID(window));
    return described + " '" + ControlText(window) + "'";
}

GUITHREADINFO GuiThreadInfo(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);  // all empty when it fails
    return info;
}

HWND FocusedWindow(HWND window) { return GuiThreadInfo(window).hwndFocus; }

testing::AssertionResult BringToFront(HWND window, DWORD timeoutMs) {
    HWND top = GetAncestor(window, GA_ROOT);
    if (!top) return testing::AssertionFailure() << "no window to bring to the front";
    DWORD asked = 0;
    const bool inFront = WaitUntil(
        [&] {
            if (GetForegroundWindow() == top) return true;
            // Asked again now and then: the program may itself be activating a window.
            if (GetTickCount() - asked > 250) {
                SetForegroundWindow(top);
                asked = GetTickCount();
            }
            return false;
        },
        timeoutMs);
    if (inFront) return testing::AssertionSuccess();
    return testing::AssertionFailure() << DescribeWindow(top) << " did not come to the front; in front is "
                                       << DescribeWindow(GetForegroundWindow());
}

testing::AssertionResult WaitForFocus(HWND window, bool inside, DWORD timeoutMs) {
    if (auto front = BringToFront(window); !front) return front;
    const auto focused = [&] {
        HWND focus = FocusedWindow(window);
        return focus == window || (inside && IsChild(window, focus));
    };
    if (WaitUntil(focused, timeoutMs)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the keyboard focus is on " << DescribeWindow(FocusedWindow(window))
                                       << (inside ? ", outside " : ", not on ") << DescribeWindow(window);
}

namespace {

// A group box lets clicks through to the controls it frames (it answers HTTRANSPARENT),
// but WindowFromPoint, asked from another process, names it.
bool IsGroupBoxAround(HWND box, HWND control) {
    char name[16] = {};
    GetClassNameA(box, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0 && (GetWindowLongPtrA(box, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
           GetParent(box) == GetParent(control);
}

INPUT KeyInput(WORD key, bool up) {
    // The arrows and the keys above them come from the keyboard's extended part.
    const bool extended = (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki = {key, static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)),
                (up ? KEYEVENTF_KEYUP : 0u) | (extended ? KEYEVENTF_EXTENDEDKEY : 0u), 0, 0};
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void PressKey(WORD virtualKey) { Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)}); }

void PressChord(WORD modifier, WORD key) {
    Send({KeyInput(modifier, false), KeyInput(key, false), KeyInput(key, true), KeyInput(modifier, true)});
}

testing::AssertionResult PressKeyIn(HWND window, WORD virtualKey) {
    auto focus = WaitForFocus(window, true);
    if (focus) PressKey(virtualKey);
    return focus;
}

testing::AssertionResult TypeInto(HWND control, const std::string& text) {
    if (auto focus = WaitForFocus(control); !focus) return focus;
    const std::string before = ControlText(control), expected = before + text;
    // A window that Wine has only just shown may drop the first keys it is sent: when
    // none of them arrived, the keys are typed once more.
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (char c : text) {
            const SHORT key = VkKeyScanA(c);
            if (key == -1) return testing::AssertionFailure() << "no key types '" << c << "'";
            if (HIBYTE(key) & 1)
                PressChord(VK_SHIFT, LOBYTE(key));
            else
                PressKey(LOBYTE(key));
        }
        if (WaitUntil([&] { return ControlText(control) == expected; })) return testing::AssertionSuccess();
        if (ControlText(control) != before) break;
    }
    return testing::AssertionFailure() << "typed '" << text << "', but " << DescribeWindow(control)
                                       << " shows something else (expected '" << expected << "')";
}

void MoveMouse(POINT screen) {
    // Absolute positions run from 0 to 65535 over the primary screen: aim at the pixel's middle.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>((2LL * screen.x + 1) * 65536 / (2LL * width));
    move.mi.dy = static_cast<LONG>((2LL * screen.y + 1) * 65536 / (2LL * height));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send({move});
}

testing::AssertionResult Click(HWND control) {
    if (!control) return testing::AssertionFailure() << "no control to click";
    if (auto front = BringToFront(control); !front) return front;
    RECT r = {};
    POINT centre = {};
    HWND hit = nullptr;
    const auto inSight = [&] {
        GetWindowRect(control, &r);
        centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        hit = WindowFromPoint(centre);
        return hit == control || IsChild(control, hit) || IsGroupBoxAround(hit, control);
    };
    // A window that has just come up may not have settled yet: wait until the control is
    // what a click on its centre would reach.
    if (!WaitUntil(inSight))
        return testing::AssertionFailure() << DescribeWindow(control) << " is covered by " << DescribeWindow(hit)
                                           << "; in front is " << DescribeWindow(GetForegroundWindow());
    // A button that still holds the mouse from the click before would take this one.
    WaitUntil([&] { return !GuiThreadInfo(control).hwndCapture; });
    MoveMouse(centre);
    POINT at = {};
    if (!WaitUntil([&] { return GetCursorPos(&at) && PtInRect(&r, at); }))
        return testing::AssertionFailure() << "the mouse went to (" << at.x << ", " << at.y << "), not over "
                                           << DescribeWindow(control);
    INPUT down = {}, up = {};
    down.type = up.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send({down, up});
    return testing::AssertionSuccess();
}

testing::AssertionResult WaitForWindowGone(HWND window, DWORD timeoutMs) {
    if (WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << DescribeWindow(window) << " is still open; in front is "
                                       << DescribeWindow(GetForegroundWindow()) << ", the focus on "
                                       << DescribeWindow(FocusedWindow(window));
}

testing::AssertionResult AnswerWithKey(HWND dialog, WORD virtualKey) {
    if (auto pressed = PressKeyIn(dialog, virtualKey); !pressed) return pressed;
    return WaitForWindowGone(dialog);
}

testing::AssertionResult AnswerWithClick(HWND dialog, int buttonId) {
    if (auto clicked = Click(GetDlgItem(dialog, buttonId)); !clicked) return clicked;
    return WaitForWindowGone(dialog);
}
