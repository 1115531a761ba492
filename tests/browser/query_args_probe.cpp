// Started by the scripting object's tests with "/b_" arguments on its command
// line: asks window.external.queryArgs for the name in its first argument and
// writes the answer, in the ANSI code page, to the file in its second.
#include <windows.h>

#include <cstdio>
#include <string>

#include "text/ansi_text.h"
#include "browser/scripting_object.h"
#include "script_call.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    CImpIDispatch object;
    const std::wstring name = text::AnsiToWide(argv[1]);
    auto answer = testing_dispatch::CallMethod(&object, L"queryArgs", {name.c_str()});
    if (answer.hr != S_OK || answer.vt != VT_BSTR) {
        return 3;
    }
    FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        return 4;
    }
    std::fputs(text::WideToAnsi(answer.text).c_str(), out);
    std::fclose(out);
    return 0;
}
