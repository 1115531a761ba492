#include "download.h"

#include <algorithm>
#include <vector>

#include "block_sink.h"
#include "split_url.h"

namespace brisvane {

namespace {

// Each read waits until its block is full, so blocks follow the data's pace:
// about a tenth of a second's worth, which keeps the per-call cost small on a
// fast line and a cancel quick on a slow one.
constexpr DWORD kSmallestBlock = 8 * 1024;
constexpr DWORD kLargestBlock = 1024 * 1024;
constexpr ULONGLONG kFastReadMs = 50;
constexpr ULONGLONG kSlowReadMs = 200;

DWORD NextBlockSize(DWORD block, ULONGLONG tookMs) {
    if (tookMs < kFastReadMs && block < kLargestBlock) return block * 2;
    if (tookMs > kSlowReadMs && block > kSmallestBlock) return block / 2;
    return block;
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
    HANDLE handle() const { return m_hFile; }
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
    if (!zarnel::splitUrl(url, &target)) return Failure(Outcome::kBadManifest);
    zarnel::HttpGet request;
    if (!request.Open(target, target.object, limits)) return Failure(Outcome::kUnreachable);
    if (cancel) return Failure(Outcome::kCancelled);
    const DWORD status = request.Status();
    if (status != 200) return Failure(Outcome::kHttpStatus, status);
    auto declared = request.DeclaredLength();
    if (declared && *declared != size) return Failure(Outcome::kShortBody);

    StagedFile file(staged);
    if (!file.ok()) return Failure(Outcome::kWriteFailed);
    // Declared before the reads' early returns, and after the file: it stops
    // writing before the file closes.
    BlockSink sink(file.handle());
    std::uint64_t received = 0;
    DWORD block = kSmallestBlock;
    for (;;) {
        if (cancel) return Failure(Outcome::kCancelled);
        // More than promised is as wrong as less: ask for one byte past it.
        const std::uint64_t left = size - received + 1;
        std::vector<char> data(static_cast<std::size_t>(std::min<std::uint64_t>(block, left)));
        const ULONGLONG start = GetTickCount64();
        DWORD got = 0;
        if (!request.ReadBlock(data.data(), static_cast<DWORD>(data.size()), &got))
            return Failure(Outcome::kUnreachable);
        if (got == 0) break;
        block = NextBlockSize(block, GetTickCount64() - start);
        received += got;
        if (received > size) return Failure(Outcome::kShortBody);
        data.resize(got);
        if (!sink.Push(std::move(data))) return Failure(Outcome::kWriteFailed);
        progress(received);
    }
    std::string digest;
    if (!sink.Finish(&digest)) return Failure(Outcome::kWriteFailed);
    if (received != size) return Failure(Outcome::kShortBody);
    if (digest != sha256) return Failure(Outcome::kHashMismatch);
    if (!file.Keep()) return Failure(Outcome::kWriteFailed);
    return Succeeded();
}

}  // namespace brisvane
