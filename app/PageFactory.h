// The wizard's page factory: one page class per page id, from pages/, transfer/ (the copy
// page) and uninstall/ (the removal page). SETUP.EXE installs it with SetPageFactory. Win32
// only.
#pragma once

class CWizardPage;

// A new page for id (registered by its constructor) with the next id of the page chain, or
// null for an id without a page.
CWizardPage* CreatePageById(int id);
