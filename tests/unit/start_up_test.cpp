#include "app/start_up.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(ComponentServerSwitch, EachSwitchEndsTheProgramAfterEitherLeadInAndInAnyCase) {
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe /RegServer"));
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe -regserver"));
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe /UNREGSERVER"));
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe -UnregServer"));
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe /Embedding"));
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe -automation"));
    EXPECT_TRUE(HasComponentServerSwitch("\"C:\\Program Files\\SB\\switchboard.exe\" /Automation"));
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe foo.dat\t-Embedding bar"));
    EXPECT_TRUE(HasComponentServerSwitch("switchboard.exe \"/RegServer\""));
}

TEST(ComponentServerSwitch, AnythingElseIsIgnored) {
    EXPECT_FALSE(HasComponentServerSwitch(""));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe"));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe RegServer"));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe \\RegServer"));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe /RegServers"));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe /Reg Server"));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe --RegServer"));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe / -"));
    EXPECT_FALSE(HasComponentServerSwitch("switchboard.exe \"x /Embedding\""));
}

TEST(ComponentServerSwitch, TheProgramsOwnNameIsNoSwitch) {
    EXPECT_FALSE(HasComponentServerSwitch("-Embedding"));
    EXPECT_FALSE(HasComponentServerSwitch("\"/Automation\" foo"));
    EXPECT_TRUE(HasComponentServerSwitch("-Embedding -Embedding"));
}

TEST(ApplicationName, IsTheFileNameWithoutFolderAndExtension) {
    EXPECT_EQ(ApplicationName("C:\\Program Files\\SB\\switchboard.exe"), "switchboard");
    EXPECT_EQ(ApplicationName("Z:\\work\\build\\app\\Switchboard Copy.EXE"), "Switchboard Copy");
    EXPECT_EQ(ApplicationName("C:\\a.b\\panel.v2.exe"), "panel.v2");
    EXPECT_EQ(ApplicationName("C:\\tools\\スイッチボード.exe"), "スイッチボード");
    EXPECT_EQ(ApplicationName("switchboard.exe"), "switchboard");
    EXPECT_EQ(ApplicationName("C:\\bin\\switchboard"), "switchboard");
    EXPECT_EQ(ApplicationName("/usr/lib/switchboard.exe"), "switchboard");
}

} // namespace
} // namespace sb
