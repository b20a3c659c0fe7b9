// Page 106, "Select Program Item Group": the program group for the product's items. The page
// shows its template and waits for Next; filling the list and storing the choice come with
// its own work.
#pragma once

#include "app/WizardPage.h"

class CGroupPage : public CWizardPage {
public:
    explicit CGroupPage(int nextId) : CWizardPage(106, nextId) {}
};
