#include "link/server_name.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerName, ProposesTheConfiguredNameElseThisComputer) {
    EXPECT_EQ(ProposedServerName("", "TILL2"), "TILL2");
    EXPECT_EQ(ProposedServerName("BACKOFFICE", "TILL2"), "BACKOFFICE");
}

TEST(ServerName, AcceptsUpToNineteenCharactersAndRefusesLonger) {
    EXPECT_EQ(RefuseServerName(""), nullptr);
    EXPECT_EQ(RefuseServerName(std::string(19, 'A')), nullptr);
    ASSERT_NE(RefuseServerName(std::string(20, 'A')), nullptr);
    EXPECT_NE(std::string(RefuseServerName(std::string(20, 'A'))).find("19"), std::string::npos);
}

TEST(ServerName, RefusesPathsAndAddressesThatWouldChangeTheBinding) {
    EXPECT_NE(RefuseServerName("\\\\SERVER"), nullptr);
    EXPECT_NE(RefuseServerName("SERVER:1"), nullptr);
    EXPECT_NE(RefuseServerName("BACK OFFICE"), nullptr);
}

TEST(ServerName, BindingTakesAtMostNineteenCharacters) {
    EXPECT_EQ(BindingServerName(std::string(25, 'B')), std::string(19, 'B'));
    EXPECT_EQ(BindingServerName("SHOP"), "SHOP");
}

}  // namespace
