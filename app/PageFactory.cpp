#include "app/PageFactory.h"

#include "app/SetupApp.h"
#include "pages/CompletePage.h"
#include "pages/ConditionsPage.h"
#include "pages/DestinationPage.h"
#include "pages/FailedPage.h"
#include "pages/GroupPage.h"
#include "pages/ReadingPage.h"
#include "pages/RegisterPage.h"
#include "pages/RemovedPage.h"
#include "pages/RestartPage.h"
#include "pages/UninstallWelcomePage.h"
#include "pages/UnregisterPage.h"
#include "pages/WelcomePage.h"
#include "transfer/CopyPage.h"
#include "uninstall/RemoveFilesPage.h"

CWizardPage* CreatePageById(int id) {
    switch (id) {
    case 102:
        return new CWelcomePage(114);
    case 114:
        return new CReadingPage(GetSetupApp().m_bUninstall ? 1546 : 1537);
    case 1537:
        return new CConditionsPage(104);
    case 104:
        return new CDestinationPage(106);
    case 106:
        return new CGroupPage(108);
    case 108:
        return new CCopyPage(1549);
    case 1549:
        return new CRegisterPage(115);
    case 115:
        return new CCompletePage(-1);
    case 1558:
        return new CRestartPage(-1);
    case 116:
        return new CFailedPage(-1);
    case 1545:
        return new CUninstallWelcomePage(114);
    case 1546:
        return new CRemoveFilesPage(1550);
    case 1550:
        return new CUnregisterPage(1547);
    case 1547:
        return new CRemovedPage(-1);
    default:
        return nullptr;
    }
}
