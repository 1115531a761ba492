// Navigation as the real control does it, asynchronously: a Navigate (or a
// script's location change, or a click) only queues the request; the load and
// its events happen later, from the message loop, through a message posted
// to the control's own window. Order of events for a page with frames:
// BeforeNavigate2, NavigateComplete2 (top), the page's scripts, then for each
// frame its BeforeNavigate2, NavigateComplete2, DocumentComplete, and last
// DocumentComplete (top). A Refresh reloads without navigation events.
#include <exdispid.h>

#include "browser.h"
#include "dll_state.h"
#include "events.h"
#include "paint.h"
#include "url.h"

namespace standin {

void Browser::RequestNavigation(Frame& frame, const std::wstring& url, bool reload, const char* origin) {
    ++frame.generation;  // a load of this frame in progress ends at its next step
    for (auto it = queue_.begin(); it != queue_.end();)
        it = it->frame == frame.id() ? queue_.erase(it) : it + 1;
    queue_.push_back({frame.id(), url, reload});
    LogLine(log_.get(), "queued").Str("frame", frame.name()).Str("url", url).Str("origin", origin)
        .Int("reload", reload ? 1 : 0);
    SchedulePump();
}

void Browser::SchedulePump() {
    if (!hwnd_ || !inPlaceActive_ || pumpPosted_ || busy_ > 0 || queue_.empty()) return;
    if (PostMessageW(hwnd_, kPumpMessage, 0, 0)) pumpPosted_ = true;
}

void Browser::Pump() {
    pumpPosted_ = false;
    if (busy_ > 0 || queue_.empty() || closed_) return;
    NavRequest request = queue_.front();
    queue_.pop_front();
    {
        BusyScope busy(*this);
        if (Frame* frame = top_->Find(request.frame)) Process(*frame, request.url, request.reload);
    }
    SchedulePump();
}

void Browser::StopAll(const char* why) {
    LogLine(log_.get(), "stop").Str("why", why).Int("dropped", static_cast<long>(queue_.size()));
    queue_.clear();
    top_->ForEach([](Frame& f) { ++f.generation; });
}

void Browser::Process(Frame& frame, const std::wstring& url, bool reload) {
    const unsigned generation = frame.generation;
    auto alive = [&] { return !closed_ && frame.generation == generation; };
    auto ended = [&](const char* why) {
        LogLine(log_.get(), "navigation-ended").Str("frame", frame.name()).Str("url", url).Str("why", why);
    };
    const bool top = frame.parent() == nullptr;
    const EventSource source = {frame.Disp(), frame.name()};

    if (!reload && FireBeforeNavigate2(events_.Snapshot(), source, url, log_.get())) return ended("cancelled");
    if (!alive()) return ended(closed_ ? "closed" : "interrupted");
    if (top) FireNoArguments(events_.Snapshot(), DISPID_DOWNLOADBEGIN, "DownloadBegin", log_.get());

    LoadResult loaded = loader_.Load(url);
    LogLine(log_.get(), "load").Str("frame", frame.name()).Str("url", url).Int("status", static_cast<long>(loaded.status))
        .Int("chars", static_cast<long>(loaded.text.size())).Str("error", loaded.error);
    if (!alive()) return ended(closed_ ? "closed" : "interrupted");
    std::wstring body = loaded.text;
    if (!loaded.ok) {
        // INET_E_RESOURCE_NOT_FOUND, as the real control reports an unreachable server.
        if (FireNavigateError(events_.Snapshot(), source, url, static_cast<long>(0x800C0005), log_.get()))
            return ended("cancelled");
        body = L"<title>Navigation failed</title><p>The page cannot be displayed.</p>";
    }
    if (top) FireNoArguments(events_.Snapshot(), DISPID_DOWNLOADCOMPLETE, "DownloadComplete", log_.get());
    if (!alive()) return ended(closed_ ? "closed" : "interrupted");

    if (top) {
        AskHostInfo("document");
        scrollY_ = 0;
    }
    frame.ReplaceDocument(url, ParseHtml(body));
    Relayout();
    LogLayout(frame);
    if (top) FireTitleChange(events_.Snapshot(), frame.doc.title.empty() ? url : frame.doc.title, log_.get());
    if (!reload) FireNavigateComplete2(events_.Snapshot(), source, url, log_.get());
    if (!alive()) return ended(closed_ ? "closed" : "interrupted");

    if (!frame.doc.scripts.empty()) EnsureScript(frame);
    for (size_t i = 0; i < frame.doc.scripts.size() && frame.script; ++i) {
        frame.script->Run(frame.doc.scripts[i], "inline-script");
        if (!alive()) return ended(closed_ ? "closed" : "interrupted");
    }

    for (const Block& block : frame.doc.blocks) {
        if (block.kind != Block::Kind::Frame) continue;
        frame.children.push_back(std::make_unique<Frame>(*this, &frame, NewFrameId()));
        Frame& child = *frame.children.back();
        Relayout();
        Process(child, ResolveUrl(url, block.src), reload);
        if (!alive()) return ended(closed_ ? "closed" : "interrupted");
    }
    if (!frame.children.empty()) {
        Relayout();
        LogLayout(frame);
    }
    if (!reload) FireDocumentComplete(events_.Snapshot(), source, url, log_.get());
}

ScriptHost* Browser::EnsureScript(Frame& frame) {
    if (!frame.script && !closed_) frame.script = ScriptHost::Start(frame.link, hwnd_, log_, frame.name(), &silent_);
    return frame.script.Get();
}

long Browser::SetPageTimer(Frame& frame, const ComPtr<IDispatch>& function, const std::wstring& code, long ms) {
    if (!hwnd_) return 0;
    UINT_PTR id = nextTimer_++;
    if (!SetTimer(hwnd_, id, static_cast<UINT>(ms < 0 ? 0 : ms), nullptr)) return 0;
    timers_[id] = {frame.id(), frame.generation, function, code};
    LogLine(log_.get(), "timeout").Str("op", "set").Str("frame", frame.name()).Int("id", static_cast<long>(id))
        .Int("ms", ms);
    return static_cast<long>(id);
}

void Browser::ClearPageTimer(long id) {
    if (timers_.erase(static_cast<UINT_PTR>(id)) && hwnd_) KillTimer(hwnd_, static_cast<UINT_PTR>(id));
}

void Browser::OnPageTimer(UINT_PTR id) {
    KillTimer(hwnd_, id);
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    PageTimer timer = std::move(it->second);
    timers_.erase(it);
    Frame* frame = top_->Find(timer.frame);
    bool current = frame && frame->generation == timer.generation && !closed_;
    LogLine(log_.get(), "timeout").Str("op", current ? "run" : "dropped").Int("id", static_cast<long>(id));
    if (!current) return;
    BusyScope busy(*this);
    if (timer.function) {
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        ScopedVariant result;
        timer.function->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result.Get(),
                               nullptr, nullptr);
    } else if (ScriptHost* script = EnsureScript(*frame)) {
        script->Run(timer.code, "timeout");
    }
}

void Browser::TitleChanged(Frame& frame) {
    if (!frame.parent()) FireTitleChange(events_.Snapshot(), frame.doc.title, log_.get());
    Relayout();
}

void Browser::LayOutFrame(Frame& frame) {
    int width = frame.rect.right - frame.rect.left;
    frame.layout = LayOutPage(frame.doc, width, [this](const std::wstring& text, TextStyle style, int level) {
        return paint_->Measure(text, style, level);
    });
    size_t next = 0;
    for (const Box& box : frame.layout.boxes) {
        if (box.kind != Box::Kind::Frame || next >= frame.children.size()) continue;
        Frame& child = *frame.children[next++];
        // Inside the frame's one-pixel border.
        child.rect = {frame.rect.left + box.x + 1, frame.rect.top + box.y + 1, frame.rect.left + box.x + box.w - 1,
                      frame.rect.top + box.y + box.h - 1};
        LayOutFrame(child);
    }
}

// Text fields are edit controls over their boxes: made once per page, moved
// with every layout and scroll.
void Browser::PlaceInputs(Frame& frame) {
    if (!hwnd_) return;
    for (const Box& box : frame.layout.boxes) {
        if (box.kind != Box::Kind::Input) continue;
        const Inline& item = frame.doc.blocks[box.block].inlines[box.item];
        InputField* field = nullptr;
        for (InputField& f : frame.inputs)
            if (f.block == box.block && f.item == box.item) field = &f;
        if (!field) {
            DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | (item.password ? ES_PASSWORD : 0);
            HWND edit = CreateWindowExW(0, L"EDIT", item.text.c_str(), style, 0, 0, 0, 0, hwnd_, nullptr,
                                        ModuleInstance(), nullptr);
            if (!edit) continue;
            SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(paint_->Font(TextStyle::Normal, 0)), FALSE);
            frame.inputs.push_back({box.block, box.item, ChildWindow(edit)});
            field = &frame.inputs.back();
        }
        MoveWindow(field->edit.Get(), frame.rect.left + box.x, frame.rect.top + box.y - scrollY_, box.w, box.h, TRUE);
    }
}

void Browser::Relayout() {
    RECT client = {0, 0, pos_.right - pos_.left, pos_.bottom - pos_.top};
    if (hwnd_) GetClientRect(hwnd_, &client);
    top_->rect = client;
    LayOutFrame(*top_);
    UpdateScrollBar();
    top_->ForEach([this](Frame& f) { PlaceInputs(f); });
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Browser::LogLayout(const Frame& frame) {
    // Positions in the control window's client coordinates, so a test can click them.
    for (const Box& box : frame.layout.boxes) {
        const char* kind = box.kind == Box::Kind::Link ? "link"
                         : box.kind == Box::Kind::Button ? "button"
                         : box.kind == Box::Kind::Input ? "input"
                         : box.kind == Box::Kind::Frame ? "frame"
                         : nullptr;
        if (!kind) continue;
        LogLine line(log_.get(), "layout");
        line.Str("frame", frame.name()).Str("kind", kind).Int("x", frame.rect.left + box.x)
            .Int("y", frame.rect.top + box.y - scrollY_).Int("w", box.w).Int("h", box.h).Str("text", box.text);
        if (box.kind == Box::Kind::Link) line.Str("href", frame.doc.blocks[box.block].inlines[box.item].href);
    }
}

void Browser::LogLayoutAll() {
    top_->ForEach([this](Frame& f) { LogLayout(f); });
}

Frame* Browser::FrameAt(POINT page, Frame& in) {
    for (auto& child : in.children)
        if (PtInRect(&child->rect, page)) return FrameAt(page, *child);
    return &in;
}

void Browser::Click(POINT client, bool right) {
    BusyScope busy(*this);
    POINT page = {client.x, client.y + scrollY_};
    Frame& frame = *FrameAt(page, *top_);
    const Box* box = HitTest(frame.layout, page.x - frame.rect.left, page.y - frame.rect.top);
    if (box && box->kind == Box::Kind::Frame) box = nullptr;  // the frame's border
    const Inline* item = box ? &frame.doc.blocks[box->block].inlines[box->item] : nullptr;
    if (right) {
        POINT screen = client;
        if (hwnd_) ClientToScreen(hwnd_, &screen);
        bool onLink = item && item->kind == Inline::Kind::Link;
        if (!AskContextMenu(screen, onLink ? CONTEXT_MENU_ANCHOR : CONTEXT_MENU_DEFAULT)) ShowOwnContextMenu(screen);
        return;
    }
    LogLine(log_.get(), "click").Str("frame", frame.name()).Int("x", client.x).Int("y", client.y)
        .Str("target", !item ? "none" : item->kind == Inline::Kind::Link ? "link" : "button")
        .Str("text", item ? item->text : std::wstring());
    if (!item) return;
    // Copies: the handler may replace the page's title and layout.
    const std::wstring onclick = item->onclick, href = item->href;
    const bool link = item->kind == Inline::Kind::Link;
    const unsigned generation = frame.generation;
    bool proceed = true;
    if (!onclick.empty()) {
        if (ScriptHost* script = EnsureScript(frame)) proceed = script->RunHandler(onclick, "onclick");
    }
    if (!proceed || !link || href.empty() || closed_ || frame.generation != generation) return;
    if (UrlScheme(href) == L"javascript") {
        if (ScriptHost* script = EnsureScript(frame)) script->Run(href.substr(href.find(L':') + 1), "javascript-url");
        return;
    }
    RequestNavigation(frame, ResolveUrl(frame.url, href), false, "link");
}

}  // namespace standin
