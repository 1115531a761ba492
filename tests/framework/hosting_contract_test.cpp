// The container's side of hosting, checked by a strict test control: the
// order of creation and teardown, ambient properties, placement, events.
#include <gtest/gtest.h>
#include "fake_control.h"
#include "scripted_dialog.h"
#include <docobj.h>
#include <memory>

namespace {

class HostDialog : public ScriptedDialog {
public:
    HostDialog() : ScriptedDialog(100) { AfxEnableControlContainer(); }
    void OnFakeEvent(VARIANT* text) {
        events.push_back(text && text->vt == VT_BSTR ? CString(text->bstrVal).str() : "?");
    }
    const EventSinkMap* GetEventSinkMap() const override {
        static const EventSinkEntry entries[] = {MapEvent(1500, 7, &HostDialog::OnFakeEvent)};
        static const EventSinkMap map(entries);
        return &map;
    }
    CWnd m_control;
    std::vector<std::string> events;
};

}  // namespace

TEST(HostingContract, CreationAndTeardownHappenInTheirOrder) {
    FakeControlClass registration;
    HostDialog dlg;
    HWND controlWindow = nullptr;
    dlg.steps = {[&](ScriptedDialog&) {
        RECT rc = {20, 30, 120, 80};
        EXPECT_TRUE(dlg.m_control.CreateControl(CLSID_FakeControl, nullptr, WS_CHILD | WS_VISIBLE, rc, &dlg, 1500));
        controlWindow = dlg.m_control.m_hWnd;
        EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, 1500), controlWindow);
        EXPECT_EQ(&dlg.m_control, CWnd::FromHandlePermanent(controlWindow));
        RECT placed;
        ::GetWindowRect(controlWindow, &placed);
        MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_TRUE(EqualRect(&rc, &placed));
        dlg.m_control.MoveWindow(20, 30, 60, 40);
        FireFakeEvent(L"\x4E8B\x4EF6");   // 事件
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
    std::vector<std::string> expected = {
        "SetClientSite", "usermode",   // site first (OLEMISC_SETCLIENTSITEFIRST), ambients answered
        "InitNew", "Advise", "InPlaceActivate", "DoVerb(-1)",   // OLEIVERB_SHOW for a visible control
        "SetObjectRects 60x40",
        // Teardown: deactivate while the site still works, stop events, detach, close, release.
        "InPlaceDeactivate", "Unadvise", "SetClientSite(null)", "Close(nosave)", "destroyed",
    };
    EXPECT_EQ(expected, FakeControlClass::Log());
    EXPECT_EQ(0, FakeControlClass::LiveObjects());
    std::vector<std::string> events = {"事件"};
    EXPECT_EQ(events, dlg.events);
    EXPECT_EQ(nullptr, dlg.m_control.m_hWnd);
    EXPECT_FALSE(IsWindow(controlWindow));
}

TEST(HostingContract, AControlWithoutSinkEntriesIsNotAdvised) {
    FakeControlClass registration;
    HostDialog dlg;
    dlg.steps = {[&](ScriptedDialog&) {
        RECT rc = {0, 0, 10, 10};
        EXPECT_TRUE(dlg.m_control.CreateControl(CLSID_FakeControl, nullptr, WS_CHILD, rc, &dlg, 1501));
        EXPECT_FALSE(::IsWindowVisible(dlg.m_control.m_hWnd));
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
    const auto& log = FakeControlClass::Log();
    EXPECT_EQ(log.end(), std::find(log.begin(), log.end(), "Advise"));
    EXPECT_EQ(log.end(), std::find(log.begin(), log.end(), "Unadvise"));
    EXPECT_EQ(0, FakeControlClass::LiveObjects());
}

TEST(HostingContract, TheBindingLeavesTheControlsWindowDataAloneAndGoesWithTheWrapper) {
    FakeControlClass registration;
    HostDialog dlg;
    HWND control = nullptr;
    bool stillThere = false;
    dlg.steps = {[&](ScriptedDialog&) {
        RECT rc = {0, 0, 10, 10};
        auto wrapper = std::make_unique<CWnd>();
        EXPECT_TRUE(wrapper->CreateControl(CLSID_FakeControl, nullptr, WS_CHILD, rc, &dlg, 1503));
        control = wrapper->m_hWnd;
        // A control may keep its own object in its window's user data (the
        // stand-in browser does); the binding must neither use nor need it.
        EXPECT_EQ(0, GetWindowLongPtrA(control, GWLP_USERDATA));
        SetWindowLongPtrA(control, GWLP_USERDATA, 1234);
        EXPECT_EQ(wrapper.get(), CWnd::FromHandlePermanent(control));
        wrapper.reset();   // the control stays with its site until the dialog goes
        stillThere = IsWindow(control) != FALSE;
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(control));
        EXPECT_EQ(1234, GetWindowLongPtrA(control, GWLP_USERDATA));
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_TRUE(stillThere);
    EXPECT_FALSE(IsWindow(control));
    EXPECT_EQ(0, FakeControlClass::LiveObjects());
}

namespace {

// A program's own site with one more interface, as a host UI handler is added.
class CommandSite : public COleControlSite {
public:
    explicit CommandSite(COleControlContainer* pCtrlCont) : COleControlSite(pCtrlCont) {}
    void* QueryExtraInterface(REFIID iid) override {
        if (iid == IID_IOleCommandTarget) return static_cast<IOleCommandTarget*>(&m_xCommandTarget);
        return COleControlSite::QueryExtraInterface(iid);
    }
    class XCommandTarget : public CSiteInterface<IOleCommandTarget> {
    public:
        using CSiteInterface::CSiteInterface;
        STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override { return E_NOTIMPL; }
        STDMETHODIMP Exec(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    } m_xCommandTarget{this};
};

class CommandOccManager : public COccManager {
public:
    COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override {
        ++sites;
        return new CommandSite(pCtrlCont);
    }
    int sites = 0;
};

}  // namespace

TEST(HostingContract, ADerivedSiteAddsInterfacesUnderTheSitesIdentityAndCount) {
    FakeControlClass registration;
    CommandOccManager manager;
    AfxEnableControlContainer(&manager);
    HostDialog dlg;
    AfxEnableControlContainer(&manager);   // the dialog's constructor installed the plain one
    dlg.steps = {[&](ScriptedDialog&) {
        RECT rc = {0, 0, 10, 10};
        EXPECT_TRUE(dlg.m_control.CreateControl(CLSID_FakeControl, nullptr, WS_CHILD, rc, &dlg, 1502));
        auto* site = dynamic_cast<CommandSite*>(dlg.m_control.m_pCtrlSite);
        EXPECT_NE(nullptr, site);
        if (!site) return true;
        IOleCommandTarget* target = nullptr;
        EXPECT_EQ(S_OK, site->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target)));
        if (!target) return true;
        EXPECT_EQ(static_cast<IOleCommandTarget*>(&site->m_xCommandTarget), target);
        IOleInPlaceSite* viaNested = nullptr;
        EXPECT_EQ(S_OK, target->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&viaNested)));
        EXPECT_EQ(static_cast<IOleInPlaceSite*>(site), viaNested);
        const ULONG count = site->ExternalAddRef();
        EXPECT_EQ(count + 1, target->AddRef());   // one count for all
        EXPECT_EQ(count, target->Release());
        site->ExternalRelease();
        if (viaNested) viaNested->Release();
        target->Release();
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_EQ(1, manager.sites);
    EXPECT_EQ(0, FakeControlClass::LiveObjects());
    AfxEnableControlContainer();
}
