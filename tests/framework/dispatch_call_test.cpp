// InvokeHelper's packing of arguments and its automation errors, against a
// recording IDispatch.
#include <gtest/gtest.h>
#include "dispatch_call.h"
#include "fake_dispatch.h"
#include "ole_exception.h"

namespace {

void Call(IDispatch* d, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* info, ...) {
    va_list args;
    va_start(args, info);
    struct End { va_list& a; ~End() { va_end(a); } } end{args};
    AfxInvokeDispatch(d, id, flags, vtRet, pvRet, info, args);
}

}  // namespace

TEST(InvokeHelper, NavigateArgumentsArriveReversedWithTheTextAsBstr) {
    FakeDispatch d;
    static const BYTE params[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    VARIANT flags;
    VariantInit(&flags);
    Call(&d, 104, DISPATCH_METHOD, VT_EMPTY, nullptr, params, "http://127.0.0.1/登陆", &flags,
         nullptr, nullptr, nullptr);
    EXPECT_EQ(104, d.dispid);
    EXPECT_EQ(DISPATCH_METHOD, d.wFlags);
    EXPECT_FALSE(d.hadResultSlot);
    ASSERT_EQ(5u, d.args.size());
    EXPECT_EQ(VT_BSTR, d.args[4].vt);
    EXPECT_EQ(L"http://127.0.0.1/\x767B\x9646", d.args[4].text);
    EXPECT_EQ(VT_BYREF | VT_VARIANT, d.args[3].vt);
    EXPECT_EQ(&flags, d.args[3].ref);
    for (int i = 0; i < 3; ++i) {   // null VARIANT*: an absent optional argument
        EXPECT_EQ(VT_ERROR, d.args[i].vt);
        EXPECT_EQ(DISP_E_PARAMNOTFOUND, d.args[i].scode);
    }
    EXPECT_TRUE(d.namedArgs.empty());
}

TEST(InvokeHelper, EmptyTextIsAnEmptyBstrNotNull) {
    FakeDispatch d;
    static const BYTE params[] = VTS_BSTR;
    Call(&d, 104, DISPATCH_METHOD, VT_EMPTY, nullptr, params, "");
    ASSERT_EQ(1u, d.args.size());
    EXPECT_FALSE(d.args[0].nullBstr);
    EXPECT_EQ(L"", d.args[0].text);
    Call(&d, 104, DISPATCH_METHOD, VT_EMPTY, nullptr, params, static_cast<const char*>(nullptr));
    EXPECT_FALSE(d.args[0].nullBstr);
}

TEST(InvokeHelper, PropertyPutHasTheNamedArgumentAndATrueBool) {
    FakeDispatch d;
    static const BYTE params[] = VTS_BOOL;
    Call(&d, 551, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, TRUE);
    ASSERT_EQ(1u, d.args.size());
    EXPECT_EQ(VT_BOOL, d.args[0].vt);
    EXPECT_EQ(VARIANT_TRUE, d.args[0].boolVal);
    ASSERT_EQ(1u, d.namedArgs.size());
    EXPECT_EQ(DISPID_PROPERTYPUT, d.namedArgs[0]);
    Call(&d, 551, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, FALSE);
    EXPECT_EQ(VARIANT_FALSE, d.args[0].boolVal);
}

TEST(InvokeHelper, NoArgumentsAndNoResults) {
    FakeDispatch d;
    Call(&d, -550, DISPATCH_METHOD, VT_EMPTY, nullptr, reinterpret_cast<const BYTE*>(VTS_NONE));
    EXPECT_EQ(-550, d.dispid);
    EXPECT_TRUE(d.args.empty());
    EXPECT_FALSE(d.hadResultSlot);

    // The program takes no results: asking for one is refused before the call.
    d.dispid = 0;
    BOOL silent = FALSE;
    EXPECT_THROW(Call(&d, 551, DISPATCH_PROPERTYGET, VT_BOOL, &silent, nullptr), COleException);
    EXPECT_EQ(0, d.dispid);
}

TEST(InvokeHelper, DispatchExceptionCarriesCodeDescriptionAndSource) {
    FakeDispatch d;
    d.answer = DISP_E_EXCEPTION;
    try {
        Call(&d, 104, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        FAIL() << "no exception";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(E_ACCESSDENIED, e.m_scError);
        EXPECT_EQ(CString("拒绝"), e.m_strDescription);
        EXPECT_EQ("Fake.Control", e.m_strSource);
        EXPECT_EQ(CString("拒绝"), e.GetErrorMessage());
    }
}

TEST(InvokeHelper, OtherFailuresRaiseOleExceptionWithTheResult) {
    FakeDispatch d;
    d.answer = DISP_E_MEMBERNOTFOUND;
    try {
        Call(&d, 9999, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        FAIL() << "no exception";
    } catch (const COleException& e) {
        EXPECT_EQ(DISP_E_MEMBERNOTFOUND, e.m_sc);
        EXPECT_NE(std::string::npos, e.GetErrorMessage().str().find("0x80020003"));
    }
    static const BYTE unsupported[] = "\x11";   // a descriptor byte the layer does not pack
    try {
        Call(&d, 1, DISPATCH_METHOD, VT_EMPTY, nullptr, unsupported, 1);
        FAIL() << "no exception";
    } catch (const COleException& e) {
        EXPECT_EQ(E_INVALIDARG, e.m_sc);
    }
    EXPECT_EQ(1u, d.refs);
}
