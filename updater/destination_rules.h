// Where a file entry may put a file: its "path" and "name" run together,
// relative to the install folder (the current directory). One rule for the
// server's offer (read by check and by the updater) and for the staged list
// in Update.xml (read by finish), so that nothing the update writes, moves or
// registers escapes it.
//
// Names are bytes of the ANSI code page, 936 for this program. The rule is
// stricter than Windows where the two could disagree: separators are found
// byte by byte (a double-byte character ending in '\' is refused rather than
// read as one name), and a name must be whole double-byte text, since Windows
// turns a broken character into something else again.
//
// Plain functions, free of <windows.h>: the host's fuzz targets build them.
#pragma once
#include <cstddef>
#include <set>
#include <string>

namespace zarnel {

// MAX_PATH, in bytes: a double-byte character is one of the 260 characters,
// so counting bytes errs on the safe side.
constexpr std::size_t kMaxPath = 260;

// The longest suffix the update adds to a destination: the aside copy's
// ".previous-<process>-<tick>-<attempt>" (see put_in_place.h), longer than
// the staged file's ".tmp".
constexpr std::size_t kLongestAddedSuffix = sizeof(".previous-ffffffff-ffffffffffffffff-16") - 1;

// Null when path + name is a destination the update may write; otherwise why
// not. path is empty or folders each ending in a separator, name one plain
// file name; neither may leave the folder, name a device, a stream, an 8.3
// alias or the update's own manifests, and the whole path with any suffix
// fits MAX_PATH below an install folder of installFolderLength bytes.
const char* DestinationFault(const std::string& path, const std::string& name,
                             std::size_t installFolderLength);

inline bool IsAcceptableDestination(const std::string& path, const std::string& name,
                                    std::size_t installFolderLength) {
    return DestinationFault(path, name, installFolderLength) == nullptr;
}

// The form Windows compares a destination in: '/' as '\', letters in one
// case (ASCII and code page 936's double-byte Latin, Greek, Cyrillic and
// Roman numerals, which Windows folds as well).
std::string DestinationKey(const std::string& destination);

// The destinations of one update. Two entries clash when they name one file,
// when one is the other's staged file, or when one needs as a folder what the
// other writes as a file; either way their downloads would meet.
class DestinationSet {
public:
    // False, leaving the set as it was, when destination clashes with one added before.
    bool Add(const std::string& destination);

private:
    std::set<std::string> m_files;    // destinations and their staged files, as keys
    std::set<std::string> m_folders;  // every folder on the way to them
};

}  // namespace zarnel
