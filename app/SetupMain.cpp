// SETUP.EXE: the application object and WinMain over the libraries.
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "pages/PageFactory.h"

#include <windows.h>

static CSetupApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    SetPageFactory(CreatePageById);
    return RunApplication(theApp, instance, commandLine);
}
