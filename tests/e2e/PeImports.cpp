#include "PeImports.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

class CImage {
public:
    explicit CImage(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    bool Has(uint64_t offset, uint64_t size) const {
        return offset <= m_bytes.size() && size <= m_bytes.size() - offset;
    }
    uint32_t Read(uint64_t offset, int size) const {
        if (!Has(offset, size))
            return 0;
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | m_bytes[offset + i];
        return value;
    }
    // Reads the headers; false when this is not a program image.
    bool Parse();
    // File offset of a relative virtual address, or 0 when no section holds it.
    uint64_t OffsetOf(uint32_t rva) const;
    std::string NameAt(uint32_t rva) const;
    uint32_t DirectoryRva(int index) const {
        return index < m_nDirectories ? Read(m_nDirectoryTable + 8 * index, 4) : 0;
    }
    uint32_t ImageBase() const { return m_nImageBase; }

private:
    std::vector<uint8_t> m_bytes;
    uint64_t m_nSections = 0;
    int m_nSectionCount = 0;
    uint64_t m_nDirectoryTable = 0;
    int m_nDirectories = 0;
    uint32_t m_nImageBase = 0;
};

bool CImage::Parse() {
    if (Read(0, 2) != 0x5A4D) // "MZ"
        return false;
    uint64_t pe = Read(0x3C, 4);
    if (Read(pe, 4) != 0x00004550) // "PE\0\0"
        return false;
    uint64_t optional = pe + 24;
    m_nSectionCount = static_cast<int>(Read(pe + 6, 2));
    m_nSections = optional + Read(pe + 20, 2);
    uint32_t magic = Read(optional, 2);
    if (magic == 0x10B) {
        m_nImageBase = Read(optional + 28, 4);
        m_nDirectories = static_cast<int>(Read(optional + 92, 4));
        m_nDirectoryTable = optional + 96;
    } else if (magic == 0x20B) {
        m_nDirectories = static_cast<int>(Read(optional + 108, 4));
        m_nDirectoryTable = optional + 112;
    } else {
        return false;
    }
    return m_nDirectories >= 0 && m_nDirectories <= 16;
}

uint64_t CImage::OffsetOf(uint32_t rva) const {
    for (int i = 0; i < m_nSectionCount; ++i) {
        uint64_t header = m_nSections + 40ull * i;
        uint32_t start = Read(header + 12, 4);
        uint32_t size = std::max(Read(header + 8, 4), Read(header + 16, 4));
        if (rva >= start && rva - start < size)
            return Read(header + 20, 4) + uint64_t(rva - start);
    }
    return 0;
}

std::string CImage::NameAt(uint32_t rva) const {
    std::string name;
    uint64_t offset = OffsetOf(rva);
    while (offset != 0 && Has(offset, 1) && m_bytes[offset] != 0 && name.size() < 260)
        name += static_cast<char>(m_bytes[offset++]);
    return name;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

std::vector<std::string> ReadImportedLibraries(const std::string& path) {
    CImage image(ReadFileBytes(path));
    std::vector<std::string> names;
    if (!image.Parse())
        return names;
    // Ordinary imports: 20-byte descriptors, the name's address at offset 12.
    if (uint64_t table = image.OffsetOf(image.DirectoryRva(1))) {
        for (uint64_t d = table; image.Has(d, 20) && image.Read(d + 12, 4) != 0; d += 20)
            names.push_back(image.NameAt(image.Read(d + 12, 4)));
    }
    // Delay-loaded imports: 32-byte descriptors, the name at offset 4, as an address relative
    // to the image when bit 0 of the attributes is set and as a plain address otherwise.
    if (uint64_t table = image.OffsetOf(image.DirectoryRva(13))) {
        for (uint64_t d = table; image.Has(d, 32) && image.Read(d + 4, 4) != 0; d += 32) {
            uint32_t name = image.Read(d + 4, 4);
            if ((image.Read(d, 4) & 1) == 0)
                name -= image.ImageBase();
            names.push_back(image.NameAt(name));
        }
    }
    return names;
}
