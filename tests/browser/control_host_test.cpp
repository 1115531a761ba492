// The browser's questions to its host, asked of the program's control site
// as the WebBrowser control asks them.
#include <gtest/gtest.h>

#include "browser/control_host.h"
#include "browser/scripting_object.h"

namespace {

CImpIDispatch* g_object = nullptr;
IDispatch* TestExternal() {
    return g_object;
}

class ControlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_object = &object;
        COleControlSite* created = manager.CreateSite(nullptr);
        site = dynamic_cast<CCustomControlSite*>(created);
        ASSERT_NE(nullptr, site);
        ASSERT_EQ(S_OK, site->ExternalQueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)));
    }
    void TearDown() override {
        if (handler) {
            handler->Release();
        }
        delete site;
        g_object = nullptr;
    }

    CImpIDispatch object;
    CCustomOccManager manager{TestExternal};
    CCustomControlSite* site = nullptr;
    IDocHostUIHandler* handler = nullptr;
};

TEST_F(ControlHostTest, HandlerSharesTheSitesIdentityAndCount) {
    IDocHostUIHandler* again = nullptr;
    ASSERT_EQ(S_OK, handler->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&again)));
    EXPECT_EQ(handler, again);
    IOleClientSite* clientSite = nullptr;
    ASSERT_EQ(S_OK, handler->QueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(&clientSite)));
    EXPECT_EQ(static_cast<IOleClientSite*>(site), clientSite);

    // One count: a reference taken through the handler shows on the site.
    const ULONG before = site->ExternalAddRef() - 1;
    site->ExternalRelease();
    EXPECT_EQ(before + 1, handler->AddRef());
    EXPECT_EQ(before, site->ExternalRelease());
    clientSite->Release();
    again->Release();
}

TEST_F(ControlHostTest, PagesGetNoMenuNoBorderNoScrollBarsAndKeepTheirKeys) {
    EXPECT_EQ(S_OK, handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, nullptr, nullptr, nullptr));
    DOCHOSTUIINFO info = {};
    info.cbSize = 1234;
    info.dwFlags = 0xFFFF0000;
    info.dwDoubleClick = 7;
    ASSERT_EQ(S_OK, handler->GetHostInfo(&info));
    EXPECT_EQ(0xCu, info.dwFlags);
    EXPECT_EQ(0u, info.dwDoubleClick);
    EXPECT_EQ(1234u, info.cbSize);
    EXPECT_EQ(S_OK, handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr));
    MSG msg = {};
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F5;
    EXPECT_EQ(S_FALSE, handler->TranslateAccelerator(&msg, nullptr, 0));
    EXPECT_EQ(E_NOTIMPL, handler->EnableModeless(TRUE));
    LPOLESTR key = reinterpret_cast<LPOLESTR>(&info);
    EXPECT_EQ(E_NOTIMPL, handler->GetOptionKeyPath(&key, 0));
    EXPECT_EQ(reinterpret_cast<LPOLESTR>(&info), key);
}

TEST_F(ControlHostTest, EveryBrowserGetsTheOneScriptingObjectWithAReference) {
    IDispatch* first = nullptr;
    IDispatch* second = nullptr;
    ASSERT_EQ(S_OK, handler->GetExternal(&first));
    CCustomControlSite other(nullptr, TestExternal);
    IDocHostUIHandler* otherHandler = static_cast<IDocHostUIHandler*>(other.QueryExtraInterface(IID_IDocHostUIHandler));
    ASSERT_NE(nullptr, otherHandler);
    ASSERT_EQ(S_OK, otherHandler->GetExternal(&second));
    EXPECT_EQ(static_cast<IDispatch*>(&object), first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(2, object.RefCount());
    first->Release();
    second->Release();
    EXPECT_EQ(0, object.RefCount());

    g_object = nullptr;  // before the application made its object: no external
    IDispatch* none = reinterpret_cast<IDispatch*>(&object);
    EXPECT_NE(S_OK, handler->GetExternal(&none));
    EXPECT_EQ(nullptr, none);
}

}  // namespace
