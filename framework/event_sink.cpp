#include "event_sink.h"

const EventSinkEntry* EventSinkMap::Find(UINT controlId, DISPID dispid) const {
    for (size_t i = 0; i < count; ++i)
        if (entries[i].controlId == controlId && entries[i].dispid == dispid) return &entries[i];
    return nullptr;
}

bool EventSinkMap::HasControl(UINT controlId) const {
    for (size_t i = 0; i < count; ++i)
        if (entries[i].controlId == controlId) return true;
    return false;
}

namespace event_args {

VARIANT* Arg(DISPPARAMS* params, UINT index) { return &params->rgvarg[params->cArgs - 1 - index]; }

// A by-reference VARIANT holding the value, seen through.
static VARIANT* Deref(VARIANT* v) {
    return (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal) ? v->pvarVal : v;
}

HRESULT Convert(Slot& slot, LPDISPATCH* out) {
    VARIANT* v = Deref(slot.arg);
    if (v->vt == VT_DISPATCH) *out = v->pdispVal;
    else if (v->vt == (VT_BYREF | VT_DISPATCH)) *out = v->ppdispVal ? *v->ppdispVal : nullptr;
    else if (v->vt == VT_EMPTY || v->vt == VT_NULL) *out = nullptr;
    else return DISP_E_TYPEMISMATCH;
    return S_OK;
}

HRESULT Convert(Slot& slot, VARIANT** out) {
    // The handler sees the control's own VARIANT where it passed one by reference.
    *out = Deref(slot.arg);
    return S_OK;
}

HRESULT Convert(Slot& slot, BOOL** out) {
    VARIANT* v = Deref(slot.arg);
    if (v->vt == (VT_BYREF | VT_BOOL) && v->pboolVal) {
        slot.boolRef = v->pboolVal;
        slot.boolValue = *v->pboolVal != VARIANT_FALSE;
    } else if (v->vt == VT_BOOL) {
        slot.boolValue = v->boolVal != VARIANT_FALSE;
    } else {
        return DISP_E_TYPEMISMATCH;
    }
    *out = &slot.boolValue;
    return S_OK;
}

void WriteBack(Slot& slot) {
    if (slot.boolRef) *slot.boolRef = slot.boolValue ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace event_args
