#include "archive/MultiFileEntry.h"

#include "transfer/SetupPath.h"

#include <cctype>
#include <cstring>

CMultiFileEntry::CMultiFileEntry(int64_t headerPosition)
    : m_nHeaderPosition(headerPosition), m_header(CEntryHeader::Make()) {}

CMultiFileEntry::~CMultiFileEntry() = default;

void CMultiFileEntry::SetOutputPath(const std::string& path) {
    if (path.size() >= kMaxPath)
        ThrowFileException(CFileException::badPath, -1, path);
    m_strOutputPath = path;
}

namespace {
constexpr uint8_t kNormalFile = 0x80; // a file without any other attribute bit
// Each write is a system call (a server round trip under some systems): the codecs hand over
// a few kilobytes at a time, the file gets them in pieces of this size.
constexpr size_t kGatherBytes = 65536;
} // namespace

CFile::NewFile CMultiFileEntry::ClaimOutput(const std::string& path) {
    if (path.size() >= kMaxPath)
        ThrowFileException(CFileException::badPath, -1, path);
    CloseQuietly();
    m_bClaimed = false;
    NewFile result = CreateNew(path);
    if (result == NewFile::created) {
        m_strOutputPath = path;
        m_path = path;
        m_bClaimed = true;
    }
    return result;
}

bool CMultiFileEntry::RenameOutput(const std::string& newPath) {
    bool renamed = m_bClaimed && IsHandleOpen() && RenameOpen(newPath);
    m_bClaimed = false;
    Close();
    return renamed;
}

void CMultiFileEntry::OpenOutput() {
    m_gathered.clear();
    m_bGathering = false;
    // A claimed output is open already, and empty.
    if (!m_bClaimed || !IsHandleOpen() || m_strOutputPath != GetFilePath())
        OpenWrite(m_strOutputPath, true);
    ResetWriteCount();
    ResetChecksum();
    m_gathered.reserve(kGatherBytes);
    m_bGathering = true;
}

void CMultiFileEntry::RawWrite(const void* buffer, unsigned count) {
    if (!m_bGathering) {
        CSpanFile::RawWrite(buffer, count);
        return;
    }
    if (m_gathered.size() + count > kGatherBytes)
        WriteGathered();
    if (count >= kGatherBytes) {
        CSpanFile::RawWrite(buffer, count);
        return;
    }
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
    m_gathered.insert(m_gathered.end(), bytes, bytes + count);
}

void CMultiFileEntry::WriteGathered() {
    if (m_gathered.empty())
        return;
    CSpanFile::RawWrite(m_gathered.data(), static_cast<unsigned>(m_gathered.size()));
    m_gathered.clear();
}

void CMultiFileEntry::Abort() {
    m_gathered.clear();
    m_bGathering = false;
    m_bClaimed = false;
    CSpanFile::Abort();
}

void CMultiFileEntry::ApplyStatus() {
    if (m_bGathering) {
        try {
            WriteGathered();
        } catch (...) {
            Abort(); // closed, so that the caller can remove it
            throw;
        }
        m_bGathering = false;
    }
    time_t time = static_cast<time_t>(m_header.GetTime());
    if (time != 0 && IsHandleOpen())
        SetModifiedTime(time);
    bool keepOpen = m_bClaimed && IsHandleOpen();
    if (!keepOpen)
        Close();
    CFileStatus status;
    if (!CFile::GetStatus(m_strOutputPath, status)) {
        Abort();
        ThrowFileException(CFileException::fileNotFound, -1, m_strOutputPath);
    }
    uint8_t wanted = static_cast<uint8_t>(m_header.GetAttributes() & 0xFF & ~kAttrDirectory);
    // What SetStatus gives a file with no attribute bit: a plain ("normal") file.
    if (status.m_attribute == (wanted != 0 ? wanted : kNormalFile))
        return;
    // Attributes are set by name, which the open file's sharing would refuse.
    m_bClaimed = false;
    Close();
    status.m_mtime = 0; // already set
    status.m_attribute = wanted;
    CFile::SetStatus(m_strOutputPath, status);
}

void CMultiFileEntry::FillFromFile() {
    CFileStatus status;
    if (!CFile::GetStatus(m_strName, status))
        ThrowFileException(CFileException::fileNotFound, -1, m_strName);
    // The format holds 32-bit times and sizes.
    time_t t = status.m_mtime;
    m_header.SetTime(t < 0 ? 0 : t > INT32_MAX ? INT32_MAX : static_cast<int32_t>(t));
    m_header.SetExpandedSize(static_cast<uint32_t>(status.m_size));
    uint16_t attributes = (m_header.GetAttributes() & 0xFF00) | status.m_attribute;
    m_header.SetAttributes(attributes);
}

void CMultiFileEntry::TakeTextsFromHeader() {
    m_strName = m_header.GetName();
    m_strDescription = m_header.GetDescription();
}

bool CMultiFileEntry::SetName(const std::string& name) {
    m_strName = name;
    return m_header.SetName(name);
}

namespace {

bool IsDeviceName(const std::string& name) {
    std::string title = name.substr(0, name.find('.'));
    while (!title.empty() && title.back() == ' ')
        title.pop_back();
    for (char& c : title)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
    for (const char* device : kDevices)
        if (title == device)
            return true;
    return title.size() == 4 &&
           (title.compare(0, 3, "COM") == 0 || title.compare(0, 3, "LPT") == 0) &&
           title[3] >= '1' && title[3] <= '9';
}

} // namespace

bool CMultiFileEntry::MakeInstallName(const std::string& memberName, std::string& installName) {
    size_t start = memberName.find_last_of("\\/:");
    std::string name = start == std::string::npos ? memberName : memberName.substr(start + 1);
    if (name.find_first_not_of(". ") == std::string::npos)
        return false; // empty, ".", ".." and the like
    for (unsigned char c : name)
        if (c < 0x20 || std::strchr("*?\"<>|", c) != nullptr)
            return false;
    if (IsDeviceName(name))
        return false;
    installName = name;
    return true;
}

std::string CMultiFileEntry::GetInstallName() const {
    std::string name;
    if (!MakeInstallName(m_strName, name))
        ThrowFileException(CFileException::badPath, -1, m_strName);
    return name;
}
