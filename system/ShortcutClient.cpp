#include "system/ShortcutClient.h"

#include "framework/ui/SystemLibrary.h"
#include "system/CommandText.h"
#include "system/CurrentDirectory.h"
#include "system/RegistryString.h"
#include "system/WindowsVersion.h"

#include <objbase.h>
#include <shlguid.h>

#include <vector>

namespace {

CSetupPath DefaultProgramsFolder() {
    CRegistryString programs(HKEY_CURRENT_USER, kShellFoldersKey, "Programs");
    std::string folder = programs.GetValue();
    if (folder.empty())
        folder = CSetupPath(kRootWindowsDir).GetText() + "Start Menu\\Programs";
    return CSetupPath(AsFolderText(folder));
}

std::wstring Widen(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), length);
    return buffer.data();
}

// The shell reads a group's links again whenever the folder changes (an open folder window,
// the Start menu), and a link it holds open cannot be deleted for that moment. Such a step
// is tried again for a while; one that is refused for good is given up after about two
// seconds.
constexpr int kRemoveTries = 20;
constexpr DWORD kRemoveRetryMs = 100;

template <class Step> bool RetryWhileInUse(Step step) {
    for (int tries = 1;; ++tries) {
        if (step())
            return true;
        const DWORD error = GetLastError();
        const bool inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                           error == ERROR_ACCESS_DENIED;
        if (!inUse || tries >= kRemoveTries)
            return false;
        Sleep(kRemoveRetryMs);
    }
}

} // namespace

CShortcutClient::CShortcutClient()
    : m_bUseShellLinks(IsNewShell()), m_programsFolder(DefaultProgramsFolder()) {}

CShortcutClient::CShortcutClient(bool useShellLinks, const CSetupPath& programsFolder)
    : m_bUseShellLinks(useShellLinks), m_programsFolder(AsFolderText(programsFolder.GetText())) {}

CShortcutClient::~CShortcutClient() = default;

CSetupPath CShortcutClient::GetGroupFolder(const std::string& group) const {
    return CSetupPath(m_programsFolder.GetText() + AsFolderText(group));
}

CSetupPath CShortcutClient::GetShortcutPath(const std::string& group,
                                            const std::string& title) const {
    return CSetupPath(GetGroupFolder(group).GetText() + title + ".lnk");
}

bool CShortcutClient::ObtainShellLink() {
    // COM is loaded on first use: a run that makes no shortcut never needs it.
    auto initialize = SystemFunction<decltype(&::CoInitialize)>("ole32.dll", "CoInitialize");
    auto createInstance =
        SystemFunction<decltype(&::CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    if (initialize == nullptr || createInstance == nullptr)
        return false;
    initialize(nullptr); // never uninitialised: other parts of setup may use COM later
    if (FAILED(createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              m_pShellLink.ReceiveVoid())))
        return false;
    return SUCCEEDED(m_pShellLink->QueryInterface(IID_IPersistFile, m_pPersistFile.ReceiveVoid()));
}

bool CShortcutClient::CreateShortcut(const std::string& group, const std::string& targetPath,
                                     const std::string& arguments, const std::string& title,
                                     const char* iconPath, int iconIndex, const char* workingDir,
                                     int position, int showKind) {
    if (!m_bUseShellLinks)
        return AddProgramItem(group, targetPath, arguments, title, iconPath, iconIndex, position,
                              showKind);
    if (!IsPlainRelativeName(group, true) || !IsPlainRelativeName(title, false))
        return false;
    m_pPersistFile.Release(); // the previous link goes before the next is made
    m_pShellLink.Release();
    if (!ObtainShellLink())
        return false;
    {
        // Creating a folder that exists makes it the current directory; a group folder
        // left current could not be removed later.
        CCurrentDirectoryKeeper keeper;
        if (!GetGroupFolder(group).CreateFolder(true))
            return false;
    }
    return WriteLink(GetShortcutPath(group, title).GetText(), targetPath, arguments, title,
                     iconPath, iconIndex, workingDir, RunsMinimized(position, showKind));
}

bool CShortcutClient::WriteLink(const std::string& path, const std::string& targetPath,
                                const std::string& arguments, const std::string& title,
                                const char* iconPath, int iconIndex, const char* workingDir,
                                bool minimized) {
    IShellLinkA* link = m_pShellLink.Get();
    std::string folder = workingDir ? workingDir : CSetupPath(targetPath).GetFolder();
    if (folder.size() > 3)
        RemoveTrailingBackslash(folder);
    if (FAILED(link->SetPath(targetPath.c_str())) ||
        FAILED(link->SetArguments(arguments.c_str())) ||
        FAILED(link->SetDescription(title.c_str())) ||
        FAILED(link->SetWorkingDirectory(folder.c_str())) ||
        FAILED(link->SetShowCmd(minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL)))
        return false;
    if (iconPath && *iconPath && FAILED(link->SetIconLocation(iconPath, iconIndex)))
        return false;
    const std::wstring widePath = Widen(path);
    if (widePath.empty())
        return false;
    return SUCCEEDED(m_pPersistFile->Save(widePath.c_str(), TRUE));
}

bool CShortcutClient::RemoveProgramItem(const std::string& group, const std::string& title) {
    if (!m_bUseShellLinks)
        return CProgmanClient::RemoveProgramItem(group, title);
    if (!IsPlainRelativeName(group, true) || !IsPlainRelativeName(title, false))
        return false;
    const CSetupPath shortcut = GetShortcutPath(group, title);
    return RetryWhileInUse([&shortcut] { return shortcut.Delete(true); });
}

bool CShortcutClient::RemoveGroup(const std::string& group, int spare) {
    if (!m_bUseShellLinks)
        return CProgmanClient::RemoveGroup(group, spare);
    if (!IsPlainRelativeName(group, true))
        return false;
    const CSetupPath folder = GetGroupFolder(group);
    return RetryWhileInUse([&folder] { return folder.RemoveFolder(); });
}
