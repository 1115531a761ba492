#include "aside_copies.h"

#include <windows.h>

namespace zarnel {

namespace {

constexpr char kList[] = "previous";
constexpr char kCopy[] = "copy";
constexpr char kDestination[] = "destination";

// The aside names put_in_place.cpp gives destination, and no other.
bool IsCopyOf(const std::string& file, const std::string& destination) {
    const std::string prefix = destination + ".previous-";
    return !destination.empty() && file.size() > prefix.size() && file.compare(0, prefix.size(), prefix) == 0;
}

enum class CopyState { kGone, kKept, kStranded };

// An ordinary copy goes once nothing holds it; a stranded one goes back to
// its destination when that is missing. A folder in the destination's place
// keeps the copy listed: it is still the only installed file.
CopyState Settle(const std::string& file, const char* destination) {
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return CopyState::kGone;
    if (destination) {
        const DWORD attributes = GetFileAttributesA(destination);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return MoveFileExA(file.c_str(), destination, 0) ? CopyState::kGone : CopyState::kStranded;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return CopyState::kStranded;
        // A newer file is in place: the copy is an old one now.
    }
    return DeleteFileA(file.c_str()) ? CopyState::kGone : CopyState::kKept;
}

}  // namespace

bool IsAsideCopyName(const std::string& file) {
    if (file.empty() || file[0] == '\\' || file[0] == '/') return false;
    if (file.find(':') != std::string::npos || file.find("..") != std::string::npos) return false;
    return file.find(".previous-") != std::string::npos;
}

void RecordAsideCopy(TiXmlElement* root, const std::string& file, const std::string& destination) {
    TiXmlElement* list = root->FirstChildElement(kList);
    if (!list) list = root->InsertEndChild(TiXmlElement(kList))->ToElement();
    TiXmlElement copy(kCopy);
    copy.SetAttribute("file", file.c_str());
    if (!destination.empty()) copy.SetAttribute(kDestination, destination.c_str());
    list->InsertEndChild(copy);
}

bool RemoveAsideCopies(TiXmlElement* root, bool* stranded) {
    if (stranded) *stranded = false;
    TiXmlElement* list = root->FirstChildElement(kList);
    // The file list comes first: a root whose only child is called so is no list of copies.
    if (!list || list == root->FirstChildElement()) return false;
    bool changed = false;
    for (TiXmlElement* copy = list->FirstChildElement(kCopy); copy;) {
        TiXmlElement* next = copy->NextSiblingElement(kCopy);
        const char* file = copy->Attribute("file");
        const char* destination = copy->Attribute(kDestination);
        // A name that is no aside copy (of its destination) is dropped from
        // the list, never deleted or moved.
        const bool ours = file && IsAsideCopyName(file) && (!destination || IsCopyOf(file, destination));
        const CopyState state = ours ? Settle(file, destination) : CopyState::kGone;
        if (state == CopyState::kGone) {
            list->RemoveChild(copy);
            changed = true;
        } else if (state == CopyState::kStranded && stranded) {
            *stranded = true;
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
