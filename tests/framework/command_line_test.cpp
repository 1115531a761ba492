// The argument text after the program name, as the update step compares it.
#include <gtest/gtest.h>
#include "winapp.h"

TEST(CommandLine, ArgumentsFollowTheProgramNameAndItsBlanks) {
    EXPECT_STREQ("TRUE", CommandLineArguments("Vorn_Login.exe TRUE"));
    EXPECT_STREQ("TRUE", CommandLineArguments("\"C:\\Games\\Vorn Login.exe\"   TRUE"));
    EXPECT_STREQ("TRUE ", CommandLineArguments("Vorn_Login.exe TRUE "));   // kept: not the same text
    EXPECT_STREQ("/b_user alice /b_x 1", CommandLineArguments("C:\\a.exe /b_user alice /b_x 1"));
    EXPECT_STREQ("", CommandLineArguments("C:\\a.exe"));
    EXPECT_STREQ("", CommandLineArguments("\"C:\\a b.exe"));   // unterminated quote
    EXPECT_STREQ("", CommandLineArguments(nullptr));
}
