// What the downloading thread has done so far, read by the window's timer.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>

#include "download.h"

namespace brisvane {

enum class Phase { kVerifying, kChecking, kDownloading, kRecording, kRestarting, kDone, kFailed };

struct Progress {
    Phase phase = Phase::kVerifying;
    std::string file;  // destination of the file being downloaded
    int fileNumber = 0;  // 1-based among the files to download
    int fileCount = 0;
    std::uint64_t fileBytes = 0;
    std::uint64_t fileSize = 0;
    std::uint64_t totalBytes = 0;  // over every file this attempt downloads
    std::uint64_t totalSize = 0;
    DownloadResult failure;  // for kFailed
};

class ProgressState {
public:
    Progress Snapshot() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_progress;
    }
    template <class F>
    void Change(F change) {
        std::lock_guard<std::mutex> lock(m_mutex);
        change(m_progress);
    }

private:
    mutable std::mutex m_mutex;
    Progress m_progress;
};

}  // namespace brisvane
