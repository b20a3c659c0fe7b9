// SETUP.EXE: the application object and WinMain over the libraries.
#include "app/PageFactory.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "framework/ui/SystemLibrary.h"

#include <windows.h>

static CSetupApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // Before anything loads a library at run time: SETUP.EXE may sit in a folder that
    // others can write to.
    HardenLibrarySearch();
    SetPageFactory(CreatePageById);
    return RunApplication(theApp, instance, commandLine);
}
