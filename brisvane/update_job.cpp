#include "update_job.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "install_folder.h"
#include "manifest.h"
#include "offer.h"
#include "process_start.h"
#include "sha256.h"
#include "signed_release.h"
#include "update_keys.h"
#include "update_rules.h"

namespace brisvane {

namespace {

using zarnel::Offer;
using zarnel::OfferedFile;

// Update.xml's record of the last release installed.
constexpr char kSerialAttribute[] = "serial";

// A file to download, with where it comes from and goes to.
struct Planned {
    OfferedFile offered;
    std::string url;
    std::string destination;
};

bool Resolve(const std::string& base, const std::string& relative, std::string* url) {
    DWORD size = INTERNET_MAX_URL_LENGTH;
    std::vector<char> buffer(size);
    if (!InternetCombineUrlA(base.c_str(), relative.c_str(), buffer.data(), &size, ICU_NO_ENCODE))
        return false;
    url->assign(buffer.data(), size);
    return true;
}

// A file already installed with the new bytes is not downloaded again.
bool AlreadyInstalled(const std::string& destination, const OfferedFile& offered) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(destination.c_str(), GetFileExInfoStandard, &data)) return false;
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::string hex;
    return size == offered.size && HashFile(destination, &hex) && hex == offered.sha256;
}

// The folders leading to a destination, made when missing (a new version may
// bring a new folder).
void MakeFolders(const std::string& destination) {
    for (std::size_t at = destination.find_first_of("\\/"); at != std::string::npos;
         at = destination.find_first_of("\\/", at + 1)) {
        CreateDirectoryA(destination.substr(0, at).c_str(), nullptr);
    }
}

// What is installed: Update.xml, the manifest's address it names, and the
// serial of the last release installed (none yet: 0).
struct Installed {
    TiXmlDocument manifest;
    std::string manifestUrl;
    std::uint64_t serial = 0;
};

bool ReadInstalled(Installed* installed) {
    const TiXmlElement* root = zarnel::LoadInstalledRoot(&installed->manifest);
    if (!root || !zarnel::ServerManifestUrlOf(*root, &installed->manifestUrl)) return false;
    const char* serial = root->Attribute(kSerialAttribute);
    return !serial || zarnel::ParseSize(serial, &installed->serial);
}

// The release, as the publisher signed it; one older than the installed
// release is an old manifest served again, and refused (the same serial is
// the same release, e.g. after an attempt that failed).
Outcome Verify(const Installed& installed, const zarnel::TimeLimits& limits, SignedRelease* release) {
    const Outcome fetched = FetchSignedRelease(installed.manifestUrl, limits, BuiltInUpdateKeys(), release);
    if (fetched != Outcome::kDone) return fetched;
    if (release->offer.serial < installed.serial) return Outcome::kOlderRelease;
    return Outcome::kDone;
}

// The offered files that differ from what is installed, with their addresses.
bool Plan(const std::string& manifestUrl, const Offer& offer, const std::atomic<bool>& cancel,
          std::vector<Planned>* plan) {
    for (const OfferedFile& offered : offer.files) {
        if (cancel) return false;
        Planned planned;
        planned.offered = offered;
        planned.destination = zarnel::DestinationOf(offered.path.c_str(), offered.name.c_str());
        if (!Resolve(manifestUrl, offered.url, &planned.url)) return false;
        // A folder there could only be moved aside whole: refused before any download.
        if (zarnel::IsFolder(planned.destination)) return false;
        if (AlreadyInstalled(planned.destination, offered)) continue;
        plan->push_back(planned);
    }
    return true;
}

// Each planned file into its staged name, listed in *staged once complete.
DownloadResult Download(const std::vector<Planned>& plan, const zarnel::TimeLimits& limits,
                        const std::atomic<bool>& cancel, ProgressState* state, std::vector<std::string>* staged) {
    std::uint64_t totalSize = 0;
    for (const Planned& planned : plan) totalSize += planned.offered.size;
    state->Change([&](Progress& p) {
        p.phase = Phase::kDownloading;
        p.fileCount = static_cast<int>(plan.size());
        p.totalSize = totalSize;
    });
    std::uint64_t done = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Planned& planned = plan[i];
        state->Change([&](Progress& p) {
            p.file = planned.destination;
            p.fileNumber = static_cast<int>(i + 1);
            p.fileBytes = 0;
            p.fileSize = planned.offered.size;
        });
        const std::string file = zarnel::StagedFileOf(planned.destination);
        MakeFolders(file);
        DownloadResult result = DownloadFile(
            planned.url, file, planned.offered.size, planned.offered.sha256, limits, cancel,
            [&](std::uint64_t received) {
                state->Change([&](Progress& p) {
                    p.fileBytes = received;
                    p.totalBytes = done + received;
                });
            });
        if (result.outcome != Outcome::kDone) return result;
        staged->push_back(file);
        done += planned.offered.size;
    }
    return Succeeded();
}

// Replaces the file list with the staged files and records the release's
// serial; with nothing staged, records the offered version at once: a finish
// with an empty list changes nothing, and the next start would only offer the
// same update again. Server.xml becomes the verified manifest, whose version
// finish records.
bool Record(TiXmlDocument* local, const std::vector<Planned>& staged, const SignedRelease& release) {
    TiXmlElement* root = local->RootElement();
    TiXmlElement* files = root->FirstChildElement();
    if (!files) files = root->InsertEndChild(TiXmlElement("files"))->ToElement();
    // Entries left by an attempt that was cut short are the past.
    files->Clear();
    for (const Planned& planned : staged) {
        TiXmlElement entry("file");
        entry.SetAttribute("path", planned.offered.path.c_str());
        entry.SetAttribute("name", planned.offered.name.c_str());
        if (planned.offered.registered) entry.SetAttribute("register", "true");
        files->InsertEndChild(entry);
    }
    root->SetAttribute(kSerialAttribute, std::to_string(release.offer.serial).c_str());
    if (staged.empty()) {
        root->SetAttribute("version", release.offer.version.c_str());
        if (!zarnel::SaveManifest(*local, zarnel::kLocalManifest)) return false;
        DeleteFileA(zarnel::kServerManifest);
        return true;
    }
    return zarnel::SaveManifest(release.manifest, zarnel::kServerManifest) &&
           zarnel::SaveManifest(*local, zarnel::kLocalManifest);
}

bool StartProgram() {
    // The folder named: a bare application name is not looked up in the
    // current directory everywhere.
    return zarnel::StartProcess(std::string(".\\") + kProgram,
                                std::string("\"") + kProgram + "\" " + kCompletionArgument,
                                zarnel::Inheritance::kNone);
}

}  // namespace

DownloadResult RunUpdate(ProgressState* state, const std::atomic<bool>& cancel,
                         const zarnel::TimeLimits& limits) {
    auto fail = [state](DownloadResult result) {
        state->Change([&](Progress& p) {
            p.phase = Phase::kFailed;
            p.failure = result;
        });
        return result;
    };
    state->Change([](Progress& p) { p = Progress(); });

    Installed installed;
    if (!ReadInstalled(&installed)) return fail(Failure(Outcome::kBadManifest));
    SignedRelease release;
    const Outcome verified = Verify(installed, limits, &release);
    if (verified != Outcome::kDone) return fail(Failure(verified));

    state->Change([](Progress& p) { p.phase = Phase::kChecking; });
    std::vector<Planned> plan;
    if (!Plan(installed.manifestUrl, release.offer, cancel, &plan)) {
        return fail(Failure(cancel ? Outcome::kCancelled : Outcome::kBadManifest));
    }

    // Every staged file of this attempt goes again unless the attempt succeeds.
    std::vector<std::string> staged;
    auto undo = [&](DownloadResult result) {
        for (const std::string& file : staged) DeleteFileA(file.c_str());
        return fail(result);
    };
    const DownloadResult downloaded = Download(plan, limits, cancel, state, &staged);
    if (downloaded.outcome != Outcome::kDone) return undo(downloaded);
    if (cancel) return undo(Failure(Outcome::kCancelled));

    state->Change([](Progress& p) { p.phase = Phase::kRecording; });
    if (!Record(&installed.manifest, plan, release)) return undo(Failure(Outcome::kRecordFailed));
    state->Change([](Progress& p) { p.phase = Phase::kRestarting; });
    // Staged and listed, the update stays consistent: the next start of the
    // program offers it again, so nothing is undone here.
    if (!StartProgram()) return fail(Failure(Outcome::kRestartFailed));
    state->Change([](Progress& p) { p.phase = Phase::kDone; });
    return Succeeded();
}

}  // namespace brisvane
