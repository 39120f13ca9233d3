// The configuration file "vks.cfg": reading, writing, the defaults, and the
// load and saves of the start-up and exit sequences.
#pragma once
#include <windows.h>

#include "shell/terminal_config.h"

// Reads up to the record's size; a shorter file fills only the leading bytes.
bool ReadConfigFile(const char* path, TerminalConfig& out);
// Writes the whole record beside the file first and then replaces it, so that a
// failed write never leaves a truncated or mixed file behind.
bool WriteConfigFile(const char* path, const TerminalConfig& config);

// Writes the default configuration into the live record and the file, copying the
// logo bitmaps from the current directory into the data directory.
void WriteDefaultConfiguration();

// The start-up load: 1 on success, 0 when the program must quit.
int LoadConfiguration();
void SaveConfigurationAtStartup();
void SaveConfigurationAtExit();
