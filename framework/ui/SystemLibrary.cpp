#include "framework/ui/SystemLibrary.h"

#include "framework/ui/LoadedLibrary.h"

#include <map>
#include <string>

namespace {

// Flags of the newer loader (documented values; older headers may lack them).
constexpr DWORD kSearchDllLoadDir = 0x00000100;  // LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
constexpr DWORD kSearchSystem32 = 0x00000800;    // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kAlteredSearchPath = 0x00000008; // LOAD_WITH_ALTERED_SEARCH_PATH

using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD directoryFlags);
using SetDllDirectoryProc = BOOL(WINAPI*)(LPCSTR pathName);

// True when the newer loader flags are understood: the same update brought both.
bool HasSearchFlags() {
    static const bool has = KernelFunction<FARPROC>("SetDefaultDllDirectories") != nullptr;
    return has;
}

// The file's full path in the system directory ("\\fileName" when Windows does not say where
// that is).
std::string SystemDirectoryFile(const char* fileName) {
    char buffer[MAX_PATH];
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    std::string path = length != 0 && length < MAX_PATH ? std::string(buffer, length) : "";
    if (path.empty() || (path.back() != '\\' && path.back() != '/'))
        path.push_back('\\');
    return path + fileName;
}

HMODULE LoadQuietly(const std::string& path, DWORD flags) {
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, flags);
    SetErrorMode(previousMode);
    return module;
}

} // namespace

bool HardenLibrarySearch() {
    bool systemOnly = false;
    auto setDefault = KernelFunction<SetDefaultDllDirectoriesProc>("SetDefaultDllDirectories");
    if (setDefault)
        systemOnly = setDefault(kSearchSystem32) != FALSE;
    // Still worth doing after the above: it also covers LoadLibraryEx calls made with the old
    // altered search path, which ignore the default directories.
    auto setDllDirectory = KernelFunction<SetDllDirectoryProc>("SetDllDirectoryA");
    if (setDllDirectory)
        setDllDirectory("");
    return systemOnly;
}

HMODULE LoadSystemLibrary(const char* fileName) {
    return LoadQuietly(SystemDirectoryFile(fileName),
                       HasSearchFlags() ? kSearchSystem32 : kAlteredSearchPath);
}

HMODULE LoadLibraryFromFolder(const std::string& fullPath) {
    return LoadQuietly(fullPath,
                       HasSearchFlags() ? kSearchDllLoadDir | kSearchSystem32 : kAlteredSearchPath);
}

HMODULE KeptSystemLibrary(const char* fileName) {
    // One attempt per name: a library missing from the system directory stays missing.
    static std::map<std::string, CLoadedLibrary> libraries;
    auto it = libraries.find(fileName);
    if (it == libraries.end())
        it = libraries.try_emplace(fileName, LoadSystemLibrary(fileName)).first;
    return it->second.Get();
}
