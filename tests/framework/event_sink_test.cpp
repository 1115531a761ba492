// Event arguments as the WebBrowser passes them (reversed, by reference),
// routed through the event-sink table to the handlers' parameter shapes.
#include <gtest/gtest.h>
#include "fake_dispatch.h"
#include "wnd.h"

namespace {

class EventWindow : public CWnd {
public:
    void OnBeforeNavigate2(LPDISPATCH pDisp, VARIANT* url, VARIANT* flags, VARIANT* frame, VARIANT* post,
                           VARIANT* headers, BOOL* cancel) {
        seenDisp = pDisp;
        seenUrl = url && url->vt == VT_BSTR ? CString(url->bstrVal) : CString("?");
        seenFrame = frame;
        (void)flags; (void)post; (void)headers;
        seenCancel = *cancel;
        *cancel = cancelIt;
    }
    void OnNavigateComplete2(LPDISPATCH pDisp, VARIANT* url) {
        seenDisp = pDisp;
        seenUrlVariant = url;
        ++completes;
    }

    const EventSinkMap* GetEventSinkMap() const override {
        static const EventSinkEntry entries[] = {
            MapEvent(1001, 250, &EventWindow::OnBeforeNavigate2),
            MapEvent(1001, 252, &EventWindow::OnNavigateComplete2),
        };
        static const EventSinkMap map(entries);
        return &map;
    }

    LPDISPATCH seenDisp = nullptr;
    CString seenUrl;
    VARIANT* seenFrame = nullptr;
    VARIANT* seenUrlVariant = nullptr;
    BOOL seenCancel = -1;
    BOOL cancelIt = FALSE;
    int completes = 0;
};

// The control's own argument variants for one BeforeNavigate2.
struct BeforeNavigateArgs {
    BeforeNavigateArgs() {
        url.vt = VT_BSTR;
        url.bstrVal = SysAllocString(L"http://127.0.0.1/x");
        for (VARIANT* v : {&flags, &frame, &post, &headers}) VariantInit(v);
        VARIANT* refs[] = {&url, &flags, &frame, &post, &headers};
        // rgvarg[0] is the last parameter (Cancel), rgvarg[6] the first (pDisp).
        args[0].vt = VT_BYREF | VT_BOOL;
        args[0].pboolVal = &cancel;
        for (int i = 0; i < 5; ++i) {
            args[5 - i].vt = VT_BYREF | VT_VARIANT;
            args[5 - i].pvarVal = refs[i];
        }
        args[6].vt = VT_DISPATCH;
        args[6].pdispVal = &frameObject;
        params.rgvarg = args;
        params.cArgs = 7;
    }
    ~BeforeNavigateArgs() { VariantClear(&url); }
    FakeDispatch frameObject;
    VARIANT url, flags, frame, post, headers;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[7];
    DISPPARAMS params{};
};

}  // namespace

TEST(EventSink, TableFindsHandlersByControlAndDispatchId) {
    EventWindow w;
    const EventSinkMap* map = w.GetEventSinkMap();
    EXPECT_TRUE(map->HasControl(1001));
    EXPECT_FALSE(map->HasControl(1002));
    EXPECT_NE(nullptr, map->Find(1001, 252));
    EXPECT_EQ(nullptr, map->Find(1001, 259));
    EXPECT_EQ(nullptr, map->Find(1002, 252));
}

TEST(EventSink, BeforeNavigate2GetsItsArgumentsInOrderAndCancelGoesBack) {
    EventWindow w;
    BeforeNavigateArgs a;
    const EventSinkEntry* entry = w.GetEventSinkMap()->Find(1001, 250);
    w.cancelIt = TRUE;
    EXPECT_EQ(S_OK, entry->thunk(&w, entry->handler, &a.params));
    EXPECT_EQ(&a.frameObject, w.seenDisp);
    EXPECT_EQ("http://127.0.0.1/x", w.seenUrl);
    EXPECT_EQ(&a.frame, w.seenFrame);   // the control's own VARIANT, seen through the reference
    EXPECT_FALSE(w.seenCancel);
    EXPECT_EQ(VARIANT_TRUE, a.cancel);

    w.cancelIt = FALSE;
    EXPECT_EQ(S_OK, entry->thunk(&w, entry->handler, &a.params));
    EXPECT_TRUE(w.seenCancel);   // read the caller's TRUE
    EXPECT_EQ(VARIANT_FALSE, a.cancel);
}

TEST(EventSink, TooFewArgumentsReachNoHandler) {
    EventWindow w;
    BeforeNavigateArgs a;
    a.params.cArgs = 1;
    const EventSinkEntry* entry = w.GetEventSinkMap()->Find(1001, 252);
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, entry->thunk(&w, entry->handler, &a.params));
    EXPECT_EQ(0, w.completes);
}

TEST(EventSink, NavigateComplete2WithAUrlByValue) {
    EventWindow w;
    FakeDispatch frame;
    VARIANT args[2];
    args[0].vt = VT_BSTR;   // some controls pass the URL by value
    args[0].bstrVal = SysAllocString(L"about:blank");
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = &frame;
    DISPPARAMS params{args, nullptr, 2, 0};
    const EventSinkEntry* entry = w.GetEventSinkMap()->Find(1001, 252);
    EXPECT_EQ(S_OK, entry->thunk(&w, entry->handler, &params));
    EXPECT_EQ(1, w.completes);
    EXPECT_EQ(&frame, w.seenDisp);
    EXPECT_EQ(&args[0], w.seenUrlVariant);
    args[1].vt = VT_I4;   // not a dispatch pointer
    EXPECT_EQ(DISP_E_TYPEMISMATCH, entry->thunk(&w, entry->handler, &params));
    EXPECT_EQ(1, w.completes);
    VariantClear(&args[0]);
}
