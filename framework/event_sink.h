// Event-sink tables: which member function of a window receives which event
// (dispatch id) of which hosted ActiveX control (control id).
//
//   const EventSinkMap* CWebDialog::GetEventSinkMap() const {
//       static const EventSinkEntry entries[] = {
//           MapEvent(1001, 252, &CWebDialog::OnNavigateComplete2),
//       };
//       static const EventSinkMap map(entries);
//       return &map;
//   }
//
// Handler parameters, in the event's declaration order, may be LPDISPATCH,
// VARIANT* and BOOL* (what the WebBrowser's events carry). The control passes
// the arguments reversed in DISPPARAMS and by reference where it wants answers back
// (VT_BYREF|VT_VARIANT for URL, VT_BYREF|VT_BOOL for Cancel); a BOOL* handler
// parameter is written back into the caller's VARIANT_BOOL.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <cstddef>
#include <tuple>
#include <new>
#include <utility>

class CWnd;

using EventThunk = HRESULT (*)(CWnd* target, const void* handler, DISPPARAMS* params);

struct EventSinkEntry {
    UINT controlId;
    DISPID dispid;
    EventThunk thunk;
    // The handler's member pointer; the thunk knows its real type.
    alignas(void*) unsigned char handler[16];
};

struct EventSinkMap {
    template <size_t N>
    explicit EventSinkMap(const EventSinkEntry (&table)[N]) : entries(table), count(N) {}
    const EventSinkEntry* entries;
    size_t count;

    const EventSinkEntry* Find(UINT controlId, DISPID dispid) const;
    bool HasControl(UINT controlId) const;
};

namespace event_args {

// Argument i of n in declaration order sits at rgvarg[n - 1 - i].
VARIANT* Arg(DISPPARAMS* params, UINT index);

struct Slot {
    VARIANT* arg = nullptr;
    VARIANT_BOOL* boolRef = nullptr;   // for BOOL*: where the answer goes back
    BOOL boolValue = FALSE;
};

HRESULT Convert(Slot& slot, LPDISPATCH* out);
HRESULT Convert(Slot& slot, VARIANT** out);
HRESULT Convert(Slot& slot, BOOL** out);
void WriteBack(Slot& slot);

template <class T, class... Args, size_t... I>
HRESULT Call(T* target, void (T::*handler)(Args...), DISPPARAMS* params, std::index_sequence<I...>) {
    constexpr UINT n = sizeof...(Args);
    if (!params || params->cArgs < n) return DISP_E_BADPARAMCOUNT;
    Slot slots[n > 0 ? n : 1];
    std::tuple<Args...> values{};
    HRESULT hr = S_OK;
    ((slots[I].arg = Arg(params, I),
      hr = SUCCEEDED(hr) ? Convert(slots[I], &std::get<I>(values)) : hr), ...);
    if (FAILED(hr)) return hr;
    (target->*handler)(std::get<I>(values)...);
    for (UINT i = 0; i < n; ++i) WriteBack(slots[i]);
    return S_OK;
}

template <class T, class... Args>
HRESULT Thunk(CWnd* target, const void* stored, DISPPARAMS* params) {
    using Handler = void (T::*)(Args...);
    const Handler handler = *static_cast<const Handler*>(stored);
    return Call(static_cast<T*>(target), handler, params, std::index_sequence_for<Args...>{});
}

}  // namespace event_args

template <class T, class... Args>
EventSinkEntry MapEvent(UINT controlId, DISPID dispid, void (T::*handler)(Args...)) {
    using Handler = void (T::*)(Args...);
    static_assert(sizeof(Handler) <= sizeof(EventSinkEntry::handler), "member pointer too large");
    EventSinkEntry entry{controlId, dispid, &event_args::Thunk<T, Args...>, {}};
    new (entry.handler) Handler(handler);
    return entry;
}
