// Finding a diskette's files: in the source folder, in the numbered folder of that diskette
// beside it (a set copied to DISK01, DISK02, ...), or where the user points. A diskette is
// recognised only by the presence of the file it must hold. Portable rules; the question is
// asked through a callback.
#pragma once

#include "transfer/SetupPath.h"

#include <functional>
#include <string>

// Asks for diskette `disk` whose file `missing` was not found; on OK returns true with the
// folder (verified to hold the file) in `folder`.
using DisketteQuestion =
    std::function<bool(const CSetupPath& missing, int disk, std::string& folder)>;

// The numbered-folder rule: when the directory of `missing` ends in two characters that
// read as a nonzero number (C atoi), the same path with those two replaced by `disk` as
// "%02d". False when the directory is not numbered.
bool NumberedFolderPath(const CSetupPath& missing, int disk, CSetupPath& candidate);

// True when `name` can be found for diskette `disk`: in sourceFolder, else in its numbered
// sibling (sourceFolder switches there), else after the question (sourceFolder switches to
// the folder given). False when the question was cancelled.
bool EnsureSourceFile(CSetupPath& sourceFolder, const std::string& name, int disk,
                      const DisketteQuestion& ask);
