#include "profile/ProfileKeyList.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr DWORD kFirstListSize = 256;
// A section whose key names need more than this is not a profile setup can use; the list is
// then cut here rather than growing without end.
constexpr DWORD kLargestListSize = 16u * 1024u * 1024u;

} // namespace

CProfileKeyList::CProfileKeyList(const char* section)
    : m_file(DefaultProfileFile()), m_strSection(section ? section : "") {}

void CProfileKeyList::SetFile(const std::string& name, const char* extension) {
    m_file.SetToProfilePath(name, extension);
}

void CProfileKeyList::Close() {
    std::vector<char>().swap(m_buffer);
    m_nCursor = 0;
}

bool CProfileKeyList::First(CProfileValue& value) {
    if (m_file.GetText().empty())
        m_file = DefaultProfileFile();
    DWORD size = kFirstListSize;
    for (;;) {
        m_buffer.assign(size + 2, '\0'); // two spare NULs end the list whatever was copied
        DWORD count = GetPrivateProfileStringA(m_strSection.c_str(), nullptr, "", m_buffer.data(),
                                               size, m_file.GetText().c_str());
        if (count < size - 2 || size >= kLargestListSize)
            break;
        size *= 2;
    }
    m_nCursor = 0;
    if (m_buffer[0] == '\0') {
        Close();
        return false;
    }
    return HandOut(value);
}

bool CProfileKeyList::Next(CProfileValue& value) {
    if (m_buffer.empty())
        return false;
    if (m_nCursor >= m_buffer.size() || m_buffer[m_nCursor] == '\0') {
        Close();
        return false;
    }
    return HandOut(value);
}

bool CProfileKeyList::HandOut(CProfileValue& value) {
    const char* key = m_buffer.data() + m_nCursor;
    size_t length = strnlen(key, m_buffer.size() - m_nCursor);
    value.SetSection(m_strSection);
    value.SetFile(m_file);
    value.SetKey(std::string(key, length));
    m_nCursor += length + 1;
    return true;
}

size_t ForEachProfileValue(
    const CSetupPath& file, const std::string& section,
    const std::function<void(const std::string& key, const std::string& value)>& visit) {
    CProfileKeyList keys(section.c_str());
    keys.SetFile(file);
    CProfileValue value;
    size_t count = 0;
    for (bool more = keys.First(value); more; more = keys.Next(value)) {
        value.SetValue(""); // the default of the lookup: never the previous key's value
        value.Read();
        visit(value.GetKey(), value.GetValue());
        ++count;
    }
    return count;
}

std::vector<std::string> ReadSectionValues(const CSetupPath& file, const std::string& section) {
    std::vector<std::string> values;
    ForEachProfileValue(file, section, [&values](const std::string&, const std::string& value) {
        values.push_back(value);
    });
    return values;
}
