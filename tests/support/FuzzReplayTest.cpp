// Replays a fuzz target's committed corpus as an ordinary test in every build: each input
// must end without a crash or a failed check (the sanitizer build also catches misuse), and
// the corpus must hold at least FUZZ_MIN_INPUTS inputs (shiftwell_add_fuzz_target).
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(FuzzCorpus, EveryInputEndsCleanly) {
    size_t count = 0;
    for (auto& item : std::filesystem::directory_iterator(FUZZ_CORPUS)) {
        const std::string data = ReadFileBytes(item.path().string());
        SCOPED_TRACE(item.path().filename().string());
        EXPECT_EQ(
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), data.size()), 0);
        ++count;
    }
    EXPECT_GE(count, static_cast<size_t>(FUZZ_MIN_INPUTS));
}
