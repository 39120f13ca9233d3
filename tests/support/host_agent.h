// Asks the Linux side for what a Windows process cannot do itself: a read-only or full
// data directory, a printer queue stopped or deleted (scripts/host-agent.sh, which the
// test runner starts when it runs as root and names in VARENKO_HOST_AGENT).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

bool HostAgentAvailable();
// One request, e.g. "readonly C:\\users\\...": succeeds once the agent has done it.
testing::AssertionResult AskHost(const std::string& request, DWORD timeoutMs = 30000);
