// A library named like the status library but without its function.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI SomethingElse() {
    return TRUE;
}
