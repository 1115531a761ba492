// The container's side of hosting, checked by a strict test control: the
// order of creation and teardown, ambient properties, placement, events.
#include <gtest/gtest.h>
#include "fake_control.h"
#include "scripted_dialog.h"

namespace {

class HostDialog : public ScriptedDialog {
public:
    HostDialog() : ScriptedDialog(100) { AfxEnableControlContainer(); }
    void OnFakeEvent(BSTR text) { events.push_back(CString(text).str()); }
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
