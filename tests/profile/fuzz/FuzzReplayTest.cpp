// Replays a fuzz target's committed corpus as an ordinary test in every build: each input
// must end without a crash or a failed check (the sanitizer build also catches misuse).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(FuzzCorpus, EveryInputEndsCleanly) {
    size_t count = 0;
    for (auto& item : std::filesystem::directory_iterator(FUZZ_CORPUS)) {
        std::ifstream in(item.path(), std::ios::binary);
        std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        SCOPED_TRACE(item.path().filename().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(data.data(), data.size()), 0);
        ++count;
    }
    EXPECT_GE(count, 4u);
}
