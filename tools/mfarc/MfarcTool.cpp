#include "tools/mfarc/MfarcTool.h"

#include "archive/ArchiveExceptions.h"
#include "archive/ArchiveWriter.h"
#include "archive/MultiFile.h"
#include "archive/VolumeSplitter.h"
#include "profile/ProfileFields.h"
#include "transfer/SetupPath.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDamaged = 1;
constexpr int kExitUsage = 2;

// The smallest volume that can hold a header, an entry header and a cut inside data.
constexpr long long kMinVolumeBytes =
    ArchiveLayout::kArchiveHeaderSize + ArchiveLayout::kEntryHeaderSize + 2;

const char kUsage[] =
    "usage: mfarc create [-m stored|deflate] [-d DESTID] [-s VOLUME_BYTES] ARCHIVE FILE...\n"
    "       mfarc list ARCHIVE\n"
    "       mfarc test ARCHIVE\n"
    "       mfarc extract ARCHIVE DIR\n";

struct UsageError {
    std::string message;
};

// The member being worked on, named in the error line when something fails.
struct Progress {
    std::string member;
};

// Member names come from the archive: keep the listing one line per member.
std::string Printable(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return out;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    char last = folder.back();
    if (last == '/' || last == '\\' || last == ':')
        return folder + name;
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

struct CreateOptions {
    int32_t method = kMethodDeflate;
    int16_t destination = 0;
    long long volumeBytes = 0; // 0: one volume
    std::string archive;
    std::vector<std::string> files;
};

CreateOptions ParseCreate(const std::vector<std::string>& args) {
    CreateOptions options;
    size_t i = 1;
    for (; i < args.size() && args[i].size() > 1 && args[i][0] == '-'; i += 2) {
        if (i + 1 >= args.size())
            throw UsageError{"option " + args[i] + " needs a value"};
        const std::string& value = args[i + 1];
        long long number = 0;
        if (args[i] == "-m" && value == "stored")
            options.method = kMethodStored;
        else if (args[i] == "-m" && value == "deflate")
            options.method = kMethodDeflate;
        else if (args[i] == "-d" && ParseDecimalInRange(value, INT16_MIN, INT16_MAX, number))
            options.destination = static_cast<int16_t>(number);
        else if (args[i] == "-s" && ParseDecimalInRange(value, kMinVolumeBytes, INT32_MAX, number))
            options.volumeBytes = number;
        else
            throw UsageError{"bad option " + args[i] + " " + value};
    }
    if (args.size() - i < 2)
        throw UsageError{"create needs an archive and at least one file"};
    options.archive = args[i];
    options.files.assign(args.begin() + static_cast<long>(i) + 1, args.end());
    return options;
}

// Removes a file when the scope ends, unless it was released.
class CTemporaryFile {
public:
    explicit CTemporaryFile(std::string path) : m_strPath(std::move(path)) {}
    ~CTemporaryFile() {
        if (!m_strPath.empty())
            std::remove(m_strPath.c_str());
    }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};

int Create(const std::vector<std::string>& args, std::ostream& out, Progress& progress) {
    CreateOptions options = ParseCreate(args);
    // A split archive is written whole first, then cut where the members allow it.
    std::unique_ptr<CTemporaryFile> whole;
    std::string target = options.archive;
    if (options.volumeBytes > 0) {
        whole = std::make_unique<CTemporaryFile>(options.archive + ".whole");
        target = whole->Path();
    }
    CArchiveWriter writer;
    writer.Create(target);
    for (const std::string& file : options.files) {
        progress.member = file;
        writer.AddFile(file, options.method, options.destination);
    }
    progress.member.clear();
    writer.Close();
    if (whole) {
        CVolumeSplitter splitter(options.volumeBytes);
        std::vector<std::string> volumes = splitter.Split(whole->Path(), options.archive);
        for (const std::string& volume : volumes)
            out << volume << "\n";
    }
    return kExitOk;
}

enum class Action { List, Test, Extract };

int Read(Action action, const std::vector<std::string>& args, std::ostream& out,
         Progress& progress) {
    if (args.size() != (action == Action::Extract ? 3u : 2u))
        throw UsageError{args[0] + ": wrong number of arguments"};
    std::string folder;
    if (action == Action::Extract) {
        folder = args[2];
        CSetupPath(folder).CreateFolder(true);
    }
    CFolderMultiFile archive;
    archive.OpenArchive(args[1]);
    std::unique_ptr<CMultiFileEntry> entry = archive.CreateEntry();
    while (archive.ReadEntryHeader(*entry)) {
        const CEntryHeader& h = entry->Header();
        progress.member = Printable(entry->GetName());
        switch (action) {
        case Action::List: {
            char checksum[9];
            std::snprintf(checksum, sizeof checksum, "%08x", h.GetChecksum());
            out << progress.member << '\t' << h.GetDestination() << '\t' << h.GetMethod() << '\t'
                << h.GetExpandedSize() << '\t' << h.GetPackedSize() << '\t' << checksum << '\t'
                << (h.GetContinued() != 0 ? 1 : 0) << '\n';
            archive.SkipData(*entry);
            break;
        }
        case Action::Test:
            archive.Test(*entry);
            break;
        case Action::Extract:
            entry->SetOutputPath(JoinPath(folder, entry->GetInstallName()));
            archive.Extract(*entry);
            break;
        }
    }
    return kExitOk;
}

std::string ErrorLine(const std::string& member, const std::string& title,
                      const std::string& file) {
    std::string line = "mfarc: ";
    if (!member.empty())
        line += member + ": ";
    line += title;
    if (!file.empty() && file != member)
        line += " (" + file + ")";
    return line;
}

} // namespace

int RunMfarc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Progress progress;
    try {
        if (args.empty())
            throw UsageError{"no command"};
        const std::string& command = args[0];
        if (command == "create")
            return Create(args, out, progress);
        if (command == "list")
            return Read(Action::List, args, out, progress);
        if (command == "test")
            return Read(Action::Test, args, out, progress);
        if (command == "extract")
            return Read(Action::Extract, args, out, progress);
        throw UsageError{"unknown command " + command};
    } catch (const UsageError& e) {
        err << "mfarc: " << e.message << "\n" << kUsage;
        return kExitUsage;
    } catch (const CException& e) {
        const CFileException* file = dynamic_cast<const CFileException*>(&e);
        err << ErrorLine(progress.member, ErrorTitleOf(e), file ? file->m_strFileName : "") << "\n";
        return kExitDamaged;
    } catch (const std::exception& e) {
        err << ErrorLine(progress.member, e.what(), "") << "\n";
        return kExitDamaged;
    }
}
