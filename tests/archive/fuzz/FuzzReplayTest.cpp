// Replays the committed fuzz corpus through the fuzz target in every build, as an ordinary
// test: each input must end without a crash (the sanitizer builds also catch misuse).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(ArchiveFuzzCorpus, EveryInputEndsCleanly) {
    std::filesystem::path corpus = ARCHIVE_FUZZ_CORPUS;
    size_t count = 0;
    for (auto& item : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(item.path(), std::ios::binary);
        std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        SCOPED_TRACE(item.path().filename().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(data.data(), data.size()), 0);
        ++count;
    }
    EXPECT_GE(count, 5u);
}
