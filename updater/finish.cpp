#include <windows.h>
#include <shellapi.h>

#include <string>

#include "aside_copies.h"
#include "exports_impl.h"
#include "manifest.h"
#include "put_in_place.h"
#include "update_rules.h"

namespace zarnel {

namespace {

void Register(const char* path, const char* name) {
    // Runs on its own; its outcome is neither awaited nor examined.
    std::string parameters = RegistrationParameters(name);
    ShellExecuteA(nullptr, "open", "regsvr32.exe", parameters.c_str(), path, SW_SHOWNORMAL);
}

// One file entry: the staged file takes the destination's place, by moving
// the destination aside when it is in use. A missing staged file or a
// destination that can be neither replaced nor renamed fails the entry and
// leaves both alone.
bool CompleteEntry(const TiXmlElement& entry, TiXmlElement* root) {
    const char* path = entry.Attribute("path");
    const char* name = entry.Attribute("name");
    if (!path || !name) return false;
    std::string destination = DestinationOf(path, name);
    std::string aside;
    switch (PutInPlace(StagedFileOf(destination), destination, &aside)) {
        case Placed::kFailed:
            return false;
        case Placed::kAside:
            RecordAsideCopy(root, aside);
            break;
        case Placed::kReplaced:
            break;
    }
    if (IsMarkedForRegistration(entry.Attribute("register"))) Register(path, name);
    return true;
}

}  // namespace

bool Finish(int* error) {
    *error = 0;
    TiXmlDocument local;
    if (!LoadManifest(&local, kLocalManifest)) return false;
    TiXmlElement* root = local.RootElement();
    if (!root) return false;
    TiXmlElement* files = root->FirstChildElement();
    if (!files) return false;
    const TiXmlElement* entry = files->FirstChildElement();
    if (!entry) return true;

    // Every entry is attempted, whatever happened to the ones before it.
    bool completed = true;
    for (; entry; entry = entry->NextSiblingElement()) {
        if (!CompleteEntry(*entry, root)) completed = false;
    }
    files->Clear();
    // Copies moved aside by an earlier update may be free by now; the ones
    // just moved aside are still held by this very process.
    RemoveAsideCopies(root);

    if (completed) {
        // Without the server's version Update.xml stays as it is on disk.
        TiXmlDocument server;
        if (!LoadManifest(&server, kServerManifest)) return false;
        const char* version = OfferedVersion(server);
        if (!version) return false;
        root->SetAttribute("version", version);
    }
    // An unsaved Update.xml keeps the old version: that is no completed update.
    bool saved = SaveManifest(local, kLocalManifest);
    DeleteFileA(kServerManifest);
    return completed && saved;
}

}  // namespace zarnel
