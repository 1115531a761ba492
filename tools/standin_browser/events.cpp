#include "events.h"

#include <exdispid.h>

namespace standin {

namespace {

// Calls every sink; failures are logged, never passed on: one bad sink must
// not keep the event from the others.
void Raise(const Sinks& sinks, DISPID id, const char* name, VARIANT* args, UINT count, Log* log) {
    DISPPARAMS params = {args, nullptr, count, 0};
    for (const auto& sink : sinks) {
        HRESULT hr = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        if (FAILED(hr)) LogLine(log, "sink-error").Str("event", name).Hr(hr);
    }
}

void SetBstr(VARIANT* v, const std::wstring& text) {
    v->vt = VT_BSTR;
    v->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void ByRef(VARIANT* arg, VARIANT* target) {
    arg->vt = VT_BYREF | VT_VARIANT;
    arg->pvarVal = target;
}

// Cancel lives in a 4-byte slot: a host that wrongly writes a 4-byte BOOL
// through the VARIANT_BOOL pointer corrupts nothing.
union CancelSlot {
    VARIANT_BOOL flag;
    LONG whole;
};

bool ReadCancel(const CancelSlot& slot, const char* event, const EventSource& src, const std::wstring& url, Log* log) {
    bool cancel = slot.flag != VARIANT_FALSE;
    LogLine(log, "event").Str("name", event).Str("frame", src.frame).Str("url", url).Int("cancel", cancel ? 1 : 0);
    return cancel;
}

}  // namespace

bool FireBeforeNavigate2(const Sinks& sinks, const EventSource& src, const std::wstring& url, Log* log) {
    ScopedVariant vUrl, vFlags, vTarget, vPost, vHeaders;
    SetBstr(vUrl.Get(), url);
    vFlags.Get()->vt = VT_I4;
    vFlags.Get()->lVal = 0;
    SetBstr(vTarget.Get(), L"");
    SetBstr(vHeaders.Get(), L"");
    CancelSlot cancel = {};
    VARIANT args[7];
    args[6].vt = VT_DISPATCH;
    args[6].pdispVal = src.disp;
    ByRef(&args[5], vUrl.Get());
    ByRef(&args[4], vFlags.Get());
    ByRef(&args[3], vTarget.Get());
    ByRef(&args[2], vPost.Get());
    ByRef(&args[1], vHeaders.Get());
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel.flag;
    Raise(sinks, DISPID_BEFORENAVIGATE2, "BeforeNavigate2", args, 7, log);
    return ReadCancel(cancel, "BeforeNavigate2", src, url, log);
}

bool FireNavigateError(const Sinks& sinks, const EventSource& src, const std::wstring& url, long status, Log* log) {
    ScopedVariant vUrl, vTarget, vStatus;
    SetBstr(vUrl.Get(), url);
    SetBstr(vTarget.Get(), L"");
    vStatus.Get()->vt = VT_I4;
    vStatus.Get()->lVal = status;
    CancelSlot cancel = {};
    VARIANT args[5];
    args[4].vt = VT_DISPATCH;
    args[4].pdispVal = src.disp;
    ByRef(&args[3], vUrl.Get());
    ByRef(&args[2], vTarget.Get());
    ByRef(&args[1], vStatus.Get());
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel.flag;
    Raise(sinks, DISPID_NAVIGATEERROR, "NavigateError", args, 5, log);
    return ReadCancel(cancel, "NavigateError", src, url, log);
}

namespace {

void FireDispAndUrl(const Sinks& sinks, DISPID id, const char* name, const EventSource& src, const std::wstring& url,
                    Log* log) {
    ScopedVariant vUrl;
    SetBstr(vUrl.Get(), url);
    VARIANT args[2];
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = src.disp;
    ByRef(&args[0], vUrl.Get());
    LogLine(log, "event").Str("name", name).Str("frame", src.frame).Str("url", url);
    Raise(sinks, id, name, args, 2, log);
}

}  // namespace

void FireNavigateComplete2(const Sinks& sinks, const EventSource& src, const std::wstring& url, Log* log) {
    FireDispAndUrl(sinks, DISPID_NAVIGATECOMPLETE2, "NavigateComplete2", src, url, log);
}

void FireDocumentComplete(const Sinks& sinks, const EventSource& src, const std::wstring& url, Log* log) {
    FireDispAndUrl(sinks, DISPID_DOCUMENTCOMPLETE, "DocumentComplete", src, url, log);
}

void FireTitleChange(const Sinks& sinks, const std::wstring& title, Log* log) {
    ScopedVariant vTitle;
    SetBstr(vTitle.Get(), title);
    VARIANT args[1] = {*vTitle.Get()};  // by value, as the real control passes it; owned by vTitle
    LogLine(log, "event").Str("name", "TitleChange").Str("title", title);
    Raise(sinks, DISPID_TITLECHANGE, "TitleChange", args, 1, log);
}

void FireNoArguments(const Sinks& sinks, DISPID id, const char* name, Log* log) {
    LogLine(log, "event").Str("name", name);
    Raise(sinks, id, name, nullptr, 0, log);
}

}  // namespace standin
