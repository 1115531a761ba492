// Where downloaded blocks go: written to the staged file and hashed on a
// thread of their own, so that the download never waits for the disk or the
// hash (SHA-256 under Wine runs at about a third of a loopback download's
// speed; on Windows it is faster than most networks).
#pragma once
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sha256.h"

namespace brisvane {

class BlockSink {
public:
    explicit BlockSink(HANDLE file);
    ~BlockSink();  // waits for the thread; the file stays open (its owner closes it)
    BlockSink(const BlockSink&) = delete;
    BlockSink& operator=(const BlockSink&) = delete;

    // False once a write has failed; waits while many blocks are queued.
    bool Push(std::vector<char> block);
    // Waits for every block; false if a write or the hash failed.
    bool Finish(std::string* digest);

private:
    void Drain();
    void Stop();

    HANDLE m_hFile;
    Sha256 m_hash;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<char>> m_blocks;
    bool m_bClosed = false;
    bool m_bFailed = false;
    std::thread m_thread;
};

}  // namespace brisvane
