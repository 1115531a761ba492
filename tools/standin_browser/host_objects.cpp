#include "host_objects.h"

#include <vector>

#include "dispatch_object.h"

namespace standin {

namespace {

struct Member {
    const wchar_t* name;
    DISPID id;
};

// The member table and the exception boundary for every host object.
class HostObject : public DispatchObject {
public:
    explicit HostObject(ContextLinkPtr link) : link_(std::move(link)) {}

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        try {
            ScriptContext* context = link_->target;
            if (!context) return E_UNEXPECTED;  // the page has gone
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            return Call(*context, id, flags, params ? *params : none, result);
        } catch (...) {
            return E_FAIL;
        }
    }

protected:
    virtual const std::vector<Member>& Members() const = 0;
    virtual HRESULT Call(ScriptContext& c, DISPID id, WORD flags, const DISPPARAMS& p, VARIANT* result) = 0;

    DISPID IdOfName(const wchar_t* name) const override {
        for (const Member& m : Members())
            if (wcscmp(name, m.name) == 0) return m.id;
        return DISPID_UNKNOWN;
    }

    ContextLinkPtr link_;
};

// The index-th argument in the script's order (rgvarg holds them reversed).
HRESULT ArgText(const DISPPARAMS& p, UINT index, std::wstring* out) {
    if (index >= p.cArgs) return DISP_E_BADPARAMCOUNT;
    return VariantText(p.rgvarg[p.cArgs - 1 - index], out) ? S_OK : DISP_E_TYPEMISMATCH;
}

HRESULT ReturnText(VARIANT* result, const std::wstring& text) {
    if (!result) return S_OK;
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return result->bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnObject(VARIANT* result, const ComPtr<IDispatch>& object) {
    if (!result) return S_OK;
    VariantInit(result);
    if (!object) {
        result->vt = VT_NULL;
        return S_OK;
    }
    result->vt = VT_DISPATCH;
    object.CopyTo(&result->pdispVal);
    return S_OK;
}

bool IsPut(WORD flags) { return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

enum : DISPID { kHref = 1, kAssign, kReload, kReplace, kToString };

class LocationObject : public HostObject {
public:
    using HostObject::HostObject;

protected:
    const std::vector<Member>& Members() const override {
        static const std::vector<Member> members = {
            {L"href", kHref}, {L"assign", kAssign}, {L"reload", kReload}, {L"replace", kReplace}, {L"toString", kToString}};
        return members;
    }
    HRESULT Call(ScriptContext& c, DISPID id, WORD flags, const DISPPARAMS& p, VARIANT* result) override {
        std::wstring url;
        switch (id) {
            case DISPID_VALUE:
            case kHref:
                if (IsPut(flags)) {
                    HRESULT hr = ArgText(p, 0, &url);
                    if (SUCCEEDED(hr)) c.NavigateFromScript(url, "location.href");
                    return hr;
                }
                return ReturnText(result, c.Href());
            case kToString:
                return ReturnText(result, c.Href());
            case kAssign:
            case kReplace: {
                HRESULT hr = ArgText(p, 0, &url);
                if (SUCCEEDED(hr)) c.NavigateFromScript(url, id == kAssign ? "location.assign" : "location.replace");
                return hr;
            }
            case kReload:
                c.ReloadFromScript();
                return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
};

enum : DISPID { kValue = 1, kId };

// A text field as document.getElementById gives it.
class ElementObject : public HostObject {
public:
    ElementObject(ContextLinkPtr link, std::wstring id) : HostObject(std::move(link)), id_(std::move(id)) {}

protected:
    const std::vector<Member>& Members() const override {
        static const std::vector<Member> members = {{L"value", kValue}, {L"id", kId}};
        return members;
    }
    HRESULT Call(ScriptContext& c, DISPID id, WORD flags, const DISPPARAMS& p, VARIANT* result) override {
        std::wstring text;
        switch (id) {
            case kValue:
                if (IsPut(flags)) {
                    HRESULT hr = ArgText(p, 0, &text);
                    if (SUCCEEDED(hr)) c.SetInputValue(id_, text);
                    return hr;
                }
                c.InputValue(id_, &text);
                return ReturnText(result, text);
            case kId:
                return ReturnText(result, id_);
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    std::wstring id_;
};

enum : DISPID { kTitle = 1, kDocLocation, kUrl, kGetElementById };

class DocumentObject : public HostObject {
public:
    DocumentObject(ContextLinkPtr link, ComPtr<IDispatch> location)
        : HostObject(std::move(link)), location_(std::move(location)) {}

protected:
    const std::vector<Member>& Members() const override {
        static const std::vector<Member> members = {
            {L"title", kTitle}, {L"location", kDocLocation}, {L"URL", kUrl}, {L"getElementById", kGetElementById}};
        return members;
    }
    HRESULT Call(ScriptContext& c, DISPID id, WORD flags, const DISPPARAMS& p, VARIANT* result) override {
        switch (id) {
            case kTitle:
                if (IsPut(flags)) {
                    std::wstring title;
                    HRESULT hr = ArgText(p, 0, &title);
                    if (SUCCEEDED(hr)) c.SetTitle(title);
                    return hr;
                }
                return ReturnText(result, c.Title());
            case kDocLocation:
                if (IsPut(flags)) {
                    std::wstring url;
                    HRESULT hr = ArgText(p, 0, &url);
                    if (SUCCEEDED(hr)) c.NavigateFromScript(url, "document.location");
                    return hr;
                }
                return ReturnObject(result, location_);
            case kUrl:
                return ReturnText(result, c.Href());
            case kGetElementById: {
                std::wstring wanted, value;
                HRESULT hr = ArgText(p, 0, &wanted);
                if (FAILED(hr)) return hr;
                ComPtr<IDispatch> element;
                if (c.InputValue(wanted, &value)) {
                    *element.Out() = new ElementObject(link_, wanted);
                }
                return ReturnObject(result, element);
            }
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    ComPtr<IDispatch> location_;
};

enum : DISPID {
    kExternal = 1, kWinLocation, kDocument, kAlert, kNavigate, kSelf, kTop, kParent, kSetTimeout, kClearTimeout
};

class WindowObject : public HostObject {
public:
    WindowObject(ContextLinkPtr link, ComPtr<IDispatch> location, ComPtr<IDispatch> document)
        : HostObject(std::move(link)), location_(std::move(location)), document_(std::move(document)) {}

protected:
    const std::vector<Member>& Members() const override {
        static const std::vector<Member> members = {
            {L"external", kExternal}, {L"location", kWinLocation}, {L"document", kDocument}, {L"alert", kAlert},
            {L"navigate", kNavigate}, {L"window", kSelf},          {L"self", kSelf},
            {L"top", kTop},           {L"parent", kParent},   {L"setTimeout", kSetTimeout},
            {L"clearTimeout", kClearTimeout}};
        return members;
    }
    HRESULT Call(ScriptContext& c, DISPID id, WORD flags, const DISPPARAMS& p, VARIANT* result) override {
        std::wstring text;
        switch (id) {
            case kExternal:
                return ReturnObject(result, c.External());
            case kWinLocation:
                if (IsPut(flags)) {
                    HRESULT hr = ArgText(p, 0, &text);
                    if (SUCCEEDED(hr)) c.NavigateFromScript(text, "window.location");
                    return hr;
                }
                return ReturnObject(result, location_);
            case kDocument:
                return ReturnObject(result, document_);
            case kAlert:
                if (p.cArgs > 0 && FAILED(ArgText(p, 0, &text))) text.clear();
                c.Alert(text);
                return S_OK;
            case kNavigate: {
                HRESULT hr = ArgText(p, 0, &text);
                if (SUCCEEDED(hr)) c.NavigateFromScript(text, "window.navigate");
                return hr;
            }
            case kSelf:
                return ReturnObject(result, this);
            case kSetTimeout: {
                if (p.cArgs < 1) return DISP_E_BADPARAMCOUNT;
                const VARIANT& what = p.rgvarg[p.cArgs - 1];
                ComPtr<IDispatch> function(what.vt == VT_DISPATCH ? what.pdispVal : nullptr);
                if (!function && FAILED(ArgText(p, 0, &text))) return DISP_E_TYPEMISMATCH;
                long ms = 0;
                std::wstring delay;
                if (p.cArgs > 1 && SUCCEEDED(ArgText(p, 1, &delay))) ms = _wtol(delay.c_str());
                long id = c.SetTimeout(function, text, ms);
                if (result) {
                    VariantInit(result);
                    result->vt = VT_I4;
                    result->lVal = id;
                }
                return S_OK;
            }
            case kClearTimeout:
                if (p.cArgs > 0 && SUCCEEDED(ArgText(p, 0, &text))) c.ClearTimeout(_wtol(text.c_str()));
                return S_OK;
            case kTop:
            case kParent: {
                ComPtr<IDispatch> other = c.RelatedWindow(id == kTop);
                return ReturnObject(result, other ? other : ComPtr<IDispatch>(this));
            }
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    ComPtr<IDispatch> location_;
    ComPtr<IDispatch> document_;
};

template <class T, class... Args>
ComPtr<IDispatch> Adopt(Args&&... args) {
    ComPtr<IDispatch> out;
    *out.Out() = new T(std::forward<Args>(args)...);  // born with one reference
    return out;
}

}  // namespace

ComPtr<IDispatch> CreateLocationObject(ContextLinkPtr link) {
    return Adopt<LocationObject>(std::move(link));
}

ComPtr<IDispatch> CreateDocumentObject(ContextLinkPtr link, ComPtr<IDispatch> location) {
    return Adopt<DocumentObject>(std::move(link), std::move(location));
}

ComPtr<IDispatch> CreateWindowObject(ContextLinkPtr link, ComPtr<IDispatch> location, ComPtr<IDispatch> document) {
    return Adopt<WindowObject>(std::move(link), std::move(location), std::move(document));
}

}  // namespace standin
