// Run-time loading of libraries by full path. SETUP.EXE often runs from a folder that others
// can write to (a download folder, a network share); a library looked for by bare name would
// be taken from there first. Win32 only; nothing here throws.
//
// Every function returns a module the caller owns: wrap it in CLoadedLibrary at once.
#pragma once

#include "framework/ui/LoadedLibrary.h"

#include <windows.h>

#include <string>

// Takes the program's folder and the current directory out of the search order for libraries
// loaded at run time, where the running Windows offers it (SetDefaultDllDirectories, then
// SetDllDirectoryA("")); old Windows has neither and keeps its order. Call once, first thing
// at start-up. True when the system directory alone is searched from now on.
bool HardenLibrarySearch();

// Loads a library of the system directory by its full path, its own dependencies looked for
// in the system directory first. Null when it is absent or cannot be loaded; no system error
// box is shown.
HMODULE LoadSystemLibrary(const char* fileName);

// Loads a library named by its full path (a product library in the install folder), its own
// dependencies looked for in its folder and then in the system directory. Null when it cannot
// be loaded; no system error box is shown.
HMODULE LoadLibraryFromFolder(const std::string& fullPath);

// The module of a library of the system directory, loaded by LoadSystemLibrary the first time
// it is asked for and kept until the program ends (its functions may be called at any time,
// and COM, once initialised, stays so). Null when it cannot be loaded. For the libraries that
// only some runs need, the common dialogs and COM among them: imported, they would be loaded,
// with all they load in turn, at every start, the unattended ones included.
HMODULE KeptSystemLibrary(const char* fileName);

// A function of such a library as the type its caller declares (decltype(&::Function) for a
// declared one), or null.
template <typename Proc> Proc SystemFunction(const char* fileName, const char* functionName) {
    return FindProc<Proc>(KeptSystemLibrary(fileName), functionName);
}
