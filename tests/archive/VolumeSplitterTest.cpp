// Cutting archives into volumes: where the cuts may fall, and reading the volumes back.
#include "ArchiveTestUtil.h"

#include "archive/ArchiveWriter.h"
#include "archive/MultiFile.h"
#include "archive/VolumeSplitter.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::vector<CMemberExtent> Layout(const std::vector<uint32_t>& packedSizes, int64_t& bodySize) {
    std::vector<CMemberExtent> members;
    int64_t offset = 0;
    for (uint32_t size : packedSizes) {
        members.push_back({offset + 346, size});
        offset += 346 + size;
    }
    bodySize = offset;
    return members;
}

// Every cut lies strictly inside a member's data, volumes fit, and each makes progress.
void ExpectSoundPlan(const std::vector<CMemberExtent>& members, int64_t bodySize, int64_t capacity,
                     const std::vector<int64_t>& cuts) {
    int64_t start = 0;
    for (int64_t cut : cuts) {
        EXPECT_GT(cut, start);
        EXPECT_LE(cut - start, capacity - 8);
        bool insideData = false;
        for (const CMemberExtent& m : members)
            insideData |= cut > m.m_nDataStart && cut < m.m_nDataStart + m.m_nPackedSize;
        EXPECT_TRUE(insideData) << "cut at " << cut;
        start = cut;
    }
    EXPECT_LE(bodySize - start, capacity - 8);
}

} // namespace

TEST(VolumeSplitter, PlansOnlyCutsInsideMemberData) {
    std::mt19937 random(42);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint32_t> sizes(1 + random() % 12);
        for (uint32_t& size : sizes) {
            switch (random() % 4) {
            case 0:
                size = random() % 3; // empty and tiny members
                break;
            case 1:
                size = random() % 400;
                break;
            default:
                size = random() % 20000;
            }
        }
        int64_t bodySize = 0;
        std::vector<CMemberExtent> members = Layout(sizes, bodySize);
        int64_t capacity = 1500 + random() % 8000;
        CVolumeSplitter splitter(capacity);
        try {
            ExpectSoundPlan(members, bodySize, capacity, splitter.Plan(members, bodySize));
        } catch (const CVolumeSizeError&) {
            // Only possible when empty or one-byte members crowd a volume.
            bool crowded = false;
            for (uint32_t size : sizes)
                crowded |= size < 2;
            EXPECT_TRUE(crowded);
        }
    }
}

TEST(VolumeSplitter, NeverEndsAVolumeAtAnEntryBoundary) {
    // The first member would end exactly where the volume is full; the cut moves into its
    // data so that the reader goes on to the next volume.
    int64_t bodySize = 0;
    std::vector<CMemberExtent> members = Layout({1000 - 8 - 346, 500}, bodySize);
    std::vector<int64_t> cuts = CVolumeSplitter(1000).Plan(members, bodySize);
    ASSERT_FALSE(cuts.empty());
    EXPECT_EQ(cuts[0], 1000 - 8 - 1);
    ExpectSoundPlan(members, bodySize, 1000, cuts);
}

TEST(VolumeSplitter, RefusesMembersThatCannotBeCut) {
    int64_t bodySize = 0;
    std::vector<CMemberExtent> members = Layout({0, 0, 0, 0}, bodySize);
    EXPECT_THROW(CVolumeSplitter(1000).Plan(members, bodySize), CVolumeSizeError);
}

TEST(VolumeSplitter, SplitArchiveReadsBackWholeAcrossVolumes) {
    CScratchFolder scratch;
    std::vector<Bytes> contents = {MakeData(50000, 1, false),
                                   {},
                                   MakeData(20000, 2, true),
                                   MakeData(1, 3, false),
                                   MakeData(9000, 4, false)};
    CArchiveWriter writer;
    writer.Create(scratch.Path("whole.arc"));
    for (size_t i = 0; i < contents.size(); ++i) {
        std::string name = scratch.Path("F" + std::to_string(i) + ".DAT");
        WriteWholeFile(name, contents[i]);
        writer.AddFile(name, i % 2 ? kMethodStored : kMethodDeflate, static_cast<int16_t>(i));
    }
    writer.Close();

    CVolumeSplitter splitter(6000);
    std::vector<std::string> volumes =
        splitter.Split(scratch.Path("whole.arc"), scratch.Path("PARTS.A"));
    ASSERT_GT(volumes.size(), 10u);
    EXPECT_EQ(volumes[1], scratch.Path("PARTS.B"));
    for (const std::string& volume : volumes)
        EXPECT_LE(ReadWholeFile(volume).size(), 6000u);

    CFolderMultiFile archive;
    archive.OpenArchive(volumes[0]);
    std::unique_ptr<CMultiFileEntry> entry = archive.CreateEntry();
    for (size_t i = 0; i < contents.size(); ++i) {
        ASSERT_TRUE(archive.ReadEntryHeader(*entry));
        EXPECT_EQ(entry->GetName(), "F" + std::to_string(i) + ".DAT");
        EXPECT_EQ(entry->Header().GetDestination(), static_cast<int16_t>(i));
        entry->SetOutputPath(scratch.Path("out.dat"));
        archive.Extract(*entry);
        EXPECT_EQ(ReadWholeFile(scratch.Path("out.dat")), contents[i]);
    }
    EXPECT_FALSE(archive.ReadEntryHeader(*entry));
    EXPECT_EQ(archive.GetVolumeNumber(), static_cast<int>(volumes.size()));
}
