// Binding to the shop server and the start-up fetch of its configuration and wording.
#pragma once
#include "link/label_table.h"

// Start-up: reads the configuration file into the image and, when it names a server,
// binds and fetches the shop configuration into the live record and the wording into
// `fetched`. 1 when bound and fetched, 0 when the terminal must run offline.
int StartupBinding(LabelTable& fetched);
