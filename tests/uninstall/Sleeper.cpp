// A stand-in for the running setup program: sleeps for the milliseconds given as argument.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    Sleep(argc > 1 ? static_cast<DWORD>(std::atol(argv[1])) : 0);
    return 0;
}
