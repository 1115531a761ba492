// Stand-in for the updater executable "Brisvane.exe" in the tests. It records
// how it was started, then holds on until the test releases it, so a test can
// tell whether its starter waited for it.
//   updater-started.txt   line 1: the whole command line, line 2: the current directory
//   updater-released.txt  written once release-updater.txt appears (20 s at most)
#include <windows.h>

#include <cstdio>

namespace {

bool WriteText(const char* path, const char* first, const char* second) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    std::fprintf(file, "%s\n%s\n", first, second ? second : "");
    return std::fclose(file) == 0;
}

}  // namespace

int main() {
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    if (!WriteText("updater-started.txt", GetCommandLineA(), directory)) return 1;
    for (int i = 0; i < 200; ++i) {
        if (GetFileAttributesA("release-updater.txt") != INVALID_FILE_ATTRIBUTES) {
            return WriteText("updater-released.txt", "released", nullptr) ? 0 : 1;
        }
        Sleep(100);
    }
    return 2;
}
