#include "pages/RegisterPage.h"

#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "profile/Destination.h"
#include "system/CommandText.h"
#include "system/ComponentRegistration.h"
#include "system/RegistryEntries.h"

#include <windows.h>

#include <vector>

namespace {

// File name of the running setup program; uninstall runs the copy in the install folder.
std::string RunningProgramFileName() {
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return std::string();
        if (n < buffer.size())
            return CSetupPath(std::string(buffer.data(), n)).GetFileName();
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

int CRegisterPage::RunPage() {
    CSetupApp& app = GetSetupApp();
    const std::string installDir = app.m_pDestinations->GetPath(kDestInstall);
    if (!installDir.empty()) {
        const std::string folder = AsFolderText(installDir);
        WriteAppPath(CSetupPath(folder + app.m_strMainExe));
        const CSetupPath setupProgram(folder + RunningProgramFileName());
        WriteUninstallEntry(MakeUninstallCommand(setupProgram), app.m_strProductName,
                            app.m_strProductName);
        RegisterComponents(CSetupPath(folder), app.m_strGroupName, true);
    }
    if (!app.m_bSucceeded)
        m_nNextId = kFailedPageId;
    else if (app.m_bRestartNeeded)
        m_nNextId = kRestartPageId;
    else
        m_nNextId = kCompletePageId;
    return m_nNextId;
}
