// What a page's script objects (window, document, location) need from the
// frame that shows the page. The objects reach it through a link that the
// frame clears when the page goes, since the script engine may keep them longer.
#pragma once
#include <oaidl.h>

#include <memory>
#include <string>

#include "com_util.h"

namespace standin {

class ScriptContext {
public:
    virtual ~ScriptContext() = default;
    virtual std::wstring Href() = 0;
    virtual std::wstring Title() = 0;
    virtual void SetTitle(const std::wstring& title) = 0;
    // Navigates this frame later, from the message loop, as a browser does.
    virtual void NavigateFromScript(const std::wstring& url, const char* how) = 0;
    virtual void ReloadFromScript() = 0;
    virtual void Alert(const std::wstring& text) = 0;
    // setTimeout: a function object or a text to run once, later; answers the timer's id.
    virtual long SetTimeout(const ComPtr<IDispatch>& function, const std::wstring& code, long ms) = 0;
    virtual void ClearTimeout(long id) = 0;
    virtual ComPtr<IDispatch> External() = 0;  // what the host's GetExternal gave; may be null
    // The window object of the top or the parent page; null when that is this page.
    virtual ComPtr<IDispatch> RelatedWindow(bool top) = 0;
    // The text of the page's text field with this id; false when there is none.
    virtual bool InputValue(const std::wstring& id, std::wstring* value) = 0;
    virtual bool SetInputValue(const std::wstring& id, const std::wstring& value) = 0;
};

struct ContextLink {
    ScriptContext* target = nullptr;
};
using ContextLinkPtr = std::shared_ptr<ContextLink>;

}  // namespace standin
