#include "transfer/SourceFolder.h"

#include "framework/Format.h"

#include <cstdlib>

bool NumberedFolderPath(const CSetupPath& missing, int disk, CSetupPath& candidate) {
    std::string directory = missing.GetDirectory();
    RemoveTrailingBackslash(directory);
    if (directory.size() <= 2 || std::atoi(directory.c_str() + directory.size() - 2) == 0)
        return false;
    std::string number;
    FormatString(number, "%02d", disk);
    directory.replace(directory.size() - 2, 2, number);
    candidate = missing;
    candidate.SetDirectory(directory);
    return true;
}

bool EnsureSourceFile(CSetupPath& sourceFolder, const std::string& name, int disk,
                      const DisketteQuestion& ask) {
    CSetupPath missing(sourceFolder);
    missing.SetFileName(name);
    if (missing.Exists())
        return true;
    CSetupPath numbered;
    if (NumberedFolderPath(missing, disk, numbered) && numbered.Exists()) {
        sourceFolder.SetDrive(numbered.GetDrive());
        sourceFolder.SetDirectory(numbered.GetDirectory());
        return true;
    }
    std::string folder;
    if (!ask || !ask(missing, disk, folder))
        return false;
    sourceFolder.SetFolder(folder);
    return true;
}
