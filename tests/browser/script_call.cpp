#include "script_call.h"

namespace testing_dispatch {

Arg::Arg(const wchar_t* text) : Arg() {
    m_var.vt = VT_BSTR;
    m_var.bstrVal = SysAllocString(text);
}

Arg::Arg(const std::wstring& text) : Arg() {
    m_var.vt = VT_BSTR;
    m_var.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Arg::Arg(int number) : Arg() {
    m_var.vt = VT_I4;
    m_var.lVal = number;
}

Arg Arg::OfType(VARTYPE vt) {
    Arg arg;
    arg.m_var.vt = vt;
    return arg;
}

Arg::Arg(const Arg& other) : Arg() {
    VariantCopy(&m_var, const_cast<VARIANT*>(&other.m_var));
}

Arg::~Arg() {
    VariantClear(&m_var);
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return DISPID_UNKNOWN;
    }
    return id;
}

CallResult Invoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Arg>& args, bool withResult,
                  UINT* argErr) {
    std::vector<VARIANT> packed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) {
        packed.push_back(it->get());  // shallow: the Args keep ownership
    }
    DISPPARAMS params = {packed.empty() ? nullptr : packed.data(), nullptr,
                         static_cast<UINT>(packed.size()), 0};
    VARIANT result;
    VariantInit(&result);
    CallResult out;
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                            withResult ? &result : nullptr, nullptr, argErr);
    out.vt = result.vt;
    if (result.vt == VT_BSTR && result.bstrVal) {
        out.text.assign(result.bstrVal, SysStringLen(result.bstrVal));
    } else if (result.vt == VT_BOOL) {
        out.flag = result.boolVal;
    }
    VariantClear(&result);
    return out;
}

CallResult CallMethod(IDispatch* object, const wchar_t* name, const std::vector<Arg>& args) {
    // Script engines call methods with both flags set.
    return Invoke(object, IdOf(object, name), DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

}  // namespace testing_dispatch
