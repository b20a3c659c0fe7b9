#include "transfer/SetupPath.h"

#include "transfer/SetupPathPlatform.h"

namespace setup_path {

char SepFor(const std::string& a, const std::string& b) {
    for (const std::string* t : {&a, &b}) {
        if (t->find('\\') != std::string::npos)
            return '\\';
        if (t->find('/') != std::string::npos)
            return '/';
    }
    return kSep;
}

} // namespace setup_path

using setup_path::IsSep;
using setup_path::SepFor;

// ---------------------------------------------------------------------------------------------
// Plain-string helpers

void RemoveTrailingChar(std::string& text, char c) {
    if (!text.empty() && text.back() == c)
        text.pop_back();
}

void RemoveTrailingBackslash(std::string& text) {
    if (text.size() > 1)
        RemoveTrailingChar(text, '\\');
}

void AppendBackslash(std::string& text) {
    if (text.empty() || text.back() != '\\')
        text.push_back('\\');
}

void PrependBackslash(std::string& text) {
    if (text.empty() || text.front() != '\\')
        text.insert(text.begin(), '\\');
}

void RemoveLeadingChar(std::string& text, char c) {
    if (!text.empty() && text.front() == c)
        text.erase(text.begin());
}

void RemoveLeadingBackslash(std::string& text) {
    if (text.size() > 1)
        RemoveLeadingChar(text, '\\');
}

void TruncateTo(std::string& text, size_t length) {
    if (text.size() > length)
        text.resize(length);
}

// ---------------------------------------------------------------------------------------------
// CSetupPath

CSetupPath::CSetupPath(const std::string& text) : m_strText(text) {}

CSetupPath::CSetupPath(const char* text) : m_strText(text ? text : "") {}

CSetupPath& CSetupPath::operator=(const std::string& text) {
    m_strText = text;
    return *this;
}

void CSetupPath::SetToProfilePath(const std::string& title, const char* extension) {
    *this = CSetupPath(kRootSetupDir);
    SetTitle(title);
    SetExtension(extension ? extension : "ini");
}

void CSetupPath::Clear() {
    m_strText.clear();
}

CSetupPath::Parts CSetupPath::Split() const {
    Parts p;
    const std::string& t = m_strText;
    size_t pos = 0;
    if (t.size() >= 2 && t[1] == ':') {
        p.drive = t.substr(0, 2);
        pos = 2;
    }
    size_t lastSep = std::string::npos;
    for (size_t i = pos; i < t.size(); ++i)
        if (IsSep(t[i]))
            lastSep = i;
    if (lastSep != std::string::npos) {
        p.dir = t.substr(pos, lastSep + 1 - pos);
        pos = lastSep + 1;
    }
    std::string name = t.substr(pos);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        p.fname = name.substr(0, dot);
        p.ext = name.substr(dot);
    } else {
        p.fname = name;
    }
    return p;
}

// Joined without a fixed buffer: a result longer than a path may be is refused later by the
// operating system instead of overflowing or being cut into another path.
void CSetupPath::Join(const Parts& parts) {
    std::string out;
    if (!parts.drive.empty()) {
        out.push_back(parts.drive[0]);
        out.push_back(':');
    }
    if (!parts.dir.empty()) {
        out += parts.dir;
        if (!IsSep(out.back()))
            out.push_back(SepFor(parts.dir));
    }
    out += parts.fname;
    if (!parts.ext.empty()) {
        if (parts.ext[0] != '.')
            out.push_back('.');
        out += parts.ext;
    }
    m_strText = out;
}

std::string CSetupPath::GetDrive() const {
    Parts p = Split();
    return p.drive.empty() ? std::string() : p.drive.substr(0, 1);
}

std::string CSetupPath::GetDirectory() const {
    std::string dir = Split().dir;
    if (dir.size() > 1 && IsSep(dir.back()))
        dir.pop_back();
    return dir;
}

std::string CSetupPath::GetTitle() const {
    return Split().fname;
}

std::string CSetupPath::GetExtension() const {
    std::string ext = Split().ext;
    if (!ext.empty() && ext[0] == '.')
        ext.erase(ext.begin());
    return ext;
}

std::string CSetupPath::GetFileName() const {
    std::string ext = GetExtension();
    return ext.empty() ? GetTitle() : GetTitle() + "." + ext;
}

std::string CSetupPath::GetFolder() const {
    Parts p = Split();
    if (p.drive.empty())
        return {};
    std::string folder = p.drive + p.dir;
    if (!IsSep(folder.back()))
        folder.push_back(SepFor(m_strText));
    return folder;
}

void CSetupPath::SetDrive(const std::string& letter) {
    Parts p = Split();
    p.drive = letter;
    Join(p);
}

void CSetupPath::SetDirectory(const std::string& directory) {
    Parts p = Split();
    std::string dir = directory;
    const char sep = SepFor(directory, m_strText);
    if (dir.empty() || !IsSep(dir.front()))
        dir.insert(dir.begin(), sep);
    if (!IsSep(dir.back()))
        dir.push_back(sep);
    p.dir = dir;
    Join(p);
}

void CSetupPath::SetFolder(const std::string& folder) {
    Parts p = Split();
    std::string text = folder;
    if (text.empty() || !IsSep(text.back()))
        text.push_back(SepFor(folder, m_strText));
    CSetupPath f(text);
    Parts fp = f.Split();
    p.drive = fp.drive;
    p.dir = fp.dir;
    Join(p);
}

void CSetupPath::SetTitle(const std::string& title) {
    Parts p = Split();
    p.fname = title;
    Join(p);
}

void CSetupPath::SetExtension(const std::string& extension) {
    Parts p = Split();
    p.ext = extension;
    Join(p);
}

void CSetupPath::SetFileName(const std::string& nameAndExtension) {
    Parts p = Split();
    p.fname = nameAndExtension;
    p.ext.clear();
    Join(p);
}

void CSetupPath::AppendSubdirectory(const std::string& name) {
    if (name.empty())
        return;
    std::string sub = name;
    const char sep = SepFor(m_strText, name);
    if (sub.size() > 1 && IsSep(sub.front()))
        sub.erase(sub.begin());
    if (!IsSep(sub.back()))
        sub.push_back(sep);
    Parts p = Split();
    if (p.dir.empty() || !IsSep(p.dir.back()))
        p.dir.push_back(sep);
    p.dir += sub;
    Join(p);
}

void CSetupPath::ToParent(std::string* lastComponent) {
    std::string dir = GetDirectory();
    if (dir.empty())
        return;
    size_t pos = dir.find_last_of("\\/");
    if (pos == std::string::npos)
        return;
    if (lastComponent) {
        std::string last = dir.substr(pos);
        if (last.size() > 1)
            last.erase(last.begin());
        *lastComponent = last;
    }
    SetDirectory(dir.substr(0, pos));
}

void CSetupPath::ToRoot() {
    SetDirectory("");
    SetFileName("");
}
