// The benchmark payloads: seeded, so every run and every machine installs the same bytes.
//   "many": count files of 1-64 KB in four folders, about half text-like, half random;
//   "big":  8 files of totalBytes together, half text-like (compressible), half random.
// A payload is laid out with its product description for mkdisks and its NSIS script, so
// both installers ship exactly the same files. Portable; errors are thrown as
// std::runtime_error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// splitmix64: small, fast and the same everywhere (std:: engines' distributions are not).
class CPayloadRandom {
public:
    explicit CPayloadRandom(uint64_t seed) : m_nState(seed) {}
    uint64_t Next();
    // A number in [low, high].
    uint64_t Between(uint64_t low, uint64_t high) { return low + Next() % (high - low + 1); }
    void Fill(uint8_t* data, size_t size);

private:
    uint64_t m_nState;
};

struct CPayloadFile {
    int m_nFolder = 0;     // index into kPayloadFolders; also the destination id
    std::string m_strName; // name and extension, unique in the payload
    uint64_t m_nSize = 0;
    bool m_bText = false; // text-like (compressible) or random bytes
};

// Destination 0 is the install folder itself; 1-3 are its subfolders.
extern const char* const kPayloadFolders[4];

struct CPayloadPlan {
    std::string m_strKind;
    uint64_t m_nSeed = 0;
    std::vector<CPayloadFile> m_files;
    uint64_t TotalBytes() const;
};

CPayloadPlan PlanManyFiles(uint64_t seed, int count);
CPayloadPlan PlanBigFiles(uint64_t seed, uint64_t totalBytes);

// Writes OUT/payload/<folder>/<file>, OUT/bench.desc (mkdisks) and OUT/bench.nsi (makensis,
// zlib, silent, installing into nsisTarget; an x86-64 installer where amd64). OUT must exist.
void WritePayload(const CPayloadPlan& plan, const std::string& out);
void WriteDescription(const CPayloadPlan& plan, const std::string& out);
void WriteNsisScript(const CPayloadPlan& plan, const std::string& out,
                     const std::string& nsisTarget, bool amd64);

// The bytes of one file, made from the plan's seed and the file's place in the plan.
std::vector<uint8_t> MakeFileBytes(const CPayloadPlan& plan, size_t index);
