#include "tools/mkdisks/MkdisksTool.h"

#include "errors/XException.h"
#include "tools/mkdisks/DiskSetWriter.h"
#include "tools/mkdisks/ProductDescription.h"

#include <exception>
#include <map>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const char kUsage[] = "usage: mkdisks [--images] [-i INPUT_FOLDER] [-s SETUP_PROGRAM] "
                      "DESCRIPTION OUTPUT_FOLDER\n";

struct Options {
    std::string input;
    std::string setup;
    bool images = false;
    std::vector<std::string> operands;
};

bool ParseOptions(const std::vector<std::string>& args, Options& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "-i" || arg == "-s") && i + 1 < args.size()) {
            (arg == "-i" ? options.input : options.setup) = args[++i];
        } else if (arg == "--images") {
            options.images = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else {
            options.operands.push_back(arg);
        }
    }
    return options.operands.size() == 2;
}

void PrintSet(const CDiskSetWriter& writer, int disks, std::ostream& out) {
    std::map<int, std::vector<const CPlacedFile*>> byDisk;
    for (const CPlacedFile& file : writer.Files())
        byDisk[file.m_nDisk].push_back(&file);
    for (int n = 1; n <= disks; ++n) {
        out << "DISK" << (n < 10 ? "0" : "") << n << ":";
        for (const CPlacedFile* file : byDisk[n])
            out << " " << file->m_strName;
        out << "\n";
    }
}

} // namespace

int RunMkdisks(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (!ParseOptions(args, options)) {
        err << kUsage;
        return kExitUsage;
    }
    try {
        CProductDescription description;
        description.Load(options.operands[0], options.input, options.setup);
        CDiskSetWriter writer(description);
        int disks = writer.Write(options.operands[1], options.images);
        PrintSet(writer, disks, out);
        return kExitOk;
    } catch (const CMkdisksError& e) {
        err << "mkdisks: " << e.what() << "\n";
    } catch (const CFileException& e) {
        err << "mkdisks: " << ErrorTitleOf(e)
            << (e.m_strFileName.empty() ? "" : " '" + e.m_strFileName + "'") << "\n";
    } catch (const CException& e) {
        err << "mkdisks: " << ErrorTitleOf(e) << "\n";
    } catch (const std::exception& e) {
        err << "mkdisks: " << e.what() << "\n";
    }
    return kExitFailed;
}
