// shiftcom.dll: the sample product's library for the system folder, shared with other
// Corvatek programs (so setup counts its users under SharedDLLs). It offers the product's
// version to whoever loads it.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI ShiftwellVersion() {
    return MAKELONG(0, 1); // 1.0
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
