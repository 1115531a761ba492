// The control as a container meets it: creation through the WebBrowser class
// id, in-place activation, the dispatch ids, the events and their shapes,
// frames, and teardown.
#include <olectl.h>

#include "fixture.h"

namespace standin_test {
namespace {

constexpr DISPID kBeforeNavigate2 = 250, kNavigateComplete2 = 252, kDocumentComplete = 259, kNavigateError = 271;

IDispatch* DispatchOf(IOleObject* control) {
    ComPtr<IDispatch> disp;
    control->QueryInterface(IID_IDispatch, disp.OutVoid());
    return disp.Get();  // identity only; the control keeps it alive
}

std::vector<std::string> NavigationEvents(const EventSink& sink, const std::wstring& base) {
    std::vector<std::string> out;
    for (const auto& e : sink.events) {
        const char* name = e.id == kBeforeNavigate2 ? "BN2" : e.id == kNavigateComplete2 ? "NC2"
                         : e.id == kDocumentComplete ? "DC" : nullptr;
        if (name) out.push_back(std::string(name) + " " + standin::Utf8(e.url.substr(base.size())));
    }
    return out;
}

using StandinControl = StandinTest;

TEST_F(StandinControl, IsCreatedThroughTheWebBrowserClassWithTheContainerInterfaces) {
    ASSERT_EQ(S_OK, host->Create());
    ASSERT_FALSE(host->log.Find("created").empty()) << "the stand-in is not registered for the WebBrowser class";
    for (REFIID iid : {IID_IOleInPlaceObject, IID_IOleInPlaceActiveObject, IID_IPersistStreamInit, IID_IViewObject2,
                       IID_IOleControl, IID_IConnectionPointContainer, IID_IDispatch}) {
        ComPtr<IUnknown> itf;
        EXPECT_EQ(S_OK, host->control->QueryInterface(iid, itf.OutVoid()));
    }
    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(S_OK, host->control.As(&info));
    GUID events = {};
    EXPECT_EQ(S_OK, info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events));
    EXPECT_TRUE(IsEqualGUID(DIID_DWebBrowserEvents2, events));
    ComPtr<IUnknown> typed;
    EXPECT_EQ(E_NOINTERFACE, host->control->QueryInterface(IID_IWebBrowser2, typed.OutVoid()));

    // The persisted state a dialog template carries is read, whatever it holds.
    ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(S_OK, host->control.As(&persist));
    EXPECT_EQ(S_OK, persist->InitNew());
    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()));
    const char state[40] = "persisted control state";
    stream->Write(state, sizeof state, nullptr);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(S_OK, persist->Load(stream.Get()));
    EXPECT_EQ(1u, host->log.Find("persist", {{"op", "Load"}, {"bytes", "40"}}).size());
    EXPECT_EQ(1u, host->log.Find("persist", {{"op", "InitNew"}}).size());
}

TEST_F(StandinControl, RefusesActivationWithoutASiteOrItsConsent) {
    ASSERT_EQ(S_OK, host->Create());
    EXPECT_TRUE(FAILED(host->Activate()));
    EXPECT_EQ(nullptr, host->ControlWindow());

    host->site.canActivate = S_FALSE;
    ASSERT_EQ(S_OK, host->Attach());
    EXPECT_TRUE(FAILED(host->Activate()));
    EXPECT_EQ(nullptr, host->ControlWindow());
    EXPECT_EQ(0, host->site.calls["OnInPlaceActivate"]);
    EXPECT_EQ(1u, host->log.Find("inplace", {{"step", "refused"}, {"why", "no-client-site"}}).size());
}

TEST_F(StandinControl, NavigateBeforeActivationWaitsUntilActivated) {
    Page("/start.html", "<title>Start</title><p>hello</p>");
    ASSERT_EQ(S_OK, host->Create());
    ASSERT_EQ(S_OK, host->Attach());
    ASSERT_EQ(S_OK, host->Advise(&host->sink, &host->cookie));
    ASSERT_EQ(S_OK, host->Navigate(Url("/start.html")));
    ASSERT_TRUE(host->PumpPosted());
    EXPECT_TRUE(host->sink.events.empty());
    EXPECT_EQ(0, RequestsFor("/start.html"));
    EXPECT_EQ(1u, host->log.Find("navigate", {{"result", "queued-until-active"}}).size());

    ASSERT_EQ(S_OK, host->Activate());
    for (const char* step : {"CanInPlaceActivate", "OnInPlaceActivate", "GetWindowContext"})
        EXPECT_EQ(1, host->site.calls[step]) << step;
    HWND hwnd = host->ControlWindow();
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(host->window, GetParent(hwnd));
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(host->site.pos.right - host->site.pos.left, r.right - r.left);
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/start.html"));
    EXPECT_EQ(1, RequestsFor("/start.html"));
}

TEST_F(StandinControl, NavigateReturnsAtOnceAndEventsHaveTheRealShapes) {
    Page("/a.html", "<title>A</title><p>page a</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_EQ(S_OK, host->Navigate(Url("/a.html")));
    EXPECT_TRUE(host->sink.events.empty()) << "events must come from the message loop, not from inside Navigate";
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/a.html"));

    auto before = host->sink.Of(kBeforeNavigate2);
    ASSERT_EQ(1u, before.size());
    // rgvarg reversed: Cancel, Headers, PostData, TargetFrameName, Flags, URL, pDisp.
    EXPECT_EQ("400b 400c 400c 400c 400c 400c 9", before[0].shape);
    EXPECT_EQ(Url("/a.html"), before[0].url);
    auto complete = host->sink.Of(kNavigateComplete2);
    ASSERT_EQ(1u, complete.size());
    EXPECT_EQ("400c 9", complete[0].shape);
    EXPECT_EQ("400c 9", host->sink.Of(kDocumentComplete)[0].shape);
    IDispatch* self = DispatchOf(host->control.Get());
    EXPECT_EQ(self, before[0].disp);
    EXPECT_EQ(self, complete[0].disp);
    EXPECT_EQ((std::vector<std::string>{"BN2 /a.html", "NC2 /a.html", "DC /a.html"}),
              NavigationEvents(host->sink, Url("")));
}

TEST_F(StandinControl, CancelInBeforeNavigate2KeepsTheRequestFromTheServer) {
    Page("/blocked.html", "<p>never</p>");
    ASSERT_TRUE(host->Start());
    host->sink.cancelContaining = L"/blocked";
    ASSERT_EQ(S_OK, host->Navigate(Url("/blocked.html")));
    ASSERT_TRUE(host->WaitForEvent(kBeforeNavigate2, L"/blocked.html"));
    ASSERT_TRUE(host->PumpPosted());
    EXPECT_EQ(0, RequestsFor("/blocked.html"));
    EXPECT_TRUE(host->sink.Of(kNavigateComplete2).empty());
    EXPECT_EQ(1u, host->log.Find("event", {{"name", "BeforeNavigate2"}, {"cancel", "1"}}).size());

    // A frame's navigation cancelled: the frame stays empty, the page completes.
    Page("/holder.html", "<iframe src=\"blocked-frame.html\"></iframe><iframe src=\"open.html\"></iframe>");
    Page("/open.html", "<p>open</p>");
    ASSERT_TRUE(Load("/holder.html"));
    EXPECT_EQ(0, RequestsFor("/blocked-frame.html"));
    EXPECT_EQ(1, RequestsFor("/open.html"));
    EXPECT_EQ(2u, host->sink.Of(kNavigateComplete2).size());  // holder and open
}

TEST_F(StandinControl, FramesNavigateWithTheirOwnDispatchObjects) {
    Page("/outer.html", "<title>Outer</title><p>top</p><iframe src=\"f1.html\"></iframe><iframe src=\"/sub/f2.html\"></iframe>");
    Page("/f1.html", "<p>frame one</p>");
    Page("/sub/f2.html", "<p>frame two</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/outer.html"));
    EXPECT_EQ((std::vector<std::string>{"BN2 /outer.html", "NC2 /outer.html", "BN2 /f1.html", "NC2 /f1.html",
                                        "DC /f1.html", "BN2 /sub/f2.html", "NC2 /sub/f2.html", "DC /sub/f2.html",
                                        "DC /outer.html"}),
              NavigationEvents(host->sink, Url("")));
    IDispatch* self = DispatchOf(host->control.Get());
    auto complete = host->sink.Of(kNavigateComplete2);
    ASSERT_EQ(3u, complete.size());
    EXPECT_EQ(self, complete[0].disp);
    EXPECT_NE(nullptr, complete[1].disp);
    EXPECT_NE(self, complete[1].disp);
    EXPECT_NE(self, complete[2].disp);
    EXPECT_NE(complete[1].disp, complete[2].disp);
    EXPECT_EQ("400c 9", complete[1].shape);
}

TEST_F(StandinControl, StopFromInsideNavigateComplete2EndsTheLoad) {
    Page("/game.html", "<p>game</p><iframe src=\"inner.html\"></iframe><script>external.record('ran');</script>");
    Page("/inner.html", "<p>inner</p>");
    ASSERT_TRUE(host->Start());
    host->sink.onEvent = [&](const EventRecord& e) {
        if (e.id == kNavigateComplete2) {
            EXPECT_EQ(S_OK, host->Call(106, DISPATCH_METHOD));
        }
    };
    ASSERT_EQ(S_OK, host->Navigate(Url("/game.html")));
    ASSERT_TRUE(host->WaitForEvent(kNavigateComplete2, L"/game.html"));
    // A later page, loaded after anything the stopped one had queued.
    host->sink.onEvent = nullptr;
    Page("/after.html", "<p>after</p>");
    ASSERT_EQ(S_OK, host->Navigate(Url("/after.html")));
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/after.html"));
    EXPECT_EQ(1u, host->sink.Of(kDocumentComplete).size());
    EXPECT_EQ(0, RequestsFor("/inner.html"));
    EXPECT_TRUE(host->external.calls.empty());
    EXPECT_EQ(1u, host->log.Find("stop", {{"why", "Stop"}}).size());
}

TEST_F(StandinControl, AnswersTheProgramsDispatchIdsAndRefusesOthers) {
    Page("/r.html", "<title>R</title><p>refresh me</p>");
    ASSERT_TRUE(host->Start());
    VARIANT on;
    on.vt = VT_BOOL;
    on.boolVal = VARIANT_TRUE;
    EXPECT_EQ(S_OK, host->Call(551, DISPATCH_PROPERTYPUT, {&on}));
    ScopedVariant silent;
    EXPECT_EQ(S_OK, host->Call(551, DISPATCH_PROPERTYGET, {}, silent.Get()));
    EXPECT_EQ(VT_BOOL, (*silent).vt);
    EXPECT_EQ(VARIANT_TRUE, (*silent).boolVal);
    EXPECT_EQ(1u, host->log.Find("silent", {{"op", "put"}, {"value", "1"}}).size());
    ComPtr<IDispatch> disp;
    ASSERT_EQ(S_OK, host->control.As(&disp));
    DISPPARAMS unnamed = {&on, nullptr, 1, 0};  // a put without DISPID_PROPERTYPUT
    EXPECT_EQ(DISP_E_PARAMNOTFOUND,
              disp->Invoke(551, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr, nullptr));

    ASSERT_TRUE(Load("/r.html"));
    EXPECT_EQ(S_OK, host->Call(-550, DISPATCH_METHOD));  // Refresh: reloads without navigation events
    ASSERT_TRUE(host->PumpUntil([&] { return RequestsFor("/r.html") == 2; }));
    ASSERT_TRUE(host->PumpPosted());
    EXPECT_EQ(1u, host->sink.Of(kBeforeNavigate2).size());

    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, host->Call(203, DISPATCH_PROPERTYGET));  // Document: not offered
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, host->Call(104, DISPATCH_PROPERTYGET));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, host->Call(104, DISPATCH_METHOD));
    EXPECT_EQ(1u, host->log.Find("navigate", {{"args", "5"}, {"optional", "400c(null),400c(null),400c(null),400c(null)"}}).size());
    EXPECT_EQ(S_OK, host->Navigate(L""));  // the empty address arrives as an empty BSTR and goes nowhere
    EXPECT_EQ(1u, host->log.Find("navigate", {{"url", ""}, {"null-bstr", "0"}}).size());
}

TEST_F(StandinControl, AnUnreachableServerGivesNavigateErrorThenTheErrorPage) {
    ASSERT_TRUE(host->Start());
    std::wstring url = Wide("http://127.0.0.1:" + std::to_string(support::TestHttpd::Port(97)) + "/gone.html");
    ASSERT_EQ(S_OK, host->Navigate(url));
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/gone.html", 15000));
    auto errors = host->sink.Of(kNavigateError);
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(url, errors[0].url);
    EXPECT_EQ(1u, host->sink.Of(kNavigateComplete2).size());
}

TEST_F(StandinControl, SeveralSinksEachGetEveryEventUntilUnadvised) {
    Page("/s1.html", "<p>one</p>");
    Page("/s2.html", "<p>two</p>");
    ASSERT_TRUE(host->Start());
    EventSink second;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, host->Advise(&second, &cookie));
    EXPECT_NE(host->cookie, cookie);
    ASSERT_TRUE(Load("/s1.html"));
    EXPECT_EQ(host->sink.events.size(), second.events.size());
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, host->control.As(&container));
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Out()));
    ASSERT_EQ(S_OK, point->Unadvise(cookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(cookie));
    EXPECT_EQ(0, second.refs);
    size_t seen = second.events.size();
    ASSERT_TRUE(Load("/s2.html"));
    EXPECT_EQ(seen, second.events.size());
    ComPtr<IConnectionPoint> other;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IPropertyNotifySink, other.Out()));
}

TEST_F(StandinControl, TwoControlsInOneProcessKeepTheirPagesEventsAndLogsApart) {
    Page("/one.html", "<title>One</title>");
    Page("/two.html", "<title>Two</title>");
    ASSERT_TRUE(host->Start());
    Host second(dir->File("second.log"));
    ASSERT_TRUE(second.Start());
    ASSERT_EQ(S_OK, second.Navigate(Url("/two.html")));
    ASSERT_TRUE(Load("/one.html"));
    ASSERT_TRUE(second.WaitForEvent(kDocumentComplete, L"/two.html"));
    for (const auto& e : host->sink.events) EXPECT_EQ(std::wstring::npos, e.url.find(L"two"));
    for (const auto& e : second.sink.events) EXPECT_EQ(std::wstring::npos, e.url.find(L"one"));
    ASSERT_FALSE(second.log.Read().empty());
    for (const LogEntry& e : second.log.Read()) EXPECT_EQ("b2", e.instance) << e.raw;
    EXPECT_TRUE(second.log.Find("navigate", {{"url", standin::Utf8(Url("/one.html"))}}).empty());
}

TEST_F(StandinControl, WithUseStockSetTheClassObjectComesFromWinesOwnControl) {
    SetEnvironmentVariableA("VORN_STANDIN_USE_STOCK", "1");
    HRESULT hr = host->Create();
    SetEnvironmentVariableA("VORN_STANDIN_USE_STOCK", nullptr);
    ASSERT_EQ(S_OK, hr);
    EXPECT_TRUE(host->log.Find("created").empty());
    EXPECT_EQ(1u, host->log.Find("stock-control", {{"hr", "0x00000000"}}).size());
    ComPtr<IUnknown> typed;
    EXPECT_EQ(S_OK, host->control->QueryInterface(IID_IWebBrowser2, typed.OutVoid()));  // Wine's control has it
}

TEST_F(StandinControl, TeardownInOrderGivesEveryReferenceBack) {
    Page("/t.html", "<p>bye</p><script>external.record('x');</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/t.html"));
    EXPECT_GT(host->site.refs, 0);
    EXPECT_GT(host->sink.refs, 0);
    host->Teardown();
    EXPECT_EQ(0, host->site.refs);
    EXPECT_EQ(0, host->sink.refs);
    EXPECT_EQ(0, host->external.refs);
    EXPECT_EQ(1, host->site.calls["OnInPlaceDeactivate"]);
    std::vector<std::string> teardown;
    for (const std::string& verb : host->log.Sequence())
        if (verb == "inplace-deactivate" || verb == "unadvise" || verb == "clientsite" || verb == "close" ||
            verb == "destroyed")
            teardown.push_back(verb);
    // The first "clientsite" is the attach.
    EXPECT_EQ((std::vector<std::string>{"clientsite", "inplace-deactivate", "unadvise", "clientsite", "close",
                                        "inplace-deactivate", "destroyed"}),
              teardown);
}

}  // namespace
}  // namespace standin_test
