// The small "Please wait.." window shown while a remote call the associate started
// is under way (the call blocks the one thread, so it is painted before the call).
// One window serves every call: shown on top of its owner without taking the focus,
// hidden when the call is over.
#pragma once
#include <windows.h>

class PleaseWait {
public:
    explicit PleaseWait(HWND owner);
    ~PleaseWait() { Close(); }
    PleaseWait(const PleaseWait&) = delete;
    PleaseWait& operator=(const PleaseWait&) = delete;

    void Close();
    HWND window() const { return window_; }

private:
    HWND window_ = nullptr;
};
