// Window hooks on real windows: chains, removal in either order, the window's
// destruction, hooks destroyed while installed, and PassOn after a nested send.
#include "skin/subclass_wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kOther = WM_APP + 2;

// What the window's own procedure saw, in order.
std::vector<std::string> g_own;

LRESULT CALLBACK OwnProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        g_own.push_back("own " + std::to_string(wParam));
        return 100 + static_cast<LRESULT>(wParam);
    }
    if (message == kOther) {
        g_own.push_back("own other");
        return 7;
    }
    if (message == WM_NCDESTROY) g_own.push_back("own ncdestroy");
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A hook that records probes with its name and passes them on.
class Recorder : public CSubclassWnd {
public:
    Recorder(std::string name, std::vector<std::string>* log) : m_name(std::move(name)), m_log(log) {}
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbe || message == WM_NCDESTROY) m_log->push_back(m_name + " " + std::to_string(message));
        return CSubclassWnd::HandleMessage(message, wParam, lParam);
    }

private:
    std::string m_name;
    std::vector<std::string>* m_log;
};

class Hooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HookTestWindow";
        RegisterClassA(&wc);
    }
    void SetUp() override {
        g_own.clear();
        window = CreateWindowExA(0, "HookTestWindow", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
    }
    WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)); }

    HWND window = nullptr;
    std::vector<std::string> log;
};

TEST_F(Hooks, OneHookSeesMessagesAndTheWindowBehavesAsBefore) {
    Recorder a("a", &log);
    EXPECT_TRUE(a.InstallHandle(window));
    EXPECT_TRUE(a.IsInstalled());
    EXPECT_EQ(&SubclassProc, Proc());
    EXPECT_EQ(&OwnProc, a.m_pfnPrevProc);
    EXPECT_EQ(&a, CSubclassWnd::FirstHook(window));
    EXPECT_EQ(105, SendMessageA(window, kProbe, 5, 0));
    EXPECT_EQ((std::vector<std::string>{"a " + std::to_string(kProbe)}), log);
    EXPECT_EQ((std::vector<std::string>{"own 5"}), g_own);
    a.InstallHandle(nullptr);
    EXPECT_EQ(&OwnProc, Proc());
    EXPECT_EQ(nullptr, a.m_pfnPrevProc);
    EXPECT_EQ(nullptr, CSubclassWnd::FirstHook(window));
}

TEST_F(Hooks, AChainOfTwoNewestFirstRemovedOldestFirst) {
    Recorder a("a", &log), b("b", &log);
    a.InstallHandle(window);
    b.InstallHandle(window);
    EXPECT_EQ(&a, b.m_pNext);
    EXPECT_EQ(a.m_pfnPrevProc, b.m_pfnPrevProc);
    SendMessageA(window, kProbe, 1, 0);
    const std::string p = " " + std::to_string(kProbe);
    EXPECT_EQ((std::vector<std::string>{"b" + p, "a" + p}), log);

    // Taking A off leaves B passing straight to the window's own procedure.
    a.InstallHandle(nullptr);
    EXPECT_EQ(&SubclassProc, Proc());
    EXPECT_EQ(nullptr, b.m_pNext);
    log.clear();
    EXPECT_EQ(102, SendMessageA(window, kProbe, 2, 0));
    EXPECT_EQ((std::vector<std::string>{"b" + p}), log);
    b.InstallHandle(nullptr);
    EXPECT_EQ(&OwnProc, Proc());
}

TEST_F(Hooks, RemovingTheNewestFirstKeepsTheOlderOne) {
    Recorder a("a", &log), b("b", &log);
    a.InstallHandle(window);
    b.InstallHandle(window);
    b.InstallHandle(nullptr);
    EXPECT_EQ(&SubclassProc, Proc());
    EXPECT_EQ(&a, CSubclassWnd::FirstHook(window));
    SendMessageA(window, kProbe, 3, 0);
    EXPECT_EQ((std::vector<std::string>{"a " + std::to_string(kProbe)}), log);
    a.InstallHandle(nullptr);
    EXPECT_EQ(&OwnProc, Proc());
}

TEST_F(Hooks, DestroyingTheWindowTakesEveryHookOffFirst) {
    Recorder a("a", &log), b("b", &log);
    a.InstallHandle(window);
    b.InstallHandle(window);
    DestroyWindow(window);
    EXPECT_TRUE(log.empty()) << "no hook sees WM_NCDESTROY";
    EXPECT_EQ("own ncdestroy", g_own.back());
    for (Recorder* hook : {&a, &b}) {
        EXPECT_EQ(nullptr, hook->m_hTarget);
        EXPECT_EQ(nullptr, hook->m_pfnPrevProc);
        EXPECT_FALSE(hook->IsInstalled());
    }
    EXPECT_EQ(nullptr, CSubclassWnd::FirstHook(window));
}

TEST_F(Hooks, AHookDestroyedWhileInstalledComesOffItsWindow) {
    Recorder a("a", &log);
    a.InstallHandle(window);
    {
        Recorder b("b", &log);
        b.InstallHandle(window);
    }
    EXPECT_EQ(&a, CSubclassWnd::FirstHook(window));
    EXPECT_EQ(nullptr, a.m_pNext);
    {
        Recorder c("c", &log);
        a.InstallHandle(nullptr);
        c.InstallHandle(window);
    }
    EXPECT_EQ(&OwnProc, Proc());
    EXPECT_EQ(nullptr, CSubclassWnd::FirstHook(window));
    EXPECT_EQ(101, SendMessageA(window, kProbe, 1, 0));
}

// Sends another message to its own window, then forwards its own.
class Nester : public CSubclassWnd {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbe) {
            nested = SendMessageA(m_hTarget, kOther, 0, 0);
            return PassOn();
        }
        return CSubclassWnd::HandleMessage(message, wParam, lParam);
    }
    LRESULT nested = 0;
};

TEST_F(Hooks, PassOnAfterANestedSendForwardsItsOwnMessage) {
    Recorder below("below", &log);
    Nester nester;
    below.InstallHandle(window);
    nester.InstallHandle(window);
    EXPECT_EQ(109, SendMessageA(window, kProbe, 9, 0));
    EXPECT_EQ(7, nester.nested);
    EXPECT_EQ((std::vector<std::string>{"own other", "own 9"}), g_own);
    EXPECT_EQ((std::vector<std::string>{"below " + std::to_string(kProbe)}), log);
    nester.InstallHandle(nullptr);
    below.InstallHandle(nullptr);
}

}  // namespace
