// A browsing context: the top page or an <iframe>'s page, with its document,
// layout, scripts and sub-frames. The control owns the top frame; each frame
// owns its sub-frames.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com_util.h"
#include "html.h"
#include "layout.h"
#include "script_context.h"
#include "script_host.h"

namespace standin {

class Browser;

// A child window of the control (a page's text field), destroyed with its owner.
class ChildWindow {
public:
    explicit ChildWindow(HWND hwnd = nullptr) : hwnd_(hwnd) {}
    ~ChildWindow() { if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_); }
    ChildWindow(ChildWindow&& o) noexcept : hwnd_(o.hwnd_) { o.hwnd_ = nullptr; }
    ChildWindow& operator=(ChildWindow&& o) noexcept { std::swap(hwnd_, o.hwnd_); return *this; }
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

struct InputField {
    size_t block = 0, item = 0;  // the field's place in Document::blocks
    ChildWindow edit;
};

class Frame : public ScriptContext {
public:
    Frame(Browser& owner, Frame* parent, int id);
    ~Frame() override;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    int id() const { return id_; }
    Frame* parent() const { return parent_; }
    const std::string& name() const { return name_; }
    // pDisp of this frame's events: the control itself for the top frame.
    IDispatch* Disp() const;

    // A new page: the old one's scripts, external reference and sub-frames go.
    void ReplaceDocument(const std::wstring& url, Document doc);
    // Closes scripts and sub-frames (the control closes, or the page goes).
    void Discard();
    Frame* Find(int id);
    void ForEach(const std::function<void(Frame&)>& fn);

    std::wstring url;
    Document doc;
    PageLayout layout;
    RECT rect = {};           // where the page is drawn, in the control's client coordinates
    unsigned generation = 0;  // raised by every navigation and Stop: loads in progress check it
    std::vector<std::unique_ptr<Frame>> children;
    std::vector<InputField> inputs;  // edit controls, once laid out in a live window
    ComPtr<ScriptHost> script;
    ContextLinkPtr link;

    // ScriptContext
    std::wstring Href() override { return url; }
    std::wstring Title() override { return doc.title; }
    void SetTitle(const std::wstring& title) override;
    void NavigateFromScript(const std::wstring& url, const char* how) override;
    void ReloadFromScript() override;
    void Alert(const std::wstring& text) override;
    long SetTimeout(const ComPtr<IDispatch>& function, const std::wstring& code, long ms) override;
    void ClearTimeout(long id) override;
    ComPtr<IDispatch> External() override;
    ComPtr<IDispatch> RelatedWindow(bool top) override;
    bool InputValue(const std::wstring& id, std::wstring* value) override;
    bool SetInputValue(const std::wstring& id, const std::wstring& value) override;

private:
    void ReleaseExternal();
    Inline* FindInput(const std::wstring& id, HWND* edit);

    Browser& owner_;
    Frame* parent_;
    int id_;
    std::string name_;
    ComPtr<IDispatch> frameDisp_;  // sub-frames only
    ComPtr<IDispatch> external_;
    bool externalAsked_ = false;
};

// The pDisp a sub-frame's events carry: an object of its own, distinct from the control.
ComPtr<IDispatch> CreateFrameDispatch(const std::string& name);

}  // namespace standin
