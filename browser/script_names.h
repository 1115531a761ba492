// The members that pages see on window.external, and what each one takes.
// No platform calls here: the dispatch object resolves names and checks
// argument counts with these.
#pragma once

#include <string_view>

namespace script {

enum MemberId : long {
    kUnknownMember = -1,  // DISPID_UNKNOWN
    kQueryArgs = 1,
    kReadConfig = 2,
    kWriteConfig = 3,
    kWibble = 12345,  // the read-only property whose value is "Wibble"
};

// The id of a method name in narrow text: exact and case-sensitive, so
// "QueryArgs" and the section name "netAddr" are unknown.
MemberId MethodId(std::string_view name);

// The property's names: every name whose first two characters are "xx", as
// the original width-insensitive comparison of a three-byte prefix gave for
// plain ASCII names ("xxyyzz" among them).
bool IsWibblePropertyName(std::wstring_view name);

// How many arguments a method reads; 0 for anything that is not a method.
unsigned ArgumentCount(long id);

}  // namespace script
