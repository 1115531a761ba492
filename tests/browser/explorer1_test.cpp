// The browser wrapper over Wine's own WebBrowser control, hosted from dialog
// template 102: calls reach the control, and a wrapper without one ignores them.
#include "browser/explorer1.h"

#include "resource.h"
#include "test_httpd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The smallest window that binds a wrapper to control 1001 of a template.
class CBrowserHost : public CDialogEx {
public:
    CBrowserHost() : CDialogEx(IDD_VORN_LOGIN_DIALOG) {}
    CExplorer1 m_explorer;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialogEx::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_EXPLORER1, m_explorer);
    }
};

// Runs the thread's messages until done() or the time is up.
template <class F>
bool PumpUntil(F done, DWORD timeoutMs) {
    const DWORD deadline = GetTickCount() + timeoutMs;
    while (!done()) {
        if (GetTickCount() > deadline) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return true;
}

bool SawRequestFor(support::TestHttpd& server, const std::string& path) {
    for (const auto& request : server.Requests()) {
        if (request.line.find("GET " + path) == 0) return true;
    }
    return false;
}

// The control's own Silent property, read past the wrapper (the program never reads it).
bool SilentOf(CExplorer1& explorer) {
    IDispatch* control = explorer.m_pCtrlSite ? explorer.m_pCtrlSite->GetControlDispatch() : nullptr;
    ScopedVariant value;
    DISPPARAMS none{};
    return control &&
           SUCCEEDED(control->Invoke(0x227, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.Get(),
                                     nullptr, nullptr)) &&
           value.Get()->vt == VT_BOOL && value.Get()->boolVal != VARIANT_FALSE;
}

void CallEveryOperation(CExplorer1& explorer, const std::string& url) {
    explorer.put_Silent(TRUE);
    explorer.Navigate(url.c_str(), nullptr, nullptr, nullptr, nullptr);
    explorer.Refresh();
    explorer.Stop();
}

class Explorer1 : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // These cases are about Wine's own control: where the test run has the
        // stand-in registered in its place, it hands out the stock control.
        SetEnvironmentVariableA("VORN_STANDIN_USE_STOCK", "1");
        AfxEnableControlContainer();
    }
};

}  // namespace

TEST_F(Explorer1, WrapperWithoutAControlIgnoresEveryCall) {
    support::TestHttpd server(support::TestHttpd::Port(11));
    ASSERT_TRUE(server.ok()) << server.error();
    const std::string url = server.Url("/never");

    CExplorer1 unbound;
    EXPECT_NO_THROW(CallEveryOperation(unbound, url));

    // Bound to a window that is no ActiveX control: still no site.
    HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CExplorer1 onPlainWindow;
    ASSERT_TRUE(onPlainWindow.SubclassWindow(plain));
    EXPECT_EQ(nullptr, onPlainWindow.m_pCtrlSite);
    EXPECT_NO_THROW(CallEveryOperation(onPlainWindow, url));
    onPlainWindow.DestroyWindow();

    // A real control's request, started after those calls, marks the moment
    // by which any request of theirs would have arrived.
    ASSERT_TRUE(server.Route("/marker", 200, "<html><body>marker</body></html>"));
    CBrowserHost host;
    ASSERT_TRUE(host.Create(IDD_VORN_LOGIN_DIALOG));
    host.m_explorer.Navigate(server.Url("/marker").c_str(), nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return SawRequestFor(server, "/marker"); }, 10000));
    host.DestroyWindow();
    EXPECT_FALSE(SawRequestFor(server, "/never"));
}

TEST_F(Explorer1, HostedControlIsBoundAndTakesSilentAndNavigate) {
    support::TestHttpd server(support::TestHttpd::Port(12));
    ASSERT_TRUE(server.ok()) << server.error();
    ASSERT_TRUE(server.Route("/launcher/", 200, "<html><body>launcher</body></html>"));

    CBrowserHost host;
    ASSERT_TRUE(host.Create(IDD_VORN_LOGIN_DIALOG));
    ASSERT_NE(nullptr, host.m_explorer.GetSafeHwnd());
    ASSERT_NE(nullptr, host.m_explorer.m_pCtrlSite);
    EXPECT_TRUE(IsChild(host.m_hWnd, host.m_explorer.GetSafeHwnd()));

    host.m_explorer.put_Silent(TRUE);
    EXPECT_TRUE(SilentOf(host.m_explorer));
    host.m_explorer.put_Silent(FALSE);
    EXPECT_FALSE(SilentOf(host.m_explorer));

    host.m_explorer.Navigate(server.Url("/launcher/").c_str(), nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return SawRequestFor(server, "/launcher/"); }, 10000));
    EXPECT_NO_THROW(host.m_explorer.Stop());
    // Wine's control has no document to reload (no Gecko): its refusal comes
    // back as the framework's automation exception, so the call reached it.
    EXPECT_THROW(host.m_explorer.Refresh(), CException);

    host.DestroyWindow();
    EXPECT_EQ(nullptr, host.m_explorer.GetSafeHwnd());
}

TEST(Explorer1Clsid, IsTheWebBrowserControl) {
    CLSID expected;
    ASSERT_EQ(NOERROR, CLSIDFromString(L"{8856F961-340A-11D0-A96B-00C04FD705A2}", &expected));
    EXPECT_TRUE(IsEqualCLSID(expected, CExplorer1::GetClsid()));
}
