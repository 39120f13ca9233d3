#include "support/host_agent.h"

#include <cstdlib>

#include "support/printed_pdfs.h"
#include "support/real_input.h"
#include "support/temp_dir.h"

static std::string AgentFolder() {
    const char* unixPath = std::getenv("VARENKO_HOST_AGENT");
    return unixPath && *unixPath ? WindowsPath(unixPath) : std::string();
}

bool HostAgentAvailable() { return DirectoryExists(AgentFolder()); }

testing::AssertionResult AskHost(const std::string& request, DWORD timeoutMs) {
    const std::string folder = AgentFolder();
    if (folder.empty()) return testing::AssertionFailure() << "no host agent";
    static int serial = 0;
    const std::string name = folder + "\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    WriteWholeFile(name + ".tmp", request + "\n");
    DeleteFileA((name + ".done").c_str());
    if (!MoveFileA((name + ".tmp").c_str(), (name + ".req").c_str()))
        return testing::AssertionFailure() << "cannot hand over " << request;
    if (!WaitUntil([&] { return FileExists(name + ".done"); }, timeoutMs))
        return testing::AssertionFailure() << request << ": no answer from the agent";
    const std::string status = ReadWholeFile(name + ".done");
    DeleteFileA((name + ".done").c_str());
    if (status.rfind("0", 0) == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << request << ": the agent answered " << status;
}
