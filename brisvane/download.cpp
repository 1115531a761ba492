#include "download.h"

#include <vector>

#include "sha256.h"
#include "split_url.h"

namespace brisvane {

namespace {

// Big reads keep the per-call overhead of WinINet small on large files.
constexpr DWORD kReadChunk = 256 * 1024;

DownloadResult Result(Outcome outcome, DWORD status = 0) {
    DownloadResult result;
    result.outcome = outcome;
    result.status = status;
    return result;
}

// The staged file is written through this, and deleted unless kept.
class StagedFile {
public:
    explicit StagedFile(const std::string& name) : m_strName(name) {
        m_hFile = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    }
    ~StagedFile() {
        if (m_hFile == INVALID_HANDLE_VALUE) return;
        CloseHandle(m_hFile);
        DeleteFileA(m_strName.c_str());
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool ok() const { return m_hFile != INVALID_HANDLE_VALUE; }
    bool Write(const char* data, DWORD size) {
        DWORD written = 0;
        return WriteFile(m_hFile, data, size, &written, nullptr) && written == size;
    }
    // Closing is where a delayed write error shows.
    bool Keep() {
        const BOOL closed = CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
        if (!closed) DeleteFileA(m_strName.c_str());
        return closed != FALSE;
    }

private:
    std::string m_strName;
    HANDLE m_hFile;
};

}  // namespace

DownloadResult DownloadFile(const std::string& url, const std::string& staged, std::uint64_t size,
                            const std::string& sha256, const zarnel::TimeLimits& limits,
                            const std::atomic<bool>& cancel, const ByteProgress& progress) {
    zarnel::UrlTarget target;
    if (!zarnel::splitUrl(url, &target)) return Result(Outcome::kBadManifest);
    zarnel::HttpGet request;
    if (!request.Open(target, target.object, limits)) return Result(Outcome::kUnreachable);
    if (cancel) return Result(Outcome::kCancelled);
    const DWORD status = request.Status();
    if (status != 200) return Result(Outcome::kHttpStatus, status);
    auto declared = request.DeclaredLength();
    if (declared && *declared != size) return Result(Outcome::kShortBody);

    StagedFile file(staged);
    if (!file.ok()) return Result(Outcome::kWriteFailed);
    Sha256 hash;
    if (!hash.ok()) return Result(Outcome::kWriteFailed);
    std::vector<char> chunk(kReadChunk);
    std::uint64_t received = 0;
    for (;;) {
        if (cancel) return Result(Outcome::kCancelled);
        DWORD got = 0;
        if (!request.Read(chunk.data(), kReadChunk, &got)) return Result(Outcome::kUnreachable);
        if (got == 0) break;
        received += got;
        // More than promised is as wrong as less; no need to wait for the end.
        if (received > size) return Result(Outcome::kShortBody);
        if (!file.Write(chunk.data(), got)) return Result(Outcome::kWriteFailed);
        hash.Add(chunk.data(), got);
        progress(received);
    }
    if (received != size) return Result(Outcome::kShortBody);
    if (hash.HexDigest() != sha256) return Result(Outcome::kHashMismatch);
    if (!file.Keep()) return Result(Outcome::kWriteFailed);
    return Result(Outcome::kDone);
}

}  // namespace brisvane
