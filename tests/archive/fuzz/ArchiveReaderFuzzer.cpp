// Fuzz target for the archive reader. An input is a set of volumes laid end to end: it is
// cut before every "mflh" after the first byte, and the pieces are written as FUZZ.A,
// FUZZ.B, ... in a scratch folder. Every member is extracted into that folder and tested.
// Any exception of the program's families is a proper outcome; crashes, hangs, sanitizer
// reports and writes outside the folder are not.
#include "TestFiles.h"

#include "archive/MultiFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A folder of this process's own, with "out" for what is extracted, removed at exit.
const std::filesystem::path& ScratchFolder() {
    static const CScratchFolder folder;
    static const std::filesystem::path path = [] {
        std::filesystem::path root(folder.Folder());
        std::filesystem::create_directories(root / "out");
        return root;
    }();
    return path;
}

std::vector<std::string> WriteVolumes(const uint8_t* data, size_t size) {
    std::vector<std::string> paths;
    size_t start = 0;
    char letter = 'A';
    for (size_t at = 1; at <= size; ++at) {
        bool cut = at == size || (at + 4 <= size && std::memcmp(data + at, "mflh", 4) == 0);
        if (!cut || letter > 'Z')
            continue;
        std::string path = (ScratchFolder() / (std::string("FUZZ.") + letter++)).string();
        WriteFileBytes(path, std::string(reinterpret_cast<const char*>(data + start), at - start));
        paths.push_back(path);
        start = at;
    }
    // A stale volume from an earlier input must not be continued into.
    std::remove((ScratchFolder() / (std::string("FUZZ.") + letter)).string().c_str());
    return paths;
}

void ReadAll(const std::string& first, bool extract) {
    CFolderMultiFile archive;
    try {
        archive.OpenArchive(first);
        std::unique_ptr<CMultiFileEntry> entry = archive.CreateEntry();
        while (archive.ReadEntryHeader(*entry)) {
            if (!extract) {
                archive.Test(*entry);
                continue;
            }
            entry->SetOutputPath((ScratchFolder() / "out" / entry->GetInstallName()).string());
            archive.Extract(*entry);
        }
    } catch (const CException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::vector<std::string> volumes = WriteVolumes(data, size);
    ReadAll(volumes.front(), false);
    ReadAll(volumes.front(), true);
    std::error_code ignored;
    for (auto& item : std::filesystem::directory_iterator(ScratchFolder() / "out", ignored)) {
        std::filesystem::permissions(item.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove(item.path(), ignored);
    }
    return 0;
}
