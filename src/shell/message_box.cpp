#include "shell/message_box.h"

namespace {
MessageCapture* g_capture = nullptr;
}

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type) {
    if (g_capture) {
        g_capture->messages_.push_back({text ? text : "", caption ? caption : ""});
        return g_capture->answer_;
    }
    return MessageBoxA(owner, text, caption, type);
}

MessageCapture::MessageCapture(int answer) : answer_(answer), previous_(g_capture) { g_capture = this; }

MessageCapture::~MessageCapture() { g_capture = previous_; }

bool MessageCapture::Saw(const std::string& text, const std::string& caption) const {
    for (const ShownMessage& m : messages_)
        if (m.text == text && m.caption == caption) return true;
    return false;
}
