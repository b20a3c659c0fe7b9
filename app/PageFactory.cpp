#include "app/PageFactory.h"

#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
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
    case kWelcomePageId:
        return new CWelcomePage(kReadingPageId);
    case kReadingPageId:
        return new CReadingPage(GetSetupApp().m_bUninstall ? kRemoveFilesPageId
                                                           : kConditionsPageId);
    case kConditionsPageId:
        return new CConditionsPage(kDestinationPageId);
    case kDestinationPageId:
        return new CDestinationPage(kGroupPageId);
    case kGroupPageId:
        return new CGroupPage(kCopyPageId);
    case kCopyPageId:
        return new CCopyPage(kRegisterPageId);
    case kRegisterPageId:
        return new CRegisterPage(kCompletePageId);
    case kCompletePageId:
        return new CCompletePage(kEndOfSetup);
    case kRestartPageId:
        return new CRestartPage(kEndOfSetup);
    case kFailedPageId:
        return new CFailedPage(kEndOfSetup);
    case kUninstallWelcomePageId:
        return new CUninstallWelcomePage(kReadingPageId);
    case kRemoveFilesPageId:
        return new CRemoveFilesPage(kUnregisterPageId);
    case kUnregisterPageId:
        return new CUnregisterPage(kRemovedPageId);
    case kRemovedPageId:
        return new CRemovedPage(kEndOfSetup);
    default:
        return nullptr;
    }
}
