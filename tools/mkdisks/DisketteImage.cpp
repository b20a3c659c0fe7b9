#include "tools/mkdisks/DisketteImage.h"

#include "framework/File.h"
#include "tools/mkdisks/ProductDescription.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <set>

namespace {

// Total sectors, sectors per cluster, root entries, sectors per FAT, sectors per track, media.
const CDisketteFormat kFormats[] = {
    {"360 KB", 720, 2, 112, 2, 9, 0xFD},    {"720 KB", 1440, 2, 112, 3, 9, 0xF9},
    {"1.2 MB", 2400, 1, 224, 7, 15, 0xF9},  {"1.44 MB", 2880, 1, 224, 9, 18, 0xF0},
    {"2.88 MB", 5760, 2, 240, 9, 36, 0xF0},
};

constexpr int kEntryBytes = 32;
constexpr int kLongNameChars = 13; // characters one long-name entry holds
constexpr int kMostLongName = 255;
constexpr uint8_t kArchiveBit = 0x20;
constexpr uint8_t kLabelBit = 0x08;
constexpr uint8_t kLongNameBits = 0x0F;
constexpr int kEndOfChain = 0xFFF;

// Boot code for a machine started from the diskette: says so, waits for a key and lets the
// BIOS try the next boot device. It sits right after the parameter block (offset 0x3E).
const uint8_t kBootCode[] = {
    0xFA,             // cli
    0x31, 0xC0,       // xor ax,ax
    0x8E, 0xD8,       // mov ds,ax
    0xFB,             // sti
    0xBE, 0x5B, 0x7C, // mov si,0x7C5B (the message)
    0xAC,             // next: lodsb
    0x08, 0xC0,       // or al,al
    0x74, 0x09,       // jz wait
    0xB4, 0x0E,       // mov ah,0Eh
    0xBB, 0x07, 0x00, // mov bx,7
    0xCD, 0x10,       // int 10h
    0xEB, 0xF2,       // jmp next
    0x31, 0xC0,       // wait: xor ax,ax
    0xCD, 0x16,       // int 16h
    0xCD, 0x19,       // int 19h
};
const char kBootMessage[] = "\r\nThis is not a startup diskette. Remove it and press a key.\r\n";

bool IsShortNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("!#$%&'()-@^_`{}~", c) != nullptr;
}

// True when name, as it stands, is a valid 8.3 name in capitals.
bool IsPlainShortName(const std::string& name) {
    size_t dot = name.find('.');
    std::string primary = name.substr(0, dot);
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (primary.empty() || primary.size() > 8 || extension.size() > 3 ||
        (dot != std::string::npos && extension.empty()))
        return false;
    return std::all_of(primary.begin(), primary.end(), IsShortNameChar) &&
           std::all_of(extension.begin(), extension.end(), IsShortNameChar);
}

// The 11 bytes of a directory entry's name for an 8.3 name.
std::string PaddedShortName(const std::string& name) {
    size_t dot = name.find('.');
    std::string primary = name.substr(0, dot);
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    primary.resize(8, ' ');
    extension.resize(3, ' ');
    return primary + extension;
}

// The short name Windows 95 puts under a long name: the name in capitals when that is a
// valid 8.3 name ("Register.ini": REGISTER.INI); otherwise capitals without spaces and leading
// dots, other characters a short name cannot hold as "_", the parts cut to 6 and 3 and a
// "~n" tail (LONGNA~1.TXT). `taken` holds the short names already in the folder.
std::string MakeShortName(const std::string& longName, const std::set<std::string>& taken) {
    std::string upper;
    for (char c : longName)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (IsPlainShortName(upper) && taken.count(upper) == 0)
        return upper;
    std::string text;
    for (char c : upper) {
        if (c != ' ')
            text += c;
    }
    text.erase(0, text.find_first_not_of('.'));
    size_t dot = text.rfind('.');
    auto clean = [](const std::string& part) {
        std::string out;
        for (char c : part) {
            if (c != '.')
                out += IsShortNameChar(c) ? c : '_';
        }
        return out;
    };
    std::string primary = clean(text.substr(0, dot));
    std::string extension =
        dot == std::string::npos ? std::string() : clean(text.substr(dot + 1)).substr(0, 3);
    if (primary.empty())
        primary = "_";
    const std::string suffix = extension.empty() ? std::string() : "." + extension;
    for (int n = 1;; ++n) {
        std::string tail = "~" + std::to_string(n);
        std::string candidate = primary.substr(0, 8 - tail.size()) + tail + suffix;
        if (taken.count(candidate) == 0)
            return candidate;
    }
}

uint8_t ShortNameChecksum(const std::string& padded) {
    uint8_t sum = 0;
    for (char c : padded)
        sum = static_cast<uint8_t>(((sum & 1) ? 0x80 : 0) + (sum >> 1) + static_cast<uint8_t>(c));
    return sum;
}

void Put16(uint8_t* at, unsigned value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

// FAT's local date and time (two-second steps), clamped to the years it can hold.
void DosDateTime(time_t when, unsigned& date, unsigned& time) {
    std::tm local{};
    if (const std::tm* converted = std::localtime(&when))
        local = *converted;
    int year = local.tm_year + 1900;
    if (year < 1980) {
        date = (1 << 5) | 1;
        time = 0;
        return;
    }
    if (year > 2107) {
        date = (127u << 9) | (12 << 5) | 31;
        time = (23 << 11) | (59 << 5) | 29;
        return;
    }
    date = (static_cast<unsigned>(year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
    time = (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
}

void SetFat12(std::vector<uint8_t>& fat, int cluster, int value) {
    size_t at = static_cast<size_t>(cluster) * 3 / 2;
    if (cluster % 2 == 0) {
        fat[at] = static_cast<uint8_t>(value);
        fat[at + 1] = static_cast<uint8_t>((fat[at + 1] & 0xF0) | ((value >> 8) & 0x0F));
    } else {
        fat[at] = static_cast<uint8_t>((fat[at] & 0x0F) | ((value & 0x0F) << 4));
        fat[at + 1] = static_cast<uint8_t>(value >> 4);
    }
}

bool ReadWhole(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int CDisketteFormat::DataSectors() const {
    return m_nTotalSectors - 1 - 2 * m_nSectorsPerFat - m_nRootEntries * kEntryBytes / kSectorBytes;
}

const CDisketteFormat* FindDisketteFormat(int64_t dataBytes, int64_t clusterBytes) {
    for (const CDisketteFormat& format : kFormats) {
        if (format.DataBytes() == dataBytes && format.ClusterBytes() == clusterBytes)
            return &format;
    }
    return nullptr;
}

std::string DisketteFormatsText() {
    std::string text;
    for (const CDisketteFormat& format : kFormats) {
        if (!text.empty())
            text += ", ";
        text += std::string(format.m_pszName) + " (Size=" + std::to_string(format.DataBytes()) +
                ", Cluster=" + std::to_string(format.ClusterBytes()) + ")";
    }
    return text;
}

std::string WhyNotADisketteName(const std::string& name) {
    if (name.empty())
        return "the name is empty";
    if (name.size() > kMostLongName)
        return "the name is longer than 255 characters";
    for (char c : name) {
        if (c < 0x20 || c > 0x7E)
            return "the name holds a character other than printable ASCII";
        if (std::strchr("\\/:*?\"<>|", c) != nullptr)
            return std::string("the name holds the character '") + c + "'";
    }
    if (name.front() == ' ' || name.back() == ' ' || name.back() == '.')
        return "the name starts with a space or ends with a space or a dot";
    std::string device = name.substr(0, name.find('.'));
    for (char& c : device)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    bool numbered = device.size() == 4 &&
                    (device.compare(0, 3, "COM") == 0 || device.compare(0, 3, "LPT") == 0) &&
                    device[3] >= '1' && device[3] <= '9';
    if (numbered ||
        std::find(std::begin(kDevices), std::end(kDevices), device) != std::end(kDevices))
        return "the name is that of a device (" + device + ")";
    return std::string();
}

int DirectoryEntriesFor(const std::string& name) {
    if (IsPlainShortName(name))
        return 1;
    return 1 + static_cast<int>((name.size() + kLongNameChars - 1) / kLongNameChars);
}

std::string VolumeLabelFor(const std::string& labelTemplate, int disk) {
    auto clean = [](const std::string& text) {
        std::string out;
        for (char c : text) {
            char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            char kept = IsShortNameChar(upper) ? upper : ' ';
            if (kept != ' ' || (!out.empty() && out.back() != ' '))
                out += kept;
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        return out;
    };
    auto cut = [](std::string text, size_t most) {
        text.resize(std::min(text.size(), most));
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text;
    };
    const size_t at = labelTemplate.find("%d");
    std::string whole = labelTemplate;
    if (at != std::string::npos)
        whole.replace(at, 2, std::to_string(disk));
    whole = clean(whole);
    if (whole.size() <= 11 || at == std::string::npos)
        return cut(whole, 11);
    const std::string number = std::to_string(disk);
    std::string rest = labelTemplate;
    rest.erase(at, 2);
    std::string base = cut(clean(rest), 11 - number.size() - 1);
    return base.empty() ? number : base + " " + number;
}

CDisketteImage::CDisketteImage(const CDisketteFormat& format, const std::string& volumeLabel)
    : m_format(format), m_strLabel(volumeLabel.substr(0, 11)) {}

void CDisketteImage::AddFile(const std::string& name, const std::string& sourcePath) {
    m_files.push_back({name, sourcePath});
}

void CDisketteImage::Write(const std::string& imagePath) const {
    const CDisketteFormat& f = m_format;
    const int sector = CDisketteFormat::kSectorBytes;
    std::vector<uint8_t> image(static_cast<size_t>(f.m_nTotalSectors) * sector, 0);

    // Boot sector.
    uint8_t* boot = image.data();
    boot[0] = 0xEB;
    boot[1] = 0x3C;
    boot[2] = 0x90;
    std::memcpy(boot + 3, "MKDISKS ", 8);
    Put16(boot + 11, sector);
    boot[13] = static_cast<uint8_t>(f.m_nSectorsPerCluster);
    Put16(boot + 14, 1);
    boot[16] = 2;
    Put16(boot + 17, f.m_nRootEntries);
    Put16(boot + 19, f.m_nTotalSectors);
    boot[21] = f.m_nMedia;
    Put16(boot + 22, f.m_nSectorsPerFat);
    Put16(boot + 24, f.m_nSectorsPerTrack);
    Put16(boot + 26, 2);
    boot[38] = 0x29;
    const std::string label = m_strLabel.empty() ? "NO NAME" : m_strLabel;
    std::string paddedLabel = label;
    paddedLabel.resize(11, ' ');
    // A serial number that the same diskette gets again on every build.
    uint32_t serial = 2166136261u;
    for (const CEntry& file : m_files) {
        for (char c : file.m_strName + paddedLabel)
            serial = (serial ^ static_cast<uint8_t>(c)) * 16777619u;
    }
    Put32(boot + 39, serial);
    std::memcpy(boot + 43, paddedLabel.data(), 11);
    std::memcpy(boot + 54, "FAT12   ", 8);
    std::memcpy(boot + 62, kBootCode, sizeof kBootCode);
    std::memcpy(boot + 62 + sizeof kBootCode, kBootMessage, sizeof kBootMessage);
    boot[510] = 0x55;
    boot[511] = 0xAA;

    std::vector<uint8_t> fat(static_cast<size_t>(f.m_nSectorsPerFat) * sector, 0);
    SetFat12(fat, 0, 0xF00 | f.m_nMedia);
    SetFat12(fat, 1, 0xFFF);
    const size_t rootOffset = static_cast<size_t>(1 + 2 * f.m_nSectorsPerFat) * sector;
    const size_t dataOffset = rootOffset + static_cast<size_t>(f.m_nRootEntries) * kEntryBytes;
    int entry = 0;
    auto nextEntry = [&]() -> uint8_t* {
        if (entry >= f.m_nRootEntries)
            throw CMkdisksError("the files of '" + imagePath + "' need more than the " +
                                std::to_string(f.m_nRootEntries) + " root directory entries of a " +
                                f.m_pszName + " diskette");
        return image.data() + rootOffset + static_cast<size_t>(entry++) * kEntryBytes;
    };
    time_t now = std::time(nullptr);
    unsigned date = 0, time = 0;
    if (!m_strLabel.empty()) {
        uint8_t* at = nextEntry();
        std::memcpy(at, paddedLabel.data(), 11);
        at[11] = kLabelBit;
        DosDateTime(now, date, time);
        Put16(at + 22, time);
        Put16(at + 24, date);
    }

    // Short names: the plain 8.3 names first, so that a made-up one never takes theirs.
    std::set<std::string> taken;
    for (const CEntry& file : m_files) {
        if (IsPlainShortName(file.m_strName))
            taken.insert(file.m_strName);
    }
    int cluster = 2;
    for (const CEntry& file : m_files) {
        std::string bytes;
        if (!ReadWhole(file.m_strSource, bytes))
            throw CMkdisksError("cannot read '" + file.m_strSource + "'");
        CFileStatus status;
        CFile::GetStatus(file.m_strSource, status);
        DosDateTime(status.m_mtime ? status.m_mtime : now, date, time);

        std::string shortName = file.m_strName;
        if (!IsPlainShortName(file.m_strName)) {
            shortName = MakeShortName(file.m_strName, taken);
            taken.insert(shortName);
            const std::string padded = PaddedShortName(shortName);
            const uint8_t checksum = ShortNameChecksum(padded);
            const int parts = DirectoryEntriesFor(file.m_strName) - 1;
            for (int part = parts; part >= 1; --part) {
                uint8_t* at = nextEntry();
                at[0] = static_cast<uint8_t>(part | (part == parts ? 0x40 : 0));
                at[11] = kLongNameBits;
                at[13] = checksum;
                static const int kCharOffsets[kLongNameChars] = {1,  3,  5,  7,  9,  14, 16,
                                                                 18, 20, 22, 24, 28, 30};
                for (int k = 0; k < kLongNameChars; ++k) {
                    size_t index = static_cast<size_t>(part - 1) * kLongNameChars + k;
                    unsigned unit = index < file.m_strName.size()
                                        ? static_cast<uint8_t>(file.m_strName[index])
                                        : (index == file.m_strName.size() ? 0 : 0xFFFF);
                    Put16(at + kCharOffsets[k], unit);
                }
            }
        }
        uint8_t* at = nextEntry();
        std::memcpy(at, PaddedShortName(shortName).data(), 11);
        at[11] = kArchiveBit;
        Put16(at + 14, time);
        Put16(at + 16, date);
        Put16(at + 18, date);
        Put16(at + 22, time);
        Put16(at + 24, date);
        Put32(at + 28, static_cast<uint32_t>(bytes.size()));
        if (bytes.empty())
            continue;
        const int64_t clusterBytes = f.ClusterBytes();
        const int count = static_cast<int>((static_cast<int64_t>(bytes.size()) + clusterBytes - 1) /
                                           clusterBytes);
        if (static_cast<int64_t>(bytes.size()) > f.DataBytes() ||
            cluster - 2 + count > f.Clusters())
            throw CMkdisksError("the files of '" + imagePath + "' do not fit on a " + f.m_pszName +
                                " diskette");
        Put16(at + 26, cluster);
        for (int k = 0; k < count; ++k)
            SetFat12(fat, cluster + k, k + 1 < count ? cluster + k + 1 : kEndOfChain);
        std::memcpy(image.data() + dataOffset + static_cast<size_t>(cluster - 2) * clusterBytes,
                    bytes.data(), bytes.size());
        cluster += count;
    }
    for (int copy = 0; copy < 2; ++copy) {
        std::memcpy(image.data() + static_cast<size_t>(1 + copy * f.m_nSectorsPerFat) * sector,
                    fat.data(), fat.size());
    }

    std::ofstream out(imagePath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
    if (!out.flush())
        throw CMkdisksError("cannot write '" + imagePath + "'");
}
