// Binding to the shop server and fetching its configuration and document wording.
#pragma once
#include <windows.h>

#include "link/label_table.h"

// Start-up: reads the configuration file into the image and, when it names a server,
// binds and fetches the shop configuration into the live record and the wording into
// `fetched`. 1 when bound and fetched, 0 when the terminal must run offline.
int StartupBinding(LabelTable& fetched);

// The Utilities "Server" command: asks for the server name, rebinds and fetches,
// keeping this terminal's own fields.
void RunServerDialog(HWND owner);

// The steps of the server command after the name is known (the dialog's OK).
void ConnectToServer(const std::string& serverName);
