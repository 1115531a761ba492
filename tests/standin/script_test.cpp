// Page scripts under the platform's JScript engine: window.external is the
// host's object, location and window.navigate navigate later, document.title
// reads and writes, errors are logged and never shown.
#include "fixture.h"

namespace standin_test {
namespace {

constexpr DISPID kNavigateComplete2 = 252, kDocumentComplete = 259, kTitleChange = 113;

using StandinScript = StandinTest;

TEST_F(StandinScript, InlineScriptsCallExternalBareAndThroughWindow) {
    Page("/ext.html",
         "<script>external.record('a', 42);</script>"
         "<p>text</p>"
         "<script>window.external.record(external.answer(), typeof window.external);</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/ext.html"));
    EXPECT_EQ((std::vector<std::wstring>{L"record(a,42)", L"record(forty-two,object)"}), host->external.calls);
    // Asked for once per page, and each reference the control took is given back.
    EXPECT_EQ(1, host->site.calls["GetExternal"]);
    auto taken = host->log.Find("external", {{"op", "GetExternal"}});
    ASSERT_EQ(1u, taken.size());
    EXPECT_EQ("1", taken[0].Get("refs"));  // the reference GetExternal gave
    host->Teardown();
    EXPECT_EQ(0, host->external.refs);
    auto released = host->log.Find("external", {{"op", "Release"}});
    ASSERT_EQ(1u, released.size());
    EXPECT_EQ("0", released[0].Get("refs"));
}

TEST_F(StandinScript, APageThatNeverTouchesExternalNeverAsksForIt) {
    Page("/plain.html", "<p>no external</p><script>var x = 1 + 1;</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/plain.html"));
    EXPECT_EQ(0, host->site.calls["GetExternal"]);
    EXPECT_EQ(1u, host->log.Find("script", {{"hr", "0x00000000"}}).size());
}

TEST_F(StandinScript, LocationChangesNavigateAfterTheScriptHasRun) {
    Page("/p1.html", "<script>location.href = 'p2.html'; external.record('after-href');</script>");
    Page("/p2.html", "<script>location.assign('/dir/p3.html');</script>");
    Page("/dir/p3.html", "<script>window.navigate('../p4.html?x=1');</script>");
    Page("/p4.html", "<script>external.record(location.href);</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_EQ(S_OK, host->Navigate(Url("/p1.html")));
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/p4.html"));
    ASSERT_EQ(2u, host->external.calls.size());
    EXPECT_EQ(L"record(after-href)", host->external.calls[0]);
    EXPECT_EQ(L"record(" + Url("/p4.html?x=1") + L")", host->external.calls[1]);
    std::vector<std::wstring> urls;
    for (const auto& e : host->sink.Of(kNavigateComplete2)) urls.push_back(e.url);
    EXPECT_EQ((std::vector<std::wstring>{Url("/p1.html"), Url("/p2.html"), Url("/dir/p3.html"), Url("/p4.html?x=1")}),
              urls);
    // Each page that navigated away was left before its DocumentComplete.
    auto done = host->sink.Of(kDocumentComplete);
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(Url("/p4.html?x=1"), done[0].url);
    EXPECT_EQ(1u, host->log.Find("script-navigate", {{"how", "location.assign"}}).size());
}

TEST_F(StandinScript, DocumentTitleReadsAndWritesAndIsAnnounced) {
    Page("/title.html",
         "<title>First &amp; one</title>"
         "<script>external.record(document.title); document.title = '\xE4\xB8\xA4\xE4\xB8\xAA'; "
         "external.record(window.document.title);</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/title.html"));
    EXPECT_EQ((std::vector<std::wstring>{L"record(First & one)", L"record(\x4E24\x4E2A)"}), host->external.calls);
    ScopedVariant name;
    ASSERT_EQ(S_OK, host->Call(210, DISPATCH_PROPERTYGET, {}, name.Get()));  // LocationName
    EXPECT_EQ(L"\x4E24\x4E2A", standin::BstrText((*name).bstrVal));
    auto titles = host->sink.Of(kTitleChange);
    ASSERT_EQ(2u, titles.size());
    EXPECT_EQ(1u, host->log.Find("title", {{"title", "\xE4\xB8\xA4\xE4\xB8\xAA"}}).size());
}

TEST_F(StandinScript, ErrorsAreLoggedWithoutADialogAndLaterScriptsStillRun) {
    Page("/err.html",
         "<script>noSuchFunction();</script>"
         "<script>alert('hello'); external.record('second');</script>"
         "<script>external.noSuchMember();</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/err.html"));
    EXPECT_EQ((std::vector<std::wstring>{L"record(second)"}), host->external.calls);
    auto errors = host->log.Find("script-error");
    ASSERT_EQ(2u, errors.size());
    EXPECT_EQ("would-show", errors[0].Get("dialog"));
    EXPECT_EQ(1u, host->log.Find("alert", {{"text", "hello"}}).size());

    VARIANT on;
    on.vt = VT_BOOL;
    on.boolVal = VARIANT_TRUE;
    ASSERT_EQ(S_OK, host->Call(551, DISPATCH_PROPERTYPUT, {&on}));
    ASSERT_TRUE(Load("/err.html"));
    errors = host->log.Find("script-error");
    ASSERT_EQ(4u, errors.size());
    EXPECT_EQ("suppressed-silent", errors[2].Get("dialog"));
}

TEST_F(StandinScript, FramePagesSeeExternalAndNavigateTheirOwnFrame) {
    Page("/top.html", "<p>launcher</p><iframe src=\"login.html\" height=\"80\"></iframe>");
    Page("/login.html",
         "<script>external.record('frame'); "
         "location.href = '/clientex/bin/index.php?&serverid=3&username=bob&';</script>");
    Page("/clientex/bin/index.php", "<p>game</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_EQ(S_OK, host->Navigate(Url("/top.html")));
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/clientex/bin/index.php"));
    EXPECT_EQ((std::vector<std::wstring>{L"record(frame)"}), host->external.calls);
    auto complete = host->sink.Of(kNavigateComplete2);
    ASSERT_EQ(3u, complete.size());
    EXPECT_EQ(Url("/clientex/bin/index.php?&serverid=3&username=bob&"), complete[2].url);
    EXPECT_EQ(complete[1].disp, complete[2].disp) << "the frame navigated, not the top";
    ComPtr<IDispatch> self;
    host->control->QueryInterface(IID_IDispatch, self.OutVoid());
    EXPECT_NE(self.Get(), complete[2].disp);
}

TEST_F(StandinScript, TimeoutsRunLaterOnlyWhileTheirPageIsShown) {
    Page("/timer.html",
         "<script>setTimeout(function () { external.record('function'); }, 50);"
         "setTimeout(\"external.record('text')\", 80);"
         "var gone = window.setTimeout(function () { external.record('cleared'); }, 60); clearTimeout(gone);"
         "external.record('first');</script>");
    Page("/leave.html", "<script>setTimeout(function () { external.record('never'); }, 300);"
                        "location.href = 'timer.html';</script>");
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/timer.html"));
    // The cleared timeout was due before the last one: it would be among the three.
    ASSERT_TRUE(host->PumpUntil([&] { return host->external.calls.size() >= 3; }));
    EXPECT_EQ((std::vector<std::wstring>{L"record(first)", L"record(function)", L"record(text)"}), host->external.calls);
    host->external.calls.clear();
    ASSERT_EQ(S_OK, host->Navigate(Url("/leave.html")));  // it leaves before its timer is due
    ASSERT_TRUE(host->PumpUntil([&] { return host->sink.Of(kDocumentComplete).size() == 2; }));
    ASSERT_TRUE(host->PumpUntil([&] { return host->external.calls.size() >= 3; }));  // timer.html's own, all run
    // A timeout due after the dropped one's time: by its call, the dropped one would have run.
    Page("/later.html", "<script>setTimeout(function () { external.record('later'); }, 400);</script>");
    ASSERT_TRUE(Load("/later.html"));
    ASSERT_TRUE(host->PumpUntil([&] {
        return !host->external.calls.empty() && host->external.calls.back() == L"record(later)";
    }));
    for (const auto& call : host->external.calls) EXPECT_NE(L"record(never)", call);
    EXPECT_EQ(1u, host->log.Find("timeout", {{"op", "dropped"}}).size());
}

TEST_F(StandinScript, APageDeclaredGbkIsReadInCodePage936) {
    // "<title>中文</title>" in GBK bytes.
    ASSERT_TRUE(server->Route("/gbk.html", 200, "<title>\xD6\xD0\xCE\xC4</title><script>external.record(document.title);</script>",
                              "length", {"Content-Type: text/html; charset=GBK"}));
    ASSERT_TRUE(host->Start());
    ASSERT_TRUE(Load("/gbk.html"));
    EXPECT_EQ((std::vector<std::wstring>{L"record(\x4E2D\x6587)"}), host->external.calls);
}

TEST_F(StandinScript, AFrameCanNavigateTheTopPageThroughTopAndParent) {
    Page("/main.html", "<p>main</p><iframe src=\"child.html\"></iframe>");
    Page("/child.html",
         "<script>external.record(top.location.href, parent.location.href, self.location.href);"
         "top.location.href = 'clientex/bin/index.php?&serverid=7&';</script>");
    Page("/clientex/bin/index.php", "<p>game</p>");
    ASSERT_TRUE(host->Start());
    ASSERT_EQ(S_OK, host->Navigate(Url("/main.html")));
    ASSERT_TRUE(host->WaitForEvent(kDocumentComplete, L"/clientex/bin/index.php"));
    ASSERT_EQ(1u, host->external.calls.size());
    EXPECT_EQ(L"record(" + Url("/main.html") + L"," + Url("/main.html") + L"," + Url("/child.html") + L")",
              host->external.calls[0]);
    auto complete = host->sink.Of(kNavigateComplete2);
    ComPtr<IDispatch> self;
    host->control->QueryInterface(IID_IDispatch, self.OutVoid());
    ASSERT_EQ(3u, complete.size());
    EXPECT_EQ(self.Get(), complete[2].disp) << "the top page navigated";
    EXPECT_EQ(Url("/clientex/bin/index.php?&serverid=7&"), complete[2].url);
}

}  // namespace
}  // namespace standin_test
