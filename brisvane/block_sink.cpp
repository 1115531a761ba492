#include "block_sink.h"

namespace brisvane {

namespace {

// Enough to ride out a slow disk moment without holding much memory.
constexpr std::size_t kMaxQueued = 16;

}  // namespace

BlockSink::BlockSink(HANDLE file) : m_hFile(file) {
    m_bFailed = !m_hash.ok();
    m_thread = std::thread([this] {
        try {
            Drain();
        } catch (...) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bFailed = true;
        }
        m_changed.notify_all();
    });
}

BlockSink::~BlockSink() {
    Stop();
}

void BlockSink::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bClosed = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

bool BlockSink::Push(std::vector<char> block) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_blocks.size() < kMaxQueued || m_bFailed; });
    if (m_bFailed) return false;
    m_blocks.push_back(std::move(block));
    lock.unlock();
    m_changed.notify_all();
    return true;
}

bool BlockSink::Finish(std::string* digest) {
    Stop();
    if (m_bFailed) return false;
    *digest = m_hash.HexDigest();
    return !digest->empty();
}

void BlockSink::Drain() {
    for (;;) {
        std::vector<char> block;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_blocks.empty() || m_bClosed; });
            if (m_blocks.empty()) return;  // closed and drained
            block = std::move(m_blocks.front());
            m_blocks.pop_front();
        }
        m_changed.notify_all();
        if (m_bFailed) continue;  // drain without work once failed
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(block.size());
        const bool ok = WriteFile(m_hFile, block.data(), size, &written, nullptr) && written == size &&
                        m_hash.Add(block.data(), size);
        if (!ok) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bFailed = true;
        }
        if (!ok) m_changed.notify_all();
    }
}

}  // namespace brisvane
