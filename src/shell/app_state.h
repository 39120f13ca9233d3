// Process-wide state of the terminal: one instance, owned by the shell.
#pragma once
#include <windows.h>

#include "link/label_table.h"
#include "link/records.h"
#include "shell/terminal_config.h"

// The parked-basket store: 16 transaction images of 43406 bytes.
inline constexpr SIZE_T kParkedBasketStoreSize = 16 * 43406;

struct AppState {
    HINSTANCE instance = nullptr;
    char className[101] = {};           // string resource 109, "WNEC"
    char computerName[16] = {};         // this terminal's computer name
    char dataDir[MAX_PATH] = {};        // application data + "\Nordane\varenkoclient"
    char configPath[MAX_PATH] = {};     // dataDir + "\vks.cfg"

    HWND mainWindow = nullptr;
    HWND splashWindow = nullptr;
    HWND entryDialog = nullptr;         // the open modeless payment, price or weight dialog
    HBITMAP splashPicture = nullptr;    // bitmap resource 133
    HBITMAP splashBackground = nullptr; // the copy of the screen under the splash window
    HGLOBAL parkedBaskets = nullptr;

    bool startupFailed = false;         // the configuration could not be loaded: quit without saving
    int offline = 0;                    // 1 while running without the server
    bool loggedOnThisRun = false;       // an associate has logged on since start-up: no clock title

    HWND itemBox = nullptr;             // the item-entry box
    HWND basketList = nullptr;          // the basket list
    TransactionRecord basket;           // the transaction in progress
    int basketTable = 1;                // the current basket table, 1..16

    TerminalConfig live;                // the configuration every part reads
    TerminalConfig image;               // the configuration file as read at start-up; what is saved
    HeaderTexts headers;                // header texts 1-6 as printed
    LabelTable labels;                  // the wording of printed documents
};

extern AppState g_app;
