#include "BenchPayload.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

const char* const kPayloadFolders[4] = {"", "DOCS", "DATA", "LIB"};

namespace {

constexpr uint64_t kKilobyte = 1024;

// Invented words from the seed: text that compresses about as well as prose does.
class CTextMaker {
public:
    explicit CTextMaker(CPayloadRandom& random) : m_random(random) {
        static const char letters[] = "etaoinshrdlucmfwypvbgkjqxz";
        for (int i = 0; i < 400; ++i) {
            std::string word;
            int length = static_cast<int>(m_random.Between(2, 10));
            for (int c = 0; c < length; ++c)
                // Skewed towards the frequent letters, as in real text.
                word += letters[m_random.Between(0, m_random.Between(0, 25))];
            m_words.push_back(word);
        }
    }
    void Fill(uint8_t* data, size_t size) {
        size_t at = 0, column = 0;
        while (at < size) {
            const std::string& word = m_words[m_random.Between(0, m_words.size() - 1)];
            std::string piece = word;
            if (m_random.Between(0, 19) == 0)
                piece = std::to_string(m_random.Between(0, 99999));
            piece += column > 70 ? "\r\n" : " ";
            column = column > 70 ? 0 : column + piece.size();
            for (char c : piece)
                if (at < size)
                    data[at++] = static_cast<uint8_t>(c);
        }
    }

private:
    CPayloadRandom& m_random;
    std::vector<std::string> m_words;
};

std::string FileName(const char* stem, size_t number, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%05zu.%s", stem, number, extension);
    return name;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string SourceOf(const CPayloadFile& file) {
    return file.m_nFolder == 0
               ? file.m_strName
               : std::string(kPayloadFolders[file.m_nFolder]) + "/" + file.m_strName;
}

} // namespace

uint64_t CPayloadRandom::Next() {
    uint64_t z = (m_nState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void CPayloadRandom::Fill(uint8_t* data, size_t size) {
    size_t at = 0;
    while (at < size) {
        uint64_t word = Next();
        for (int i = 0; i < 8 && at < size; ++i, word >>= 8)
            data[at++] = static_cast<uint8_t>(word);
    }
}

uint64_t CPayloadPlan::TotalBytes() const {
    uint64_t total = 0;
    for (const CPayloadFile& file : m_files)
        total += file.m_nSize;
    return total;
}

CPayloadPlan PlanManyFiles(uint64_t seed, int count) {
    CPayloadPlan plan;
    plan.m_strKind = "many";
    plan.m_nSeed = seed;
    CPayloadRandom random(seed);
    for (int i = 0; i < count; ++i) {
        CPayloadFile file;
        file.m_nFolder = static_cast<int>(random.Between(0, 3));
        file.m_bText = random.Between(0, 1) == 0;
        file.m_nSize = random.Between(1 * kKilobyte, 64 * kKilobyte);
        file.m_strName = FileName("F", i + 1, file.m_bText ? "TXT" : "BIN");
        plan.m_files.push_back(file);
    }
    return plan;
}

CPayloadPlan PlanBigFiles(uint64_t seed, uint64_t totalBytes) {
    CPayloadPlan plan;
    plan.m_strKind = "big";
    plan.m_nSeed = seed;
    CPayloadRandom random(seed);
    // Eight shares between 3/4 and 5/4 of an eighth, scaled to the total.
    uint64_t shares[8], sum = 0;
    for (uint64_t& share : shares)
        sum += share = random.Between(750, 1250);
    uint64_t left = totalBytes;
    for (int i = 0; i < 8; ++i) {
        CPayloadFile file;
        file.m_nFolder = i % 2 == 0 ? 0 : 2;
        file.m_bText = i < 4;
        file.m_nSize = i == 7 ? left : totalBytes / sum * shares[i];
        left -= file.m_nSize;
        file.m_strName = FileName("BIG", i + 1, file.m_bText ? "TXT" : "DAT");
        plan.m_files.push_back(file);
    }
    return plan;
}

std::vector<uint8_t> MakeFileBytes(const CPayloadPlan& plan, size_t index) {
    const CPayloadFile& file = plan.m_files.at(index);
    CPayloadRandom random(plan.m_nSeed * 1000003 + index);
    std::vector<uint8_t> bytes(file.m_nSize);
    if (file.m_bText)
        CTextMaker(random).Fill(bytes.data(), bytes.size());
    else
        random.Fill(bytes.data(), bytes.size());
    return bytes;
}

void WritePayload(const CPayloadPlan& plan, const std::string& out) {
    fs::path root = fs::path(out) / "payload";
    for (size_t i = 0; i < plan.m_files.size(); ++i) {
        const CPayloadFile& file = plan.m_files[i];
        fs::create_directories(root / kPayloadFolders[file.m_nFolder]);
        std::ofstream stream(root / SourceOf(file), std::ios::binary | std::ios::trunc);
        std::vector<uint8_t> bytes = MakeFileBytes(plan, i);
        stream.write(reinterpret_cast<const char*>(bytes.data()),
                     static_cast<std::streamsize>(bytes.size()));
        if (!stream)
            throw std::runtime_error("cannot write " + (root / SourceOf(file)).string());
    }
}

void WriteDescription(const CPayloadPlan& plan, const std::string& out) {
    // One folder holds the whole set: a "diskette" of 1 GB.
    std::string text = "; The " + plan.m_strKind + " benchmark payload (seed " +
                       std::to_string(plan.m_nSeed) +
                       ").\r\n"
                       "[Disks]\r\nSize=1073741824\r\nCluster=512\r\nSetupProgram=SETUP.EXE\r\n"
                       "Label=Benchmark Disk %d\r\n\r\n"
                       "[destinations]\r\n0=BENCHSW\r\n1=DOCS|0|\r\n2=DATA|0|\r\n3=LIB|0|\r\n\r\n"
                       "[groups]\r\n";
    static const char* const groups[4] = {"Root", "Docs", "Data", "Lib"};
    for (const char* group : groups)
        text += std::string(group) + "=" + group + " files|Benchmark files|1|1|1\r\n";
    for (int folder = 0; folder < 4; ++folder) {
        std::string section = "\r\n[Files:" + std::string(groups[folder]) +
                              "]\r\nArchive=" + (folder == 0 ? "ROOT" : kPayloadFolders[folder]) +
                              ".1\r\nText=Benchmark files\r\n";
        int member = 0;
        for (const CPayloadFile& file : plan.m_files)
            if (file.m_nFolder == folder)
                section += "Member" + std::to_string(++member) + "=" + SourceOf(file) + "|" +
                           std::to_string(folder) + "|deflate\r\n";
        if (member > 0)
            text += section;
    }
    WriteText(fs::path(out) / "bench.desc", text);
}

void WriteNsisScript(const CPayloadPlan& plan, const std::string& out,
                     const std::string& nsisTarget, bool amd64) {
    // The installer runs as the same architecture as the setup program it is measured
    // against; the x86-64 stubs exist only as Unicode programs.
    std::string text = "; The " + plan.m_strKind + " benchmark payload as an NSIS installer.\n" +
                       (amd64 ? "Target amd64-unicode\n" : "Unicode false\n") +
                       "SetCompressor zlib\nName \"Benchmark\"\n"
                       "OutFile \"bench-nsis.exe\"\nInstallDir \"" +
                       nsisTarget +
                       "\"\nSilentInstall silent\nRequestExecutionLevel user\n"
                       "Section\n";
    for (int folder = 0; folder < 4; ++folder) {
        bool any = false;
        for (const CPayloadFile& file : plan.m_files)
            any = any || file.m_nFolder == folder;
        if (!any)
            continue;
        std::string sub = folder == 0 ? "" : std::string("\\") + kPayloadFolders[folder];
        std::string from = folder == 0 ? "payload/*.*"
                                       : std::string("payload/") + kPayloadFolders[folder] + "/*.*";
        text += "SetOutPath \"$INSTDIR" + sub + "\"\nFile \"" + from + "\"\n";
    }
    text += "SectionEnd\n";
    WriteText(fs::path(out) / "bench.nsi", text);
}
