#include "link/server_name.h"

std::string ProposedServerName(std::string_view configured, std::string_view computerName) {
    return std::string(configured.empty() ? computerName : configured);
}

const char* RefuseServerName(std::string_view typed) {
    if (typed.size() > kServerNameBindLength)
        return "The server computer name can have at most 19 characters.";
    for (char c : typed)
        if (c == '\\' || c == '/' || c == ':' || c == ' ')
            return "Type the server computer name only, without \\, /, : or spaces.";
    return nullptr;
}

std::string BindingServerName(std::string_view configured) {
    return std::string(configured.substr(0, kServerNameBindLength));
}
