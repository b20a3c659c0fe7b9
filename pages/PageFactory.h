// The page factory: one page class per page id of the wizard. Win32 only.
#pragma once

class CWizardPage;

// A new page for id (registered by its constructor) with the next id of the page chain, or
// null for an id without a page.
CWizardPage* CreatePageById(int id);
