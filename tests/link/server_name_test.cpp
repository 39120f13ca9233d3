#include "link/server_name.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerName, ProposesTheConfiguredNameElseThisComputerAndRefusesWhatWouldChangeTheBinding) {
    EXPECT_EQ(ProposedServerName("", "TILL2") + "|" + ProposedServerName("BACKOFFICE", "TILL2"), "TILL2|BACKOFFICE");
    const char* kTooLong = "The server computer name can have at most 19 characters.";
    const char* kNotAName = "Type the server computer name only, without \\, /, : or spaces.";
    struct Row { std::string typed; const char* refusal; const char* why; };
    const Row rows[] = {
        {"", nullptr, "empty: this computer"}, {std::string(19, 'A'), nullptr, "19 characters"},
        {std::string(20, 'A'), kTooLong, "20 characters"}, {"\\\\SERVER", kNotAName, "a UNC path"},
        {"SERVER/1", kNotAName, "a slash"}, {"SERVER:1", kNotAName, "an address with a port"},
        {"BACK OFFICE", kNotAName, "a blank"},
    };
    for (const Row& row : rows) {
        const char* refusal = RefuseServerName(row.typed);
        EXPECT_EQ(std::string(refusal ? refusal : "accepted"), row.refusal ? row.refusal : "accepted") << row.why;
    }
    EXPECT_EQ(BindingServerName(std::string(25, 'B')), std::string(19, 'B'));
    EXPECT_EQ(BindingServerName("SHOP"), "SHOP");
}

}  // namespace
