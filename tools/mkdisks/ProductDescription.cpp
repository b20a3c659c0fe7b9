#include "tools/mkdisks/ProductDescription.h"

#include "archive/ArchiveFormat.h"
#include "archive/MultiFile.h"
#include "archive/MultiFileEntry.h"
#include "profile/ProfileFields.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char kDisksSection[] = "Disks";
const char kFilesPrefix[] = "Files:";

// Fields separated by "|", not trimmed beyond the blanks around each.
std::vector<std::string> SplitFields(const std::string& value) {
    std::vector<std::string> fields = SplitProfileFields(value);
    for (std::string& field : fields)
        field = TrimBlanks(field);
    return fields;
}

// The text of a file; false when it cannot be read.
bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && ProfileNamesEqual(text.substr(0, prefix.size()), prefix);
}

int16_t ParseDestination(const std::string& text, const std::string& where) {
    long long id = 0;
    if (!ParseDecimalInRange(text, -32768, 32767, id))
        throw CMkdisksError(where + ": destination '" + text + "' is not a 16-bit number");
    return static_cast<int16_t>(id);
}

int32_t ParseMethod(const std::string& text, const std::string& where) {
    if (text.empty() || ProfileNamesEqual(text, "deflate"))
        return kMethodDeflate;
    if (ProfileNamesEqual(text, "stored"))
        return kMethodStored;
    throw CMkdisksError(where + ": unknown method '" + text + "' (stored or deflate)");
}

// "SOURCE>NAME" gives the file SOURCE the name NAME in the set; otherwise the name is the
// source's own name and extension.
void SplitSourceAndName(const std::string& text, std::string& source, std::string& name) {
    size_t arrow = text.find('>');
    source = TrimBlanks(text.substr(0, arrow));
    name = arrow == std::string::npos ? FileNameOf(source) : TrimBlanks(text.substr(arrow + 1));
}

} // namespace

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void CProductDescription::Load(const std::string& descriptionPath, const std::string& inputFolder,
                               const std::string& setupProgram) {
    std::string text;
    if (!ReadText(descriptionPath, text))
        throw CMkdisksError("cannot read the product description '" + descriptionPath + "'");
    CProfileDocument doc;
    doc.Parse(text);
    m_strInputFolder =
        inputFolder.empty() ? fs::path(descriptionPath).parent_path().string() : inputFolder;
    if (const CProfileSection* s = doc.Find("destinations"))
        m_destinations = *s;
    if (m_destinations.m_lines.empty())
        throw CMkdisksError("the description has no [destinations]");
    for (const CProfileLine& entry : m_destinations.m_lines)
        ParseDestination(entry.m_strKey, "[destinations]");
    if (const CProfileSection* s = doc.Find("groups"))
        m_groups = *s;
    if (const CProfileSection* s = doc.Find("targets"))
        m_targets = *s;
    LoadDisks(doc, setupProgram);

    for (const CProfileSection& section : doc.Sections()) {
        if (!StartsWithNoCase(section.m_strName, kFilesPrefix))
            continue;
        std::string key = section.m_strName.substr(sizeof kFilesPrefix - 1);
        if (!m_groups.Has(key))
            throw CMkdisksError("[" + section.m_strName + "]: no group '" + key + "' in [groups]");
        for (const char* reserved : {"destinations", "groups", "targets", "diskettes", "Events"}) {
            if (ProfileNamesEqual(key, reserved))
                throw CMkdisksError("[" + section.m_strName +
                                    "]: a group key cannot name the profile section '" + reserved +
                                    "'");
        }
        LoadGroupFiles(section, key);
    }
    CheckUniqueNames();
}

void CProductDescription::LoadDisks(const CProfileDocument& doc, const std::string& setupProgram) {
    const CProfileSection* disks = doc.Find(kDisksSection);
    CProfileSection empty(kDisksSection);
    if (disks == nullptr)
        disks = &empty;
    long long number = 0;
    std::string size = disks->Get("Size");
    if (!size.empty()) {
        if (!ParseDecimalInRange(size, 4096, 1LL << 40, number))
            throw CMkdisksError("[Disks]: Size '" + size + "' is not a size in bytes");
        m_nDiskBytes = number;
    }
    std::string cluster = disks->Get("Cluster");
    if (!cluster.empty()) {
        if (!ParseDecimalInRange(cluster, 1, 1 << 20, number))
            throw CMkdisksError("[Disks]: Cluster '" + cluster + "' is not a size in bytes");
        m_nClusterBytes = number;
    }
    if (m_nDiskBytes % m_nClusterBytes != 0)
        throw CMkdisksError("[Disks]: Size is not a whole number of clusters");
    m_strLabel = disks->Get("Label", "Disk %d");

    std::string setup = setupProgram.empty() ? disks->Get("SetupProgram") : setupProgram;
    if (setup.empty())
        throw CMkdisksError("[Disks]: no SetupProgram");
    bool found = false;
    m_setupProgram = FindSource(setup, "[Disks] SetupProgram", false, found);
    std::string title = m_setupProgram.m_strName;
    size_t dot = title.find_last_of('.');
    if (dot != std::string::npos)
        title.erase(dot);
    m_strProfileName = title + ".ini";

    for (const CProfileLine& entry : disks->m_lines) {
        if (!StartsWithNoCase(entry.m_strKey, "Extra"))
            continue;
        std::vector<std::string> fields = SplitFields(entry.m_strValue);
        bool optional = fields.size() > 1 && ProfileNamesEqual(fields[1], "optional");
        CSourceFile file = FindSource(fields[0], "[Disks] " + entry.m_strKey, optional, found);
        if (found)
            m_extras.push_back(file);
    }
}

void CProductDescription::LoadGroupFiles(const CProfileSection& section, const std::string& key) {
    CGroupFiles group;
    group.m_strKey = key;
    group.m_strArchive = section.Get("Archive");
    group.m_strText = section.Get("Text");
    const std::string where = "[" + section.m_strName + "]";
    for (const CProfileLine& entry : section.m_lines) {
        bool member = StartsWithNoCase(entry.m_strKey, "Member");
        bool plain = StartsWithNoCase(entry.m_strKey, "Plain");
        if (!member && !plain)
            continue;
        const std::string place = where + " " + entry.m_strKey;
        std::vector<std::string> fields = SplitFields(entry.m_strValue);
        if (fields.size() < 2 || fields[0].empty())
            throw CMkdisksError(place + ": expected source|destination");
        int16_t destination = ParseDestination(fields[1], place);
        CheckDestination(destination, place);
        bool optional = false;
        int32_t method = kMethodDeflate;
        if (member) {
            method = ParseMethod(fields.size() > 2 ? fields[2] : "", place);
            optional = fields.size() > 3 && ProfileNamesEqual(fields[3], "optional");
        } else {
            optional = fields.size() > 2 && ProfileNamesEqual(fields[2], "optional");
        }
        // The entry header holds the name in 260 bytes with its terminating zero.
        std::string source, name;
        SplitSourceAndName(fields[0], source, name);
        if (member && name.size() >= ArchiveLayout::kNameBytes)
            throw CMkdisksError(place + ": the member name '" + name +
                                "' is longer than an archive entry allows (259 characters)");
        bool found = false;
        CSourceFile file = FindSource(fields[0], place, optional, found);
        if (!found)
            continue;
        file.m_nDestination = destination;
        file.m_nMethod = method;
        if (member) {
            std::string installName;
            if (!CMultiFileEntry::MakeInstallName(file.m_strName, installName) ||
                installName != file.m_strName)
                throw CMkdisksError(place + ": '" + file.m_strName +
                                    "' cannot be installed under that name");
            if (fields.size() > 4)
                file.m_strDescription = fields[4];
            if (file.m_strDescription.size() >= ArchiveLayout::kDescriptionBytes)
                throw CMkdisksError(place + ": the member description is longer than 39 "
                                            "characters");
            group.m_members.push_back(file);
        } else {
            group.m_plainFiles.push_back(file);
        }
    }
    if (!group.m_members.empty()) {
        std::string next;
        if (group.m_strArchive.empty())
            throw CMkdisksError(where + ": members but no Archive name");
        if (FileNameOf(group.m_strArchive) != group.m_strArchive ||
            !CMultiFile::NextVolumePath(group.m_strArchive, next))
            throw CMkdisksError(where + ": the archive name '" + group.m_strArchive +
                                "' cannot name a volume set");
    }
    m_fileGroups.push_back(std::move(group));
}

void CProductDescription::CheckDestination(int16_t id, const std::string& where) const {
    if (id >= -4 && id <= -1)
        return;
    for (const CProfileLine& entry : m_destinations.m_lines) {
        long long known = 0;
        if (ParseDecimalInRange(entry.m_strKey, -32768, 32767, known) && known == id)
            return;
    }
    throw CMkdisksError(where + ": unknown destination " + std::to_string(id));
}

CSourceFile CProductDescription::FindSource(const std::string& text, const std::string& where,
                                            bool optional, bool& found) const {
    CSourceFile file;
    std::string source;
    SplitSourceAndName(text, source, file.m_strName);
    file.m_strSource = source;
    if (file.m_strName.empty() || FileNameOf(file.m_strName) != file.m_strName)
        throw CMkdisksError(where + ": '" + file.m_strName + "' is not a file name");
    fs::path path(source);
    if (path.is_relative() && !m_strInputFolder.empty())
        path = fs::path(m_strInputFolder) / path;
    file.m_strPath = path.string();
    std::error_code error;
    found = fs::is_regular_file(path, error);
    if (!found) {
        if (optional)
            return file;
        throw CMkdisksError(where + ": missing file '" + file.m_strPath + "'");
    }
    file.m_nSize = fs::file_size(path, error);
    return file;
}

void CProductDescription::CheckUniqueNames() const {
    // Every set may be copied into one folder: no two files of the set may share a name.
    std::set<std::string> names;
    auto add = [&names](const std::string& name) {
        std::string folded = name;
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!names.insert(folded).second)
            throw CMkdisksError("two files of the set are named '" + name + "'");
    };
    add(m_setupProgram.m_strName);
    add(m_strProfileName);
    for (const CSourceFile& extra : m_extras)
        add(extra.m_strName);
    for (const CGroupFiles& group : m_fileGroups) {
        for (const CSourceFile& plain : group.m_plainFiles) {
            // Installed from diskette 1's copy: no file of its own.
            if (!IsFirstDiskFile(plain.m_strName))
                add(plain.m_strName);
        }
        if (!group.m_members.empty()) {
            add(group.m_strArchive);
            // The later volumes' names are checked when the set is laid out.
        }
    }
}

bool CProductDescription::IsFirstDiskFile(const std::string& name) const {
    if (ProfileNamesEqual(name, m_setupProgram.m_strName))
        return true;
    for (const CSourceFile& extra : m_extras) {
        if (ProfileNamesEqual(name, extra.m_strName))
            return true;
    }
    return false;
}

std::string CProductDescription::LabelFor(int disk) const {
    std::string label = m_strLabel;
    size_t at = label.find("%d");
    if (at != std::string::npos)
        label.replace(at, 2, std::to_string(disk));
    return label;
}
