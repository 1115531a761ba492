#include "browser/script_names.h"

namespace script {

MemberId MethodId(std::string_view name) {
    if (name == "queryArgs") {
        return kQueryArgs;
    }
    if (name == "readConfig") {
        return kReadConfig;
    }
    if (name == "writeConfig") {
        return kWriteConfig;
    }
    return kUnknownMember;
}

bool IsWibblePropertyName(std::wstring_view name) {
    return name.size() >= 2 && name[0] == L'x' && name[1] == L'x';
}

unsigned ArgumentCount(long id) {
    switch (id) {
    case kQueryArgs:
    case kReadConfig:
        return 1;
    case kWriteConfig:
        return 2;
    default:
        return 0;
    }
}

}  // namespace script
