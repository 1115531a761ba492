#include "update_job.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "install_folder.h"
#include "manifest.h"
#include "offer.h"
#include "sha256.h"
#include "update_rules.h"
#include "win_handles.h"

namespace brisvane {

namespace {

using zarnel::Offer;
using zarnel::OfferedFile;

// A file to download, with where it comes from and goes to.
struct Planned {
    OfferedFile offered;
    std::string url;
    std::string destination;
};

DownloadResult Failed(Outcome outcome, DWORD status = 0) {
    DownloadResult result;
    result.outcome = outcome;
    result.status = status;
    return result;
}

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

// Replaces the file list with the staged files, or, with nothing staged,
// records the offered version at once: a finish with an empty list changes
// nothing, and the next start would only offer the same update again.
bool Record(TiXmlDocument* local, const std::vector<Planned>& staged, const std::string& version) {
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
    if (staged.empty()) root->SetAttribute("version", version.c_str());
    if (!zarnel::SaveManifest(*local, zarnel::kLocalManifest)) return false;
    if (staged.empty()) DeleteFileA(zarnel::kServerManifest);
    return true;
}

bool StartProgram() {
    std::string commandLine = std::string("\"") + kProgram + "\" " + kCompletionArgument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    // The folder named: a bare application name is not looked up in the
    // current directory everywhere.
    const std::string application = std::string(".\\") + kProgram;
    if (!CreateProcessA(application.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return false;
    zarnel::KernelHandle process(started.hProcess);
    zarnel::KernelHandle thread(started.hThread);
    return true;
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

    TiXmlDocument local, server;
    if (!zarnel::LoadManifest(&local, zarnel::kLocalManifest) || !local.RootElement())
        return fail(Failed(Outcome::kBadManifest));
    const char* url = local.RootElement()->Attribute("url");
    const char* info = local.RootElement()->Attribute("info");
    Offer offer;
    std::string why;
    if (!url || !info || !zarnel::LoadManifest(&server, zarnel::kServerManifest) ||
        !ReadOffer(server, zarnel::InstallFolderLength(), &offer, &why))
        return fail(Failed(Outcome::kBadManifest));
    const std::string manifestUrl = zarnel::ManifestUrl(url, info);

    std::vector<Planned> plan;
    std::uint64_t totalSize = 0;
    for (const OfferedFile& offered : offer.files) {
        if (cancel) return fail(Failed(Outcome::kCancelled));
        Planned planned;
        planned.offered = offered;
        planned.destination = zarnel::DestinationOf(offered.path.c_str(), offered.name.c_str());
        if (!Resolve(manifestUrl, offered.url, &planned.url)) return fail(Failed(Outcome::kBadManifest));
        // A folder there could only be moved aside whole: refused before any download.
        if (zarnel::IsFolder(planned.destination)) return fail(Failed(Outcome::kBadManifest));
        if (AlreadyInstalled(planned.destination, offered)) continue;
        totalSize += offered.size;
        plan.push_back(planned);
    }
    state->Change([&](Progress& p) {
        p.phase = Phase::kDownloading;
        p.fileCount = static_cast<int>(plan.size());
        p.totalSize = totalSize;
    });

    // Every staged file of this attempt goes again unless the attempt succeeds.
    std::vector<std::string> stagedFiles;
    auto undo = [&](DownloadResult result) {
        for (const std::string& file : stagedFiles) DeleteFileA(file.c_str());
        return fail(result);
    };
    std::uint64_t done = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Planned& planned = plan[i];
        state->Change([&](Progress& p) {
            p.file = planned.destination;
            p.fileNumber = static_cast<int>(i + 1);
            p.fileBytes = 0;
            p.fileSize = planned.offered.size;
        });
        const std::string staged = zarnel::StagedFileOf(planned.destination);
        MakeFolders(staged);
        DownloadResult result = DownloadFile(
            planned.url, staged, planned.offered.size, planned.offered.sha256, limits, cancel,
            [&](std::uint64_t received) {
                state->Change([&](Progress& p) {
                    p.fileBytes = received;
                    p.totalBytes = done + received;
                });
            });
        if (result.outcome != Outcome::kDone) return undo(result);
        stagedFiles.push_back(staged);
        done += planned.offered.size;
    }
    if (cancel) return undo(Failed(Outcome::kCancelled));

    state->Change([](Progress& p) { p.phase = Phase::kRecording; });
    if (!Record(&local, plan, offer.version)) return undo(Failed(Outcome::kRecordFailed));
    state->Change([](Progress& p) { p.phase = Phase::kRestarting; });
    // Staged and listed, the update stays consistent: the next start of the
    // program offers it again, so nothing is undone here.
    if (!StartProgram()) return fail(Failed(Outcome::kRestartFailed));
    state->Change([](Progress& p) { p.phase = Phase::kDone; });
    return Failed(Outcome::kDone);
}

}  // namespace brisvane
