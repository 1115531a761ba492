// Calls into an IDispatch the way a script engine does: names resolved first,
// arguments given in script order and packed in reverse.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace testing_dispatch {

// An argument that owns its VARIANT.
class Arg {
public:
    Arg(const wchar_t* text);
    Arg(const std::wstring& text);  // whole, zeros included
    Arg(int number);
    static Arg OfType(VARTYPE vt);
    Arg(const Arg& other);
    ~Arg();
    const VARIANT& get() const { return m_var; }

private:
    Arg() { VariantInit(&m_var); }
    VARIANT m_var;
};

struct CallResult {
    HRESULT hr = E_FAIL;
    VARTYPE vt = VT_EMPTY;
    std::wstring text;       // for VT_BSTR
    VARIANT_BOOL flag = 0;   // for VT_BOOL
};

DISPID IdOf(IDispatch* object, const wchar_t* name);
CallResult Invoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Arg>& args,
                  bool withResult = true, UINT* argErr = nullptr);
CallResult CallMethod(IDispatch* object, const wchar_t* name, const std::vector<Arg>& args);

}  // namespace testing_dispatch
