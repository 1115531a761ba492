#include "aside_copies.h"

#include <windows.h>

namespace zarnel {

namespace {

constexpr char kList[] = "previous";
constexpr char kCopy[] = "copy";

}  // namespace

bool IsAsideCopyName(const std::string& file) {
    if (file.empty() || file[0] == '\\' || file[0] == '/') return false;
    if (file.find(':') != std::string::npos || file.find("..") != std::string::npos) return false;
    return file.find(".previous-") != std::string::npos;
}

void RecordAsideCopy(TiXmlElement* root, const std::string& file) {
    TiXmlElement* list = root->FirstChildElement(kList);
    if (!list) list = root->InsertEndChild(TiXmlElement(kList))->ToElement();
    TiXmlElement copy(kCopy);
    copy.SetAttribute("file", file.c_str());
    list->InsertEndChild(copy);
}

bool RemoveAsideCopies(TiXmlElement* root) {
    TiXmlElement* list = root->FirstChildElement(kList);
    // The file list comes first: a root whose only child is called so is no list of copies.
    if (!list || list == root->FirstChildElement()) return false;
    bool changed = false;
    for (TiXmlElement* copy = list->FirstChildElement(kCopy); copy;) {
        TiXmlElement* next = copy->NextSiblingElement(kCopy);
        const char* file = copy->Attribute("file");
        // A name that is no aside copy is dropped from the list, never deleted.
        if (!file || !IsAsideCopyName(file) || DeleteFileA(file) ||
            GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
            list->RemoveChild(copy);
            changed = true;
        }
        copy = next;
    }
    if (!list->FirstChildElement()) {
        root->RemoveChild(list);
        changed = true;
    }
    return changed;
}

}  // namespace zarnel
