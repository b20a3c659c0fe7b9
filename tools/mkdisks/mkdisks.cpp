// mkdisks: the diskette-set tool's entry point; the work is in MkdisksTool.
#include "tools/mkdisks/MkdisksTool.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunMkdisks(args, std::cout, std::cerr);
}
