// One offered file from the server into its staged name, checked on the way:
// the HTTP status, the length, and the SHA-256 of what was written.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "http_get.h"

namespace brisvane {

enum class Outcome {
    kDone,
    kUnreachable,  // no connection, no answer in time, or a broken connection
    kHttpStatus,   // an answer other than 200
    kShortBody,    // fewer (or more) bytes than the manifest says
    kHashMismatch,
    kWriteFailed,  // the staged file cannot be created or written (disk full)
    kCancelled,
    kBadManifest,  // the manifest or Update.xml cannot be used
    kUnverified,   // the manifest's signature is missing, malformed, wrong or by an unknown key
    kOlderRelease, // a signed manifest older than the installed release: served again
    kRecordFailed, // Update.xml cannot be written
    kRestartFailed,
};

struct DownloadResult {
    Outcome outcome = Outcome::kDone;
    DWORD status = 0;  // the HTTP status, for kHttpStatus
};

inline DownloadResult Succeeded() { return DownloadResult(); }
inline DownloadResult Failure(Outcome outcome, DWORD status = 0) { return DownloadResult{outcome, status}; }

// Called from the downloading thread with the bytes of this file so far.
using ByteProgress = std::function<void(std::uint64_t received)>;

// Downloads url into staged (created or replaced) and checks it against size
// and sha256. On any outcome but kDone the staged file is gone again.
DownloadResult DownloadFile(const std::string& url, const std::string& staged, std::uint64_t size,
                            const std::string& sha256, const zarnel::TimeLimits& limits,
                            const std::atomic<bool>& cancel, const ByteProgress& progress);

}  // namespace brisvane
