#include "profile/ProfileLineBatch.h"

#include "framework/WindowsFamily.h"
#include "profile/ProfileCopy.h"

#include <windows.h>

#include <new>

namespace {

// Windows 95 refuses sections longer than this through the section functions.
constexpr size_t kSectionLimit9x = 32767;
constexpr DWORD kLargestSection = 64u << 20;

// The section as GetPrivateProfileSection returns it, read into a buffer that grows until
// the whole section fits.
std::string ReadSectionText(const std::string& file, const std::string& section) {
    std::vector<char> buffer(16384);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length =
            GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, file.c_str());
        // size - 2 means the text was cut to fit.
        if (length + 2 < size || size >= kLargestSection)
            return std::string(buffer.data(), length < size ? length : size);
        buffer.assign(buffer.size() * 4, '\0');
    }
}

} // namespace

CProfileLineBatch::~CProfileLineBatch() {
    Flush();
}

void CProfileLineBatch::Add(const std::string& section, const std::string& key,
                            const std::string& value) {
    for (CSectionWrites& writes : m_sections) {
        if (writes.m_strName == section) {
            writes.m_lines.emplace_back(key, value);
            return;
        }
    }
    m_sections.push_back({section, {{key, value}}});
}

void CProfileLineBatch::Flush() noexcept {
    if (m_sections.empty())
        return;
    try {
        // All sections into a copy that then takes the file's place: a power loss leaves the
        // lines of all or none of them.
        CProfileCopy copy(m_file);
        WriteSections(copy.GetPath());
        copy.Commit();
    } catch (const std::bad_alloc&) {
        // No memory for the copy's names: the lines go into the file itself.
        WriteSections(m_file);
    }
    m_sections.clear();
}

void CProfileLineBatch::WriteSections(const CSetupPath& file) noexcept {
    for (const CSectionWrites& section : m_sections) {
        try {
            FlushSection(section, file.GetText());
        } catch (const std::bad_alloc&) {
            // Out of memory for the merge: the lines go in one at a time.
            for (const CProfileLine& line : section.m_lines)
                WritePrivateProfileStringA(section.m_strName.c_str(), line.m_strKey.c_str(),
                                           line.m_strValue.c_str(), file.GetText().c_str());
        }
    }
}

void CProfileLineBatch::FlushSection(const CSectionWrites& section, const std::string& file) {
    std::vector<CProfileLine> merged = MergeProfileLines(
        ParseSectionText(ReadSectionText(file, section.m_strName)), section.m_lines);
    std::string text = FormatSectionText(merged);
    if (text.size() > kSectionLimit9x && IsWindows95Family()) {
        // That system keeps profile files in memory, so single writes cost little there.
        for (const CProfileLine& line : section.m_lines)
            WritePrivateProfileStringA(section.m_strName.c_str(), line.m_strKey.c_str(),
                                       line.m_strValue.c_str(), file.c_str());
        return;
    }
    WritePrivateProfileSectionA(section.m_strName.c_str(), text.c_str(), file.c_str());
}
