#include "browser/browser_cache.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>
#include <new>
#include <vector>

namespace {

// The enumeration handle, closed on every way out of the walk.
class CacheWalk {
public:
    CacheWalk() = default;
    ~CacheWalk() { if (m_hFind) FindCloseUrlCache(m_hFind); }
    CacheWalk(const CacheWalk&) = delete;
    CacheWalk& operator=(const CacheWalk&) = delete;

    // Fills entry with the first entry; false for an empty cache.
    bool First(std::vector<unsigned char>& entry) {
        DWORD size = static_cast<DWORD>(entry.size());
        m_hFind = FindFirstUrlCacheEntryA(nullptr, Info(entry), &size);
        return m_hFind != nullptr;
    }
    bool Next(std::vector<unsigned char>& entry) {
        DWORD size = static_cast<DWORD>(entry.size());
        return FindNextUrlCacheEntryA(m_hFind, Info(entry), &size) != FALSE;
    }
    // The bytes the next entry needs (asked without moving on).
    DWORD NextSize() {
        DWORD size = 0;
        FindNextUrlCacheEntryA(m_hFind, nullptr, &size);
        return size;
    }

private:
    static INTERNET_CACHE_ENTRY_INFOA* Info(std::vector<unsigned char>& entry) {
        return entry.empty() ? nullptr : reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(entry.data());
    }
    HANDLE m_hFind = nullptr;
};

// An entry buffer of size bytes, never smaller than the fixed header, so a
// platform that reports 0 still gets a valid (if failing) call.
void Resize(std::vector<unsigned char>& entry, DWORD size) {
    std::vector<unsigned char>().swap(entry);  // the old buffer goes first
    entry.resize(size < sizeof(INTERNET_CACHE_ENTRY_INFOA) ? sizeof(INTERNET_CACHE_ENTRY_INFOA) : size);
}

}  // namespace

bool ClearBrowserCache() {
    try {
        DWORD size = 0;
        FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
        std::vector<unsigned char> entry;
        Resize(entry, size);
        CacheWalk walk;
        if (!walk.First(entry)) {
            return true;  // empty, or no cache to walk
        }
        do {
            const auto* info = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(entry.data());
            const char* url = info->lpszSourceUrlName;
            if (url && !std::strstr(url, "cookie")) {
                DeleteUrlCacheEntryA(url);
            }
            Resize(entry, walk.NextSize());
        } while (walk.Next(entry));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
