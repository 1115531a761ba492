#include <windows.h>
#include <shellapi.h>

#include <string>

#include "exports_impl.h"
#include "manifest.h"
#include "update_rules.h"

namespace zarnel {

namespace {

void Register(const char* path, const char* name) {
    // Runs on its own; its outcome is neither awaited nor examined.
    std::string parameters = RegistrationParameters(name);
    ShellExecuteA(nullptr, "open", "regsvr32.exe", parameters.c_str(), path, SW_SHOWNORMAL);
}

// One file entry: the staged file replaces its destination in a single move,
// so a destination is never gone before its replacement is there. A missing
// staged file or a locked destination fails the move and leaves both alone.
bool CompleteEntry(const TiXmlElement& entry) {
    const char* path = entry.Attribute("path");
    const char* name = entry.Attribute("name");
    if (!path || !name) return false;
    std::string destination = DestinationOf(path, name);
    std::string staged = StagedFileOf(destination);
    if (!MoveFileExA(staged.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
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
        if (!CompleteEntry(*entry)) completed = false;
    }
    files->Clear();

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
