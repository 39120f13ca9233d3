#include "shell/logon.h"

#include <gtest/gtest.h>

#include "support/local_time.h"

#include <string>

#include "resources/resource_ids.h"

namespace {

// The skip flags as the server sends them: long[200] at 11738, entry n-1 for associate n.
void Skip(TerminalConfig& c, int n, std::int32_t flag = 1) { c.SetInt32(11738 + 4 * (n - 1), flag); }

TerminalConfig WithDefaultNames() {
    TerminalConfig c;
    FillDefaultAssociateNames(c);
    return c;
}

LogonState Pressed(std::initializer_list<int> buttons, const TerminalConfig& c = TerminalConfig{}) {
    LogonState s;
    for (int id : buttons) EXPECT_TRUE(ApplyLogonButton(s, c, id)) << id;
    return s;
}

TEST(LogonSelection, UpAndDownWrapRoundOneToNinetyNine) {
    const TerminalConfig c;
    EXPECT_EQ(NextAssociate(c, 1), 2);
    EXPECT_EQ(NextAssociate(c, 98), 99);
    EXPECT_EQ(NextAssociate(c, 99), 1);
    EXPECT_EQ(PreviousAssociate(c, 2), 1);
    EXPECT_EQ(PreviousAssociate(c, 1), 99);
    EXPECT_EQ(PreviousAssociate(c, 99), 98);
}

TEST(LogonSelection, SkippedAssociatesArePassedOver) {
    TerminalConfig c;
    Skip(c, 99);
    Skip(c, 98, -1);  // any non-zero value skips
    EXPECT_EQ(PreviousAssociate(c, 1), 97);
    EXPECT_EQ(NextAssociate(c, 97), 1);

    Skip(c, 1);
    Skip(c, 2);
    EXPECT_EQ(NextAssociate(c, 97), 3);
    EXPECT_EQ(PreviousAssociate(c, 3), 97);

    Skip(c, 2, 0);
    EXPECT_EQ(NextAssociate(c, 97), 2);
    EXPECT_TRUE(AssociateSkipped(c, 1));
    EXPECT_FALSE(AssociateSkipped(c, 2));
}

TEST(LogonSelection, FlagsBeyondAssociate99DoNotMatter) {
    TerminalConfig c;
    Skip(c, 100);  // entry 99 of the flags
    Skip(c, 101);
    EXPECT_EQ(NextAssociate(c, 99), 1);
    EXPECT_EQ(PreviousAssociate(c, 1), 99);
    EXPECT_FALSE(AssociateSkipped(c, 100));
}

TEST(LogonSelection, WhenEveryoneIsSkippedTheShownAssociateStays) {
    TerminalConfig c;
    for (int n = 1; n <= 99; ++n) Skip(c, n);
    for (int shown : {1, 50, 99}) {
        EXPECT_EQ(NextAssociate(c, shown), shown);
        EXPECT_EQ(PreviousAssociate(c, shown), shown);
    }
    // The only one left comes round again from wherever the selection is.
    Skip(c, 40, 0);
    EXPECT_EQ(NextAssociate(c, 40), 40);
    EXPECT_EQ(NextAssociate(c, 1), 40);
    EXPECT_EQ(PreviousAssociate(c, 1), 40);
}

TEST(LogonSelection, UpAndDownButtonsMoveTheSelection) {
    TerminalConfig c;
    Skip(c, 99);
    EXPECT_EQ(Pressed({IDC_LOGON_UP}, c).selected, 98);
    EXPECT_EQ(Pressed({IDC_LOGON_DOWN, IDC_LOGON_DOWN}, c).selected, 3);
    EXPECT_EQ(Pressed({IDC_LOGON_UP, IDC_LOGON_DOWN}, c).selected, 1);
}

TEST(LogonSelection, UserFieldShowsNumberAndName) {
    TerminalConfig c = WithDefaultNames();
    EXPECT_EQ(ShownAssociate(c, 1), "1 Administrator");
    EXPECT_EQ(ShownAssociate(c, 3), "3 Associate 3");
    c.SetAssociateName(42, "");
    EXPECT_EQ(ShownAssociate(c, 42), "42 ");
}

TEST(LogonKeypad, ButtonsTypeTheirDigitsWithFiveAndSixSwapped) {
    const LogonState s = Pressed({IDC_LOGON_KEY_1, IDC_LOGON_KEY_2, IDC_LOGON_KEY_3, IDC_LOGON_KEY_4, 2407, 2406,
                                  IDC_LOGON_KEY_7, IDC_LOGON_KEY_8, IDC_LOGON_KEY_9});
    EXPECT_EQ(s.password, "123456789");
    EXPECT_EQ(s.selected, 1);
    EXPECT_EQ(Pressed({2412}).password, "0");
}

TEST(LogonKeypad, NineDigitsAreKeptAndATenthIsNot) {
    LogonState s;
    s.password = "12345678";
    ApplyLogonButton(s, TerminalConfig{}, IDC_LOGON_KEY_9);
    EXPECT_EQ(s.password, "123456789");
    ApplyLogonButton(s, TerminalConfig{}, IDC_LOGON_KEY_0);
    EXPECT_EQ(s.password, "123456789");
}

TEST(LogonKeypad, ClearEmptiesAndEraseRemovesTheLastCharacter) {
    EXPECT_EQ(Pressed({IDC_LOGON_KEY_1, IDC_LOGON_KEY_2, IDC_LOGON_ERASE}).password, "1");
    EXPECT_EQ(Pressed({IDC_LOGON_KEY_1, IDC_LOGON_KEY_2, IDC_LOGON_CLEAR}).password, "");
    EXPECT_EQ(Pressed({IDC_LOGON_ERASE}).password, "");
    EXPECT_EQ(Pressed({IDC_LOGON_CLEAR, IDC_LOGON_ERASE, IDC_LOGON_KEY_3}).password, "3");
}

TEST(LogonKeypad, OtherControlsAreNotButtonsOfTheKeypad) {
    LogonState s;
    s.selected = 7;
    s.password = "42";
    for (int id : {1, 2, IDC_EDIT1, IDC_EDIT2, 2399, 2414}) {  // 1 and 2: OK and Cancel
        EXPECT_FALSE(ApplyLogonButton(s, TerminalConfig{}, id)) << id;
        EXPECT_EQ(LogonKeypadDigit(id), 0) << id;
    }
    EXPECT_EQ(s.selected, 7);
    EXPECT_EQ(s.password, "42");
}

TEST(LogonCheck, TheNumberIsReadFromTheStartOfTheUserField) {
    EXPECT_EQ(ParseShownAssociate("3 Associate 3"), 3);
    EXPECT_EQ(ParseShownAssociate("12 Associ"), 12);
    EXPECT_EQ(ParseShownAssociate("  7 x"), 7);
    EXPECT_EQ(ParseShownAssociate("-5 x"), -5);
    EXPECT_EQ(ParseShownAssociate("Admin"), 0);
    EXPECT_EQ(ParseShownAssociate(""), 0);
    EXPECT_EQ(ParseShownAssociate("99999999999999"), 1000000000);
}

TEST(LogonCheck, PasswordMustMatchExactly) {
    TerminalConfig c = WithDefaultNames();
    c.SetAssociatePassword(3, "1234");
    EXPECT_TRUE(LogonAccepted(c, 3, "1234"));
    for (const char* wrong : {"123", "12345", "1234 ", "", "4321"}) EXPECT_FALSE(LogonAccepted(c, 3, wrong)) << wrong;

    c.SetAssociatePassword(5, "Ab9");
    EXPECT_TRUE(LogonAccepted(c, 5, "Ab9"));
    EXPECT_FALSE(LogonAccepted(c, 5, "ab9"));
}

TEST(LogonCheck, PasswordsAreStoredOneEntryOnFromTheNames) {
    // Associate n's password is entry n of char[10] x 100 at 10110.
    TerminalConfig c;
    c.SetText(10110 + 10 * 4, 10, "777");
    EXPECT_TRUE(LogonAccepted(c, 4, "777"));
    EXPECT_FALSE(LogonAccepted(c, 3, "777"));
    EXPECT_FALSE(LogonAccepted(c, 5, "777"));
}

TEST(LogonCheck, EmptyMatchesEmptyAndOnlyNumbersOneToNinetyNineLogOn) {
    const TerminalConfig c;
    EXPECT_TRUE(LogonAccepted(c, 1, ""));
    EXPECT_TRUE(LogonAccepted(c, 99, ""));
    EXPECT_FALSE(LogonAccepted(c, 1, "0"));
    for (int number : {0, 100, -1, 1000000000}) EXPECT_FALSE(LogonAccepted(c, number, "")) << number;
}

TEST(LogonRecord, LogonTimeGoesToEntriesTenToFourteenOfTheTimes) {
    TerminalConfig c;
    c.SetSaveTime(At(2020, 2, 3, 4, 5));
    StoreLogonTime(c, At(2027, 11, 30, 23, 58));
    const std::int32_t expected[5] = {58, 23, 30, 11, 2027};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(c.Int32(3832 + 4 * (10 + i)), expected[i]) << i;
    EXPECT_EQ(c.Int32(3832), 5);  // the save time is another field
    EXPECT_EQ(c.Int32(3832 + 4 * 9), 0);
    EXPECT_EQ(c.Int32(3832 + 4 * 15), 0);
}

TEST(LogonRecord, LogLineAndTitleTexts) {
    const TerminalConfig c = WithDefaultNames();
    const LogEntry entry = LogonEntry(At(2027, 1, 5, 9, 7), 3, c.AssociateName(3));
    ASSERT_EQ(entry.size(), 1u);
    EXPECT_EQ(entry[0], "\r\n09:07 05/01/2027  User 3, Associate 3, logged on.\r\n");
    EXPECT_EQ(LogonEntry(At(2026, 12, 31, 23, 59), 99, "")[0],
              "\r\n23:59 31/12/2026  User 99, , logged on.\r\n");

    EXPECT_EQ(LogonTitle(3, c.AssociateName(3)), "VARENKO    Assoc: 3, Associate 3");
    EXPECT_EQ(LogonTitle(1, "Administrator"), "VARENKO    Assoc: 1, Administrator");
    // Names are text, never a format.
    EXPECT_EQ(LogonTitle(2, "%s%d%n"), "VARENKO    Assoc: 2, %s%d%n");
    EXPECT_EQ(LogonEntry(At(2027, 1, 5, 9, 7), 2, "%s%n")[0],
              "\r\n09:07 05/01/2027  User 2, %s%n, logged on.\r\n");
}

}  // namespace
