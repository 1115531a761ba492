// Hosting Wine's own WebBrowser control from a dialog template: creation and
// in-place activation, placement, automation calls reaching the control and
// the local HTTP server, events, errors, teardown.
#include <gtest/gtest.h>
#include <algorithm>
#include "scripted_dialog.h"
#include "test_browser.h"
#include "test_httpd.h"

namespace {

class BrowserDialog : public ScriptedDialog {
public:
    explicit BrowserDialog(UINT id = 101) : ScriptedDialog(id) { AfxEnableControlContainer(); }

    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 1001, m_browser); }

    void OnBeforeNavigate2(LPDISPATCH, VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*, BOOL* cancel) {
        CString text(url && url->vt == VT_BSTR ? CString(url->bstrVal) : CString());
        beforeNavigate.push_back(text.str());
        if (text.str().find("cancelled") != std::string::npos) *cancel = TRUE;
    }
    const EventSinkMap* GetEventSinkMap() const override {
        static const EventSinkEntry entries[] = {MapEvent(1001, 250, &BrowserDialog::OnBeforeNavigate2)};
        static const EventSinkMap map(entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override {
        static const MessageEntry entries[] = {MapMessage(WM_APP + 2, &BrowserDialog::OnBadCall)};
        static const MessageMap map(ScriptedDialog::GetMessageMap(), entries);
        return &map;
    }
    // An automation call that fails, made where nobody catches.
    LRESULT OnBadCall(WPARAM, LPARAM) {
        m_browser.InvokeHelper(0x7777, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        return 0;
    }

    TestBrowser m_browser;
    std::vector<std::string> beforeNavigate;
};

RECT ClientRectOf(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool Requested(support::TestHttpd& server, const std::string& path) {
    auto log = server.Requests();
    return std::any_of(log.begin(), log.end(),
                       [&](const support::HttpRequestSeen& r) { return r.line.find("GET " + path + " ") == 0; });
}

}  // namespace

TEST(ActiveX, WebBrowserIsActiveInPlaceAtItsTemplatePlaceAndMovesWithItsWrapper) {
    BrowserDialog dlg;
    dlg.steps = {[&](ScriptedDialog&) {
        HWND browser = dlg.m_browser.m_hWnd;
        EXPECT_NE(nullptr, browser);
        EXPECT_EQ(dlg.m_hWnd, ::GetParent(browser));
        EXPECT_EQ(1001, ::GetDlgCtrlID(browser));
        EXPECT_EQ(browser, ::GetDlgItem(dlg.m_hWnd, 1001));
        EXPECT_TRUE(::IsWindowVisible(browser));
        COleControlSite* site = dlg.m_browser.m_pCtrlSite;
        EXPECT_NE(nullptr, site);
        if (site) {
            EXPECT_TRUE(site->m_bInPlaceActive);
        }
        RECT expected = {10, 10, 160, 110};
        MapDialogRect(dlg.m_hWnd, &expected);
        RECT actual = ClientRectOf(browser);
        EXPECT_TRUE(EqualRect(&expected, &actual))
            << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
        // Template order is the z-order: the image button, then the browser.
        EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, 1006), ::GetWindow(dlg.m_hWnd, GW_CHILD));
        EXPECT_EQ(browser, ::GetWindow(::GetDlgItem(dlg.m_hWnd, 1006), GW_HWNDNEXT));

        dlg.m_browser.MoveWindow(5, 6, 200, 100);
        actual = ClientRectOf(browser);
        RECT moved = {5, 6, 205, 106};
        EXPECT_TRUE(EqualRect(&moved, &actual));
        dlg.m_browser.SetWindowPos(nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);
        actual = ClientRectOf(browser);
        RECT sized = {5, 6, 125, 96};
        EXPECT_TRUE(EqualRect(&sized, &actual));
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
}

TEST(ActiveX, HiddenControlOfAnOldStyleTemplate) {
    BrowserDialog dlg(102);
    dlg.steps = {[&](ScriptedDialog&) {
        EXPECT_NE(nullptr, dlg.m_browser.m_hWnd);
        EXPECT_FALSE(::IsWindowVisible(dlg.m_browser.m_hWnd));
        EXPECT_NE(nullptr, ::GetDlgItem(dlg.m_hWnd, 0xFFFF));   // the label is still there
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
}

TEST(ActiveX, AnOrdinaryControlThatCannotBeCreatedStillFailsTheDialog) {
    BrowserDialog modal(104);
    modal.steps = {[&](ScriptedDialog&) { modal.EndDialog(1); return true; }};
    EXPECT_EQ(-1, modal.DoModal());
    EXPECT_EQ(nullptr, modal.m_hWnd);
    BrowserDialog modeless(104);
    EXPECT_FALSE(modeless.Create(104));
    EXPECT_EQ(nullptr, modeless.m_hWnd);
    EXPECT_EQ(nullptr, modeless.m_browser.m_hWnd);
}

TEST(ActiveX, NavigateReachesTheServerAndBeforeNavigate2CanCancel) {
    support::TestHttpd server(support::TestHttpd::Port(11));
    ASSERT_TRUE(server.ok()) << server.error();
    ASSERT_TRUE(server.Route("/page", 200, "<html><body>page</body></html>", "length", {"Content-Type: text/html"}));
    ASSERT_TRUE(server.Route("/cancelled", 200, "<html></html>", "length", {"Content-Type: text/html"}));
    const std::string page = server.Url("/page"), cancelled = server.Url("/cancelled");
    BrowserDialog dlg;
    dlg.steps = {
        [&](ScriptedDialog&) { dlg.m_browser.Navigate(cancelled.c_str()); return true; },
        [&](ScriptedDialog&) { dlg.m_browser.Navigate(page.c_str()); return true; },
        [&](ScriptedDialog&) { return Requested(server, "/page"); },
        [&](ScriptedDialog&) { dlg.EndDialog(1); return true; },
    };
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_FALSE(dlg.timedOut);
    EXPECT_FALSE(Requested(server, "/cancelled"));
    std::vector<std::string> expected = {cancelled, page};
    EXPECT_EQ(expected, dlg.beforeNavigate);
}

TEST(ActiveX, SilentStopAndRefreshReachTheControl) {
    support::TestHttpd server(support::TestHttpd::Port(12));
    ASSERT_TRUE(server.ok()) << server.error();
    ASSERT_TRUE(server.Route("/page", 200, "<html>x</html>", "length", {"Content-Type: text/html"}));
    const std::string page = server.Url("/page");
    BrowserDialog dlg;
    HRESULT refreshAnswer = S_OK;
    dlg.steps = {
        [&](ScriptedDialog&) {
            dlg.m_browser.put_Silent(TRUE);
            EXPECT_TRUE(dlg.m_browser.get_Silent());
            dlg.m_browser.put_Silent(FALSE);
            EXPECT_FALSE(dlg.m_browser.get_Silent());
            dlg.m_browser.Navigate(page.c_str());
            return true;
        },
        [&](ScriptedDialog&) { return Requested(server, "/page"); },
        [&](ScriptedDialog&) {
            dlg.m_browser.Stop();
            // Without Gecko, Wine's control has no document to reload and says so
            // itself (DISP_E_EXCEPTION); a call that missed it would be
            // DISP_E_MEMBERNOTFOUND, a COleException.
            try {
                dlg.m_browser.Refresh();
            } catch (const COleDispatchException& e) {
                refreshAnswer = e.m_scError;
            } catch (const COleException& e) {
                refreshAnswer = e.m_sc;
            }
            return true;
        },
        [&](ScriptedDialog&) { dlg.EndDialog(1); return true; },
    };
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_FALSE(dlg.timedOut);
    EXPECT_TRUE(refreshAnswer == S_OK || refreshAnswer == E_FAIL) << std::hex << refreshAnswer;
}

TEST(ActiveX, FailingCallRaisesOleExceptionAndUncaughtItShowsTheMessageBox) {
    BrowserDialog dlg;
    HRESULT caught = S_OK;
    std::string boxText;
    dlg.steps = {
        [&](ScriptedDialog&) {
            try {
                dlg.m_browser.InvokeHelper(0x7777, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
            } catch (const COleException& e) {
                caught = e.m_sc;
            }
            return true;
        },
        [&](ScriptedDialog&) {
            MessageBoxWatcher watcher(AfxGetApp()->m_pszAppName);
            ::SendMessageA(dlg.m_hWnd, WM_APP + 2, 0, 0);
            boxText = watcher.Text();
            return true;
        },
        [&](ScriptedDialog&) { dlg.EndDialog(1); return true; },
    };
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, caught);
    EXPECT_NE(std::string::npos, boxText.find("0x80020003")) << boxText;
}

TEST(ActiveX, WrapperWithoutAControlIgnoresEveryCall) {
    AfxEnableControlContainer();
    TestBrowser unattached;
    unattached.put_Silent(TRUE);
    unattached.Navigate("http://127.0.0.1:1/");
    unattached.Refresh();
    unattached.Stop();
    unattached.MoveWindow(0, 0, 10, 10);
    EXPECT_EQ(7, unattached.get_Silent());
    EXPECT_EQ("(none)", unattached.get_LocationURL());
    EXPECT_EQ(nullptr, unattached.m_pCtrlSite);
}

TEST(ActiveX, TeardownLeavesNoReferenceOnTheSite) {
    BrowserDialog dlg;
    COleControlSite* site = nullptr;
    HWND browser = nullptr;
    dlg.steps = {[&](ScriptedDialog&) {
        site = dlg.m_browser.m_pCtrlSite;
        browser = dlg.m_browser.m_hWnd;
        if (site) site->ExternalAddRef();
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
    ASSERT_NE(nullptr, site);
    EXPECT_EQ(nullptr, dlg.m_browser.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_browser.m_pCtrlSite);
    EXPECT_FALSE(IsWindow(browser));
    EXPECT_EQ(nullptr, site->m_pObject.Get());
    // Ours is the last reference: the control and its event connection let go of theirs.
    EXPECT_EQ(0u, site->ExternalRelease());
}

TEST(ActiveX, ModelessDialogWithAControlCreatedDuringAnotherDialogsInitialisation) {
    BrowserDialog outer;
    BrowserDialog* inner = new BrowserDialog;   // lives on as the program's launcher does
    HWND innerBrowser = nullptr;
    outer.onInit = [&](ScriptedDialog&) {
        EXPECT_TRUE(inner->Create(101, &outer));
        innerBrowser = inner->m_browser.m_hWnd;
    };
    outer.steps = {[&](ScriptedDialog&) {
        EXPECT_NE(nullptr, outer.m_browser.m_hWnd);
        EXPECT_NE(nullptr, innerBrowser);
        EXPECT_NE(outer.m_browser.m_hWnd, innerBrowser);
        EXPECT_EQ(inner->m_hWnd, ::GetParent(innerBrowser));
        EXPECT_EQ(outer.m_hWnd, ::GetWindow(inner->m_hWnd, GW_OWNER));
        EXPECT_TRUE(inner->m_browser.get_Silent() == FALSE);   // its own control answers
        outer.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, outer.DoModal());
    // The owned dialog and its control went with the owner.
    EXPECT_EQ(nullptr, inner->m_hWnd);
    EXPECT_EQ(nullptr, inner->m_browser.m_pCtrlSite);
    EXPECT_FALSE(IsWindow(innerBrowser));
    delete inner;
}
