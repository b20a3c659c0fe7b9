// Stands in for the rest of a Windows session during a benchmark: while one program of the
// prefix runs, Wine keeps its desktop process and services up. Without it each installer
// run would pay for starting them again (half a second), which no installer pays on a
// running Windows. Ended by the benchmark's wineserver -k.
#include <windows.h>

int main() {
    Sleep(INFINITE);
    return 0;
}
