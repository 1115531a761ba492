/* Test libraries for binding the update library by name: built once with all
   three exports and once without "run". */
#include <stdbool.h>

__declspec(dllexport) bool __cdecl check(int* error) {
    *error = 0;
    return false;
}

__declspec(dllexport) bool __cdecl finish(int* error) {
    *error = 0;
    return true;
}

#ifndef WITHOUT_RUN
__declspec(dllexport) bool __cdecl run(int* error) {
    *error = 0;
    return true;
}
#endif
