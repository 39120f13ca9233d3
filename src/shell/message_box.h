// Every message the associate sees goes through here, so that tests can capture
// them instead of blocking on a modal box.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Shows a modal message box; the text is shown as it is, never used as a format.
int ShowMessage(HWND owner, const char* text, const char* caption, UINT type = MB_OK);

struct ShownMessage {
    std::string text;
    std::string caption;
};

// While a capture is alive, messages are recorded and answered with `answer`.
class MessageCapture {
public:
    explicit MessageCapture(int answer = IDOK);
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;
    const std::vector<ShownMessage>& messages() const { return messages_; }
    bool Saw(const std::string& text, const std::string& caption) const;

private:
    friend int ShowMessage(HWND, const char*, const char*, UINT);
    std::vector<ShownMessage> messages_;
    int answer_;
    MessageCapture* previous_;
};
