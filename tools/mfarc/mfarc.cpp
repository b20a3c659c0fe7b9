// mfarc: the archive tool's entry point; the work is in MfarcTool.
#include "tools/mfarc/MfarcTool.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunMfarc(args, std::cout, std::cerr);
}
