#include <windows.h>

#include <string>

#include "aside_copies.h"
#include "destination_rules.h"
#include "exports_impl.h"
#include "install_folder.h"
#include "manifest.h"
#include "process_start.h"
#include "put_in_place.h"
#include "update_rules.h"

namespace zarnel {

namespace {

// The system's regsvr32 with the component's full path: neither is looked
// up from the current directory. Runs on its own; its outcome is neither
// awaited nor examined.
void Register(const std::string& destination) {
    const std::string regsvr32 = Regsvr32In(SystemFolder());
    const std::string commandLine = RegistrationCommandLine(regsvr32, FullPathOf(destination));
    if (!commandLine.empty()) StartProcess(regsvr32, commandLine, Inheritance::kNone);
}

// One file entry: the staged file takes the destination's place, by moving
// the destination aside when it is in use. An entry the destination rules
// refuse, a missing staged file or a destination that can be neither
// replaced nor renamed fails the entry and leaves both alone.
bool CompleteEntry(const TiXmlElement& entry, std::size_t installFolderLength, TiXmlElement* root) {
    const char* path = entry.Attribute("path");
    const char* name = entry.Attribute("name");
    // Update.xml is only a file on disk: it is judged as the offer was.
    if (!path || !name || !IsAcceptableDestination(path, name, installFolderLength)) return false;
    std::string destination = DestinationOf(path, name);
    std::string aside;
    switch (PutInPlace(StagedFileOf(destination), destination, &aside)) {
        case Placed::kFailed:
            return false;
        case Placed::kStranded:
            RecordAsideCopy(root, aside, destination);
            return false;
        case Placed::kAside:
            RecordAsideCopy(root, aside);
            break;
        case Placed::kReplaced:
            break;
    }
    if (IsMarkedForRegistration(entry.Attribute("register"))) Register(destination);
    return true;
}

}  // namespace

bool Finish(int* error) {
    *error = 0;
    TiXmlDocument local;
    TiXmlElement* root = LoadInstalledRoot(&local);
    if (!root) return false;
    TiXmlElement* files = root->FirstChildElement();
    if (!files) return false;
    const TiXmlElement* entry = files->FirstChildElement();
    if (!entry) return true;

    // Every entry is attempted, whatever happened to the ones before it.
    const std::size_t installFolderLength = InstallFolderLength();
    bool completed = true;
    for (; entry; entry = entry->NextSiblingElement()) {
        if (!CompleteEntry(*entry, installFolderLength, root)) completed = false;
    }
    files->Clear();
    // Copies moved aside by an earlier update may be free by now; the ones
    // just moved aside are still held by this very process. An installed
    // file still stranded under its aside name is no completed update: the
    // next check offers it again.
    bool stranded = false;
    RemoveAsideCopies(root, &stranded);
    if (stranded) completed = false;

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
