// The application object's life as the layer's WinMain runs it.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "winapp.h"

namespace {

class TestApp : public CWinApp {
public:
    BOOL InitInstance() override {
        calls.push_back("init");
        CWinApp::InitInstance();
        return onInit ? onInit() : FALSE;
    }
    int ExitInstance() override {
        calls.push_back("exit");
        return onExit ? onExit() : CWinApp::ExitInstance();
    }
    std::function<BOOL()> onInit;
    std::function<int()> onExit;
    std::vector<std::string> calls;
};

TestApp theApp;

}  // namespace

TEST(WinApp, ApplicationObjectKnowsItsNameAndArguments) {
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_STREQ("framework_unit_tests", theApp.m_pszAppName);
    EXPECT_STREQ(CommandLineArguments(GetCommandLineA()), theApp.m_lpCmdLine);
    EXPECT_NE(nullptr, strstr(theApp.m_lpCmdLine, "--gtest_filter"));   // the runner's arguments
    EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetInstanceHandle());
}

TEST(WinApp, StartUpThatReturnsFalseSkipsTheLoopAndEndsWithExitInstance) {
    theApp.calls.clear();
    theApp.onInit = [] { return FALSE; };
    theApp.onExit = [] { return 5; };
    theApp.m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
    EXPECT_EQ(5, AfxWinMain(GetModuleHandleA(nullptr), nullptr, SW_SHOW));
    std::vector<std::string> expected = {"init", "exit"};
    EXPECT_EQ(expected, theApp.calls);
}
