#include "frame.h"

#include "browser.h"
#include "dispatch_object.h"
#include "url.h"

namespace standin {

namespace {

// A sub-frame's browser object as event sinks see it: it answers LocationURL
// and LocationName; everything else is not there, as on a frame of the real control.
class FrameDispatch : public DispatchObject {
public:
    explicit FrameDispatch(std::string name) : name_(std::move(name)) {}

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id != 210) return DISP_E_MEMBERNOTFOUND;
        if (result) {
            std::wstring name(name_.begin(), name_.end());
            VariantInit(result);
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(name.c_str());
        }
        return S_OK;
    }

protected:
    DISPID IdOfName(const wchar_t* name) const override {
        return _wcsicmp(name, L"LocationName") == 0 ? 210 : DISPID_UNKNOWN;
    }

private:
    std::string name_;
};

}  // namespace

ComPtr<IDispatch> CreateFrameDispatch(const std::string& name) {
    ComPtr<IDispatch> out;
    *out.Out() = new FrameDispatch(name);
    return out;
}

Frame::Frame(Browser& owner, Frame* parent, int id)
    : link(std::make_shared<ContextLink>()),
      owner_(owner),
      parent_(parent),
      id_(id),
      name_(parent ? "frame" + std::to_string(id) : "top") {
    if (parent_) frameDisp_ = CreateFrameDispatch(name_);
}

Frame::~Frame() { Discard(); }

IDispatch* Frame::Disp() const { return parent_ ? frameDisp_.Get() : owner_.TopDisp(); }

void Frame::Discard() {
    link->target = nullptr;
    link = std::make_shared<ContextLink>();
    if (script) {
        script->Close();
        script.Reset();
    }
    ReleaseExternal();
    inputs.clear();
    children.clear();
}

void Frame::ReplaceDocument(const std::wstring& newUrl, Document newDoc) {
    Discard();
    url = newUrl;
    doc = std::move(newDoc);
    layout = PageLayout();
    link->target = this;
}

Frame* Frame::Find(int id) {
    if (id_ == id) return this;
    for (auto& child : children)
        if (Frame* f = child->Find(id)) return f;
    return nullptr;
}

void Frame::ForEach(const std::function<void(Frame&)>& fn) {
    fn(*this);
    for (auto& child : children) child->ForEach(fn);
}

void Frame::SetTitle(const std::wstring& title) {
    doc.title = title;
    LogLine(owner_.log(), "title").Str("frame", name_).Str("title", title);
    owner_.TitleChanged(*this);
}

void Frame::NavigateFromScript(const std::wstring& target, const char* how) {
    std::wstring resolved = ResolveUrl(url, target);
    LogLine(owner_.log(), "script-navigate").Str("frame", name_).Str("how", how).Str("url", resolved);
    owner_.RequestNavigation(*this, resolved, false, how);
}

void Frame::ReloadFromScript() {
    LogLine(owner_.log(), "script-navigate").Str("frame", name_).Str("how", "location.reload").Str("url", url);
    owner_.RequestNavigation(*this, url, true, "location.reload");
}

void Frame::Alert(const std::wstring& text) {
    // The real control shows a message box; a test must never wait on one.
    LogLine(owner_.log(), "alert").Str("frame", name_).Str("text", text);
}

long Frame::SetTimeout(const ComPtr<IDispatch>& function, const std::wstring& code, long ms) {
    return owner_.SetPageTimer(*this, function, code, ms);
}

void Frame::ClearTimeout(long id) { owner_.ClearPageTimer(id); }

ComPtr<IDispatch> Frame::External() {
    // Asked for once per page, when a script first touches external.
    if (!externalAsked_) {
        externalAsked_ = true;
        external_ = owner_.AcquireExternal(name_);
    }
    return external_;
}

ComPtr<IDispatch> Frame::RelatedWindow(bool top) {
    Frame* other = parent_;
    while (top && other && other->parent_) other = other->parent_;
    if (!other) return {};
    ScriptHost* script = owner_.EnsureScript(*other);
    return script ? script->window_object() : ComPtr<IDispatch>();
}

Inline* Frame::FindInput(const std::wstring& id, HWND* edit) {
    *edit = nullptr;
    for (size_t b = 0; b < doc.blocks.size(); ++b) {
        for (size_t i = 0; i < doc.blocks[b].inlines.size(); ++i) {
            Inline& item = doc.blocks[b].inlines[i];
            if (item.kind != Inline::Kind::Input || item.id != id || id.empty()) continue;
            for (const InputField& field : inputs)
                if (field.block == b && field.item == i) *edit = field.edit.Get();
            return &item;
        }
    }
    return nullptr;
}

bool Frame::InputValue(const std::wstring& id, std::wstring* value) {
    HWND edit;
    Inline* item = FindInput(id, &edit);
    if (!item) return false;
    if (edit) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(edit, &text[0], static_cast<int>(text.size()))));
        item->text = text;
    }
    *value = item->text;
    return true;
}

bool Frame::SetInputValue(const std::wstring& id, const std::wstring& value) {
    HWND edit;
    Inline* item = FindInput(id, &edit);
    if (!item) return false;
    item->text = value;
    if (edit) SetWindowTextW(edit, value.c_str());
    LogLine(owner_.log(), "input").Str("frame", name_).Str("id", id).Str("value", value);
    return true;
}

void Frame::ReleaseExternal() {
    if (external_) owner_.ReleaseExternal(&external_, name_);
    externalAsked_ = false;
}

}  // namespace standin
