// bench_payload: lays out one benchmark payload with its mkdisks description and NSIS script.
//   bench_payload [--seed N] [--amd64] many COUNT OUT
//   bench_payload [--seed N] [--amd64] big MEGABYTES OUT
// --amd64: the NSIS installer is built for x86-64, as the setup program it is measured against.
#include "BenchPayload.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    uint64_t seed = 19950824;
    bool amd64 = false;
    int arg = 1;
    for (;;) {
        if (argc - arg > 1 && std::string(argv[arg]) == "--seed") {
            seed = std::strtoull(argv[arg + 1], nullptr, 10);
            arg += 2;
        } else if (argc - arg > 0 && std::string(argv[arg]) == "--amd64") {
            amd64 = true;
            ++arg;
        } else {
            break;
        }
    }
    if (argc - arg != 3) {
        std::fprintf(stderr, "usage: bench_payload [--seed N] [--amd64] many COUNT|big MEGABYTES "
                             "OUT\n");
        return 2;
    }
    std::string kind = argv[arg];
    long number = std::strtol(argv[arg + 1], nullptr, 10);
    std::string out = argv[arg + 2];
    if ((kind != "many" && kind != "big") || number <= 0 || number > 30000) {
        std::fprintf(stderr, "bench_payload: bad kind or number\n");
        return 2;
    }
    try {
        CPayloadPlan plan = kind == "many"
                                ? PlanManyFiles(seed, static_cast<int>(number))
                                : PlanBigFiles(seed, static_cast<uint64_t>(number) << 20);
        WritePayload(plan, out);
        WriteDescription(plan, out);
        WriteNsisScript(plan, out, "C:\\BENCHNS", amd64);
        std::printf("%s %zu files %llu bytes\n", kind.c_str(), plan.m_files.size(),
                    static_cast<unsigned long long>(plan.TotalBytes()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_payload: %s\n", e.what());
        return 1;
    }
    return 0;
}
